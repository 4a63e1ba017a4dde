#include "ui/Parametros_Fuzzy.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QPushButton>
#include <QRect>

#include "core/textos_por_defecto.h"
#include "ui/archivos_fuzzy.h"
#include "ui/graficos_conjuntos.h"

TFrm_Parametros_Fuzzy* Frm_Parametros_Fuzzy = nullptr;

namespace {

struct PanelConjuntos {
    const char* nombre;
    QRect marco;
    int xTitulo;
    const char* ganancia;
    QPoint posGanancia;
    int xCentro;  // the control panel's centre column sits 4 pixels further left
};

const PanelConjuntos kPaneles[3] = {
    {"Panel1", {4, 36, 245, 205}, 144, "KE", {82, 168}, 188},
    {"Panel2", {264, 36, 245, 205}, 96, "KDE", {104, 172}, 188},
    {"Panel3", {8, 248, 245, 209}, 116, "KU", {84, 176}, 184},
};

constexpr const char* kColumnas[3] = {"Tipo", "Ancho", "Centro"};
// what the bare numbers of the sets and of the rules stand for
constexpr const char* kPistasColumnas[3] = {
    "Tipo del conjunto: 0 triángulo, 1 hombro izquierdo, 2 hombro derecho, 3 constante",
    "Ancho del conjunto: de su centro a su pie",
    "Centro del conjunto: su pico; el valor de un conjunto constante",
};
constexpr const char* kSalidas = "0 MN, 1 Ne, 2 Ze, 3 Po, 4 MP";
constexpr int kXColumnas[2] = {84, 136};
constexpr int kXEncabezados[3] = {92, 136, 180};
constexpr double kEspaciadoEncabezados = 90;  // % of each letter's advance in the headings of the columns
constexpr QPoint kPosEtiquetas[5] = {{18, 50}, {18, 74}, {22, 94}, {22, 118}, {18, 142}};
constexpr int kYFilas[5] = {48, 72, 92, 120, 140};
constexpr int kYCentroZe = 96;

// The plots of the sets stand right of the panels: the dialog grows to the right by their column, and no
// control of the panels moves.
constexpr int kXGraficos = 526;
constexpr int kAnchoDialogo = 530 + kXGraficos - 522 + GraficosConjuntos::kAncho + 6;

// Tab order within a set panel as (set, column): the first three sets row by row, then the last two
// sets interleaved column by column, and MP's centre before Po's.
constexpr int kOrdenPanel[15][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1},
                                    {2, 2}, {3, 0}, {4, 0}, {3, 1}, {4, 1}, {4, 2}, {3, 2}};

}  // namespace

TFrm_Parametros_Fuzzy::TFrm_Parametros_Fuzzy(QWidget* padre)
    : DialogoParametros(QStringLiteral("Parametros del Controlador"), kAnchoDialogo, 531, padre) {
    CrearTitulo(QStringLiteral("Parámetros  Fuzzy"), 193, 6);

    std::vector<QWidget*> orden{Regresar};
    Panel1 = CrearPanelConjuntos(0, orden);
    Panel2 = CrearPanelConjuntos(1, orden);
    Panel3 = CrearPanelConjuntos(2, orden);

    Panel4 = CrearPanel("Panel4", {260, 248, 253, 209}, QStringLiteral("Matriz de Reglas"), 84);
    Reglas = new RejillaReglas(Panel4);
    Reglas->setObjectName(QStringLiteral("Reglas"));
    Reglas->setAccessibleName(QStringLiteral("Matriz de Reglas (filas: error; columnas: derivada)"));
    Reglas->setGeometry(8, 28, 237, 169);
    orden.push_back(Reglas);

    Graficos = new GraficosConjuntos(this);
    Graficos->move(kXGraficos, 8);

    Regresar->move(222, 461);
    // the files of other programs, left of Regresar in the room under the control's sets
    Importar = new QPushButton(QStringLiteral("Importar..."), this);
    Importar->setObjectName(QStringLiteral("Importar"));
    Importar->setToolTip(QStringLiteral("Lee los conjuntos, las ganancias y las reglas de un archivo .fis, .fll o .fcl"));
    Importar->setGeometry(12, 461, 96, Regresar->height());
    Exportar = new QPushButton(QStringLiteral("Exportar..."), this);
    Exportar->setObjectName(QStringLiteral("Exportar"));
    Exportar->setToolTip(QStringLiteral("Escribe este controlador en un archivo .fis (Octave, MATLAB), .fll "
                                        "(fuzzylite) o .fcl (IEC 61131-7)"));
    Exportar->setGeometry(114, 461, 96, Regresar->height());
    BotonesArchivosFuzzy(*this, Importar, Exportar);
    orden.push_back(Importar);
    orden.push_back(Exportar);
    OrdenTabulacion(orden);
    Centrar();
    FormCreate();
    Explicar();
}

void TFrm_Parametros_Fuzzy::Explicar() {
    const QString salidas = QString::fromLatin1(kSalidas);
    Reglas->setToolTip(QStringLiteral("Filas: error; columnas: derivada. Cada celda es el conjunto de salida de su "
                                      "regla: %1")
                           .arg(salidas));
    for (int fila = 0; fila < 5; ++fila)
        for (int columna = 0; columna < 5; ++columna)
            if (QTableWidgetItem* celda = Reglas->item(fila, columna))
                celda->setToolTip(QStringLiteral("Si el error es %1 y la derivada es %2: salida (%3)")
                                      .arg(QString::fromLatin1(kEtiquetas[fila]), QString::fromLatin1(kEtiquetas[columna]),
                                           salidas));
    // the legend of the numbers right of Regresar, under the rule grid, in the room the dialog had free
    Leyenda = new QLabel(QStringLiteral("Tipo: 0 triángulo, 1 hombro izquierdo,\n2 hombro derecho, 3 constante.\n"
                                        "Reglas: %1")
                             .arg(salidas),
                         this);
    Leyenda->setObjectName(QStringLiteral("Leyenda"));
    Leyenda->setGeometry(Panel4->x() + 45, Panel4->geometry().bottom() + 4, kXGraficos - 6 - Panel4->x() - 45, 42);
    Leyenda->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // which way the grid reads, in the grid's own blank strip under its last row
    auto* ejes = new QLabel(QStringLiteral("filas = error; columnas = derivada"), Reglas);
    ejes->setObjectName(QStringLiteral("EjesReglas"));
    ejes->adjustSize();
    ejes->move(Reglas->width() - ejes->width() - 4, Reglas->height() - ejes->height() - 3);
    QPalette gris = ejes->palette();
    gris.setColor(QPalette::WindowText, Qt::darkGray);
    ejes->setPalette(gris);
}

void TFrm_Parametros_Fuzzy::FormCreate() {
    for (int k = 0; k < 5; ++k) Reglas->PonerCelda(0, k + 1, QString::fromLatin1(kEtiquetas[k]));
    for (int k = 0; k < 5; ++k) Reglas->PonerCelda(k + 1, 0, QString::fromLatin1(kEtiquetas[k]));
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna)
            Reglas->PonerCelda(columna, fila, QString::number(kReglasPorDefecto[fila - 1][columna - 1]));
}

QFrame* TFrm_Parametros_Fuzzy::CrearPanel(const char* nombre, QRect marco, const QString& titulo, int xTitulo) {
    auto* panel = new QFrame(this);
    panel->setObjectName(QString::fromLatin1(nombre));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setGeometry(marco);
    CrearEtiqueta(panel, titulo, xTitulo, 6);
    return panel;
}

QFrame* TFrm_Parametros_Fuzzy::CrearPanelConjuntos(int variable, std::vector<QWidget*>& orden) {
    const PanelConjuntos& datos = kPaneles[variable];
    QFrame* panel = CrearPanel(datos.nombre, datos.marco, QString::fromLatin1(kPanelesFuzzy[variable]), datos.xTitulo);
    // each heading at its place, its letters 10 % closer: in the serif font "Ancho" would reach the place of
    // "Centro", and the places and the font are the dialog's own
    for (int c = 0; c < 3; ++c) {
        QLabel* encabezado = CrearEtiqueta(panel, QString::fromLatin1(kColumnas[c]), kXEncabezados[c], 30);
        encabezado->setObjectName(QStringLiteral("Encabezado_%1").arg(QString::fromLatin1(kColumnas[c])));
        encabezado->setToolTip(QString::fromUtf8(kPistasColumnas[c]));
        QFont fuente = encabezado->font();
        fuente.setLetterSpacing(QFont::PercentageSpacing, kEspaciadoEncabezados);
        encabezado->setFont(fuente);
        encabezado->adjustSize();
    }

    QLineEdit* edits[5][3];
    for (int k = 0; k < 5; ++k) {
        CrearEtiqueta(panel, QString::fromLatin1(kEtiquetas[k]), kPosEtiquetas[k].x(), kPosEtiquetas[k].y());
        for (int c = 0; c < 3; ++c) {
            const std::string nombre = NombreFuzzy(kPrefijosFuzzy[variable], kEtiquetas[k], kColumnas[c]);
            const int x = c < 2 ? kXColumnas[c] : datos.xCentro;
            const int y = c == 2 && k == 2 ? kYCentroZe : kYFilas[k];
            edits[k][c] = CrearEdit(panel, nombre.c_str(), x, y, 45);
            edits[k][c]->setToolTip(QString::fromUtf8(kPistasColumnas[c]));
            edits[k][c]->setAccessibleName(QStringLiteral("%1 %2 %3").arg(QString::fromLatin1(kPanelesFuzzy[variable]),
                                                                          QString::fromLatin1(kEtiquetas[k]),
                                                                          QString::fromLatin1(kColumnas[c])));
        }
    }
    CrearEtiqueta(panel, QStringLiteral("Gan"), 17, 170);
    QLineEdit* ganancia = CrearEdit(panel, datos.ganancia, datos.posGanancia.x(), datos.posGanancia.y(), 45);
    ganancia->setAccessibleName(
        QStringLiteral("%1 Ganancia %2").arg(QString::fromLatin1(kPanelesFuzzy[variable]), QString::fromLatin1(datos.ganancia)));

    for (const auto& [k, c] : kOrdenPanel) orden.push_back(edits[k][c]);
    orden.push_back(ganancia);
    return panel;
}

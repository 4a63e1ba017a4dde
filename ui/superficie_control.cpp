#include "ui/imagen_grafico.h"
#include "ui/superficie_control.h"

#include <qcustomplot.h>

#include <QLabel>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/simulador.h"
#include "fuzzy/cobertura.h"
#include "fuzzy/reglas.h"
#include "ui/estilo.h"
#include "ui/marcador_superficie.h"
#include "ui/rejilla_reglas.h"

namespace {

constexpr int kAnchoMapa = 520;
constexpr int kAltoMapa = 450;
constexpr int kXReglas = kAnchoMapa + 12;

std::vector<FDP> Primeros5(const std::vector<FDP>& v) {
    return {v.begin(), v.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(v.size(), 5))};
}

}  // namespace

QColor TFrm_Superficie::ColorFallo() { return QColor(150, 150, 150); }

TFrm_Superficie::TFrm_Superficie(QWidget* padre) : QWidget(padre, Qt::Window) {
    setObjectName(QStringLiteral("Frm_Superficie"));
    setWindowTitle(QStringLiteral("Superficie de Control"));
    setFont(FuenteVentana());
    setFixedSize(kXReglas + 237 + 12, kAltoMapa + 12);

    Mapa = new QCustomPlot(this);
    MenuImagen(Mapa, {});
    Mapa->setAccessibleName(QStringLiteral("Superficie de Control"));
    Mapa->setObjectName(QStringLiteral("Mapa"));
    Mapa->setGeometry(6, 6, kAnchoMapa, kAltoMapa);
    Mapa->setBackground(palette().window());
    Mapa->plotLayout()->insertRow(0);
    Mapa->plotLayout()->addElement(0, 0,
                                   new QCPTextElement(Mapa, QStringLiteral("Salida del controlador"), FuenteSans(12)));
    Mapa->xAxis->setLabel(QStringLiteral("Error (escalado)"));
    Mapa->yAxis->setLabel(QStringLiteral("Derivada del error (escalada)"));
    for (QCPAxis* eje : {Mapa->xAxis, Mapa->yAxis}) {
        eje->setTickLabelFont(FuenteVentana());
        eje->setLabelFont(FuenteVentana());
    }

    Colores = new QCPColorMap(Mapa->xAxis, Mapa->yAxis);
    Colores->setInterpolate(false);  // one block per point: a failed point stays a grey block
    Colores->setTightBoundary(false);
    Escala = new QCPColorScale(Mapa);
    Mapa->plotLayout()->addElement(1, 1, Escala);
    Escala->setType(QCPAxis::atRight);
    Escala->axis()->setTickLabelFont(FuenteVentana());
    Colores->setColorScale(Escala);
    // a diverging scale, white at 0: blue lowers the inflow, red raises it; a failed point is grey, never 0
    QCPColorGradient gradiente;
    gradiente.clearColorStops();
    gradiente.setColorStopAt(0, QColor(5, 80, 170));
    gradiente.setColorStopAt(0.5, QColor(255, 255, 255));
    gradiente.setColorStopAt(1, QColor(200, 0, 30));
    gradiente.setNanHandling(QCPColorGradient::nhNanColor);
    gradiente.setNanColor(ColorFallo());
    Colores->setGradient(gradiente);
    auto* margen = new QCPMarginGroup(Mapa);
    Mapa->axisRect()->setMarginGroup(QCP::msBottom | QCP::msTop, margen);
    Escala->setMarginGroup(QCP::msBottom | QCP::msTop, margen);

    // the marker over the map, repainted alone at every tick
    Marcador = new MarcadorSuperficie(Mapa, rastro_);

    Mensaje = new QLabel(this);
    Mensaje->setObjectName(QStringLiteral("Mensaje"));
    Mensaje->setGeometry(Mapa->geometry());
    Mensaje->setAlignment(Qt::AlignCenter);
    Mensaje->setWordWrap(true);
    QPalette rojo = Mensaje->palette();
    rojo.setColor(QPalette::WindowText, kRojoTitulo);
    Mensaje->setPalette(rojo);
    Mensaje->hide();

    EtiquetaEn(this, QStringLiteral("Reglas disparadas"), kXReglas + 50, 30, FuenteSerif(16), kAzulEtiqueta);
    EtiquetaEn(this, QStringLiteral("(fuerza del último tick)"), kXReglas + 56, 50, FuenteVentana(), kAzulEtiqueta);
    Reglas = new RejillaReglas(this);
    Reglas->setObjectName(QStringLiteral("Reglas"));
    Reglas->setGeometry(kXReglas, 72, 237, 169);
    Reglas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Reglas->setSelectionMode(QAbstractItemView::NoSelection);
    Reglas->setFocusPolicy(Qt::NoFocus);
    Reglas->clearSelection();
    for (int k = 0; k < 5; ++k) {
        Reglas->PonerCelda(0, k + 1, QString::fromLatin1(kEtiquetas[static_cast<std::size_t>(k)]));
        Reglas->PonerCelda(k + 1, 0, QString::fromLatin1(kEtiquetas[static_cast<std::size_t>(k)]));
    }
    EtiquetaEn(this, QStringLiteral("filas: error; columnas: derivada"), kXReglas + 30, 246, FuenteVentana(),
               Qt::black);
    // the shading's key: white for a rule that did not fire, dark blue for one that fired fully
    auto* clave = new QLabel(this);
    clave->setObjectName(QStringLiteral("Clave"));
    QPixmap degradado(150, 12);
    {
        QPainter p(&degradado);
        for (int x = 0; x < 150; ++x) {
            p.setPen(RejillaReglas::ColorFuerza(x / 149.0));
            p.drawLine(x, 0, x, 11);
        }
        p.setPen(Qt::black);
        p.drawRect(0, 0, 149, 11);
    }
    clave->setPixmap(degradado);
    clave->setGeometry(kXReglas + 44, 272, 150, 12);
    EtiquetaEn(this, QStringLiteral("0"), kXReglas + 34, 271, FuenteVentana(), Qt::black);
    EtiquetaEn(this, QStringLiteral("1"), kXReglas + 198, 271, FuenteVentana(), Qt::black);

    Fallidos = new QLabel(this);
    Fallidos->setObjectName(QStringLiteral("Fallidos"));
    Fallidos->setGeometry(kXReglas, 300, 237, 60);
    Fallidos->setWordWrap(true);
    Fallidos->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TFrm_Superficie::Calcular(const FIS& fis, bool inicializado) {
    BorrarRastro();
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna)
            Reglas->PonerCelda(columna, fila,
                               inicializado ? QString::number(fis.Tabla_Reglas[fila - 1][columna - 1]) : QString());
    if (!inicializado) {
        superficie_.reset();
        Mensaje->setText(QString::fromUtf8(kFuzzySinInicializar));
        Mensaje->show();
        Mapa->hide();
        Fallidos->clear();
        return;
    }
    const Rango e = RangoEje(Primeros5(fis.Conjuntos_E));
    const Rango de = RangoEje(Primeros5(fis.Conjuntos_DE));
    superficie_ = CalcularSuperficie(fis, e, de, kPuntos, kPuntos);
    const Superficie& s = *superficie_;

    QCPColorMapData* datos = Colores->data();
    datos->setSize(s.Columnas(), s.Filas());
    datos->setRange(QCPRange(e.desde, e.hasta), QCPRange(de.desde, de.hasta));
    double mayor = 0;
    for (int j = 0; j < s.Filas(); ++j) {
        for (int i = 0; i < s.Columnas(); ++i) {
            const std::optional<double> v = s.Valor(i, j);
            datos->setCell(i, j, v ? *v : std::numeric_limits<double>::quiet_NaN());
            if (v && std::isfinite(*v)) mayor = std::max(mayor, std::fabs(*v));
        }
    }
    // symmetric about 0, so that white is "no change of the inflow"
    if (!(mayor > 0)) mayor = 1;
    Colores->setDataRange(QCPRange(-mayor, mayor));
    Mapa->xAxis->setRange(e.desde, e.hasta);
    Mapa->yAxis->setRange(de.desde, de.hasta);
    Mensaje->hide();
    Mapa->show();
    if (s.Fallidos() == 0) {
        Fallidos->setText(QStringLiteral("La inferencia da un valor en todos los puntos."));
    } else {
        // the first failure's text, which the run would show
        const std::string* texto = nullptr;
        for (int j = 0; j < s.Filas() && !texto; ++j)
            for (int i = 0; i < s.Columnas() && !texto; ++i) texto = s.Fallo(i, j);
        Fallidos->setText(QStringLiteral("En gris, %1 de %2 puntos donde la inferencia falla (%3): el "
                                         "controlador fallará allí.")
                              .arg(s.Fallidos())
                              .arg(s.Columnas() * s.Filas())
                              .arg(QString::fromStdString(*texto)));
    }
    Mapa->replot(QCustomPlot::rpQueuedReplot);
}

void TFrm_Superficie::Marcar(double error, double derivada) {
    // the new piece, from the disc before to the new one, and the oldest piece when it goes
    const std::pair<double, double> nuevo(error, derivada);
    const std::pair<double, double> anterior = rastro_.empty() ? nuevo : rastro_.back();
    rastro_.push_back(nuevo);
    Marcador->Repintar(anterior, nuevo);
    while (rastro_.size() > kRastro) {
        const std::pair<double, double> ido = rastro_.front();
        rastro_.pop_front();
        Marcador->Repintar(ido, rastro_.front());
    }
}

void TFrm_Superficie::BorrarRastro() {
    rastro_.clear();
    Marcador->Mover();
}

void TFrm_Superficie::PonerFuerzas(const std::optional<TablaFuerzas>& fuerzas) { Reglas->PonerFuerzas(fuerzas); }

void TFrm_Superficie::showEvent(QShowEvent* evento) {
    // what changed while hidden was not drawn
    QWidget::showEvent(evento);
    Mapa->replot(QCustomPlot::rpQueuedReplot);
}

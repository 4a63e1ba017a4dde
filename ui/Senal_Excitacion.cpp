#include "ui/Senal_Excitacion.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

#include "core/excitacion.h"
#include "core/textos_senal.h"
#include "core/vista_senal.h"
#include "ui/estilo.h"
#include "ui/pista_decimal.h"
#include "ui/textos_ventanas.h"

TFrm_Senal_Excitacion* Frm_Senal_Excitacion = nullptr;

namespace {

// The labels of the edits in the order of Campo; their names are the rows of the default table (NombreCampo).
constexpr const char* kRotulosCampos[kCampos] = {
    "Mínimo", "Máximo", "Periodo", "Orden", "Semilla", "Frec. mínima", "Frec. máxima", "Componentes", "Longitud",
};
constexpr const char* kPistas[kCampos] = {
    "El nivel más bajo de la señal (caudal de entrada)",
    "El nivel más alto de la señal (caudal de entrada)",
    "Muestras por reloj de las señales binarias; retención más larga de los niveles aleatorios; retención de "
    "cada valor gaussiano",
    "Orden de la PRBS, de 2 a 20: periodo de 2^orden - 1 relojes",
    "Semilla de las señales aleatorias; estado inicial de la PRBS",
    "Borde inferior de la banda, como fracción de la frecuencia de Nyquist, en (0, 1]",
    "Borde superior de la banda, como fracción de la frecuencia de Nyquist, en (0, 1]",
    "Número de senoides del multiseno",
    "Muestras del periodo del multiseno y de un barrido",
};

// The dialog's texts, then the other dialogs' (Resistencia, HMax, Alto_Escalon), then the defaults.
class TextosDelDialogo : public Textos {
public:
    explicit TextosDelDialogo(const TFrm_Senal_Excitacion& d) : d_(d) {}
    std::string Texto(std::string_view nombre) const override {
        if (const auto t = d_.Texto(nombre)) return t->toStdString();
        return TextoODefecto(ventanas_, nombre);
    }
    std::string Celda(int c, int f) const override { return ventanas_.Celda(c, f); }
    char Decimal() const override { return SeparadorDecimal(); }

private:
    const TFrm_Senal_Excitacion& d_;
    TextosVentanas ventanas_;
};

QString Numero(double v) {
    QString t = QString::number(v, 'g', 6);
    t.replace(QChar('.'), QChar(SeparadorDecimal()));
    return t;
}

QCustomPlot* Grafica(QWidget* padre, const char* nombre, const QString& titulo, const QString& ejeX,
                     const QString& ejeY, QRect lugar) {
    auto* g = new QCustomPlot(padre);
    g->setObjectName(nombre);
    g->setAccessibleName(titulo);
    g->setGeometry(lugar);
    g->setBackground(padre->palette().window());
    g->axisRect()->setBackground(Qt::white);
    g->plotLayout()->insertRow(0);
    g->plotLayout()->addElement(0, 0, new QCPTextElement(g, titulo, FuenteSans(12)));
    for (QCPAxis* eje : {g->xAxis, g->yAxis}) {
        eje->setTickLabelFont(FuenteVentana());
        eje->setLabelFont(FuenteVentana());
    }
    g->xAxis->setLabel(ejeX);
    g->yAxis->setLabel(ejeY);
    g->addGraph();
    return g;
}

}  // namespace

TFrm_Senal_Excitacion::TFrm_Senal_Excitacion(QWidget* padre)
    : DialogoParametros(QStringLiteral("Señal de Excitación"), 776, 510, padre) {
    setObjectName(QStringLiteral("Frm_Senal_Excitacion"));
    CrearTitulo(QStringLiteral("Señal de Excitación"), 290, 4);

    CrearEtiqueta(this, QStringLiteral("Tipo"), 14, 40);
    Senal_Tipo = CrearCombo(kSenalTipo, {kNombresTipo.begin(), kNombresTipo.end()}, 80, 38, 150);
    Senal_Tipo->setToolTip(QStringLiteral("La entrada de la corrida de lazo abierto (Aplicar Escalón)"));

    std::vector<QWidget*> orden{Senal_Tipo};
    for (int i = 0; i < kCampos; ++i) {
        const int y = 72 + 28 * i;
        CrearEtiqueta(this, QString::fromUtf8(kRotulosCampos[i]), 14, y);
        QLineEdit* e = CrearEdit(this, NombreCampo(static_cast<Campo>(i)), 140, y, 90);
        e->setToolTip(QString::fromUtf8(kPistas[i]));
        orden.push_back(e);
    }
    EtiquetaRuido = CrearEtiqueta(this, QStringLiteral("Ruido de medición"), 14, 336);
    QPalette rojo = EtiquetaRuido->palette();
    rojo.setColor(QPalette::WindowText, kRojoTitulo);
    EtiquetaRuido->setPalette(rojo);
    CrearEtiqueta(this, QStringLiteral("Desviación"), 14, 362);
    CrearEtiqueta(this, QStringLiteral("Semilla"), 14, 390);
    QLineEdit* desviacion = CrearEdit(this, "Ruido_Desviacion", 140, 362, 90);
    desviacion->setToolTip(
        QStringLiteral("Desviación del ruido gaussiano sumado al nivel medido (0: sin ruido); la planta no lo ve"));
    QLineEdit* semilla = CrearEdit(this, "Ruido_Semilla", 140, 390, 90);
    semilla->setToolTip(QStringLiteral("Semilla del ruido de medición"));
    orden.push_back(desviacion);
    orden.push_back(semilla);

    Grafica = ::Grafica(this, "Grafica_Senal", QStringLiteral("Señal (primeras %1 muestras)").arg(kMuestrasVista),
                        QStringLiteral("Muestra"), QStringLiteral("Caudal"), QRect(246, 30, 516, 196));
    Grafica->graph(0)->setPen(QPen(kColorAccion, 1));
    Grafica->graph(0)->setLineStyle(QCPGraph::lsStepLeft);
    Espectro =
        ::Grafica(this, "Espectro_Senal", QStringLiteral("Espectro de potencia"),
                  QStringLiteral("Frecuencia (fracción de Nyquist)"), QStringLiteral("dB"), QRect(246, 228, 516, 180));
    Espectro->graph(0)->setPen(QPen(QColor(10, 63, 208), 1));
    Espectro->xAxis->setRange(0, 1);

    Mensaje = new QLabel(this);
    Mensaje->setObjectName(QStringLiteral("Mensaje"));
    Mensaje->setGeometry(250, 410, 510, 32);
    Mensaje->setWordWrap(true);
    Mensaje->setPalette(rojo);
    Mensaje->hide();

    Estacionario = new QLabel(this);
    Estacionario->setObjectName(QStringLiteral("Estacionario"));
    Estacionario->setGeometry(250, 444, 510, 18);
    Estacionario->setToolTip(
        QStringLiteral("Nivel al que llevaría un caudal constante igual al máximo de la señal (Máximo x "
                       "Resistencia), frente al Nivel Máximo. Solo es un aviso: la corrida no recorta la señal."));

    Regresar->move(80, 440);
    orden.push_back(Regresar);
    OrdenTabulacion(orden);

    for (const auto& [nombre, edit] : Edits())
        connect(edit, &QLineEdit::textChanged, this, &TFrm_Senal_Excitacion::Actualizar);
    connect(Senal_Tipo, &QComboBox::currentTextChanged, this, &TFrm_Senal_Excitacion::Actualizar);
    Actualizar();
    Centrar();
}

std::optional<QString> TFrm_Senal_Excitacion::Texto(std::string_view nombre) const {
    if (nombre == kSenalTipo) return Senal_Tipo->currentText();
    const auto e = Edits().find(nombre);
    if (e == Edits().end()) return std::nullopt;
    return e->second->text();
}

void TFrm_Senal_Excitacion::showEvent(QShowEvent* evento) {
    // the plant's texts may have changed while the dialog was closed
    Actualizar();
    DialogoParametros::showEvent(evento);
}

void TFrm_Senal_Excitacion::Actualizar() {
    const TipoSenal tipo = static_cast<TipoSenal>(std::max(0, Senal_Tipo->currentIndex()));
    for (int i = 0; i < kCampos; ++i)
        Edits().find(NombreCampo(static_cast<Campo>(i)))->second->setEnabled(Usa(tipo, static_cast<Campo>(i)));

    const VistaSenal v = VerSenal(TextosDelDialogo(*this), &generador_);
    QVector<double> x, y;
    if (!v.error) {
        for (std::size_t n = 0; n < v.valores.size(); ++n) {
            x.push_back(static_cast<double>(n));
            y.push_back(v.valores[n]);
        }
    }
    Grafica->graph(0)->setData(x, y, true);
    Grafica->xAxis->setRange(0, kMuestrasVista);
    if (!y.isEmpty()) {
        const auto [menor, mayor] = std::minmax_element(y.begin(), y.end());
        const double margen = std::max(0.1 * (*mayor - *menor), 0.05 * std::max(std::abs(*mayor), 1.0));
        Grafica->yAxis->setRange(*menor - margen, *mayor + margen);
    }

    // the powers in decibels below the largest, down to 60 dB
    QVector<double> f, p;
    if (!v.error) {
        const auto& e = v.espectro;
        const double pico = e.potencia.empty() ? 0.0 : *std::max_element(e.potencia.begin(), e.potencia.end());
        for (std::size_t k = 1; pico > 0 && k < e.potencia.size(); ++k) {
            f.push_back(e.frecuencia[k]);
            p.push_back(std::max(-60.0, 10 * std::log10(std::max(e.potencia[k], 1e-300) / pico)));
        }
    }
    Espectro->graph(0)->setData(f, p, true);
    Espectro->yAxis->setRange(-62, 3);
    Grafica->replot();
    Espectro->replot();

    // the message as the conversion gives it, and the hint when only the separator is wrong ("2.5" under ',')
    QString mensaje = v.error ? QString::fromStdString(*v.error) : QString();
    if (const QString pista = PistaDecimal(mensaje, SeparadorDecimal()); !pista.isEmpty())
        mensaje += QStringLiteral(" (%1)").arg(pista);
    Mensaje->setText(mensaje);
    Mensaje->setVisible(v.error.has_value());

    QPalette paleta = Estacionario->palette();
    if (v.errorEstacionario) {
        Estacionario->setText(
            QStringLiteral("Nivel estacionario del máximo: %1").arg(QString::fromStdString(*v.errorEstacionario)));
        paleta.setColor(QPalette::WindowText, Qt::black);
    } else {
        QString t = QStringLiteral("Nivel estacionario del máximo: %1 (Nivel Máximo %2)")
                        .arg(Numero(v.estacionario), Numero(v.nivelMaximo));
        if (v.desborda) t += QStringLiteral(": el tanque desbordaría");
        Estacionario->setText(t);
        paleta.setColor(QPalette::WindowText, v.desborda ? kRojoTitulo : kAzulEtiqueta);
    }
    Estacionario->setPalette(paleta);
}

#include "ui/imagen_grafico.h"
#include "ui/graficos_conjuntos.h"

#include <qcustomplot.h>

#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <array>

#include "base/errores.h"
#include "core/conjunto_texto.h"
#include "core/textos_por_defecto.h"
#include "fuzzy/curva.h"
#include "fuzzy/reglas.h"
#include "ui/dialogo_parametros.h"
#include "ui/estilo.h"

namespace {

constexpr int kPuntosCurva = 400;    // about one per pixel column of the plot
constexpr double kAltoEje = 1.3;     // room above a degree of 1 for the labels
constexpr double kBajoCero = 0.05;   // below 0, so that a line at 0 shows above the axis
const QColor kRojoHueco{255, 0, 0};  // the gaps' edge; their fill is this, translucent
const QColor kFondoHueco{255, 0, 0, 70};

// The dialog's edits as texts, read at the moment of the call.
class TextosDialogo : public Textos {
public:
    explicit TextosDialogo(const DialogoParametros& d) : d_(d) {}
    std::string Texto(std::string_view nombre) const override {
        const auto e = d_.Edits().find(nombre);
        return e == d_.Edits().end() ? std::string() : e->second->text().toStdString();
    }
    std::string Celda(int, int) const override { return {}; }
    char Decimal() const override { return SeparadorDecimal(); }

private:
    const DialogoParametros& d_;
};

// Six significant digits, as a person reads a gap's ends, with the locale's separator.
QString Numero(double x, QChar decimal) { return QString::number(x, 'g', 6).replace(QChar('.'), decimal); }

}  // namespace

QColor GraficoConjuntos::ColorConjunto(int k) {
    static const std::array<QColor, 5> colores{QColor(200, 0, 0), QColor(230, 130, 0), QColor(0, 150, 0),
                                               QColor(0, 90, 230), QColor(150, 0, 190)};
    return colores[static_cast<std::size_t>(std::clamp(k, 0, 4))];
}

QString TextoHuecos(const std::vector<Hueco>& huecos, QChar decimal) {
    if (huecos.empty()) return {};
    QStringList tramos;
    for (const Hueco& h : huecos) {
        if (h.desde == h.hasta)
            tramos << QStringLiteral("en %1").arg(Numero(h.desde, decimal));
        else
            tramos << QStringLiteral("entre %1 y %2").arg(Numero(h.desde, decimal), Numero(h.hasta, decimal));
    }
    const QString inicio =
        huecos.size() == 1 ? QStringLiteral("Hueco sin cobertura ") : QStringLiteral("Huecos sin cobertura ");
    QString lista = tramos.first();
    for (int i = 1; i < tramos.size(); ++i)
        lista += (i + 1 == tramos.size() ? QStringLiteral(" y ") : QStringLiteral(", ")) + tramos[i];
    return inicio + lista + QStringLiteral(": el controlador fallará allí");
}

GraficoConjuntos::GraficoConjuntos(int grupo, QWidget* padre) : QWidget(padre), grupo_(grupo) {
    setObjectName(QStringLiteral("Conjuntos_%1").arg(kPrefijosFuzzy[static_cast<std::size_t>(grupo)]));
    resize(kAncho, kAlto);

    Grafico = new QCustomPlot(this);
    Grafico->setObjectName(QStringLiteral("Grafico"));
    MenuImagen(Grafico, {QStringLiteral("Valor de la variable"), QStringLiteral("Grado de pertenencia")});
    Grafico->setAccessibleName(QStringLiteral("Conjuntos de %1").arg(QString::fromLatin1(kPanelesFuzzy[static_cast<std::size_t>(grupo)])));
    Grafico->setGeometry(0, 0, kAncho, kAltoGrafico);
    Grafico->setBackground(palette().window());
    Grafico->axisRect()->setBackground(Qt::white);
    // exact colours, so that a set's line can be told by its pixels
    Grafico->setNotAntialiasedElements(QCP::aeAll);
    Grafico->plotLayout()->insertRow(0);
    Grafico->plotLayout()->addElement(
        0, 0,
        new QCPTextElement(Grafico, QString::fromLatin1(kPanelesFuzzy[static_cast<std::size_t>(grupo)]),
                           FuenteSans(11)));
    for (QCPAxis* eje : {Grafico->xAxis, Grafico->yAxis}) eje->setTickLabelFont(FuenteVentana());
    Grafico->yAxis->setRange(-kBajoCero * kAltoEje, kAltoEje);
    QSharedPointer<QCPAxisTickerFixed> marcas(new QCPAxisTickerFixed);
    marcas->setTickStep(0.5);
    Grafico->yAxis->setTicker(marcas);
    Grafico->addLayer(QStringLiteral("huecos"), Grafico->layer(QStringLiteral("main")), QCustomPlot::limBelow);
    for (int k = 0; k < 5; ++k) {
        QCPGraph* g = Grafico->addGraph();
        g->setPen(QPen(ColorConjunto(k), 2));
        g->setAdaptiveSampling(false);
        auto* etiqueta = new QCPItemText(Grafico);
        etiqueta->setText(QString::fromLatin1(kEtiquetas[static_cast<std::size_t>(k)]));
        etiqueta->setColor(ColorConjunto(k));
        etiqueta->setFont(FuenteVentana());
        etiqueta->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        etiqueta->setClipToAxisRect(false);
        etiqueta->setPadding(QMargins(0, 0, 0, 3));  // clear of the peak
    }

    Mensaje = new QLabel(this);
    Mensaje->setObjectName(QStringLiteral("Mensaje"));
    Mensaje->setGeometry(0, 0, kAncho, kAltoGrafico);
    Mensaje->setAlignment(Qt::AlignCenter);
    Mensaje->setWordWrap(true);
    Mensaje->setFrameShape(QFrame::Box);
    QPalette rojo = Mensaje->palette();
    rojo.setColor(QPalette::WindowText, kRojoTitulo);
    Mensaje->setPalette(rojo);
    Mensaje->hide();

    Huecos = new QLabel(this);
    Huecos->setObjectName(QStringLiteral("Huecos"));
    Huecos->setGeometry(4, kAltoGrafico, kAncho - 4, kAlto - kAltoGrafico);
    Huecos->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Huecos->setWordWrap(true);
    Huecos->setPalette(rojo);
}

void GraficoConjuntos::Dibujar(const Textos& textos) {
    std::vector<FDP> conjuntos;
    try {
        for (std::size_t k = 0; k < 5; ++k)
            conjuntos.push_back(LeerConjuntoFuzzy(textos, static_cast<std::size_t>(grupo_), k));
    } catch (const ErrorTanque& e) {
        huecos_.clear();
        Mensaje->setText(QString::fromStdString(e.what()));
        Mensaje->show();
        Grafico->hide();
        Huecos->clear();
        return;
    }
    Mensaje->hide();
    Grafico->show();

    const Rango rango = RangoEje(conjuntos);
    double alto = 1;
    for (int k = 0; k < 5; ++k) {
        const FDP& c = conjuntos[static_cast<std::size_t>(k)];
        QVector<double> x, y;
        if (grupo_ == 2 && c.Tipo == 3) {
            // an output set stands for its centre: the controller averages the centres by the rules' strengths
            x = {c.Centro, c.Centro};
            y = {0, 1};
        } else {
            for (const PuntoCurva& p : CurvaConjunto(c, rango, kPuntosCurva)) {
                x.append(p.x);
                y.append(p.grado);
                alto = std::max(alto, p.grado);
            }
        }
        Grafico->graph(k)->setData(x, y, true);
        auto* etiqueta = static_cast<QCPItemText*>(Grafico->item(k));
        // over the set's highest point (1 for every set of a known shape and a positive width)
        const double grado = y.isEmpty() ? 0 : *std::max_element(y.begin(), y.end());
        etiqueta->position->setCoords(std::clamp(c.Centro, rango.desde, rango.hasta), grado);
        etiqueta->setVisible(!x.isEmpty());
    }

    // the gaps, shaded over the whole height
    for (int i = Grafico->itemCount() - 1; i >= 5; --i) Grafico->removeItem(i);
    huecos_ = grupo_ < 2 ? ::Huecos(conjuntos, rango) : std::vector<Hueco>{};
    const double techo = alto * kAltoEje;
    for (const Hueco& h : huecos_) {
        auto* zona = new QCPItemRect(Grafico);
        zona->setLayer(QStringLiteral("huecos"));
        zona->topLeft->setCoords(h.desde, techo);
        zona->bottomRight->setCoords(h.hasta, -kBajoCero * techo);
        zona->setPen(QPen(kRojoHueco, 1));
        zona->setBrush(kFondoHueco);
    }
    Huecos->setText(TextoHuecos(huecos_, QChar(SeparadorDecimal())));

    Grafico->xAxis->setRange(rango.desde, rango.hasta);
    // a little below 0, so that a line at 0 shows above the axis
    Grafico->yAxis->setRange(-kBajoCero * techo, techo);
    Grafico->replot(QCustomPlot::rpQueuedReplot);
}

GraficosConjuntos::GraficosConjuntos(DialogoParametros* dialogo) : QWidget(dialogo), dialogo_(dialogo) {
    setObjectName(QStringLiteral("Graficos_Conjuntos"));
    resize(kAncho, 3 * GraficoConjuntos::kAlto + 2 * 6);
    for (int g = 0; g < 3; ++g) {
        graficos_[g] = new GraficoConjuntos(g, this);
        graficos_[g]->move(0, g * (GraficoConjuntos::kAlto + 6));
        // every text of the variable's five sets redraws its plot
        const std::string prefijo = std::string(kPrefijosFuzzy[static_cast<std::size_t>(g)]) + "_";
        for (const auto& [nombre, edit] : dialogo->Edits()) {
            if (nombre.rfind(prefijo, 0) != 0) continue;
            connect(edit, &QLineEdit::textChanged, this,
                    [this, g] { graficos_[g]->Dibujar(TextosDialogo(*dialogo_)); });
        }
    }
    DibujarTodo();
}

void GraficosConjuntos::DibujarTodo() {
    const TextosDialogo textos(*dialogo_);
    for (GraficoConjuntos* g : graficos_) g->Dibujar(textos);
}

#pragma once
// The plots of the fuzzy sets beside the fuzzy dialog's panels: one per variable, its five sets drawn from
// the dialog's texts as they are typed, evaluated by the same FDP that the controller uses. The gaps of an
// input variable, where no set is above 0 and the inference fails, are shaded red and told under the plot.

#include <QWidget>

#include <vector>

#include "core/textos.h"
#include "fuzzy/cobertura.h"

class DialogoParametros;
class QCustomPlot;
class QLabel;

/// The plot of one variable's sets (0 error, 1 derivative, 2 control).
class GraficoConjuntos : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAncho = 340;
    static constexpr int kAltoGrafico = 128;
    static constexpr int kAlto = kAltoGrafico + 30;

    GraficoConjuntos(int grupo, QWidget* padre);

    /// Reads the variable's five sets as "Inicializar Control Fuzzy" does and draws them; a text that does
    /// not convert shows its message in the plot's place.
    void Dibujar(const Textos& textos);

    /// The colour of set k (0 MN to 4 MP), its line and its label.
    static QColor ColorConjunto(int k);
    /// The gaps shaded now, in increasing order (none for the control variable, none while a text fails).
    const std::vector<Hueco>& HuecosDibujados() const { return huecos_; }

    QCustomPlot* Grafico;
    QLabel* Mensaje;  ///< in the plot's place: why the sets cannot be drawn
    QLabel* Huecos;   ///< under the plot: where the gaps are

private:
    int grupo_;
    std::vector<Hueco> huecos_;
};

/// The column of the three plots, redrawn from the dialog's edits whenever one of a variable's texts changes.
class GraficosConjuntos : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAncho = GraficoConjuntos::kAncho;

    explicit GraficosConjuntos(DialogoParametros* dialogo);

    GraficoConjuntos* Variable(int grupo) const { return graficos_[grupo]; }
    /// Draws the three variables from the dialog's texts now.
    void DibujarTodo();

private:
    DialogoParametros* dialogo_;
    GraficoConjuntos* graficos_[3];
};

/// The text of the gaps for the line under a plot, numbers with `decimal`: "Hueco sin cobertura entre -0,35
/// y -0,2: el controlador fallará allí"; "" without gaps.
QString TextoHuecos(const std::vector<Hueco>& huecos, QChar decimal);

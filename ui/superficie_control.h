#pragma once
// The window "Superficie de Control": the crisp output of the controller of the last initialisation over
// error x derivative as a colour map, the points where the inference fails in grey; during a fuzzy run the
// inputs of each tick as a moving marker with a short trail, and beside the map a copy of the rule grid
// shaded by the strengths of the last tick.

#include <QWidget>

#include <deque>
#include <optional>

#include "fuzzy/fuerzas.h"
#include "fuzzy/superficie.h"

class QCPColorMap;
class QCPColorScale;
class MarcadorSuperficie;
class QCustomPlot;
class QLabel;
class RejillaReglas;

class TFrm_Superficie : public QWidget {
    Q_OBJECT
public:
    /// Points of the map along each axis.
    static constexpr int kPuntos = 101;
    /// Inferences that the trail keeps, the marker's included.
    static constexpr std::size_t kRastro = 25;

    explicit TFrm_Superficie(QWidget* padre);

    /// The map of `fis` over the axis ranges of its error and derivative sets, and its rule table in the grid;
    /// without a complete initialisation, kFuzzySinInicializar in the map's place. Forgets the trail.
    void Calcular(const FIS& fis, bool inicializado);
    /// One more inference at (error, derivada): the marker moves there, the trail follows. Repaints only the
    /// marker's rectangles.
    void Marcar(double error, double derivada);
    void BorrarRastro();
    /// The shading of the rule grid's copy.
    void PonerFuerzas(const std::optional<TablaFuerzas>& fuerzas);

    /// The colour of the grey points, where the inference fails.
    static QColor ColorFallo();
    /// The last surface computed; nothing while the controller is not initialised.
    const std::optional<Superficie>& Actual() const { return superficie_; }
    const std::deque<std::pair<double, double>>& Rastro() const { return rastro_; }

    QCustomPlot* Mapa;
    QCPColorMap* Colores;
    QCPColorScale* Escala;
    MarcadorSuperficie* Marcador;  ///< the trail and the last inference, over the map
    RejillaReglas* Reglas;
    QLabel* Mensaje;   ///< in the map's place while there is no map
    QLabel* Fallidos;  ///< how many points fail

protected:
    void showEvent(QShowEvent* evento) override;

private:
    std::optional<Superficie> superficie_;
    std::deque<std::pair<double, double>> rastro_;
};

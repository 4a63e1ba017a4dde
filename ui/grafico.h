#pragma once
// The chart "Señales en el Tiempo": the core's three series drawn as lines, the time axis following the
// points and the value axis at 0 to 5 until the user zooms or scrolls either.

#include <qcustomplot.h>

#include "ui/puntos_visibles.h"

class Serie;
class TickerMuestras;

class Grafico : public QCustomPlot {
    Q_OBJECT
public:
    explicit Grafico(QWidget* padre);

    /// The series to draw: level (red), control action (green), reference (yellow). The chart keeps no
    /// copy of them; it reads what the shown range needs at each redraw.
    void Series(const Serie* nivel, const Serie* accion, const Serie* referencia);
    /// The points have changed: redraw, following them unless the user has zoomed or scrolled.
    void Actualizar();
    /// Back to the automatic ranges: the whole range of the points, followed again, and values 0 to 5.
    void RangoEntero();

    /// The load disturbance's series, drawn as a further line (dashed, dark orange) only while it holds points:
    /// without a disturbance the chart is exactly the three series.
    void SeriePerturbacion(const Serie* perturbacion);
    /// The disturbance's line, nullptr while none is drawn.
    QCPGraph* LineaPerturbacion() const { return lineaPerturbacion_; }

    /// Draws a model's simulated level over the series as a fourth line (dashed, dark blue), replacing the one
    /// drawn before, until QuitarModelo. x and y of one length; the chart keeps its own copy.
    void SuperponerModelo(const QVector<double>& x, const QVector<double>& y);
    void QuitarModelo();
    /// The model's line, nullptr when none is drawn.
    QCPGraph* Modelo() const { return modelo_; }
    /// The lines that draw the later stretches of series i (0 level, 1 action, 2 reference): one per run
    /// started without "Limpiar" after the first, empty while the series holds one run.
    const QVector<QCPGraph*>& LineasTramos(int i) const { return tramos_[i]; }
    /// The line that draws the first stretch of series i.
    QCPGraph* Linea(int i) const { return lineas_[i]; }

    /// True while the time axis shows its whole automatic range (the value axis does not count: the
    /// export follows the time axis alone).
    bool RangoCompleto() const { return siguiendo_; }
    /// True while a zoomed or scrolled time range moves with the newest samples, keeping its width; false when
    /// the user scrolled back (the chart then says "vista fija: doble clic para volver") or sees everything.
    bool SigueUltimas() const { return !siguiendo_ && vivo_; }
    /// True while the user's range stays where they left it.
    bool VistaFija() const { return !siguiendo_ && !vivo_; }
    /// The notice of a fixed view, over the plot's top right corner.
    QCPItemText* AvisoFija() const { return avisoFija_; }
    double XMin() const { return xAxis->range().lower; }
    double XMax() const { return xAxis->range().upper; }

protected:
    bool event(QEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;
    void wheelEvent(QWheelEvent* evento) override;

private:
    void PonerRango(const QCPRange& rango);
    void AlCambiarRango(const QCPRange& rango);
    void AlCambiarValores(const QCPRange& rango);
    void AlTerminarDisposicion();
    void CargarPuntos();
    void CargarPerturbacion(double xmin, double xmax);
    // a series of several runs: each stretch's points in the shown range to its own line
    void CargarTramos(int i, double xmin, double xmax);
    void AlSoltarRectangulo(const QRect& rectangulo, QMouseEvent* evento);
    // the newest x of all series; false when they are empty
    bool Extremos(double& menor, double& mayor) const;
    // a range chosen by the user: it follows the newest samples when it reaches them, or when it is a zoom
    // of a range that followed
    void DecidirSeguimiento(const QCPRange& rango);
    void MostrarAviso();

    const Serie* series_[3] = {nullptr, nullptr, nullptr};
    QCPGraph* lineas_[3] = {nullptr, nullptr, nullptr};
    QSharedPointer<TickerMuestras> ticker_;
    QCPGraph* modelo_ = nullptr;
    const Serie* perturbacion_ = nullptr;
    QCPGraph* lineaPerturbacion_ = nullptr;  // made on demand, like the model's
    VistaSerie vistaPerturbacion_;  // made on demand: without a model the chart is exactly the three series
    VistaSerie vistas_[3];
    QVector<QCPGraphData> datos_;
    QVector<QCPGraph*> tramos_[3];  // made on demand, like the model's line
    bool siguiendo_ = true;
    bool vivo_ = true;       // a zoomed range follows the newest samples
    bool ampliando_ = false;  // the user's range comes from a zoom (wheel or rubber band), not a scroll
    bool conRaton_ = false;   // the range comes from the mouse: it never reaches below sample 0
    QCPItemText* avisoFija_ = nullptr;
    bool ajustando_ = false;  // the range is being set by the chart itself, not by the user
    bool acotando_ = false;   // a range is being brought back within its bounds
    // scrolling with the right button
    bool desplazando_ = false;
    QPoint desdePixel_;
    QCPRange desdeRango_, desdeValores_;
};

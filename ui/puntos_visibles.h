#pragma once
// The points of a series that the chart hands to its line for the shown range.

#include <QVector>
#include <qcustomplot.h>

class Serie;

/// The points of `serie` to draw between xmin and xmax on a line `columnas` pixels wide, with one point
/// beyond each end so that the line reaches the edges.
QVector<QCPGraphData> PuntosVisibles(const Serie& serie, double xmin, double xmax, int columnas);

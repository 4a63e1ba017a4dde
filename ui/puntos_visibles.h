#pragma once
// The points of a series that the chart hands to its line for the shown range: all of them where they are
// fewer than the pixel columns, otherwise per pixel column the first, the lowest, the highest and the last,
// which draw the same pixels as the whole stretch. The cost depends on the columns, not on the points.

#include <QVector>
#include <cstdint>
#include <vector>

#include "ui/resumen_extremos.h"

class QCPAxis;
class QCPGraphData;
class Serie;

/// The reduced view of one series. It remembers the columns of its last call: while points only arrive at
/// the end, the next call finds most columns as they were and does not look at their points again.
class VistaSerie {
public:
    /// Fills `datos` with the points of `serie` to draw between xmin and xmax on the axis `eje`, with one
    /// point beyond each end so that the line reaches the edges.
    void Puntos(const Serie& serie, double xmin, double xmax, const QCPAxis& eje, QVector<QCPGraphData>& datos);

    /// One pixel column: its points [desde, hasta) and their extremes, as positions (Serie::Base()).
    struct Columna {
        double c;
        std::uint64_t desde, hasta, menor, mayor;
    };

private:
    std::vector<Columna> antes_, ahora_;
    ResumenExtremos resumen_;
    const Serie* serie_ = nullptr;
    std::uint64_t version_ = 0;
};

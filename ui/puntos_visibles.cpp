#include "puntos_visibles.h"

#include <algorithm>

#include "serie.h"

QVector<QCPGraphData> PuntosVisibles(const Serie& serie, double xmin, double xmax, int) {
    QVector<QCPGraphData> datos;
    const std::size_t n = serie.Cuenta();
    if (n == 0) return datos;
    // first point at or beyond xmin, then one step back; last point at or before xmax, then one forward
    std::size_t a = 0, b = n;
    {
        std::size_t lo = 0, hi = n;
        while (lo < hi) {
            const std::size_t m = lo + (hi - lo) / 2;
            if (serie.X(m) < xmin) lo = m + 1; else hi = m;
        }
        a = lo > 0 ? lo - 1 : 0;
        lo = a;
        hi = n;
        while (lo < hi) {
            const std::size_t m = lo + (hi - lo) / 2;
            if (serie.X(m) <= xmax) lo = m + 1; else hi = m;
        }
        b = std::min(n, lo + 1);
    }
    datos.reserve(static_cast<qsizetype>(b - a));
    for (std::size_t i = a; i < b; ++i) datos.append(QCPGraphData(serie.X(i), serie.Y(i)));
    return datos;
}

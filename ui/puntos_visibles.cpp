#include "ui/puntos_visibles.h"

#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

#include "core/serie.h"

namespace {

// The pixel column in which the drawn line puts a point: the line's ends are rounded to whole pixels.
double ColumnaDe(const QCPAxis& eje, double x) { return std::floor(eje.coordToPixel(x) + 0.5); }

// The first index in (i, fin] whose column is past `c` (fin when none is). The search starts from a guess
// and gallops from there, so a column costs a few steps whether it holds two points or a million.
std::size_t FinDeColumna(const Serie& s, const QCPAxis& eje, std::size_t i, std::size_t fin, double c,
                         std::size_t estimado) {
    auto pasado = [&](std::size_t k) { return ColumnaDe(eje, s.X(k)) > c; };
    std::size_t bajo = i, alto = fin;  // pasado(bajo) is false; alto is fin or pasado(alto)
    const std::size_t g = std::min(fin, i + std::max<std::size_t>(estimado, 1));
    if (g < fin && !pasado(g)) {
        bajo = g;
        for (std::size_t paso = 1; bajo + paso < fin; paso *= 2) {
            if (pasado(bajo + paso)) {
                alto = bajo + paso;
                break;
            }
            bajo += paso;
        }
    } else {
        alto = g;
        for (std::size_t paso = 1; alto - bajo > 1; paso *= 2) {
            const std::size_t k = alto - std::min(paso, alto - bajo - 1);
            if (!pasado(k)) {
                bajo = k;
                break;
            }
            alto = k;
        }
    }
    while (alto - bajo > 1) {
        const std::size_t m = bajo + (alto - bajo) / 2;
        if (pasado(m))
            alto = m;
        else
            bajo = m;
    }
    return alto;
}

// The extremes of column `nueva` from those of the same column in the last call, when that column's
// extremes are still in it and only a few points came or went at its ends (as when the range grows by a
// sample). False when they must be looked up afresh.
bool Reutilizar(const VistaSerie::Columna* vieja, VistaSerie::Columna& nueva, const Serie& s, std::uint64_t base) {
    constexpr std::uint64_t kPocos = 8;
    if (!vieja || vieja->menor < base) return false;
    const std::uint64_t d0 = vieja->desde, h0 = vieja->hasta, d1 = nueva.desde, h1 = nueva.hasta;
    if (vieja->menor < d1 || vieja->menor >= h1 || vieja->mayor < d1 || vieja->mayor >= h1) return false;
    if (d0 > h1 || d1 > h0) return false;  // no overlap
    const std::uint64_t nuevosAntes = d0 > d1 ? d0 - d1 : 0, nuevosDespues = h1 > h0 ? h1 - h0 : 0;
    if (nuevosAntes > kPocos || nuevosDespues > kPocos) return false;
    nueva.menor = vieja->menor;
    nueva.mayor = vieja->mayor;
    // points that joined the column: before its old first one (they come earlier: ties go to them) and
    // after its old last one
    auto comparar = [&](std::uint64_t p, bool antes) {
        const double y = s.Y(p - base), yMenor = s.Y(nueva.menor - base), yMayor = s.Y(nueva.mayor - base);
        if (y < yMenor || (antes && y == yMenor)) nueva.menor = p;
        if (y > yMayor || (antes && y == yMayor)) nueva.mayor = p;
    };
    for (std::uint64_t p = std::min(d0, h1); p-- > d1;) comparar(p, true);
    for (std::uint64_t p = std::max(h0, d1); p < h1; ++p) comparar(p, false);
    return true;
}

}  // namespace

void VistaSerie::Puntos(const Serie& s, double xmin, double xmax, const QCPAxis& eje, QVector<QCPGraphData>& datos) {
    datos.clear();
    ahora_.clear();
    const std::size_t n = s.Cuenta();
    // the columns of the last call name the same points only while the series kept its positions
    if (&s != serie_ || s.Version() != version_) antes_.clear();
    serie_ = &s;
    version_ = s.Version();
    if (n == 0) {
        antes_.clear();
        return;
    }
    const std::uint64_t base = s.Base();
    const std::size_t desde = std::max<std::size_t>(s.PrimeroDesde(xmin), 1) - 1;
    const std::size_t hasta = std::min(n, s.PrimeroTras(xmax) + 1);
    auto poner = [&](std::size_t k) { datos.append(QCPGraphData(s.X(k), s.Y(k))); };
    std::size_t previa = 0;  // where to look for this column among the last call's
    std::size_t ancho = 1;
    for (std::size_t i = desde; i < hasta;) {
        const double c = ColumnaDe(eje, s.X(i));
        while (previa < antes_.size() && antes_[previa].c < c) ++previa;
        const Columna* vieja = previa < antes_.size() && antes_[previa].c == c ? &antes_[previa] : nullptr;
        if (vieja && vieja->hasta > base + i) ancho = static_cast<std::size_t>(vieja->hasta - base - i);
        const std::size_t j = FinDeColumna(s, eje, i, hasta, c, ancho);
        ancho = j - i;
        Columna nueva{c, base + i, base + j, base + i, base + i};
        if (j - i > 4) {
            if (!Reutilizar(vieja, nueva, s, base)) {
                const auto [menor, mayor] = resumen_.Extremos(s, i, j);
                nueva.menor = base + menor;
                nueva.mayor = base + mayor;
            }
            // within one column the line covers the rows from its lowest to its highest point; going
            // first, low and high in their order, last gives the same cover and the same joins
            const std::size_t a = std::min(nueva.menor, nueva.mayor) - base;
            const std::size_t b = std::max(nueva.menor, nueva.mayor) - base;
            poner(i);
            if (a != i && a != j - 1) poner(a);
            if (b != a && b != i && b != j - 1) poner(b);
            poner(j - 1);
        } else {
            for (std::size_t k = i; k < j; ++k) poner(k);
        }
        ahora_.push_back(nueva);
        i = j;
    }
    std::swap(antes_, ahora_);
}

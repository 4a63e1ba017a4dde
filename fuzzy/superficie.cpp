#include "fuzzy/superficie.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/errores.h"

namespace {

// An end that is not finite would give grid points that are not: it is held to the finite doubles.
double Limitar(double x) {
    constexpr double kMaximo = std::numeric_limits<double>::max();
    return std::isnan(x) ? 0.0 : std::clamp(x, -kMaximo, kMaximo);
}

// Point k of n from r.desde to r.hasta: desde + (hasta - desde) k / (n - 1) at extended precision, rounded once
// (within the range, so finite); the last point is the end itself.
double Coordenada(const Rango& r, int k, int n) {
    if (k == 0 || n == 1) return r.desde;
    if (k == n - 1) return r.hasta;
    const long double paso = (static_cast<long double>(r.hasta) - r.desde) * k / (n - 1);
    return static_cast<double>(r.desde + paso);
}

}  // namespace

double Superficie::E(int i) const { return Coordenada(e_, i, columnas_); }
double Superficie::DE(int j) const { return Coordenada(de_, j, filas_); }

std::size_t Superficie::Indice(int i, int j) const {
    return static_cast<std::size_t>(j) * static_cast<std::size_t>(columnas_) + static_cast<std::size_t>(i);
}

std::optional<double> Superficie::Valor(int i, int j) const {
    const Punto& p = puntos_[Indice(i, j)];
    if (p.fallo >= 0) return std::nullopt;
    return p.valor;
}

const std::string* Superficie::Fallo(int i, int j) const {
    const Punto& p = puntos_[Indice(i, j)];
    return p.fallo >= 0 ? &fallos_[static_cast<std::size_t>(p.fallo)] : nullptr;
}

Superficie CalcularSuperficie(const FIS& fis, Rango e, Rango de, int columnas, int filas) {
    if (columnas < 1 || filas < 1) throw ErrorTanque("La superficie de control necesita al menos un punto en cada eje");
    Superficie s;
    s.e_ = {Limitar(e.desde), Limitar(e.hasta)};
    s.de_ = {Limitar(de.desde), Limitar(de.hasta)};
    s.columnas_ = columnas;
    s.filas_ = filas;
    s.puntos_.resize(static_cast<std::size_t>(columnas) * static_cast<std::size_t>(filas));

    const auto fallo = [&s](const char* texto) {
        ++s.fallidos_;
        const auto i = std::find(s.fallos_.begin(), s.fallos_.end(), texto);
        if (i != s.fallos_.end()) return static_cast<std::int32_t>(i - s.fallos_.begin());
        s.fallos_.emplace_back(texto);
        return static_cast<std::int32_t>(s.fallos_.size() - 1);
    };

    FIS copia = fis;
    std::vector<double> errores(static_cast<std::size_t>(columnas));
    for (int i = 0; i < columnas; ++i) errores[static_cast<std::size_t>(i)] = s.E(i);
    Superficie::Punto* p = s.puntos_.data();
    for (int j = 0; j < filas; ++j) {
        const double derivada = s.DE(j);
        for (int i = 0; i < columnas; ++i, ++p) {
            try {
                *p = {copia.Inferir(errores[static_cast<std::size_t>(i)], derivada), -1};
            } catch (const ErrorPuntoFlotante& x) {
                *p = {0.0, fallo(x.what())};
            } catch (const ErrorTanque& x) {
                // the system's shape is checked before the inputs are looked at: every point fails alike
                s.fallidos_ = 0;
                s.fallos_.clear();
                const std::int32_t k = fallo(x.what());
                std::fill(s.puntos_.begin(), s.puntos_.end(), Superficie::Punto{0.0, k});
                s.fallidos_ = s.puntos_.size();
                return s;
            }
        }
    }
    return s;
}

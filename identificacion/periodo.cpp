#include "identificacion/periodo.h"

#include <algorithm>
#include <cmath>

std::optional<std::size_t> PeriodoEntrada(const Registro& r, std::size_t periodos) {
    const std::vector<double>& u = r.accion;
    const std::size_t N = u.size();
    if (periodos < 1 || N < 2 * periodos) return std::nullopt;
    const auto [menor, mayor] = std::minmax_element(u.begin(), u.end());
    const double tolerancia = 1e-3 * (*mayor - *menor);
    if (!(tolerancia > 0)) return std::nullopt;
    std::size_t comparaciones = 0;
    for (std::size_t P = 2; P * periodos <= N; ++P) {
        std::size_t k = 0;
        // each P stops at its first difference: a wrong one after a few samples of a changing input
        while (k + P < N && std::abs(u[N - 1 - k] - u[N - 1 - k - P]) <= tolerancia) ++k;
        comparaciones += k + 1;
        if (k + P >= N) return P;
        if (comparaciones > kComparacionesPeriodo) return std::nullopt;
    }
    return std::nullopt;
}

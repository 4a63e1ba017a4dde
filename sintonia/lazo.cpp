#include "sintonia/lazo.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "sintonia/rechazos.h"

using Complejo = std::complex<double>;

namespace {

constexpr double kPi = std::numbers::pi;

// The scan: kPuntos frequencies spaced evenly in log w from pi / T x 1e-7 to pi / T.
constexpr int kPuntos = 8000;
constexpr double kDecadas = 7;

// A point of the scan. L = C P0 e^(-j w d T): the smooth part C P0 has few poles and zeros, and its phase is
// unwrapped from a nearby point; the delay's phase -w d T is added exactly, however fast it turns.
struct Punto {
    double w;
    Complejo suave;  // C P0
    Complejo L;
    double fase;  // of L, unwrapped from the scan's start, radians
};

Punto Evaluar(const PlantaDiscreta& p, const Pid& pid, double w, const Punto* cerca = nullptr) {
    const Complejo s = RespuestaPid(pid, p.T, w) * RespuestaSinRetardo(p, w);
    const double faseSuave = cerca ? cerca->fase + cerca->w * p.d * p.T + std::arg(s / cerca->suave) : std::arg(s);
    return {w, s, s * std::polar(1.0, -w * p.d * p.T), faseSuave - w * p.d * p.T};
}

template <class F>
double Biseccion(double a, double b, F&& signo) {
    // on log w; signo(a) != signo(b)
    const bool sa = signo(a);
    for (int i = 0; i < 80 && b / a > 1 + 1e-15; ++i) {
        const double m = std::sqrt(a * b);
        (signo(m) == sa ? a : b) = m;
    }
    return std::sqrt(a * b);
}

std::vector<Punto> Barrido(const PlantaDiscreta& p, const Pid& pid) {
    const double wN = kPi / p.T;
    std::vector<Punto> puntos;
    puntos.reserve(kPuntos + 1);
    for (int i = 0; i <= kPuntos; ++i) {
        const double w = i == kPuntos ? wN : wN * std::pow(10.0, kDecadas * (static_cast<double>(i) / kPuntos - 1));
        puntos.push_back(Evaluar(p, pid, w, puntos.empty() ? nullptr : &puntos.back()));
    }
    return puntos;
}

void CrucesDeGanancia(const PlantaDiscreta& p, const Pid& pid, const std::vector<Punto>& s, Margenes& m) {
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        const bool a = std::abs(s[i].L) >= 1, b = std::abs(s[i + 1].L) >= 1;
        if (a == b) continue;
        const double w = Biseccion(s[i].w, s[i + 1].w, [&](double x) { return std::abs(Evaluar(p, pid, x).L) >= 1; });
        const Punto c = Evaluar(p, pid, w, &s[i]);
        // 180 + phase, brought into (-180, 180]
        double pm = std::remainder(c.fase * 180 / kPi + 180, 360.0);
        if (pm <= -180) pm += 360;
        if (!m.fase || pm < *m.fase) {
            m.fase = pm;
            m.wFase = w;
        }
    }
}

void CrucesDeFase(const PlantaDiscreta& p, const Pid& pid, const std::vector<Punto>& s, Margenes& m) {
    // g = (phase + pi) / (2 pi) is a whole number where the phase crosses -180 deg (mod 360)
    auto g = [](const Punto& x) { return (x.fase + kPi) / (2 * kPi); };
    auto anotar = [&](double w, const Complejo& L) {
        const double mg = 1 / std::abs(L);
        if (mg > 1 && (!m.ganancia || mg < *m.ganancia)) {
            m.ganancia = mg;
            m.wGanancia = w;
        }
    };
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        const double ga = g(s[i]), gb = g(s[i + 1]);
        for (double k = std::floor(std::max(ga, gb)); k > std::min(ga, gb); k -= 1) {
            const double w = Biseccion(s[i].w, s[i + 1].w, [&](double x) { return g(Evaluar(p, pid, x, &s[i])) >= k; });
            anotar(w, Evaluar(p, pid, w).L);
        }
    }
    // at pi / T the loop is real: a phase of -180 deg there, up to rounding, is a crossing the scan cannot straddle
    const Punto& n = s.back();
    if (std::fabs(g(n) - std::round(g(n))) < 1e-9) anotar(n.w, n.L);
}

void Sensibilidad(const PlantaDiscreta& p, const Pid& pid, const std::vector<Punto>& s, Margenes& m) {
    std::size_t mejor = 0;
    auto S = [](const Complejo& L) { return 1 / std::abs(1.0 + L); };
    for (std::size_t i = 0; i < s.size(); ++i)
        if (S(s[i].L) > S(s[mejor].L)) mejor = i;
    // golden section on log w between the neighbours of the scan's best point
    double a = std::log(s[mejor == 0 ? 0 : mejor - 1].w), b = std::log(s[std::min(mejor + 1, s.size() - 1)].w);
    auto Sw = [&](double lw) { return S(Evaluar(p, pid, std::exp(lw)).L); };
    const double r = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 60; ++i) {
        const double c = b - r * (b - a), d = a + r * (b - a);
        // the maximum lies on the side of the larger value
        if (Sw(c) > Sw(d))
            b = d;
        else
            a = c;
    }
    const double lw = (a + b) / 2;
    m.Ms = std::max(S(s[mejor].L), Sw(lw));
    m.wMs = Sw(lw) >= S(s[mejor].L) ? std::exp(lw) : s[mejor].w;
}

// The last entry into the band, interpolated at its edge; absent unless the last sample is inside.
std::optional<double> Establecimiento(const std::vector<double>& y, double r, double T, double banda) {
    const double borde = banda * std::fabs(r) / 100;
    bool dentro = false;
    double entrada = 0;
    for (std::size_t k = 0; k < y.size(); ++k) {
        const double desvio = y[k] - r;
        const bool ahora = std::fabs(desvio) <= borde;
        if (ahora && !dentro) {
            if (k == 0) {
                entrada = 0;
            } else {
                // the crossing of the edge that the previous sample was beyond
                const double antes = y[k - 1] - r, lado = antes > 0 ? borde : -borde;
                entrada = (static_cast<double>(k - 1) + (lado - antes) / (desvio - antes)) * T;
            }
        }
        dentro = ahora;
    }
    if (!dentro) return std::nullopt;
    return entrada;
}

}  // namespace

void ComprobarPid(const Pid& pid) {
    if (!(std::isfinite(pid.Kp) && std::isfinite(pid.Ti) && pid.Ti > 0 && std::isfinite(pid.Td) && pid.Td >= 0))
        throw ErrorSintonia(TextoGananciasPid(pid.Kp, pid.Ti, pid.Td));
}

Complejo RespuestaPid(const Pid& pid, double T, double w) {
    const Complejo zInv = std::polar(1.0, -w * T);
    return pid.Kp * (1.0 + (T / (2 * pid.Ti)) * (1.0 + zInv) / (1.0 - zInv) + (pid.Td / T) * (1.0 - zInv));
}

Margenes CalcularMargenes(const PlantaDiscreta& p, const Pid& pid) {
    const std::vector<Punto> s = Barrido(p, pid);
    Margenes m;
    CrucesDeGanancia(p, pid, s, m);
    CrucesDeFase(p, pid, s, m);
    Sensibilidad(p, pid, s, m);
    return m;
}

bool Estable(const PlantaDiscreta& p, const Pid& pid) {
    // The closed loop's characteristic polynomial is det(zI - Phi) R(z), with
    //   R(z) = z^(d+2) (z - 1) + N_C(z) C (zI - Phi)^-1 (G0 z + G1),
    //   N_C(z) = Kp ((1 + ci + cd) z^2 + (ci - 1 - 2 cd) z + cd),  ci = T / (2 Ti), cd = Td / T,
    // the numerator of C(z) = N_C(z) / (z (z - 1)). The plant's poles lie inside the unit circle, so the loop is
    // stable when all d + 3 roots of R do: when R(e^(jw)) winds d + 3 times around 0 as w goes once round
    // (the argument principle). The winding is summed from steps of phase kept below pi / 8 by halving.
    const double ci = p.T / (2 * pid.Ti), cd = pid.Td / p.T;
    auto R = [&](double w) {
        const Complejo z = std::polar(1.0, w);
        const Complejo Nc = pid.Kp * ((1 + ci + cd) * z * z + (ci - 1 - 2 * cd) * z + cd);
        return std::polar(1.0, (p.d + 2) * w) * (z - 1.0) + Nc * Resolvente(p, z, z, 1.0);
    };
    // z^(d+2) turns 2 pi (d + 2) / pasos a step, about half the pi / 8 that a step may take unhalved
    const int pasos = 32 * (p.d + 3) + 4096;
    double vueltas = 0;
    std::function<double(double, double, Complejo, Complejo, int)> giro = [&](double a, double b, Complejo Ra,
                                                                              Complejo Rb, int hondura) {
        if (Ra == 0.0 || Rb == 0.0) return std::numeric_limits<double>::quiet_NaN();  // a root on the circle
        const double g = std::arg(Rb / Ra);
        if (std::fabs(g) < kPi / 8 || hondura == 40) return g;
        const double m = (a + b) / 2;
        const Complejo Rm = R(m);
        return giro(a, m, Ra, Rm, hondura + 1) + giro(m, b, Rm, Rb, hondura + 1);
    };
    Complejo antes = R(0);
    for (int i = 1; i <= pasos; ++i) {
        const double a = 2 * kPi * (i - 1) / pasos, b = 2 * kPi * i / pasos;
        const Complejo ahora = i == pasos ? R(0) : R(b);
        vueltas += giro(a, b, antes, ahora, 0);
        antes = ahora;
    }
    if (!std::isfinite(vueltas)) return false;
    return std::lround(vueltas / (2 * kPi)) == p.d + 3;
}

Prediccion PredecirEscalon(const PlantaDiscreta& p, const Pid& pid, double referencia, double banda) {
    Prediccion pr;
    pr.T = p.T;
    pr.referencia = referencia;
    pr.banda = banda;
    PlantaEnMarcha planta(p);
    // until the level has stayed within 1e-6 of the step for twice the delay and 50 samples more
    const std::size_t quieta = 2 * (static_cast<std::size_t>(p.d) + 1) + 50;
    const double cerca = 1e-6 * std::max(std::fabs(referencia), 1e-300);
    std::size_t dentro = 0;
    double I = 0, eAnt = 0;
    for (std::size_t k = 0; k < kMaximoPrediccion && dentro < quieta; ++k) {
        const double y = planta.Nivel();
        const double e = referencia - y;
        I = (e + eAnt) * (p.T / 2) + I;
        const double D = (1 / p.T) * (e - eAnt);
        const double u = pid.Kp * ((I / pid.Ti + e) + D * pid.Td);
        pr.nivel.push_back(y);
        pr.accion.push_back(u);
        planta.Avanzar(u);
        eAnt = e;
        dentro = std::fabs(e) <= cerca ? dentro + 1 : 0;
    }
    if (referencia != 0 && !pr.nivel.empty()) {
        const auto [bajo, alto] = std::minmax_element(pr.nivel.begin(), pr.nivel.end());
        // the peak in the step's direction
        const double pico = (referencia > 0 ? *alto : *bajo) / referencia;
        pr.sobreimpulso = std::max(0.0, pico - 1) * 100;
        pr.establecimiento = Establecimiento(pr.nivel, referencia, p.T, banda);
    }
    return pr;
}

AnalisisLazo Analizar(const ModeloConRetardo& planta, const Muestreo& m, const Pid& pid, double referencia, double banda) {
    ComprobarPid(pid);
    const PlantaDiscreta p = Discretizar(planta, m);
    AnalisisLazo a;
    a.estable = Estable(p, pid);
    a.margenes = CalcularMargenes(p, pid);
    if (a.estable) a.escalon = PredecirEscalon(p, pid, referencia, banda);
    return a;
}

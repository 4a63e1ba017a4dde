#include "sintonia/reglas.h"

#include <algorithm>
#include <cmath>
#include <locale>
#include <sstream>

#include "sintonia/rechazos.h"

namespace {

void ComprobarModelo(const ModeloReglas& m) {
    ComprobarPlanta({m.K, m.tau1, m.tau2, m.theta});
    // every rule divides by the delay; the hold's half period makes it positive in ModeloParaReglas
    if (!(m.theta > 0)) throw ErrorSintonia(TextoRetardoModelo(m.theta));
}

double Perilla(Regla regla, const ModeloReglas& m, std::optional<double> perilla) {
    const double v = perilla.value_or(m.theta);
    if (!(std::isfinite(v) && v >= 0)) throw ErrorSintonia(TextoPerilla(NombrePerilla(regla), v));
    return v;
}

Ganancias Simc(Accion accion, const ModeloReglas& modelo, double tc) {
    // the PI reads a second-order model by the half rule; the PID cancels tau2 with its derivative
    const ModeloReglas m = accion == Accion::PI ? MitadAlPrimerOrden(modelo) : modelo;
    const double Kc = m.tau1 / (m.K * (tc + m.theta));
    const double tauI = std::min(m.tau1, 4 * (tc + m.theta));
    return {SerieAIdeal(Kc, tauI, m.tau2), m, tc, m.tau2 > 0};
}

Ganancias Imc(Accion accion, const ModeloReglas& modelo, double lambda) {
    const ModeloReglas m = MitadAlPrimerOrden(modelo);
    const double K = m.K, tau = m.tau1, theta = m.theta;
    if (accion == Accion::PI) return {{tau / (K * (lambda + theta)), tau, 0}, m, lambda, false};
    const Pid pid{(2 * tau + theta) / (K * (2 * lambda + theta)), tau + theta / 2, tau * theta / (2 * tau + theta)};
    return {pid, m, lambda, false};
}

Ganancias Amigo(Accion accion, const ModeloReglas& modelo) {
    const ModeloReglas m = MitadAlPrimerOrden(modelo);
    const double K = m.K, tau = m.tau1, L = m.theta;
    if (accion == Accion::PI) {
        const double Kp = 0.15 / K + (0.35 - L * tau / ((L + tau) * (L + tau))) * tau / (K * L);
        const double Ti = 0.35 * L + 13 * L * tau * tau / (tau * tau + 12 * L * tau + 7 * L * L);
        return {{Kp, Ti, 0}, m, std::nullopt, false};
    }
    const Pid pid{(0.2 + 0.45 * tau / L) / K, (0.4 * L + 0.8 * tau) * L / (L + 0.1 * tau),
                  0.5 * L * tau / (0.3 * L + tau)};
    return {pid, m, std::nullopt, false};
}

Ganancias ZieglerNichols(Accion accion, const ModeloReglas& modelo) {
    const ModeloReglas m = MitadAlPrimerOrden(modelo);
    const double a = m.K * m.theta / m.tau1, L = m.theta;
    const Pid pid = accion == Accion::PI ? Pid{0.9 / a, 3 * L, 0} : Pid{1.2 / a, 2 * L, L / 2};
    return {pid, m, std::nullopt, false};
}

}  // namespace

Pid SerieAIdeal(double Kc, double tauI, double tauD) {
    return {Kc * (1 + tauD / tauI), tauI + tauD, tauI * tauD / (tauI + tauD)};
}

Ganancias Calcular(Regla regla, Accion accion, const ModeloReglas& modelo, std::optional<double> perilla) {
    ComprobarModelo(modelo);
    switch (regla) {
        case Regla::Simc: return Simc(accion, modelo, Perilla(regla, modelo, perilla));
        case Regla::Imc: return Imc(accion, modelo, Perilla(regla, modelo, perilla));
        case Regla::Amigo: return Amigo(accion, modelo);
        case Regla::ZieglerNichols: return ZieglerNichols(accion, modelo);
    }
    return {};
}

Pid CalcularUltima(ReglaUltima regla, Accion accion, double Ku, double Pu) {
    if (!(std::isfinite(Ku) && Ku > 0 && std::isfinite(Pu) && Pu > 0)) throw ErrorSintonia(TextoUltimos(Ku, Pu));
    const bool pi = accion == Accion::PI;
    if (regla == ReglaUltima::ZieglerNichols) return pi ? Pid{0.45 * Ku, Pu / 1.2, 0} : Pid{0.6 * Ku, Pu / 2, Pu / 8};
    return pi ? Pid{Ku / 3.2, 2.2 * Pu, 0} : Pid{Ku / 2.2, 2.2 * Pu, Pu / 6.3};
}

const char* NombrePerilla(Regla regla) {
    switch (regla) {
        case Regla::Simc: return "tc";
        case Regla::Imc: return "lambda";
        default: return nullptr;
    }
}

const char* NombreRegla(Regla regla) {
    switch (regla) {
        case Regla::Simc: return "simc";
        case Regla::Imc: return "imc";
        case Regla::Amigo: return "amigo";
        case Regla::ZieglerNichols: return "zn";
    }
    return "";
}

std::optional<Regla> ReglaDeNombre(std::string_view nombre) {
    for (Regla r : {Regla::Simc, Regla::Imc, Regla::Amigo, Regla::ZieglerNichols})
        if (nombre == NombreRegla(r)) return r;
    return std::nullopt;
}

const char* NombreReglaUltima(ReglaUltima regla) { return regla == ReglaUltima::ZieglerNichols ? "zn" : "tl"; }

std::optional<ReglaUltima> ReglaUltimaDeNombre(std::string_view nombre) {
    for (ReglaUltima r : {ReglaUltima::ZieglerNichols, ReglaUltima::TyreusLuyben})
        if (nombre == NombreReglaUltima(r)) return r;
    return std::nullopt;
}

std::string TituloRegla(Regla regla) {
    switch (regla) {
        case Regla::Simc: return "SIMC (Skogestad)";
        case Regla::Imc: return "IMC / lambda";
        case Regla::Amigo: return "AMIGO (Åström-Hägglund)";
        case Regla::ZieglerNichols: return "Ziegler-Nichols (curva de reacción)";
    }
    return "";
}

std::string TituloReglaUltima(ReglaUltima regla) {
    return regla == ReglaUltima::ZieglerNichols ? "Ziegler-Nichols (oscilación)" : "Tyreus-Luyben";
}

std::string TextoGanancia(double v, char decimal) {
    std::ostringstream texto;
    texto.imbue(std::locale::classic());
    texto.precision(4);
    texto << v;
    std::string s = texto.str();
    std::replace(s.begin(), s.end(), '.', decimal);
    return s;
}

Pid Redondeado(const Pid& pid) {
    auto r = [](double v) {
        std::istringstream texto(TextoGanancia(v));
        texto.imbue(std::locale::classic());
        double leido = 0;
        texto >> leido;
        return leido;
    };
    return {r(pid.Kp), r(pid.Ti), r(pid.Td)};
}

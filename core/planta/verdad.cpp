#include "core/planta/verdad.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>

#include "core/planta/tanques.h"

using Json = nlohmann::ordered_json;

namespace {

constexpr int kPuntosCurva = 9;

// the linearised resistance dh/dq of a tank at level h: R, or 2 sqrt(h) / k
double Resistencia(const ConstantesTanques& c, int tanque, double h) {
    if (!c.orificio) return tanque == 1 ? c.R_1 : c.R_2;
    return 2 * std::sqrt(h > 0 ? h : 0.0) / (tanque == 1 ? c.K_1 : c.K_2);
}

Json Discreto(double K, double Tau, const RelojPlanta& reloj, double T) {
    const DiscretoPrimerOrden d = DiscretoDe(K, Tau, reloj, T);
    return {{"ecuacion", "y(n) = a y(n-1) + b u(n) (desviaciones del punto de operación)"},
            {"a", d.a},
            {"b", d.b},
            {"a_continuo", d.aContinuo},
            {"Tau_efectivo", d.tauEfectivo},
            {"nota",
             "a = P(-h/Tau)^m, P el polinomio de un paso de RK4 y m subpasos de h; a_continuo = "
             "exp(-m h/Tau); Tau_efectivo = -T/ln(a), lo que ve quien lee el registro con su periodo T."}};
}

Json Curva(const ConstantesTanques& c, double HMax) {
    // from no inflow to a quarter beyond the one whose level is HMax
    const double tope = 1.25 * Caudal(c, 1, HMax);
    Json puntos = Json::array();
    for (int i = 0; i < kPuntosCurva; ++i) {
        const double u = tope * i / (kPuntosCurva - 1);
        puntos.push_back({u, NivelEstacionario(c, u)});
    }
    std::string ecuacion = c.orificio ? "nivel = (caudal / Coef_Descarga)^2" : "nivel = Resistencia x caudal";
    if (c.tanques == 2)
        ecuacion += c.orificio ? ", hasta el caudal Coef_Descarga_2 sqrt(HMax_2), por encima del cual el tanque "
                                 "superior derrama y el nivel ya no sube"
                               : ", hasta el caudal HMax_2 / Resistencia_2, por encima del cual el tanque superior "
                                 "derrama y el nivel ya no sube";
    return {{"ecuacion", ecuacion}, {"puntos_caudal_nivel", puntos}};
}

std::string Num(double v, int cifras = 6) {
    char b[40];
    std::snprintf(b, sizeof b, "%.*g", cifras, v);
    return b;
}

}  // namespace

DiscretoPrimerOrden DiscretoDe(double K, double Tau, const RelojPlanta& reloj, double T) {
    DiscretoPrimerOrden d;
    const int m = reloj.subpasos;
    const double h = m > 0 ? reloj.tiempoMuestra / m : 0.0;
    const double z = -h / Tau;
    const double p = 1 + z * (1 + z * (0.5 + z * (1.0 / 6 + z / 24)));
    d.a = std::pow(p, m);
    d.b = K * (1 - d.a);
    d.aContinuo = std::exp(-reloj.tiempoMuestra / Tau);
    d.tauEfectivo = -T / std::log(d.a);
    return d;
}

DiscretoSegundoOrden DiscretoSegundoOrdenDe(double K, double T1, double T2, double Ts) {
    // the continuous step response at t, exact for distinct and for equal time constants
    auto escalon = [&](double t) {
        if (T1 == T2) return K * (1 - (1 + t / T1) * std::exp(-t / T1));
        return K * (1 - (T1 * std::exp(-t / T1) - T2 * std::exp(-t / T2)) / (T1 - T2));
    };
    const double p1 = std::exp(-Ts / T1), p2 = std::exp(-Ts / T2);
    DiscretoSegundoOrden d;
    d.a1 = -(p1 + p2);
    d.a2 = p1 * p2;
    const double y1 = escalon(Ts);
    d.b1 = y1;
    d.b2 = escalon(2 * Ts) + (d.a1 - 1) * y1;
    return d;
}

LinealizacionTanques LinealizarTanques(const ConstantesTanques& c, double h1) {
    LinealizacionTanques l;
    l.caudal = Caudal(c, 1, h1);
    l.K = Resistencia(c, 1, h1);
    l.T1 = c.Area_1 * l.K;
    if (c.tanques == 2) {
        const double h2 = NivelDeCaudal(c, 2, l.caudal);
        l.nivelSuperior = h2 < c.HMax_2 ? h2 : c.HMax_2;
        l.derrama = h2 > c.HMax_2;
        l.T2 = c.Area_2 * Resistencia(c, 2, l.nivelSuperior);
    }
    return l;
}

namespace {

Json Verdad(const Simulacion& s, const RelojPlanta& reloj, std::optional<double> nivelMedio) {
    const ConstantesTanques& c = s.tanques;
    const double T = s.T_Muestreo;
    Json j;
    j["Modelo_Planta"] = c.tanques == 2 ? kModelosPlanta[2] : c.orificio ? kModelosPlanta[1] : kModelosPlanta[0];
    if (c.tanques == 2) j[kSalidaTanques] = c.orificio ? kSalidas[1] : kSalidas[0];
    j["integrador"] = c.exacto ? kIntegradores[1] : kIntegradores[0];
    j["subpasos_por_muestra"] = reloj.subpasos;
    j["tiempo_por_muestra_s"] = reloj.tiempoMuestra;
    j["nota_integrador"] = c.exacto ? "Exacto: subpasos de T/n cuya suma es T; cada muestra abarca T segundos."
                                    : "Programa: subpasos de T/10 mientras el reloj, sumado en precisión simple, no "
                                      "pase de T (10 u 11): cada muestra abarca tiempo_por_muestra_s segundos.";
    if (c.tanques == 0 || (c.tanques == 1 && !c.orificio)) {
        // the linear tank, of the original program's constants or of the Exacto clock's Doubles
        const double K = c.tanques == 0 ? s.R_Hidraulica : c.R_1;
        const double Tau = c.tanques == 0 ? static_cast<double>(s.Tau) : c.Area_1 * c.R_1;
        j["tipo"] = "primer_orden";
        j["ecuacion"] = "Tau dy/dt = -y + K u, K = Resistencia, Tau = Area x Resistencia";
        j["K"] = K;
        j["Tau"] = Tau;
        j["discreto"] = Discreto(K, Tau, reloj, T);
        return j;
    }
    const double HMax = s.Nivel_Max;
    const double h1 = nivelMedio ? *nivelMedio : HMax / 2;
    const LinealizacionTanques l = LinealizarTanques(c, h1);
    Json op = {
        {"origen", nivelMedio ? "nivel medio del registro" : "mitad de HMax"}, {"nivel", h1}, {"caudal", l.caudal}};
    if (c.tanques == 1) {
        j["tipo"] = "no_lineal_primer_orden";
        j["ecuacion"] = "Area dy/dt = u - Coef_Descarga sqrt(y)";
        j["punto_de_operacion"] = op;
        j["linealizada"] = {{"ecuacion", "Tau dy/dt = -y + K u, K = 2 sqrt(y0) / Coef_Descarga, Tau = Area K"},
                            {"K", l.K},
                            {"Tau", l.T1},
                            {"discreto", Discreto(l.K, l.T1, reloj, T)}};
    } else {
        op["nivel_superior"] = l.nivelSuperior;
        op["derrama"] = l.derrama;
        j["tipo"] = c.orificio ? "no_lineal_segundo_orden" : "lineal_segundo_orden";
        j["ecuacion"] = c.orificio ? "Area_2 dy2/dt = u - q2, Area dy/dt = q2 - Coef_Descarga sqrt(y), q2 = "
                                     "Coef_Descarga_2 sqrt(y2); y2 no pasa de HMax_2 (el exceso se derrama)"
                                   : "Area_2 dy2/dt = u - y2 / Resistencia_2, Area dy/dt = y2 / Resistencia_2 - y / "
                                     "Resistencia; y2 no pasa de HMax_2 (el exceso se derrama)";
        j["punto_de_operacion"] = op;
        Json f = {{"funcion_transferencia", "y(s) / u(s) = K / ((T1 s + 1) (T2 s + 1))"},
                  {"K", l.K},
                  {"T1", l.T1},
                  {"T2", l.T2},
                  {"nota", "T1 del tanque medido, T2 del superior; sin derrame"}};
        const DiscretoSegundoOrden d = DiscretoSegundoOrdenDe(l.K, l.T1, l.T2, reloj.tiempoMuestra);
        f["discreto"] = {{"ecuacion",
                          "y(n) = -a1 y(n-1) - a2 y(n-2) + b1 u(n) + b2 u(n-1) (desviaciones del punto de "
                          "operación)"},
                         {"a1", d.a1},
                         {"a2", d.a2},
                         {"b1", d.b1},
                         {"b2", d.b2},
                         {"nota",
                          "retención de orden cero exacta de K / ((T1 s + 1) (T2 s + 1)) sobre "
                          "tiempo_por_muestra_s, la entrada constante durante cada muestra"}};
        j[c.orificio ? "linealizada" : "modelo"] = f;
    }
    j["curva_estacionaria"] = Curva(c, HMax);
    return j;
}

std::string Texto(const Json& v);

}  // namespace

std::string VerdadEnJson(const Simulacion& s, const RelojPlanta& reloj, std::optional<double> nivelMedio) {
    return Verdad(s, reloj, nivelMedio).dump();
}

std::string VerdadEnTexto(std::string_view texto) {
    const Json v = Json::parse(texto, nullptr, false);
    if (!v.is_object() || !v.contains("tipo")) return {};
    try {
        return Texto(v);
    } catch (const Json::exception&) {
        return {};  // not the description's own truth
    }
}

namespace {

std::string Texto(const Json& v) {
    std::string t = "Planta verdadera: " + v.value("Modelo_Planta", std::string()) + ", integrador " +
                    v.value("integrador", std::string()) + " (" + std::to_string(v.value("subpasos_por_muestra", 0)) +
                    " subpasos, " + Num(v.value("tiempo_por_muestra_s", 0.0), 9) + " s por muestra)\n";
    auto primerOrden = [&](const Json& m, const char* como) {
        t += std::string("  ") + como + "K = " + Num(m.value("K", 0.0)) + ", Tau = " + Num(m.value("Tau", 0.0)) + " s";
        if (m.contains("discreto"))
            t += "; discreto a = " + Num(m.at("discreto").value("a", 0.0)) +
                 ", b = " + Num(m.at("discreto").value("b", 0.0)) +
                 ", Tau que muestran las muestras = " + Num(m.at("discreto").value("Tau_efectivo", 0.0)) + " s";
        t += "\n";
    };
    const std::string tipo = v.at("tipo");
    if (tipo == "primer_orden") {
        primerOrden(v, "");
        return t;
    }
    const Json& op = v.at("punto_de_operacion");
    const std::string en =
        "linealizada en el nivel " + Num(op.value("nivel", 0.0)) + " (" + op.value("origen", std::string()) + "): ";
    if (tipo == "no_lineal_primer_orden") {
        primerOrden(v.at("linealizada"), en.c_str());
    } else {
        const Json& f = v.contains("linealizada") ? v.at("linealizada") : v.at("modelo");
        t += "  " + (v.contains("linealizada") ? en : std::string()) +
             "K / ((T1 s + 1) (T2 s + 1)), K = " + Num(f.value("K", 0.0)) + ", T1 = " + Num(f.value("T1", 0.0)) +
             " s, T2 = " + Num(f.value("T2", 0.0)) + " s\n";
        if (f.contains("discreto")) {
            const Json& d = f.at("discreto");
            t += "  discreto: y(n) = -a1 y(n-1) - a2 y(n-2) + b1 u(n) + b2 u(n-1), a1 = " + Num(d.value("a1", 0.0)) +
                 ", a2 = " + Num(d.value("a2", 0.0)) + ", b1 = " + Num(d.value("b1", 0.0)) +
                 ", b2 = " + Num(d.value("b2", 0.0)) + "\n";
        }
    }
    t += "  estacionario: " + v.at("curva_estacionaria").value("ecuacion", std::string()) + "\n";
    return t;
}

}  // namespace

#include "tools/salida_sintonia.h"

#include <cmath>
#include <cstdio>

using Json = nlohmann::ordered_json;

namespace {

std::string Fijo(double v, int decimales) {
    char b[64];
    std::snprintf(b, sizeof b, "%.*f", decimales, v);
    return b;
}

Json Opcional(const std::optional<double>& v) { return v && std::isfinite(*v) ? Json(*v) : Json(nullptr); }

}  // namespace

std::string Cifra(double v) {
    char b[64];
    std::snprintf(b, sizeof b, "%.6g", v);
    return b;
}

std::string TextoModeloReglas(const ModeloConRetardo& p, const Muestreo& m, const ModeloReglas& reglas) {
    const double escala = m.T / m.h;
    std::string s = "En los segundos del control (T = " + Cifra(m.T) + " s; la planta avanza " + Cifra(m.h) +
                    " s por muestra): K = " + Cifra(reglas.K) + ", tau = " + Cifra(reglas.tau1) + " s";
    if (reglas.tau2 > 0) s += ", tau2 = " + Cifra(reglas.tau2) + " s";
    s += ", theta = " + Cifra(p.theta * escala) + " + T/2 = " + Cifra(reglas.theta) + " s";
    return s;
}

std::string TextoSintonia(const Sintonia& s) {
    std::string t = "Regla " + s.titulo + ", " + (s.accion == Accion::PID ? "PID" : "PI");
    if (s.ganancias.perilla) {
        // the knob's name is the rule's, found by its title (the closed-loop rules have none)
        for (Regla r : {Regla::Simc, Regla::Imc, Regla::Amigo, Regla::ZieglerNichols})
            if (TituloRegla(r) == s.titulo && NombrePerilla(r))
                t += std::string(", ") + NombrePerilla(r) + " = " + Cifra(*s.ganancias.perilla) + " s";
    }
    if (s.ganancias.serie) t += " (publicada en forma serie, convertida)";
    t += "\n  Kp = " + TextoGanancia(s.pid.Kp) + "   Ti = " + TextoGanancia(s.pid.Ti) + "   Td = " +
         TextoGanancia(s.pid.Td) + "\n";
    if (!s.lazo.estable) return t + "  el lazo es INESTABLE con estas ganancias: sin márgenes ni escalón predicho\n";
    const Margenes& m = s.lazo.margenes;
    t += "  margen de ganancia " + (m.ganancia ? Fijo(*m.ganancia, 2) : std::string("—")) + ", margen de fase " +
         (m.fase ? Fijo(*m.fase, 1) + "°" : std::string("—")) + ", Ms " + Fijo(m.Ms, 2) + "\n";
    if (s.lazo.escalon) {
        const Prediccion& p = *s.lazo.escalon;
        t += "  escalón predicho: sobreimpulso " + (p.sobreimpulso ? Fijo(*p.sobreimpulso, 1) + " %" : std::string("—")) +
             ", establecimiento " + (p.establecimiento ? Cifra(*p.establecimiento) + " s" : std::string("—")) +
             " (banda " + Cifra(p.banda) + " %)\n";
    }
    return t;
}

std::string OpcionesPid(const Pid& pid) {
    return "--Kp=" + TextoGanancia(pid.Kp) + " --Ti=" + TextoGanancia(pid.Ti) + " --Td=" + TextoGanancia(pid.Td);
}

Json JsonModelo(const ModeloConRetardo& p, const Muestreo& m, const ModeloReglas& reglas) {
    return {{"modelo", {{"K", p.K}, {"tau1", p.tau1}, {"tau2", p.tau2}, {"theta", p.theta}}},
            {"muestreo", {{"T", m.T}, {"h", m.h}}},
            {"modelo_reglas", {{"K", reglas.K}, {"tau1", reglas.tau1}, {"tau2", reglas.tau2}, {"theta", reglas.theta}}}};
}

Json JsonSintonia(const Sintonia& s) {
    Json j = {{"titulo", s.titulo}, {"accion", s.accion == Accion::PID ? "PID" : "PI"}};
    j["perilla"] = Opcional(s.ganancias.perilla);
    j["serie"] = s.ganancias.serie;
    j["Kp"] = s.pid.Kp;
    j["Ti"] = s.pid.Ti;
    j["Td"] = s.pid.Td;
    j["textos"] = {{"Kp", TextoGanancia(s.pid.Kp)}, {"Ti", TextoGanancia(s.pid.Ti)}, {"Td", TextoGanancia(s.pid.Td)}};
    j["estable"] = s.lazo.estable;
    const Margenes& m = s.lazo.margenes;
    j["margen_ganancia"] = Opcional(m.ganancia);
    j["margen_fase"] = Opcional(m.fase);
    j["Ms"] = m.Ms;
    if (s.lazo.escalon) {
        j["sobreimpulso"] = Opcional(s.lazo.escalon->sobreimpulso);
        j["establecimiento"] = Opcional(s.lazo.escalon->establecimiento);
        j["banda"] = s.lazo.escalon->banda;
    } else {
        j["sobreimpulso"] = nullptr;
        j["establecimiento"] = nullptr;
        j["banda"] = nullptr;
    }
    return j;
}

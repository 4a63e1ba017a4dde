#include "sintonia/modelo.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "sintonia/rechazos.h"

void ComprobarPlanta(const ModeloConRetardo& p) {
    if (!(std::isfinite(p.K) && p.K > 0)) throw ErrorSintonia(TextoGananciaModelo(p.K));
    if (!(std::isfinite(p.tau1) && p.tau1 > 0)) throw ErrorSintonia(TextoConstanteModelo("tau1", p.tau1));
    if (!(std::isfinite(p.tau2) && p.tau2 >= 0)) throw ErrorSintonia(TextoConstanteModelo("tau2", p.tau2));
    if (!(std::isfinite(p.theta) && p.theta >= 0)) throw ErrorSintonia(TextoRetardoModelo(p.theta));
}

void ComprobarMuestreo(const Muestreo& m) {
    if (!(std::isfinite(m.T) && m.T > 0 && std::isfinite(m.h) && m.h > 0)) throw ErrorSintonia(TextoMuestreo(m.T, m.h));
}

ModeloConRetardo EnSegundosDelControl(const ModeloConRetardo& p, const Muestreo& m) {
    ComprobarPlanta(p);
    ComprobarMuestreo(m);
    const double escala = m.T / m.h;
    return {p.K, p.tau1 * escala, p.tau2 * escala, p.theta * escala};
}

ModeloReglas ModeloParaReglas(const ModeloConRetardo& p, const Muestreo& m) {
    const ModeloConRetardo c = EnSegundosDelControl(p, m);
    ModeloReglas r{c.K, c.tau1, c.tau2, c.theta + m.T / 2};
    if (r.tau2 > r.tau1) std::swap(r.tau1, r.tau2);
    return r;
}

ModeloReglas MitadAlPrimerOrden(const ModeloReglas& m) { return {m.K, m.tau1 + m.tau2 / 2, 0, m.theta + m.tau2 / 2}; }

ModeloConRetardo PlantaDeRegistro(double K, double Tau, int nk, int nk0, double T, double h) {
    if (nk < nk0) throw ErrorSintonia(TextoRetardoRegistro(nk, nk0));
    ComprobarMuestreo({T, h});
    const ModeloConRetardo p{K, Tau * h / T, 0, (nk - nk0) * h};
    ComprobarPlanta(p);
    return p;
}

PuntoCritico Critico(const ModeloReglas& m) {
    ComprobarPlanta({m.K, m.tau1, m.tau2, m.theta});
    if (!(m.theta > 0)) throw ErrorSintonia(TextoRetardoModelo(m.theta));
    // the lag atan(w tau1) + atan(w tau2) + w theta grows from 0, and passes pi before w theta does
    auto retraso = [&](double w) { return std::atan(w * m.tau1) + std::atan(w * m.tau2) + w * m.theta; };
    double a = 0, b = std::numbers::pi / m.theta;
    for (int i = 0; i < 200 && b - a > 1e-15 * b; ++i) {
        const double c = (a + b) / 2;
        (retraso(c) < std::numbers::pi ? a : b) = c;
    }
    const double w = (a + b) / 2;
    const double Ku = std::hypot(1.0, w * m.tau1) * std::hypot(1.0, w * m.tau2) / m.K;
    return {Ku, 2 * std::numbers::pi / w, w};
}

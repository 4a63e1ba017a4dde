#include "identificacion/ordenes.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "identificacion/arx_orden.h"
#include "identificacion/oe_orden.h"
#include "identificacion/rechazos.h"
#include "identificacion/residuos.h"

namespace {

// The mean squared error of the model's simulated output on the validation record, and its fit.
void Validacion(FilaBarrido& f, const Registro& v) {
    const ModeloLineal m = ParaRegistro(f.modelo, v);
    const std::vector<double> yhat = Simular(m, v.accion, v.nivel);
    long double s = 0;
    for (std::size_t k = m.Inicio(); k < v.nivel.size(); ++k) {
        const long double e = static_cast<long double>(v.nivel[k]) - yhat[k];
        s += e * e;
    }
    f.errorValidacion = static_cast<double>(s / static_cast<long double>(v.nivel.size() - m.Inicio()));
    f.ajusteValidacion = AjusteSimulado(v.nivel, yhat);
}

FilaBarrido Fila(ModeloLineal m, int n, std::size_t ecuaciones, const OpcionesBarrido& o) {
    FilaBarrido f;
    f.estructura = m.estructura;
    f.n = n;
    f.nb = static_cast<int>(m.B.size());
    f.nk = m.retardo;
    f.parametros = m.Parametros();
    f.perdida = m.perdida;
    const double N = static_cast<double>(ecuaciones), p = f.parametros;
    // AIC = N ln V + 2 p; FPE = V (1 + p/N) / (1 - p/N)
    f.aic = N * std::log(f.perdida) + 2 * p;
    f.fpe = f.perdida * (1 + p / N) / (1 - p / N);
    f.modelo = std::move(m);
    if (o.validacion) {
        try {
            Validacion(f, *o.validacion);
        } catch (const ErrorIdentificacion&) {
            f.errorValidacion.reset();  // no form at the other record's plant time: ranked last
        }
        f.criterio = f.errorValidacion.value_or(std::numeric_limits<double>::infinity());
    } else {
        f.criterio = o.criterio == Criterio::AIC ? f.aic : f.fpe;
    }
    return f;
}

// Ranks the rows by criterion and returns the place of the parsimonious choice: for each number of parameters
// from the fewest, the row of best criterion, the first whose residuals on `prueba` are independent of the input.
std::size_t Ordenar(std::vector<FilaBarrido>& filas, const Registro& prueba, double confianza) {
    std::sort(filas.begin(), filas.end(), [](const FilaBarrido& a, const FilaBarrido& b) { return a.criterio < b.criterio; });
    std::vector<std::size_t> orden(filas.size());
    for (std::size_t i = 0; i < orden.size(); ++i) orden[i] = i;
    std::stable_sort(orden.begin(), orden.end(),
                     [&](std::size_t a, std::size_t b) { return filas[a].parametros < filas[b].parametros; });
    OpcionesResiduos o;
    o.confianza = confianza;
    o.sugerirRetardo = false;
    int probados = -1;  // the number of parameters whose best row has been tried
    for (std::size_t i : orden) {
        const FilaBarrido& c = filas[i];
        if (!std::isfinite(c.criterio) || c.parametros == probados) continue;
        probados = c.parametros;
        try {
            const AnalisisResiduos a = AnalizarResiduos(ParaRegistro(c.modelo, prueba), prueba, o);
            if (a.independiente || a.redondeo) return i;
        } catch (const ErrorIdentificacion&) {
            continue;  // no residuals on that record (too short for the lags): the next size decides
        }
    }
    return 0;
}

}  // namespace

Barrido BarrerOrdenes(const Registro& r, const OpcionesBarrido& o) {
    return SinDesbordar([&] {
        ComprobarRegistro(r);
        ComprobarExcitacion(r);
        if (o.validacion) ComprobarRegistro(*o.validacion);
        Barrido b;
        b.retardoMinimo = r.retardoCorrida.value_or(kRetardoLazoAbierto);
        b.conValidacion = o.validacion != nullptr;
        b.criterio = o.criterio;
        const std::size_t desde = PrimeraEcuacion(o.ordenMaximo, o.retardoMaximo);
        const TrianguloArx t(r, o.ordenMaximo, o.retardoMaximo, desde);
        b.ecuaciones = t.Ecuaciones();
        for (int na = 1; na <= o.ordenMaximo; ++na)
            for (int nb = 1; nb <= na; ++nb)
                for (int nk = b.retardoMinimo; nk <= o.retardoMaximo; ++nk) {
                    try {
                        b.arx.push_back(Fila(t.Estimar(na, nb, nk), na, b.ecuaciones, o));
                    } catch (const ErrorIdentificacion&) {
                        continue;  // singular at these orders: the table goes without it
                    }
                }
        if (b.arx.empty()) throw ErrorIdentificacion(TextoSingular());
        for (int nf = 1; o.oe && nf <= o.ordenMaximo; ++nf) {
            // the ARX(nf, nf, .) of smallest loss gives the delay and the start
            const FilaBarrido* inicio = nullptr;
            for (const FilaBarrido& f : b.arx)
                if (f.n == nf && f.nb == nf && (!inicio || f.perdida < inicio->perdida)) inicio = &f;
            if (!inicio) continue;
            try {
                b.oe.push_back(Fila(EstimarOeOrden(r, nf, nf, inicio->nk, desde, inicio->modelo), nf, b.ecuaciones, o));
            } catch (const ErrorIdentificacion&) {
                continue;  // singular or overflowing at this order: the table goes without it
            }
        }
        const Registro& prueba = o.validacion ? *o.validacion : r;
        b.elegidoArx = Ordenar(b.arx, prueba, o.confianza);
        if (!b.oe.empty()) b.elegidoOe = Ordenar(b.oe, prueba, o.confianza);
        return b;
    });
}

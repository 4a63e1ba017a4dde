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

// Whether the model's residuals on `prueba` are independent of the input (or of the size of its rounding), at the
// confidence `confianza`; a record too short for the lags answers no.
bool Explica(const ModeloLineal& m, const Registro& prueba, double confianza) {
    OpcionesResiduos o;
    o.confianza = confianza;
    o.sugerirRetardo = false;
    try {
        const AnalisisResiduos a = AnalizarResiduos(ParaRegistro(m, prueba), prueba, o);
        return a.independiente || a.redondeo;
    } catch (const ErrorIdentificacion&) {
        return false;  // no residuals on that record (too short for the lags): the next size decides
    }
}

// Ranks the rows by criterion and returns the place of the parsimonious choice: for each number of parameters
// from the fewest, the row of best criterion, the first whose residuals on `prueba` are independent of the input.
std::size_t Ordenar(std::vector<FilaBarrido>& filas, const Registro& prueba, double confianza) {
    std::sort(filas.begin(), filas.end(), [](const FilaBarrido& a, const FilaBarrido& b) { return a.criterio < b.criterio; });
    std::vector<std::size_t> orden(filas.size());
    for (std::size_t i = 0; i < orden.size(); ++i) orden[i] = i;
    std::stable_sort(orden.begin(), orden.end(),
                     [&](std::size_t a, std::size_t b) { return filas[a].parametros < filas[b].parametros; });
    int probados = -1;  // the number of parameters whose best row has been tried
    for (std::size_t i : orden) {
        const FilaBarrido& c = filas[i];
        if (!std::isfinite(c.criterio) || c.parametros == probados) continue;
        probados = c.parametros;
        if (Explica(c.modelo, prueba, confianza)) return i;
    }
    return 0;
}

// OE(nf, nf) for nf = 1 .. ordenMaximo, each at the delay of the smallest loss of ARX(nf, nf, .) and started
// from it. The OE table has one row for each number of parameters, so its parsimonious choice is the first nf
// whose residuals pass; the orders above it cannot change that choice, and are fitted with kIntentosSobreEleccion
// steps only (their rows marked): above the plant's order a pole and a zero nearly cancel, and the fit crawls
// along that flat valley for all its 30 steps, 1 to 4 s on 10^5 samples, to gain a few parts in 10^5 of the loss.
void BarrerOe(Barrido& b, const Registro& r, std::size_t desde, const Registro& prueba, const OpcionesBarrido& o) {
    bool explicado = false;
    for (int nf = 1; nf <= o.ordenMaximo; ++nf) {
        const FilaBarrido* inicio = nullptr;
        for (const FilaBarrido& f : b.arx)
            if (f.n == nf && f.nb == nf && (!inicio || f.perdida < inicio->perdida)) inicio = &f;
        if (!inicio) continue;
        try {
            const int intentos = explicado ? kIntentosSobreEleccion : kIntentosOe;
            FilaBarrido f =
                Fila(EstimarOeOrden(r, nf, nf, inicio->nk, desde, inicio->modelo, intentos), nf, b.ecuaciones, o);
            f.recortado = explicado;
            if (!explicado && std::isfinite(f.criterio)) explicado = Explica(f.modelo, prueba, o.confianza);
            b.oe.push_back(std::move(f));
        } catch (const ErrorIdentificacion&) {
            continue;  // singular or overflowing at this order: the table goes without it
        }
    }
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
        const Registro& prueba = o.validacion ? *o.validacion : r;
        if (o.oe) BarrerOe(b, r, desde, prueba, o);
        b.elegidoArx = Ordenar(b.arx, prueba, o.confianza);
        if (!b.oe.empty()) b.elegidoOe = Ordenar(b.oe, prueba, o.confianza);
        return b;
    });
}

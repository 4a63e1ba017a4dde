#include "core/observacion/indices.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/aritmetica.h"

namespace {

std::optional<double> Finito(long double v) {
    const double d = static_cast<double>(v);
    if (!std::isfinite(d)) return std::nullopt;
    return d;
}

// Every division below has a divisor that is checked to be non-zero, and with Double operands no quotient or
// product leaves the extended range: Dividir never throws here. Only the conversion to Double may give an
// infinity, which Finito turns into an absent value.

// The time at which the straight line from (ta, va) to (tb, vb) takes the value v; va != vb.
long double Cruce(long double ta, long double va, long double tb, long double vb, long double v) {
    return ta + Dividir(v - va, vb - va) * (tb - ta);
}

}  // namespace

void IndicesRespuesta::Reiniciar() {
    actual_.reset();
    anterior_.reset();
    terminados_ = 0;
}

void IndicesRespuesta::Agregar(const MuestraRespuesta& m) {
    if (!std::isfinite(m.T) || m.T < 0 || !std::isfinite(m.y) || !std::isfinite(m.u) || (m.r && !std::isfinite(*m.r)))
        return;
    const bool conReferencia = m.r.has_value();
    if (actual_ && (actual_->conReferencia != conReferencia || m.n <= actual_->ultima)) Reiniciar();
    if (!actual_) {
        // a run's first step starts from the level: of its first sample, or (inflow) of the tank at the start
        Empezar(m, conReferencia ? m.y : ajustes_.nivelInicial, ajustes_.accionInicial);
    } else if ((conReferencia ? *m.r : m.u) != actual_->referencia) {
        if (conReferencia && terminados_ > 0 && actual_->breve && actual_->deReferencia == 1 &&
            actual_->unidos < kMaxUnidos) {
            // a reference of one sample: the step's samples start the step of the new reference, from the level
            // of the first of them
            std::vector<MuestraRespuesta> breves = std::move(actual_->breves);
            const double accion = actual_->accionAntes;
            const int unidos = actual_->unidos + 1;
            for (MuestraRespuesta& b : breves) b.r = m.r;
            Empezar(breves.front(), breves.front().y, accion);
            actual_->unidos = unidos;
            // each of them counts as a sample of a reference of its own, so that they stay kept
            for (const MuestraRespuesta& b : breves) {
                actual_->deReferencia = 0;
                Sumar(b);
            }
            actual_->deReferencia = 0;
        } else {
            // the next step starts from the level of its first sample, or (inflow) of the sample before
            const double inicial = conReferencia ? m.y : ultimoNivel_;
            const double accion = actual_->accion;
            anterior_ = Valores(*actual_);
            anterior_->terminado = true;
            ++terminados_;
            Empezar(m, inicial, accion);
        }
    }
    Sumar(m);
}

void IndicesRespuesta::Sumar(const MuestraRespuesta& m) {
    const bool conReferencia = m.r.has_value();
    Paso& p = *actual_;
    ++p.deReferencia;
    if (p.breve && p.conReferencia && p.deReferencia <= 1) {
        p.breves.push_back(m);
    } else if (p.breve) {
        p.breve = false;
        p.breves = {};
    }
    // a reference step's origin is its first sample; a step of inflow's, one period before its first sample
    p.t = p.muestras == 0 ? (conReferencia ? 0.0L : m.T) : p.t + m.T;
    ++p.muestras;
    p.ultima = m.n;
    p.esfuerzo += std::fabs(static_cast<long double>(m.u) - p.accion);
    if (m.saturada) {
        p.conSaturacion = true;
        if (*m.saturada) p.saturado += m.T;
    }
    p.accion = m.u;
    ultimoNivel_ = m.y;
    const Punto punto{p.t, m.T, m.y};
    if (p.seguimiento) {
        Seguir(p, punto);
    } else if (!p.sinValorFinal) {
        p.pendientes.push_back(punto);
        EstimarValorFinal(p);
    }
}

void IndicesRespuesta::Empezar(const MuestraRespuesta& m, double inicial, double accionAnterior) {
    Paso p;
    p.conReferencia = m.r.has_value();
    p.primera = p.ultima = m.n;
    p.inicial = inicial;
    p.referencia = p.conReferencia ? *m.r : m.u;
    p.accion = accionAnterior;
    p.accionAntes = accionAnterior;
    std::optional<double> objetivo;
    if (p.conReferencia)
        objetivo = *m.r;
    else if (ajustes_.ganancia)
        objetivo = Finito(static_cast<long double>(*ajustes_.ganancia) * m.u);  // the tank settles at R x inflow
    if (objetivo)
        p.seguimiento = Nuevo(*objetivo, p);
    else
        p.sinValorFinal = !p.conReferencia && ajustes_.ganancia.has_value();
    actual_ = std::move(p);
}

IndicesRespuesta::Seguimiento IndicesRespuesta::Nuevo(double objetivo, const Paso& p) const {
    Seguimiento s;
    s.objetivo = objetivo;
    s.escalon = static_cast<long double>(objetivo) - p.inicial;
    // a step of inflow starts from its initial level one period before its first sample
    if (!p.conReferencia) s.anterior = Punto{0.0L, 0.0, p.inicial};
    return s;
}

void IndicesRespuesta::Seguir(Paso& p, const Punto& x) const {
    Seguimiento& s = *p.seguimiento;
    const long double e = static_cast<long double>(s.objetivo) - x.y;
    s.iae += std::fabs(e) * x.T;         // |e| T
    s.ise += e * e * x.T;                // e^2 T
    s.itae += x.t * std::fabs(e) * x.T;  // t |e| T
    s.ultimoY = x.y;
    if (s.escalon != 0) {
        // progress from the initial value towards the target, 1 at the target
        const auto progreso = [&](double y) { return Dividir(static_cast<long double>(y) - p.inicial, s.escalon); };
        // deviation from the target in percent of the step, with the step's sign
        const auto desviacion = [&](double y) {
            return Dividir(static_cast<long double>(y) - s.objetivo, s.escalon) * 100;
        };
        const long double avance = progreso(x.y);
        s.progresoMaximo = s.hayMuestras ? std::max(s.progresoMaximo, avance) : avance;
        const auto cruce = [&](long double nivel) {
            return s.anterior ? Cruce(s.anterior->t, progreso(s.anterior->y), x.t, avance, nivel) : x.t;
        };
        if (!s.t10 && avance >= 0.1L) s.t10 = cruce(0.1L);
        if (!s.t90 && avance >= 0.9L) s.t90 = cruce(0.9L);
        const long double d = desviacion(x.y);
        const bool dentro = std::fabs(d) <= ajustes_.banda;
        if (dentro && !s.dentro) {
            if (s.anterior) {
                // the band's edge on the side the level comes from
                const long double da = desviacion(s.anterior->y);
                s.entrada = Cruce(s.anterior->t, da, x.t, d, da > 0 ? ajustes_.banda : -ajustes_.banda);
            } else {
                s.entrada = x.t;
            }
        }
        s.dentro = dentro;
    }
    s.hayMuestras = true;
    s.anterior = x;
}

void IndicesRespuesta::EstimarValorFinal(Paso& p) const {
    // the start level y0 and the kept levels y1 ... yK; Aitken over y0, ym, y2m when K = 2m
    const std::size_t K = p.pendientes.size();
    if (K % 2 == 0) {
        const long double y0 = p.inicial;
        const long double ym = p.pendientes[K / 2 - 1].y;
        const long double y2m = p.pendientes[K - 1].y;
        const long double d1 = ym - y0, d2 = y2m - ym;
        if (d1 != 0 && y2m != y0) {
            const long double rho = Dividir(d2, d1);
            if (rho >= 0 && rho < 1) {
                const long double resto = Dividir(d2 * rho, 1 - rho);
                const std::optional<double> final = Finito(y2m + resto);
                if (final && std::fabs(resto) <= kRestoAceptable * std::fabs(y2m - y0)) {
                    std::vector<Punto> pendientes = std::move(p.pendientes);
                    p.pendientes = {};
                    p.seguimiento = Nuevo(*final, p);
                    for (const Punto& x : pendientes) Seguir(p, x);
                    return;
                }
            }
        }
    }
    if (K >= kMaxPendientes) {
        p.sinValorFinal = true;
        p.pendientes = {};
    }
}

IndicesEscalon IndicesRespuesta::Valores(const Paso& p) const {
    IndicesEscalon v;
    v.conReferencia = p.conReferencia;
    v.primera = p.primera;
    v.ultima = p.ultima;
    v.muestras = p.muestras;
    v.unidos = p.unidos;
    v.duracion = Finito(p.t).value_or(std::numeric_limits<double>::max());
    v.inicial = p.inicial;
    v.esfuerzo = Finito(p.esfuerzo);
    if (p.conSaturacion) v.tiempoSaturado = Finito(p.saturado);
    if (!p.seguimiento || !p.seguimiento->hayMuestras) return v;
    const Seguimiento& s = *p.seguimiento;
    v.objetivo = s.objetivo;
    v.IAE = Finito(s.iae);
    v.ISE = Finito(s.ise);
    v.ITAE = Finito(s.itae);
    v.errorEstacionario = Finito(static_cast<long double>(s.objetivo) - s.ultimoY);
    if (s.escalon == 0) return v;
    v.sobreimpulso = Finito(std::max(0.0L, s.progresoMaximo - 1) * 100);
    if (s.t10 && s.t90) v.tiempoSubida = Finito(*s.t90 - *s.t10);
    v.establecida = s.dentro;
    if (s.dentro) v.tiempoEstablecimiento = Finito(s.entrada);
    return v;
}

std::optional<IndicesEscalon> IndicesRespuesta::Actual() const {
    if (!actual_) return std::nullopt;
    return Valores(*actual_);
}

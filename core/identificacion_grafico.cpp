#include "core/identificacion_grafico.h"

#include <bit>
#include <cmath>
#include <utility>

#include "base/aritmetica.h"
#include "core/corridas/corrida.h"
#include "core/planta/verdad.h"
#include "identificacion/arx.h"
#include "identificacion/escalon.h"
#include "identificacion/oe.h"
#include "identificacion/rechazos.h"

std::string TituloCorrida(Corrida c) { return Definicion(c).rotulo; }

std::string TextoCorridaActiva() {
    return "Detenga la corrida antes de identificar la planta: su registro todavía está creciendo.";
}

std::string TextoGraficoVacio() {
    return "El gráfico no tiene muestras que identificar: haga una corrida (por ejemplo, Aplicar Escalón) y "
           "deténgala antes de identificar la planta.";
}

std::string TextoVariasCorridas(const OrigenGrafico& origen) {
    std::string de;
    if (std::popcount(origen.Corridas()) > 1) {
        std::vector<std::string> nombres;
        for (std::size_t c = 0; c < kNumCorridas; ++c)
            if (origen.Corridas() & (1u << c)) nombres.push_back(TituloCorrida(static_cast<Corrida>(c)));
        de = "de las corridas " + nombres[0];
        for (std::size_t i = 1; i < nombres.size(); ++i) de += (i + 1 == nombres.size() ? " y " : ", ") + nombres[i];
    } else {
        de = "de " + std::to_string(origen.Tramos()) + " tramos de la corrida " + TituloCorrida(origen.Ultima()) +
             " (cada pulsación de un botón de corrida vacía el tanque)";
    }
    return "El gráfico tiene muestras " + de +
           ", que no forman un solo registro: pulse Limpiar y haga una sola corrida antes de identificar la planta.";
}

std::string TextoDesbordeInmediato(Corrida corrida, std::size_t muestras) {
    return "La corrida " + TituloCorrida(corrida) + " se detuvo porque el nivel superó el máximo permitido tras " +
           std::to_string(muestras) + (muestras == 1 ? " muestra" : " muestras") +
           ": el registro es demasiado corto para identificar la planta (hacen falta al menos " +
           std::to_string(kMinimoMuestras) +
           "). Baje la entrada o la referencia, o suba el nivel máximo, pulse Limpiar y repita la corrida.";
}

std::string TextoSinVerdad() {
    return "La planta de la corrida no tiene un modelo de primer orden con el que comparar las estimaciones.";
}

VerdadPlanta VerdadDe(const OrigenGrafico& origen, std::optional<double> nivelMedio) {
    VerdadPlanta v;
    const ConstantesTanques& c = origen.Tanques();
    if (origen.Verdad()) {
        v.K = origen.Verdad()->K;
        v.Tau = origen.Verdad()->Tau;
    } else if (nivelMedio && (c.tanques == 2 || (c.tanques == 1 && c.orificio))) {
        // a nonlinear tank or two of them: the truth is the model that the record's mean level linearises
        const LinealizacionTanques l = LinealizarTanques(c, *nivelMedio);
        v.tipo = c.tanques == 2 ? TipoVerdad::DosTanques : TipoVerdad::Orificio;
        v.K = l.K;
        v.Tau = l.T1;
        v.T2 = l.T2;
        v.nivelOperacion = *nivelMedio;
        v.derrama = l.derrama;
        if (!std::isfinite(v.K) || !std::isfinite(v.Tau) || !std::isfinite(v.T2))
            throw ErrorPuntoFlotante(kDesbordamiento);
    } else {
        throw ErrorIdentificacion(TextoSinVerdad());
    }
    v.T = origen.T_Muestreo();
    v.subpasos = origen.Reloj().subpasos;
    v.tiempoMuestra = origen.Reloj().tiempoMuestra;
    // the samples decay as e^(-m h / Tau) a sample; read with the period T they say Tau T / (m h)
    // (two tanks: the sum of both, the mean response time that a first-order model can match)
    v.TauMuestras = aDouble(Dividir((static_cast<long double>(v.Tau) + v.T2) * v.T, v.tiempoMuestra));
    return v;
}

double ErrorRelativo(double estimado, double verdad) {
    return aDouble(Dividir(static_cast<long double>(estimado) - verdad, verdad));
}

namespace {

Registro RegistroDe(MuestrasGrafico&& m, double T) {
    Registro r;
    r.accion = std::move(m.acciones);
    r.nivel = std::move(m.niveles);
    r.muestras = std::move(m.muestras);
    r.T = T;
    return r;
}

template <class Metodo>
ResultadoMetodo Intentar(const char* nombre, Metodo metodo) {
    ResultadoMetodo res{nombre, std::nullopt, {}};
    try {
        res.estimacion = metodo();
    } catch (const ErrorTanque& e) {
        res.motivo = e.what();
    }
    return res;
}

}  // namespace

IdentificacionGrafico IdentificarGrafico(const Simulador& s, bool rangoCompleto, double xmin, double xmax) {
    for (std::size_t c = 0; c < kNumCorridas; ++c)
        if (s.Timer(static_cast<Corrida>(c)).Enabled) throw ErrorIdentificacion(TextoCorridaActiva());
    const OrigenGrafico& origen = s.Origen();
    MuestrasGrafico m = s.MuestrasExportadas(rangoCompleto, xmin, xmax);
    if (m.muestras.empty() || origen.Tramos() == 0) throw ErrorIdentificacion(TextoGraficoVacio());
    if (origen.Tramos() > 1 || std::popcount(origen.Corridas()) > 1)
        throw ErrorIdentificacion(TextoVariasCorridas(origen));
    if (m.muestras.size() < kMinimoMuestras && origen.Desbordo())
        throw ErrorIdentificacion(TextoDesbordeInmediato(origen.CorridaDesbordada(), m.muestras.size()));

    IdentificacionGrafico g;
    g.corrida = origen.Ultima();
    // the step run's level is measured after its action flowed; the closed loops plot the level they read
    // before computing the action, which answers to the action before
    g.retardo = Definicion(g.corrida).retardo;
    double suma = 0;
    for (double y : m.niveles) suma += y;
    g.verdad = VerdadDe(origen, suma / static_cast<double>(m.niveles.size()));
    g.registro = RegistroDe(std::move(m), g.verdad.T);
    const Registro& r = g.registro;
    if (const LimitesBomba& b = s.Estado().bomba; b.Activos()) {
        if (b.conMinimo) g.caudalMinimo = static_cast<double>(b.minimo);
        if (b.conMaximo) g.caudalMaximo = static_cast<double>(b.maximo);
    }

    // ARX first and alone: every method starts from what it checks, so its refusal is the record's
    g.metodos.push_back({"ARX", IdentificarArx(r, g.retardo), {}});
    g.metodos.push_back(Intentar("OE", [&] { return Identificacion(IdentificarOe(r, g.retardo)); }));
    // the step reading, for a run whose inflow is the open-loop signal
    if (Definicion(g.corrida).conSenal)
        g.metodos.push_back(Intentar("escalón", [&] { return Identificacion(LeerEscalon(r, g.retardo)); }));
    g.elegido = g.metodos[1].estimacion ? 1 : 0;
    return g;
}

#include "core/analisis_grafico.h"

#include <algorithm>

#include "base/errores.h"
#include "identificacion/continuo.h"
#include "identificacion/lineal.h"
#include "identificacion/periodo.h"

FuncionTransferencia FuncionVerdad(const VerdadPlanta& v) {
    FuncionTransferencia g;
    g.num = {v.K};
    if (v.tipo == TipoVerdad::DosTanques)
        g.den = {v.Tau * v.T2, v.Tau + v.T2, 1.0};
    else
        g.den = {v.Tau, 1.0};
    return g;
}

AnalisisGrafico AnalizarGrafico(const IdentificacionGrafico& g) {
    AnalisisGrafico a;
    a.registro = g.registro;
    Registro& r = a.registro;
    // the samples hold the plant time of the run's clock (11 sub-steps of T/10 at 100 ms), and the models'
    // delay is the run's alignment
    r.tiempoMuestra = g.verdad.tiempoMuestra > 0 ? g.verdad.tiempoMuestra : 0;
    r.retardoCorrida = g.retardo;

    const auto metodo = [&](const char* nombre) -> const Identificacion* {
        for (const ResultadoMetodo& m : g.metodos)
            if (m.metodo == nombre && m.estimacion) return &*m.estimacion;
        return nullptr;
    };

    for (const ResultadoMetodo& m : g.metodos) {
        a.residuos.emplace_back();
        a.sinResiduos.emplace_back();
        if (!m.estimacion) continue;
        Identificacion id = *m.estimacion;
        id.tiempoMuestra = r.tiempoMuestra;
        Intentar([&] { a.residuos.back() = AnalizarResiduos(id, r); }, a.sinResiduos.back());
    }

    std::string sinAvisos;
    Intentar([&] { a.avisos = Avisos(r, {g.caudalMinimo, g.caudalMaximo}, metodo("ARX"), metodo("OE")); }, sinAvisos);
    // ARX's bias is measured against OE: only an OE that explains the record (a plant of its structure, as the
    // orifice tank is not) says that the difference is the noise's
    bool oeExplica = false;
    for (std::size_t i = 0; i < g.metodos.size(); ++i)
        oeExplica |= g.metodos[i].metodo == "OE" && a.residuos[i] && a.residuos[i]->veredicto == Veredicto::Explica;
    if (!oeExplica) std::erase_if(a.avisos, [](const Aviso& v) { return v.tipo == TipoAviso::ArxSesgado; });

    Intentar(
        [&] {
            const std::optional<std::size_t> periodo = PeriodoEntrada(r);
            a.estimada = periodo ? EtfePeriodica(r, *periodo) : Welch(r);
        },
        a.sinFrecuencia);
    // the lines from a decade below the first estimated frequency to Nyquist's
    const double nyquist = 3.14159265358979323846 / r.TiempoMuestra();
    double wmin = nyquist / 1000;
    if (a.estimada)
        for (double w : a.estimada->w)
            if (w > 0) {
                wmin = std::min(w / 10, nyquist / 10);
                break;
            }
    a.w = FrecuenciasLog(wmin, nyquist, 200);
    std::string sinVerdad;
    Intentar(
        [&] {
            a.verdad = RespuestaModelo(Discreta(FuncionVerdad(g.verdad), r, g.retardo, "verdad"), a.w);
            a.verdad->metodo = "planta";
        },
        sinVerdad);
    for (const ResultadoMetodo& m : g.metodos) {
        a.modelos.emplace_back();
        if (!m.estimacion) continue;
        Identificacion id = *m.estimacion;
        id.tiempoMuestra = r.tiempoMuestra;
        std::string motivo;
        Intentar([&] { a.modelos.back() = RespuestaModelo(Lineal(id), a.w); }, motivo);
    }

    Intentar([&] { a.barrido = BarrerOrdenes(r); }, a.sinBarrido);

    if (g.verdad.tipo == TipoVerdad::Orificio) {
        const Identificacion* inicio = metodo("OE") ? metodo("OE") : metodo("ARX");
        if (inicio) {
            Identificacion id = *inicio;
            id.tiempoMuestra = r.tiempoMuestra;
            Intentar(
                [&] {
                    a.orificio = IdentificarOrificio(r, id);
                    a.nivelOrificio = SimularOrificio(*a.orificio, r.accion, r.nivel.front());
                },
                a.sinOrificio);
        }
    }
    return a;
}

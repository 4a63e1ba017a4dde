// The JSON half of informe.h.

#include <nlohmann/json.hpp>

#include <cmath>

#include "identificacion/rechazos.h"
#include "identificacion/continuo.h"
#include "identificacion/informe.h"

using Json = nlohmann::ordered_json;

namespace {

// a number, or null for one that is not finite (JSON has no infinity)
Json Numero(double v) { return std::isfinite(v) ? Json(v) : Json(nullptr); }

Json Lista(const std::vector<double>& v) {
    Json j = Json::array();
    for (double x : v) j.push_back(Numero(x));
    return j;
}

Json Modelo(const ModeloLineal& m) {
    Json j = {{"estructura", m.estructura},
              {"orden", m.Orden()},
              {"nb", m.B.size()},
              {"retardo", m.retardo},
              {"T", m.T},
              {"tiempo_por_muestra_s", m.TiempoMuestra()},
              {"retardo_corrida", m.retardoCorrida},
              {"F", Lista(m.F)},
              {"B", Lista(m.B)},
              {"perdida", Numero(m.perdida)},
              {"ecuaciones", m.ecuaciones}};
    if (m.covarianza.size() > 0) {
        std::vector<double> errores;
        for (Eigen::Index i = 0; i < m.covarianza.rows(); ++i) errores.push_back(std::sqrt(std::max(m.covarianza(i, i), 0.0)));
        j["errores"] = Lista(errores);
    } else {
        j["errores"] = nullptr;
    }
    try {
        const FuncionTransferencia g = Continua(m);
        Json polos = Json::array();
        for (const std::complex<double>& p : Polos(g)) polos.push_back({{"re", Numero(p.real())}, {"im", Numero(p.imag())}});
        j["continuo"] = {{"num", Lista(g.num)},     {"den", Lista(g.den)},          {"retardo_s", g.retardo},
                         {"ganancia", Numero(Ganancia(g))}, {"polos", polos}, {"texto", TextoFuncion(g)}};
        j["octave"] = LineaOctave(m);
        j["python"] = LineaPython(m);
    } catch (const ErrorIdentificacion& e) {
        j["continuo"] = nullptr;
        j["sin_continuo"] = e.what();
    }
    return j;
}

const char* Nombre(Veredicto v) {
    switch (v) {
        case Veredicto::Explica: return "explica";
        case Veredicto::DinamicaSinExplicar: return "dinamica_sin_explicar";
        case Veredicto::Retardo: return "retardo";
        case Veredicto::RuidoNoBlanco: return "ruido_no_blanco";
    }
    return "";
}

const char* Nombre(TipoAviso t) {
    switch (t) {
        case TipoAviso::NivelCero: return "nivel_cero";
        case TipoAviso::LimiteBomba: return "limite_bomba";
        case TipoAviso::EntradaConstante: return "entrada_constante";
        case TipoAviso::BandaBaja: return "banda_baja";
        case TipoAviso::RegistroCorto: return "registro_corto";
        case TipoAviso::ArxSesgado: return "arx_sesgado";
    }
    return "";
}

Json Fila(const FilaBarrido& f) {
    return {{"n", f.n},
            {"nb", f.nb},
            {"nk", f.nk},
            {"parametros", f.parametros},
            {"perdida", Numero(f.perdida)},
            {"aic", Numero(f.aic)},
            {"fpe", Numero(f.fpe)},
            {"error_validacion", f.errorValidacion ? Numero(*f.errorValidacion) : Json(nullptr)},
            {"ajuste_validacion", f.ajusteValidacion ? Numero(*f.ajusteValidacion) : Json(nullptr)},
            {"recortado", f.recortado}};
}

Json Tabla(const std::vector<FilaBarrido>& filas, std::size_t elegido) {
    if (filas.empty()) return nullptr;
    Json todas = Json::array();
    for (const FilaBarrido& f : filas) todas.push_back(Fila(f));
    return {{"elegido", Fila(filas[elegido])}, {"modelo", Modelo(filas[elegido].modelo)}, {"filas", todas}};
}

}  // namespace

std::string JsonModelo(const ModeloLineal& m) { return Modelo(m).dump(); }

std::string JsonResiduos(const AnalisisResiduos& a) {
    std::vector<double> retrasos;
    for (std::size_t i = 0; i < a.autocorrelacion.size(); ++i) retrasos.push_back(static_cast<double>(i));
    const Json j = {
        {"veredicto", Nombre(a.veredicto)},
        {"texto", a.texto},
        {"retardo_sugerido", a.retardoSugerido ? Json(*a.retardoSugerido) : Json(nullptr)},
        {"redondeo", a.redondeo},
        {"muestras", a.residuos.size()},
        {"blancura",
         {{"Q", Numero(a.blancura)}, {"umbral", Numero(a.umbralBlancura)}, {"grados", a.autocorrelacion.size() - 1},
          {"pasa", a.blanco}}},
        {"independencia",
         {{"S", Numero(a.independencia)},
          {"umbral", Numero(a.umbralIndependencia)},
          {"grados", a.gradosIndependencia},
          {"desde_retraso", a.primerRetrasoProbado},
          {"pasa", a.independiente}}},
        {"autocorrelacion",
         {{"retrasos", retrasos}, {"valores", Lista(a.autocorrelacion)}, {"banda", Numero(a.bandaAutocorrelacion)}}},
        {"correlacion_cruzada",
         {{"retrasos", a.retrasosCruzados}, {"valores", Lista(a.correlacionCruzada)}, {"banda", Lista(a.bandaCruzada)}}}};
    return j.dump();
}

std::string JsonAvisos(const std::vector<Aviso>& avisos) {
    Json j = Json::array();
    for (const Aviso& a : avisos) j.push_back({{"tipo", Nombre(a.tipo)}, {"texto", a.texto}, {"muestras", a.muestras}});
    return j.dump();
}

std::string JsonBarrido(const Barrido& b) {
    const char* criterio = b.conValidacion ? "validacion" : b.criterio == Criterio::AIC ? "AIC" : "FPE";
    const Json j = {{"criterio", criterio},
                    {"ecuaciones", b.ecuaciones},
                    {"retardo_minimo", b.retardoMinimo},
                    {"arx", Tabla(b.arx, b.elegidoArx)},
                    {"oe", Tabla(b.oe, b.elegidoOe)}};
    return j.dump();
}

std::string JsonRespuesta(const RespuestaFrecuencia& f) {
    const Json j = {{"metodo", f.metodo},
                    {"confianza", f.confianza},
                    {"promedios", f.promedios},
                    {"w", Lista(f.w)},
                    {"magnitud", Lista(f.magnitud)},
                    {"fase", Lista(f.fase)},
                    {"magnitud_baja", Lista(f.magnitudBaja)},
                    {"magnitud_alta", Lista(f.magnitudAlta)},
                    {"fase_baja", Lista(f.faseBaja)},
                    {"fase_alta", Lista(f.faseAlta)},
                    {"coherencia", Lista(f.coherencia)}};
    return j.dump();
}

std::string JsonOrificio(const ModeloOrificio& m) {
    const Json j = {{"modelo", "orificio"},
                    {"ecuacion", "A dh/dt = u - c sqrt(h) (h: nivel, u: caudal de entrada)"},
                    {"A", Numero(m.A)},
                    {"c", Numero(m.c)},
                    {"A_err", m.error_A ? Numero(*m.error_A) : Json(nullptr)},
                    {"c_err", m.error_c ? Numero(*m.error_c) : Json(nullptr)},
                    {"retardo", m.retardo},
                    {"ajuste", Numero(m.ajuste)},
                    {"error_rms", Numero(m.error_rms)},
                    {"iteraciones", m.iteraciones}};
    return j.dump();
}

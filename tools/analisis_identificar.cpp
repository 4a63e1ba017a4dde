#include "tools/analisis_identificar.h"

#include <nlohmann/json.hpp>

#include <cstdio>

#include "base/errores.h"
#include "identificacion/informe.h"
#include "identificacion/periodo.h"

using Json = nlohmann::ordered_json;

namespace {

bool Termina(const std::string& s, const std::string& fin) {
    return s.size() >= fin.size() && s.compare(s.size() - fin.size(), fin.size(), fin) == 0;
}

std::string G(double v) {
    char b[40];
    std::snprintf(b, sizeof b, "%.6g", v);
    return b;
}

// The plant of the description's truth: the orifice tank (its grey box is then worth fitting).
bool EsOrificio(const std::string& verdad) {
    if (verdad.empty()) return false;
    const Json v = Json::parse(verdad, nullptr, false);
    return v.is_object() && v.value("Modelo_Planta", "") == "Orificio";
}

std::string TextoFrecuencia(const RespuestaFrecuencia& f, const std::optional<RespuestaFrecuencia>& modelo) {
    std::string s = "Respuesta en frecuencia (" + f.metodo + ", " + std::to_string(f.promedios) +
                    (f.metodo == "ETFE" ? " periodos" : " segmentos") + ", banda del " + G(100 * f.confianza) + " %)\n";
    s += "  w (rad/s)     |G|    (banda)              fase (°)  (banda)";
    s += modelo ? "              |G| modelo  fase modelo\n" : "\n";
    for (std::size_t i = 0; i < f.w.size(); ++i) {
        char b[200];
        std::snprintf(b, sizeof b, "  %-12.6g  %-9.6g [%.4g, %.4g]  %-9.4g [%.4g, %.4g]", f.w[i], f.magnitud[i],
                      f.magnitudBaja[i], f.magnitudAlta[i], f.fase[i], f.faseBaja[i], f.faseAlta[i]);
        s += b;
        if (modelo) {
            std::snprintf(b, sizeof b, "  %-10.6g  %.4g", modelo->magnitud[i], modelo->fase[i]);
            s += b;
        }
        s += "\n";
    }
    return s;
}

Json Respuesta(const RespuestaFrecuencia& f) { return Json::parse(JsonRespuesta(f)); }

}  // namespace

std::optional<FormatoModelo> ExtensionModelo(const std::string& archivo) {
    if (Termina(archivo, ".json") && archivo.size() > 5) return FormatoModelo::Json;
    if (Termina(archivo, ".m") && archivo.size() > 2) return FormatoModelo::Octave;
    if (Termina(archivo, ".py") && archivo.size() > 3) return FormatoModelo::Python;
    return std::nullopt;
}

AnalisisIdentificar AnalizarIdentificacion(const Registro& r, const Identificacion* arx, const IdentificacionOe* oe,
                                           const OpcionesIdentificar& op, const std::string& verdad,
                                           const Registro* validacion, const OpcionesAvisos& limites) {
    AnalisisIdentificar a;

    // the residuals of the model shown first: OE's output errors, else ARX's equation errors
    std::optional<ModeloLineal> primero;
    if (oe) {
        a.metodoResiduos = "OE";
        primero = Lineal(*oe);
        Intentar([&] { a.residuos = AnalizarResiduos(*oe, r); }, a.sinResiduos);
    } else if (arx) {
        a.metodoResiduos = "ARX";
        primero = Lineal(*arx);
        Intentar([&] { a.residuos = AnalizarResiduos(*arx, r); }, a.sinResiduos);
    }

    std::string sinAvisos;
    Intentar([&] { a.avisos = Avisos(r, limites, arx, oe); }, sinAvisos);
    // ARX's bias is measured against OE: only an OE that explains the record (a plant of its structure, as the
    // orifice tank is not) says that the difference is the noise's
    if (!(oe && a.residuos && a.residuos->veredicto == Veredicto::Explica))
        std::erase_if(a.avisos, [](const Aviso& v) { return v.tipo == TipoAviso::ArxSesgado; });
    for (const Aviso& v : a.avisos) a.arxSesgado |= v.tipo == TipoAviso::ArxSesgado;

    if (op.ordenes) {
        OpcionesBarrido ob;
        ob.validacion = validacion;
        Intentar([&] { a.barrido = BarrerOrdenes(r, ob); }, a.sinBarrido);
    }
    if (op.frecuencia) {
        Intentar(
            [&] {
                // without a period, the input's own when it repeats
                const std::optional<std::size_t> periodo = op.periodo ? op.periodo : PeriodoEntrada(r);
                a.frecuencia = periodo ? EtfePeriodica(r, *periodo) : Welch(r);
                if (primero) a.delModelo = RespuestaModelo(*primero, a.frecuencia->w);
            },
            a.sinFrecuencia);
    }
    if (EsOrificio(verdad) && (oe || arx))
        Intentar([&] { a.orificio = IdentificarOrificio(r, oe ? *oe : *arx); }, a.sinOrificio);

    if (a.barrido) {
        const Barrido& b = *a.barrido;
        if (!b.oe.empty())
            a.modelo = b.oe[b.elegidoOe].modelo;
        else if (!b.arx.empty())
            a.modelo = b.arx[b.elegidoArx].modelo;
    }
    if (!a.modelo) a.modelo = primero;
    if (!a.modelo) a.sinModelo = "no hay un modelo estimado que escribir";
    return a;
}

std::string TextoAnalisis(const AnalisisIdentificar& a) {
    std::string s;
    if (!a.avisos.empty()) s += "\n" + TextoAvisos(a.avisos);
    if (a.residuos) {
        std::string r = TextoResiduos(*a.residuos);
        r.replace(0, std::string("Residuos").size(), "Residuos de " + a.metodoResiduos);
        s += "\n" + r;
    } else if (!a.sinResiduos.empty()) {
        s += "\nResiduos\n  sin análisis: " + a.sinResiduos + "\n";
    }
    if (a.barrido)
        s += "\n" + TextoBarrido(*a.barrido);
    else if (!a.sinBarrido.empty())
        s += "\nÓrdenes y retardos\n  sin barrido: " + a.sinBarrido + "\n";
    if (a.frecuencia)
        s += "\n" + TextoFrecuencia(*a.frecuencia, a.delModelo);
    else if (!a.sinFrecuencia.empty())
        s += "\nRespuesta en frecuencia\n  sin estimación: " + a.sinFrecuencia + "\n";
    if (a.orificio)
        s += "\n" + TextoOrificio(*a.orificio);
    else if (!a.sinOrificio.empty())
        s += "\nTanque con orificio\n  sin estimación: " + a.sinOrificio + "\n";
    return s;
}

std::string JsonAnalisis(const AnalisisIdentificar& a) {
    Json j = Json::object();
    j["avisos"] = Json::parse(JsonAvisos(a.avisos));
    if (a.residuos) {
        j["residuos"] = Json::parse(JsonResiduos(*a.residuos));
        j["residuos"]["modelo"] = a.metodoResiduos;
    } else {
        j["residuos"] = {{"error", a.sinResiduos}};
    }
    if (a.barrido)
        j["ordenes"] = Json::parse(JsonBarrido(*a.barrido));
    else if (!a.sinBarrido.empty())
        j["ordenes"] = {{"error", a.sinBarrido}};
    if (a.frecuencia) {
        j["frecuencia"] = Respuesta(*a.frecuencia);
        if (a.delModelo) j["frecuencia"]["modelo"] = Respuesta(*a.delModelo);
    } else if (!a.sinFrecuencia.empty()) {
        j["frecuencia"] = {{"error", a.sinFrecuencia}};
    }
    if (a.orificio)
        j["orificio"] = Json::parse(JsonOrificio(*a.orificio));
    else if (!a.sinOrificio.empty())
        j["orificio"] = {{"error", a.sinOrificio}};
    return j.dump();
}

std::string ArchivoModelo(const ModeloLineal& m, FormatoModelo formato) {
    switch (formato) {
        case FormatoModelo::Json: return Json::parse(JsonModelo(m)).dump(2) + "\n";
        case FormatoModelo::Octave: return "% " + m.estructura + ": tanque-lote identificar\n" + LineaOctave(m) + "\n";
        case FormatoModelo::Python: return "# " + m.estructura + ": tanque-lote identificar\n" + LineaPython(m) + "\n";
    }
    return {};
}

#include "tools/sintonizar_lote.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cmath>

#include "core/planta/planta.h"
#include "core/planta/tanque.h"
#include "core/textos_por_defecto.h"
#include "export/error_archivo.h"
#include "export/escritor.h"
#include "export/lectura.h"
#include "identificacion/arx.h"
#include "identificacion/oe.h"
#include "identificacion/rechazos.h"
#include "sintonia/rechazos.h"
#include "sintonia/sintonia.h"
#include "tools/identificar_lote.h"
#include "tools/salida_sintonia.h"

using Json = nlohmann::ordered_json;

namespace {

constexpr std::int32_t kTSamplePorOmision = 500;  // ms, the edit's default

// The model to tune on, and where it came from, in words and in JSON.
struct Origen {
    ModeloConRetardo modelo;
    Muestreo muestreo;
    std::string texto;  // the "Modelo: ..." line
    Json json;
};

Origen DeLaVerdad(const OpcionesLote& o) {
    const PlantaVerdadera p = PlantaDeLosTextos(o);
    Origen r{p.modelo, p.muestreo, {}, {}};
    r.texto = "Planta verdadera: K = R = " + Cifra(p.modelo.K) + ", Tau = A R = " + Cifra(p.modelo.tau1) +
              " s, sin retardo";
    r.json = {{"origen", "verdad"}};
    return r;
}

// The record identified as `identificar` does it: ARX chooses the delay unless it is known, OE refines.
Origen DelRegistro(const OpcionesSintonizar& op) {
    RegistroLeido leido = LeerExportacion(op.archivo);
    const std::optional<DescripcionLeida> d = LeerDescripcion(op.archivo);
    const double T = op.tSample                ? PeriodoDeMs(*op.tSample)
                     : d && d->T                ? *d->T
                                                : PeriodoDeMs(kTSamplePorOmision);
    Registro r{std::move(leido.acciones), std::move(leido.niveles), T, std::move(leido.muestras)};
    std::optional<int> retardo = op.retardo;
    if (!retardo && d && d->retardo) retardo = d->retardo;
    const Identificacion arx = IdentificarArx(r, retardo);
    Identificacion id = arx;
    try {
        id = IdentificarOe(r, arx.retardo);
    } catch (const ErrorIdentificacion&) {
        // ARX's estimate stands
    }
    // the run's own delay: what was given, else the one the estimate took (the simulator's plants have no
    // dead time of their own, so that the record's nk is the run's)
    const int nk0 = retardo.value_or(id.retardo);
    const double h = TiempoPorMuestra(static_cast<float>(T));  // the simulator's records: its tank's sub-steps
    Origen o{PlantaDeRegistro(id.K, id.Tau, id.retardo, nk0, T, h), {T, h}, {}, {}};
    o.texto = "Modelo de " + op.archivo + " (" + id.metodo + "): K = " + Cifra(id.K) + ", Tau = " + Cifra(id.Tau) +
              " s, retardo " + std::to_string(id.retardo) + " (" +
              (nk0 == 0 ? "lazo abierto" : "lazo cerrado") + ")";
    o.json = {{"origen", "registro"}, {"archivo", op.archivo}, {"metodo", id.metodo}, {"K_registro", id.K},
              {"Tau_registro", id.Tau}, {"retardo", id.retardo}, {"retardo_corrida", nk0}, {"ajuste", id.ajuste}};
    return o;
}

}  // namespace

PlantaVerdadera PlantaDeLosTextos(const OpcionesLote& o) {
    TextosMapa textos = TextosIniciales(o.decimal);
    for (const auto& [nombre, texto] : o.textos) textos.Poner(nombre, texto);
    const Planta& planta = PlantaDe(textos);
    Simulacion s;
    planta.LeerParametros(s, textos);
    const std::optional<ModeloPrimerOrden> v = planta.Verdad(s);
    if (!v) throw ErrorSintonia("Esta planta no tiene un modelo de primer orden que sintonizar.");
    return {{v->K, v->Tau, 0, 0}, {s.T_Muestreo, planta.Reloj(s.T_Muestreo).tiempoMuestra}, s.Nivel_Max};
}

int CorrerSintonizar(const OpcionesLote& o, int salida, std::FILE* errores) {
    const OpcionesSintonizar& op = o.sintonizar;
    const auto fallo = [&](const std::string& mensaje) {
        std::fprintf(errores, "tanque-lote: %s\n", mensaje.c_str());
        return 1;
    };
    Origen origen;
    try {
        origen = op.verdad ? DeLaVerdad(o) : DelRegistro(op);
    } catch (const ErrorTanque& e) {
        return fallo((op.verdad ? std::string() : op.archivo + ": ") + e.what());
    }
    Sintonia s;
    try {
        s = Sintonizar(origen.modelo, origen.muestreo, op.regla, op.accion, op.perilla);
    } catch (const ErrorTanque& e) {
        return fallo(e.what());
    }
    std::string texto;
    if (o.json) {
        Json j = origen.json;
        j.update(JsonModelo(origen.modelo, origen.muestreo, s.ganancias.modelo));
        j["regla"] = NombreRegla(op.regla);
        j.update(JsonSintonia(s));
        texto = j.dump(2) + "\n";
    } else {
        texto = origen.texto + "\n" + TextoModeloReglas(origen.modelo, origen.muestreo, s.ganancias.modelo) + "\n" +
                TextoSintonia(s) + "Para correrlo: tanque-lote pid 200 " + OpcionesPid(s.pid) + " --indices\n";
    }
    if (const int codigo = EscribirTodo(salida, texto); codigo != 0 && codigo != EPIPE)
        return fallo("no se pudo escribir la sintonía en la salida estándar: " + TextoErrorArchivo(codigo));
    return 0;
}

#include "tools/rele_lote.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <vector>

#include "core/planta/planta.h"
#include "core/textos_por_defecto.h"
#include "export/error_archivo.h"
#include "export/escritor.h"
#include "sintonia/rechazos.h"
#include "sintonia/rele.h"
#include "sintonia/sintonia.h"
#include "tools/salida_sintonia.h"
#include "tools/sintonizar_lote.h"

using Json = nlohmann::ordered_json;

namespace {

struct Experimento {
    Rele rele;
    std::vector<double> accion, nivel;
    std::optional<std::size_t> desborde;  // the sample whose level passed HMax: the run stops there
};

// The relay loop on the plant of the texts, from an empty tank.
Experimento Correr(const OpcionesLote& o, const PlantaVerdadera& v) {
    TextosMapa textos = TextosIniciales(o.decimal);
    for (const auto& [nombre, texto] : o.textos) textos.Poner(nombre, texto);
    const Planta& planta = PlantaDe(textos);
    Simulacion s;
    planta.LeerParametros(s, textos);
    planta.Vaciar(s);

    Experimento e;
    const OpcionesReleLote& op = o.rele;
    const double caudal = op.nivel / v.modelo.K;  // the inflow that holds the working level
    const double d = op.amplitud.value_or(caudal);
    e.rele = {op.nivel, caudal + d, caudal - d, op.histeresis};
    ComprobarRele(e.rele);
    if (e.rele.bajo < 0)
        throw ErrorSintonia("El caudal bajo del relé sería " + Cifra(e.rele.bajo) +
                            ": la bomba no saca agua. Use una amplitud de hasta " + Cifra(caudal) + ".");
    if (!(op.nivel + op.histeresis < v.nivelMaximo))
        throw ErrorSintonia("El nivel de trabajo más la histéresis (" + Cifra(op.nivel + op.histeresis) +
                            ") debe quedar por debajo del nivel máximo HMax = " + Cifra(v.nivelMaximo) + ".");
    e.accion.reserve(static_cast<std::size_t>(o.muestras));
    e.nivel.reserve(static_cast<std::size_t>(o.muestras));
    for (std::int32_t k = 0; k < o.muestras; ++k) {
        // as the PID run: the plant advances under the action of the tick before, then the level is read
        const AvancePlanta a = planta.Paso(s);
        planta.Guardar(a, s);
        s.Accion_Control = static_cast<float>(AccionRele(e.rele, a.nivel, s.Accion_Control));
        e.nivel.push_back(a.nivel);
        e.accion.push_back(s.Accion_Control);
        if (a.nivel > s.Nivel_Max) {
            e.desborde = static_cast<std::size_t>(k);
            break;
        }
    }
    return e;
}

}  // namespace

int CorrerRele(const OpcionesLote& o, int salida, std::FILE* errores) {
    const auto fallo = [&](const std::string& mensaje) {
        std::fprintf(errores, "tanque-lote: rele: %s\n", mensaje.c_str());
        return 1;
    };
    PlantaVerdadera v;
    Experimento e;
    AnalisisRele a;
    try {
        v = PlantaDeLosTextos(o);
        e = Correr(o, v);
        if (e.desborde)
            return fallo("el nivel pasó de su máximo (HMax = " + Cifra(v.nivelMaximo) + ") en la muestra " +
                         std::to_string(*e.desborde) + ": baje el nivel de trabajo o la amplitud del relé.");
        a = AnalizarRele(e.accion, e.nivel, v.muestreo.T, e.rele, {std::nullopt, v.nivelMaximo});
    } catch (const ErrorTanque& x) {
        return fallo(x.what());
    }

    // the loop of each rule analysed on the relay's model, as an experimenter who knows only the record would;
    // without one, on the true plant
    const ModeloConRetardo planta = a.modelo ? *a.modelo : v.modelo;
    const Muestreo muestreo = a.modelo ? Muestreo{v.muestreo.T, v.muestreo.T} : v.muestreo;
    std::vector<Sintonia> reglas;
    try {
        for (ReglaUltima r : {ReglaUltima::ZieglerNichols, ReglaUltima::TyreusLuyben})
            for (Accion acc : {Accion::PI, Accion::PID})
                reglas.push_back(SintonizarUltima(planta, muestreo, r, acc, a.Ku, a.Pu));
    } catch (const ErrorTanque& x) {
        return fallo(x.what());
    }
    std::optional<PuntoCritico> verdadero;
    try {
        verdadero = Critico(ModeloParaReglas(v.modelo, v.muestreo));
    } catch (const ErrorTanque&) {
        // a plant whose loop never reaches -180 degrees: nothing to compare with
    }

    std::string texto;
    if (o.json) {
        Json j = {{"rele", {{"nivel", e.rele.nivel}, {"alto", e.rele.alto}, {"bajo", e.rele.bajo},
                            {"histeresis", e.rele.histeresis}}},
                  {"muestras", e.nivel.size()},
                  {"T", v.muestreo.T},
                  {"ciclos", a.ciclos},
                  {"desde", a.desde},
                  {"hasta", a.hasta},
                  {"periodo", a.periodo},
                  {"amplitud", a.amplitud},
                  {"nivel_minimo", a.nivelMinimo},
                  {"nivel_maximo", a.nivelMaximo},
                  {"Ku_clasico", a.KuClasico},
                  {"Ku", a.Ku},
                  {"Pu", a.Pu}};
        if (a.modelo)
            j["modelo"] = {{"K", a.modelo->K}, {"tau1", a.modelo->tau1}, {"theta", a.modelo->theta}};
        else
            j["aviso"] = a.aviso;
        if (verdadero) j["verdad"] = {{"Ku", verdadero->Ku}, {"Pu", verdadero->Pu}};
        Json lista = Json::array();
        for (const Sintonia& s : reglas) lista.push_back(JsonSintonia(s));
        j["reglas"] = lista;
        texto = j.dump(2) + "\n";
    } else {
        texto = "Relé: caudal " + Cifra(e.rele.alto) + " / " + Cifra(e.rele.bajo) + " alrededor del nivel " +
                Cifra(e.rele.nivel) + " (histéresis " + Cifra(e.rele.histeresis) + "), T = " + Cifra(v.muestreo.T) +
                " s, " + std::to_string(e.nivel.size()) + " muestras\n";
        texto += "Oscilación sostenida: " + std::to_string(a.ciclos) + " ciclos (muestras " + std::to_string(a.desde) +
                 " a " + std::to_string(a.hasta) + "), periodo " + Cifra(a.periodo) + " s, amplitud " +
                 Cifra(a.amplitud) + " (nivel de " + Cifra(a.nivelMinimo) + " a " + Cifra(a.nivelMaximo) + ")\n";
        texto += "  lectura clásica (función descriptiva): Ku = " + Cifra(a.KuClasico) + ", Pu = " + Cifra(a.periodo) +
                 " s\n";
        if (a.modelo)
            texto += "  lectura exacta (primer armónico): modelo K = " + Cifra(a.modelo->K) + ", Tau = " +
                     Cifra(a.modelo->tau1) + " s, theta = " + Cifra(a.modelo->theta) + " s; Ku = " + Cifra(a.Ku) +
                     ", Pu = " + Cifra(a.Pu) + " s\n";
        else
            texto += "  sin modelo: " + a.aviso + " Ku = " + Cifra(a.Ku) + ", Pu = " + Cifra(a.Pu) + " s\n";
        if (verdadero)
            texto += "  la planta de los textos (lazo continuo, con T/2 de retardo): Ku = " + Cifra(verdadero->Ku) +
                     ", Pu = " + Cifra(verdadero->Pu) + " s\n";
        texto += std::string("Ganancias desde Ku y Pu (el lazo analizado sobre ") +
                 (a.modelo ? "el modelo del relé" : "la planta de los textos") + "):\n";
        for (const Sintonia& s : reglas) texto += TextoSintonia(s);
    }
    if (const int codigo = EscribirTodo(salida, texto); codigo != 0 && codigo != EPIPE)
        return fallo("no se pudo escribir el experimento en la salida estándar: " + TextoErrorArchivo(codigo));
    return 0;
}

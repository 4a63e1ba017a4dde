#include "tools/curso_ejercicio.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "base/errores.h"
#include "core/configuracion.h"
#include "core/descripcion.h"
#include "core/interfaces.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "export/error_archivo.h"
#include "export/par_formato.h"
#include "export/texto.h"

using Json = nlohmann::ordered_json;

namespace {

// The texts of the plant dialog but the sample time, which the student needs.
constexpr const char* kTextosPlanta[] = {"Resistencia",     "Area",   "HMax",           "Modelo_Planta",
                                         "Coef_Descarga",   "Area_2", "Resistencia_2",  "Coef_Descarga_2",
                                         "HMax_2",          "Salida_Tanques", "Integrador"};

constexpr const char* kNotaPlanta =
    "La planta de este ejercicio no se muestra: identifíquela a partir del registro.";

// A message of the run (an overflow, a text that does not convert) ends the exercise: it must not happen.
class MensajesVariante : public Mensajes {
public:
    void Mostrar(const std::string& texto) override {
        if (primero.empty()) primero = texto;
    }
    void Repetido(Corrida, const std::string& texto, int) override { Mostrar(texto); }
    void FinRepetido(Corrida) override {}
    std::string primero;
};

std::string Ruta(const std::string& carpeta, const char* nombre) {
    return carpeta.empty() || carpeta.back() == '/' ? carpeta + nombre : carpeta + "/" + nombre;
}

// The open-loop run of the student's signal on the true plant, written as tanque-lote escalon writes it: the
// record and its description replaced as one pair, the description's plant left out before it is written.
void EscribirRegistro(const VarianteAlumno& v, const std::string& registro) {
    TextosMapa textos = TextosIniciales('.');
    textos.Poner("Resistencia", v.resistencia);
    textos.Poner("Area", v.area);
    for (const auto& [nombre, texto] : v.textos) textos.Poner(nombre, texto);
    PosicionValor posicion;
    MensajesVariante mensajes;
    Simulador sim(textos, posicion, mensajes, Series::Descartar);
    ParFormato par(FormatoRegistro::Texto, registro, FormaRegistro{}, NombreDescripcion(registro));
    ContenidoRegistro contenido;
    try {
        sim.Alternar(Corrida::Escalon);
        par.Registro().PonerMuestreo(sim.Estado().T_Muestreo);
        for (std::int32_t k = 0; k < v.muestras && sim.Timer(Corrida::Escalon).Enabled && mensajes.primero.empty();
             ++k) {
            sim.Tick(Corrida::Escalon);
            const MuestraGraficada& m = sim.UltimaMuestra();
            par.Registro().Anadir(static_cast<double>(m.n), m.accion, m.nivel);
            contenido.Anadir(m.n, sim.Registro().Ultima(Corrida::Escalon));
        }
    } catch (const ErrorTanque&) {
        par.Descartar();
        throw;
    }
    if (!mensajes.primero.empty() || contenido.Lineas() != v.muestras) {
        par.Descartar();
        throw ErrorTanque("la corrida del ejercicio se detuvo: " +
                          (mensajes.primero.empty() ? std::string("sin mensaje") : mensajes.primero));
    }
    par.Confirmar([&](const ResumenArchivo* huella) {
        return DescripcionSinPlanta(DescribirRegistro(contenido, registro, huella));
    });
}

// The student's set-up: the sample time, the signal, the noise and the slider of the PID item; no plant.
std::string Configuracion_(const VarianteAlumno& v) {
    Configuracion c;
    std::vector<std::string> orden;
    for (const auto& [nombre, texto] : v.textos) {
        c.textos[nombre] = texto;
        orden.push_back(nombre);
    }
    c.posicion = v.objetivo.posicion;
    return EscribirConfiguracion(c, orden);
}

}  // namespace

void CrearCarpeta(const std::string& carpeta) {
    if (::mkdir(carpeta.c_str(), 0777) == 0 || errno == EEXIST) {
        struct stat e {};
        if (::stat(carpeta.c_str(), &e) == 0 && S_ISDIR(e.st_mode)) return;
        throw ErrorTanque("la carpeta " + carpeta + " no es una carpeta");
    }
    throw ErrorTanque("no se pudo crear la carpeta " + carpeta + ": " + TextoErrorArchivo(errno));
}

namespace {

// Numbers of the statement with a decimal comma, as Spanish prose writes them.
std::string ConComa(double x) {
    char texto[32];
    std::snprintf(texto, sizeof texto, "%g", x);
    std::string t = texto;
    for (char& c : t)
        if (c == '.') c = ',';
    return t;
}

}  // namespace

std::string DescripcionSinPlanta(const std::string& descripcion) {
    Json j = Json::parse(descripcion);
    auto ocultar = [](Json& corrida) {
        if (!corrida.is_object()) return;
        if (corrida.contains("planta")) corrida["planta"] = {{"oculta", kNotaPlanta}};
        if (corrida.contains("textos_al_empezar"))
            for (const char* n : kTextosPlanta) corrida["textos_al_empezar"].erase(n);
    };
    if (j.contains("corrida")) ocultar(j["corrida"]);
    if (j.contains("corridas"))
        for (Json& c : j["corridas"]) ocultar(c);
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string Enunciado(const VarianteAlumno& v, std::string_view alumno, TipoEjercicio tipo) {
    const bool identificar = tipo != TipoEjercicio::Sintonia;
    const bool sintonizar = tipo != TipoEjercicio::Identificacion;
    const double referencia = ReferenciaDe(v.objetivo.posicion);
    std::string t = "Ejercicio de control de nivel: alumno " + std::string(alumno) + "\n\n";
    t += "Un tanque lineal, Tau dy/dt = -y + K u (y: nivel en m; u: caudal de entrada en m^3/s), cuyo K y Tau no se "
         "dan. Se le entregan:\n"
         "  registro.txt   el registro de una corrida en lazo abierto (columnas: muestra, acción, nivel), con "
         "ruido de medida;\n"
         "  registro.json  su descripción (muestreo, señal, ruido; la planta queda oculta);\n"
         "  configuracion.tanque  la configuración de esa corrida, sin los textos de la planta.\n"
         "El periodo de muestreo es de 500 ms.\n\n";
    int punto = 1;
    if (identificar)
        t += std::to_string(punto++) +
             ". Identifique la ganancia K (m por m^3/s) y la constante de tiempo Tau (s) de la planta. Se "
             "aceptan con un error relativo de hasta el " +
             ConComa(kToleranciaK * 100) + " % en K y del " + ConComa(kToleranciaTau * 100) + " % en Tau.\n";
    if (sintonizar)
        t += std::to_string(punto++) +
             ". Sintonice un PID (Kp, Ti en s, Td en s) para esta planta: con el tanque vacío y un escalón de la "
             "referencia a " +
             ConComa(referencia) + " m (Track_Referencia = " + std::to_string(v.objetivo.posicion) +
             "), sin ruido ni límites de la bomba, el nivel debe tener un sobreimpulso de como mucho el " +
             ConComa(v.objetivo.sobreimpulsoMaximo) + " % y entrar para siempre en la banda del 2 % antes de " +
             ConComa(v.objetivo.establecimientoMaximo) +
             " s. Se comprueba simulando " + ConComa(2 * v.objetivo.establecimientoMaximo) +
             " s de la corrida PID del programa sobre la planta verdadera.\n";
    t += "\nEntregue un archivo JSON con los números (no textos) que se piden, por ejemplo:\n  {";
    std::string campos;
    if (identificar) campos += "\"K\": 1.5, \"Tau\": 20";
    if (sintonizar) campos += std::string(campos.empty() ? "" : ", ") + "\"Kp\": 2, \"Ti\": 10, \"Td\": 0";
    t += campos + "}\n";
    if (sintonizar) t += "Td puede faltar (vale 0); Ti debe ser mayor que 0.\n";
    return t;
}

void EscribirEjercicio(const VarianteAlumno& v, std::string_view alumno, TipoEjercicio tipo,
                       const std::string& carpeta) {
    CrearCarpeta(carpeta);
    EscribirTexto(Ruta(carpeta, kArchivoConfiguracionAlumno), Configuracion_(v));
    EscribirRegistro(v, Ruta(carpeta, kArchivoRegistroAlumno));
    EscribirTexto(Ruta(carpeta, kArchivoEnunciado), Enunciado(v, alumno, tipo));
}

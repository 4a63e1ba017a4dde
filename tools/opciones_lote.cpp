#include "tools/opciones_lote.h"

#include <cstdint>
#include <stdexcept>

#include "base/errores.h"
#include "base/numeros.h"
#include "core/lecturas_tick.h"
#include "core/textos_mapa.h"
#include "core/textos_por_defecto.h"

namespace {

[[noreturn]] void Mal(const std::string& razon) { throw std::invalid_argument(razon); }

// A whole number from 0 to 2^31 - 1, the range of the runs' sample counter.
std::int32_t Natural(const std::string& texto, const std::string& que) {
    if (texto.empty() || texto.find_first_not_of("0123456789") != std::string::npos)
        Mal(que + " debe ser un número entero >= 0: '" + texto + "'");
    const std::size_t primera = texto.find_first_not_of('0');
    const std::string cifras = primera == std::string::npos ? "0" : texto.substr(primera);
    if (cifras.size() > 10 || std::stoll(cifras) > INT32_MAX)
        Mal(que + " es demasiado grande: '" + texto + "' (el contador de muestras llega a 2147483647)");
    return static_cast<std::int32_t>(std::stoll(cifras));
}

const char* NombreDeCorrida(Corrida c) {
    switch (c) {
        case Corrida::Escalon: return "escalon";
        case Corrida::PID: return "pid";
        case Corrida::Fuzzy: return "fuzzy";
    }
    return "";
}

// A scheduled text must be one that the run reads at every tick, before a sample that comes.
void ComprobarProgramados(const OpcionesLote& o) {
    for (const auto& [n, textos] : o.programados) {
        for (const auto& [nombre, texto] : textos) {
            const std::string opcion = "--" + nombre + "@" + std::to_string(n) + "=" + texto;
            if (n >= o.muestras)
                Mal(opcion + ": la muestra " + std::to_string(n) + " no llega; la corrida hace " +
                    (o.muestras == 0 ? std::string("ninguna muestra")
                                     : "las muestras 0 a " + std::to_string(o.muestras - 1)));
            if (!SeLeeEnCadaTick(o.corrida, nombre)) {
                std::string leidos;
                for (const char* l : LeidosEnCadaTick(o.corrida)) leidos += std::string(leidos.empty() ? "" : ", ") + l;
                Mal(opcion + ": la corrida " + NombreDeCorrida(o.corrida) + " no lee " + nombre +
                    " en cada muestra (lo lee al empezar o al inicializar el control fuzzy), así que el cambio "
                    "no actuaría; en cada muestra lee " +
                    leidos + ". Para cambiarlo desde el principio: --" + nombre + "=" + texto);
            }
        }
    }
}

// reproducir ARCHIVO: the texts and the run come from the file; only the outputs and the separator are options.
OpcionesLote Reproducir(OpcionesLote o, const std::vector<std::string>& posicionales) {
    if (posicionales.size() != 2) Mal("reproducir espera un archivo de configuración, y solo uno");
    if (!o.textos.empty() || !o.programados.empty() || o.configuracion)
        Mal("reproducir toma los textos del archivo: no admite --NOMBRE=TEXTO, --NOMBRE@N=TEXTO ni --config");
    o.reproducir = posicionales[1];
    return o;
}

}  // namespace

bool NombreValido(const std::string& nombre) {
    if (nombre == kTrackReferencia) return true;
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna)
            if (nombre == NombreCelda(columna, fila)) return true;
    return !TextoPorDefectoDe(nombre, '.').empty();
}

OpcionesLote LeerOpciones(const std::vector<std::string>& argumentos) {
    OpcionesLote o;
    std::vector<std::string> posicionales;
    for (const std::string& a : argumentos) {
        if (a == "--help" || a == "-h" || a == "--ayuda") {
            o.ayuda = true;
        } else if (a == "--traza") {
            o.traza = true;
        } else if (a.rfind("--decimal=", 0) == 0) {
            const std::string d = a.substr(10);
            if (d != "." && d != ",") Mal("--decimal debe ser '.' o ','");
            o.decimal = d[0];
        } else if (a.rfind("--salida=", 0) == 0) {
            if (a.size() == 9) Mal("--salida necesita el nombre de un archivo");
            o.salida = a.substr(9);
        } else if (a.rfind("--config=", 0) == 0) {
            if (a.size() == 9) Mal("--config necesita el nombre de un archivo");
            o.configuracion = a.substr(9);
        } else if (a.rfind("--", 0) == 0) {
            const auto igual = a.find('=');
            if (igual == std::string::npos) Mal("opción desconocida: " + a);
            std::string nombre = a.substr(2, igual - 2);
            const std::string texto = a.substr(igual + 1);
            std::optional<std::int32_t> en;
            if (const auto arroba = nombre.find('@'); arroba != std::string::npos) {
                en = Natural(nombre.substr(arroba + 1), "El número de muestra tras @ en " + a);
                nombre.resize(arroba);
            }
            if (!NombreValido(nombre)) Mal("nombre desconocido: --" + nombre);
            if (nombre == kTrackReferencia) {
                try {
                    TextoAEntero(texto);
                } catch (const ErrorConversion& e) {
                    Mal(std::string(kTrackReferencia) + ": " + e.what());
                }
            }
            if (en)
                o.programados[*en].emplace_back(nombre, texto);
            else
                o.textos.emplace_back(nombre, texto);
        } else {
            posicionales.push_back(a);
        }
    }
    if (o.ayuda) return o;
    if (!posicionales.empty() && posicionales[0] == "reproducir") return Reproducir(std::move(o), posicionales);
    if (posicionales.size() != 2) Mal("se esperan una corrida y un número de muestras");
    if (posicionales[0] == "escalon")
        o.corrida = Corrida::Escalon;
    else if (posicionales[0] == "pid")
        o.corrida = Corrida::PID;
    else if (posicionales[0] == "fuzzy")
        o.corrida = Corrida::Fuzzy;
    else
        Mal("la corrida debe ser escalon, pid o fuzzy: '" + posicionales[0] + "'");
    o.muestras = Natural(posicionales[1], "MUESTRAS");
    ComprobarProgramados(o);
    return o;
}

const char* TextoDeUso() {
    return "uso: tanque-lote escalon|pid|fuzzy MUESTRAS [--config=ARCHIVO] [--NOMBRE=TEXTO]... [--NOMBRE@N=TEXTO]...\n"
           "                [--decimal=,] [--salida=ARCHIVO] [--traza]\n"
           "     tanque-lote reproducir ARCHIVO [--decimal=,] [--salida=ARCHIVO] [--traza]\n"
           "Pruebe 'tanque-lote --help' para más información.\n";
}

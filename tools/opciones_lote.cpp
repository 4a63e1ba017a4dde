#include "tools/opciones_lote.h"

#include <stdexcept>

#include "base/errores.h"
#include "base/numeros.h"
#include "core/textos_mapa.h"
#include "core/textos_por_defecto.h"

namespace {

std::int64_t Natural(const std::string& texto, const char* que) {
    if (texto.empty() || texto.size() > 18 || texto.find_first_not_of("0123456789") != std::string::npos)
        throw std::invalid_argument(std::string(que) + " must be a whole number >= 0: '" + texto + "'");
    return std::stoll(texto);
}

}  // namespace

bool NombreValido(const std::string& nombre) {
    if (nombre == "Track_Referencia") return true;
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
            if (d != "." && d != ",") throw std::invalid_argument("--decimal must be '.' or ','");
            o.decimal = d[0];
        } else if (a.rfind("--salida=", 0) == 0) {
            if (a.size() == 9) throw std::invalid_argument("--salida needs a file name");
            o.salida = a.substr(9);
        } else if (a.rfind("--", 0) == 0) {
            const auto igual = a.find('=');
            if (igual == std::string::npos) throw std::invalid_argument("unknown option " + a);
            std::string nombre = a.substr(2, igual - 2);
            const std::string texto = a.substr(igual + 1);
            std::optional<std::int32_t> en;
            if (const auto arroba = nombre.find('@'); arroba != std::string::npos) {
                const std::int64_t n = Natural(nombre.substr(arroba + 1), "the tick after @");
                if (n > INT32_MAX) throw std::invalid_argument("the tick after @ is beyond the counter's range");
                en = static_cast<std::int32_t>(n);
                nombre.resize(arroba);
            }
            if (!NombreValido(nombre)) throw std::invalid_argument("unknown name --" + nombre);
            if (nombre == "Track_Referencia") {
                try {
                    TextoAEntero(texto);
                } catch (const ErrorConversion& e) {
                    throw std::invalid_argument(std::string("Track_Referencia: ") + e.what());
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
    if (posicionales.size() != 2) throw std::invalid_argument("expected a run and a number of samples");
    if (posicionales[0] == "escalon")
        o.corrida = Corrida::Escalon;
    else if (posicionales[0] == "pid")
        o.corrida = Corrida::PID;
    else if (posicionales[0] == "fuzzy")
        o.corrida = Corrida::Fuzzy;
    else
        throw std::invalid_argument("the run must be escalon, pid or fuzzy: '" + posicionales[0] + "'");
    o.muestras = Natural(posicionales[1], "MUESTRAS");
    return o;
}

const char* TextoDeUso() {
    return "usage: tanque-lote escalon|pid|fuzzy MUESTRAS [--NOMBRE=TEXTO]... [--NOMBRE@N=TEXTO]...\n"
           "                  [--decimal=,] [--salida=ARCHIVO] [--traza]\n"
           "Try 'tanque-lote --help' for more information.\n";
}

// The fuzzy initialisation from arbitrary texts in the 45 set edits and the 25 rule cells, through
// Simulador::ToolButton11Click, then arbitrary inputs to Inferir on what it built, complete or not.
// Only ErrorTanque ever leaves them, with a message of one of the program's forms; an inference that returns
// gives a finite value that lies between the centres of the output sets named by the rules that fired.
//
// Input: [decimal byte][edit count][edits][inputs]. An edit is [field][length][text]: field % 70 picks one
// of the 45 edits in reading order or one of the 25 cells row by row; the other texts keep their defaults.
// The inputs are [mode][pair]: mode bit 0 set reads two Doubles (16 bytes), otherwise two 16-bit integers
// (4 bytes) taken in thousandths, which land among the sets.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/errores.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "fuzz/comprobar.h"
#include "tests/core/mudos.h"

namespace {

// The 70 texts that the initialisation reads, in its order.
std::vector<std::string> Campos() {
    std::vector<std::string> campos;
    for (const char* prefijo : kPrefijosFuzzy)
        for (const char* etiqueta : kEtiquetas)
            for (const char* columna : {"Tipo", "Ancho", "Centro"})
                campos.push_back(NombreFuzzy(prefijo, etiqueta, columna));
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna) campos.push_back(NombreCelda(columna, fila));
    return campos;
}

bool Empieza(const std::string& s, const char* prefijo) { return s.rfind(prefijo, 0) == 0; }
bool Termina(const std::string& s, const std::string& sufijo) {
    return s.size() >= sufijo.size() && s.compare(s.size() - sufijo.size(), sufijo.size(), sufijo) == 0;
}

// The messages that the initialisation may give; a conversion message ends at a NUL of its text.
bool MensajeDeInicializacion(const std::string& m, bool conNul) {
    return (Empieza(m, "'") && (conNul || Termina(m, "' is not a valid integer value") ||
                                Termina(m, "' is not a valid floating point value"))) ||
           m == kDesbordamiento || m == kOperacionInvalida ||
           (Empieza(m, "El conjunto ") && Termina(m, " tiene ancho 0")) ||
           (Empieza(m, "La regla de la fila ") && Termina(m, "; debe estar entre 0 y 4"));
}

void Inferir(FIS fis, double e, double de) {
    double salida = 0;
    try {
        salida = fis.Inferir(e, de);
    } catch (const ErrorTanque&) {
        return;
    }
    Exigir(std::isfinite(salida), "Inferir returned a value that is not finite");
    // a weighted average of centres with non-negative weights lies between the smallest and the largest
    double menor = INFINITY, mayor = -INFINITY;
    bool pesosNoNegativos = true;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            const double w = fis.Fuerzas[i][j];
            pesosNoNegativos &= w >= 0;
            if (w > 0) {
                const double c = fis.Conjuntos_U[static_cast<std::size_t>(fis.Tabla_Reglas[i][j])].Centro;
                menor = std::min(menor, c);
                mayor = std::max(mayor, c);
            }
        }
    Exigir(pesosNoNegativos, "a rule strength below 0");
    Exigir(menor <= mayor, "an output without a rule that fired");
    const double holgura = 1e-12 * std::max(std::fabs(menor), std::fabs(mayor));
    Exigir(salida >= menor - holgura && salida <= mayor + holgura, "an output outside the centres that fired");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
    static const std::vector<std::string> campos = Campos();
    if (n < 2) return 0;
    const char decimal = (d[0] & 1) ? ',' : '.';
    TextosMapa textos = TextosIniciales(decimal);
    std::size_t i = 2;
    bool conNul = false;
    for (unsigned k = 0; k < d[1] && i + 2 <= n; ++k) {
        const std::string& campo = campos[d[i] % campos.size()];
        const std::size_t largo = std::min<std::size_t>(d[i + 1], n - i - 2);
        std::string texto(reinterpret_cast<const char*>(d + i + 2), largo);
        conNul |= texto.find('\0') != std::string::npos;
        textos.Poner(campo, std::move(texto));
        i += 2 + largo;
    }

    PosicionFija posicion;
    MensajesMudos mensajes;
    Simulador sim(textos, posicion, mensajes);
    bool completa = true;
    try {
        sim.ToolButton11Click();
    } catch (const ErrorTanque& e) {
        completa = false;
        Exigir(MensajeDeInicializacion(e.what(), conNul), "the initialisation gave a message of no known form",
               e.what());
    }
    Exigir(sim.FuzzyInicializado() == completa, "FuzzyInicializado does not say how the initialisation ended");

    while (i < n) {
        const std::uint8_t modo = d[i++];
        double e = 0, de = 0;
        if (modo & 1) {
            if (i + 16 > n) break;
            std::memcpy(&e, d + i, 8);
            std::memcpy(&de, d + i + 8, 8);
            i += 16;
            // the runs pass finite values only
            if (!std::isfinite(e) || !std::isfinite(de)) continue;
        } else {
            if (i + 4 > n) break;
            std::int16_t a = 0, b = 0;
            std::memcpy(&a, d + i, 2);
            std::memcpy(&b, d + i + 2, 2);
            i += 4;
            e = a / 1000.0;
            de = b / 1000.0;
        }
        Inferir(sim.Controlador_Fuzzy(), e, de);
    }
    return 0;
}

// The export line from arbitrary Singles and Doubles, against the slow exact formatter of the export tests
// (the full decimal expansion by big-integer arithmetic, halves away from zero). A value that is not finite
// gives its floating-point error and no line; so does a field of CampoFijo, with any decimals and width.
//
// Input: byte 0 bit 0 chooses three Doubles (24 bytes) or a Double sample number and two Singles, as the
// series hold them (16 bytes); bits 1-5 the decimals and byte 1 the width of one CampoFijo of the first value.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/errores.h"
#include "export/formato.h"
#include "fuzz/comprobar.h"
#include "tests/export/referencia.h"

namespace {

// One field as the writer lays it out: a field after another number keeps one blank before it.
std::string Campo(double v, int decimales, int ancho, bool separado) {
    std::string t = CampoReferencia(v, decimales, 0);
    if (separado && static_cast<int>(t.size()) >= ancho) return " " + t;
    return CampoReferencia(v, decimales, ancho);
}

const char* ErrorDe(double v) { return std::isnan(v) ? kOperacionInvalida : kDesbordamiento; }

void ComprobarLinea(double muestra, double accion, double nivel) {
    std::string linea;
    try {
        linea = LineaExportacion(muestra, accion, nivel);
    } catch (const ErrorPuntoFlotante& e) {
        // the first value that is not finite names the error
        const double valores[] = {muestra, accion, nivel};
        for (double v : valores)
            if (!std::isfinite(v)) {
                Exigir(std::string(e.what()) == ErrorDe(v), "a value that is not finite gave the wrong error");
                return;
            }
        Exigir(false, "a line of finite values failed");
    }
    Exigir(std::isfinite(muestra) && std::isfinite(accion) && std::isfinite(nivel),
           "a value that is not finite was written");
    const std::string esperada =
        Campo(muestra, 0, 5, false) + Campo(accion, 4, 9, true) + Campo(nivel, 4, 9, true) + "\r\n";
    Exigir(linea == esperada, "the line differs from the exact formatter");
}

void ComprobarCampo(double v, int decimales, int ancho) {
    std::string campo;
    try {
        campo = CampoFijo(v, decimales, ancho);
    } catch (const ErrorPuntoFlotante& e) {
        Exigir(!std::isfinite(v) && std::string(e.what()) == ErrorDe(v), "a field failed with the wrong error");
        return;
    }
    Exigir(std::isfinite(v), "a field of a value that is not finite was written");
    Exigir(campo == CampoReferencia(v, decimales, ancho), "the field differs from the exact formatter");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
    if (n < 2) return 0;
    const bool dobles = d[0] & 1;
    const int decimales = ((d[0] >> 1) & 31) % (kMaxDecimales + 1);
    const int ancho = d[1] % 64;
    d += 2;
    n -= 2;
    double muestra = 0, accion = 0, nivel = 0;
    if (dobles) {
        if (n < 24) return 0;
        std::memcpy(&muestra, d, 8);
        std::memcpy(&accion, d + 8, 8);
        std::memcpy(&nivel, d + 16, 8);
    } else {
        if (n < 16) return 0;
        float a = 0, y = 0;
        std::memcpy(&muestra, d, 8);
        std::memcpy(&a, d + 8, 4);
        std::memcpy(&y, d + 12, 4);
        accion = a;
        nivel = y;
    }
    ComprobarLinea(muestra, accion, nivel);
    ComprobarCampo(muestra, decimales, ancho);
    return 0;
}

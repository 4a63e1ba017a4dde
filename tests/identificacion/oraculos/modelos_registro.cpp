// For the oracles of Octave and SciPy: a record file's first-order OE and ARX models (delay 0, the period given),
// each as JsonModelo with its residual analysis, and Welch's estimate of the record; one JSON object a line.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/errores.h"
#include "export/lectura.h"
#include "identificacion/arx.h"
#include "identificacion/frecuencia.h"
#include "identificacion/informe.h"
#include "identificacion/oe.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "uso: modelos_registro REGISTRO T\n");
        return 2;
    }
    try {
        RegistroLeido leido = LeerExportacion(argv[1]);
        Registro r{std::move(leido.acciones), std::move(leido.niveles), std::atof(argv[2]), std::move(leido.muestras)};
        const IdentificacionOe oe = IdentificarOe(r, 0);
        const Identificacion arx = IdentificarArx(r, 0);
        std::printf("%s\n%s\n", JsonModelo(Lineal(oe)).c_str(), JsonModelo(Lineal(arx)).c_str());
        std::printf("%s\n", JsonResiduos(AnalizarResiduos(arx, r)).c_str());
        std::printf("%s\n", JsonRespuesta(Welch(r, 128)).c_str());
    } catch (const ErrorTanque& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

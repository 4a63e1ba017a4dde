// The lesson of the two tanks: the best linear model of an estimation record against the true structure, each
// simulated on a validation record, by the RMS of its simulation error.
//
//   leccion-dos-tanques CONFIGURACION.tanque ESTIMACION.txt VALIDACION.txt
//
// The linear models are those of the scan of orders and delays (identificacion/ordenes.h, ARX and OE up to order
// 4, ranked on the validation record); the true structure is the plant of the set-up file itself, with its own
// constants, run on the validation record's inflow from empty tanks, as the record was made.

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/configuracion.h"
#include "core/planta/planta.h"
#include "core/textos_por_defecto.h"
#include "export/lectura.h"
#include "identificacion/ordenes.h"

namespace {

Registro Leer(const std::string& archivo, double T) {
    RegistroLeido l = LeerExportacion(archivo);
    Registro r{std::move(l.acciones), std::move(l.niveles), T, std::move(l.muestras)};
    r.retardoCorrida = kRetardoLazoAbierto;
    return r;
}

double Rms(const std::vector<double>& y, const std::vector<double>& yhat) {
    double s = 0;
    for (std::size_t k = 0; k < y.size(); ++k) s += (y[k] - yhat[k]) * (y[k] - yhat[k]);
    return std::sqrt(s / static_cast<double>(y.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "uso: leccion-dos-tanques CONFIGURACION.tanque ESTIMACION.txt VALIDACION.txt\n");
        return 2;
    }
    try {
        TextosMapa textos = TextosIniciales('.');
        const std::vector<std::string> nombres = NombresDeTextos();
        for (const auto& [n, t] : LeerArchivoConfiguracion(argv[1], nombres).configuracion.textos) textos.Poner(n, t);
        const Planta& planta = PlantaDe(textos);
        Simulacion s;
        planta.LeerParametros(s, textos);
        const Registro estimacion = Leer(argv[2], s.T_Muestreo), validacion = Leer(argv[3], s.T_Muestreo);

        OpcionesBarrido o;
        o.validacion = &validacion;
        const Barrido b = BarrerOrdenes(estimacion, o);
        std::printf("Modelos lineales (barrido de órdenes, ordenados por su error en %s):\n", argv[3]);
        const FilaBarrido* mejor = nullptr;
        for (const std::vector<FilaBarrido>* tabla : {&b.arx, &b.oe}) {
            for (std::size_t i = 0; i < tabla->size() && i < 3; ++i) {
                const FilaBarrido& f = (*tabla)[i];
                std::printf("  %-3s n=%d nb=%d nk=%d: RMS de simulación %.4f\n", f.estructura.c_str(), f.n, f.nb, f.nk,
                            std::sqrt(*f.errorValidacion));
                if (!mejor || *f.errorValidacion < *mejor->errorValidacion) mejor = &f;
            }
        }

        // the true plant from empty tanks: the level of line n is measured at the end of the sample of action n
        planta.Vaciar(s);
        std::vector<double> verdad;
        int derrames = 0;
        for (double u : validacion.accion) {
            s.Accion_Control = static_cast<float>(u);
            const double antes = s.Derramado;
            const AvancePlanta a = planta.Paso(s);
            planta.Guardar(a, s);
            verdad.push_back(a.nivel);
            derrames += s.Derramado > antes;
        }
        std::printf("El tanque superior derrama en %d de las %zu muestras de %s (volumen perdido %.1f)\n", derrames,
                    verdad.size(), argv[3], s.Derramado);
        const double rmsVerdad = Rms(validacion.nivel, verdad);
        const double rmsLineal = std::sqrt(*mejor->errorValidacion);
        std::printf("Mejor lineal: %s(%d) nk=%d, RMS %.4f\n", mejor->estructura.c_str(), mejor->n, mejor->nk,
                    rmsLineal);
        std::printf("Estructura verdadera (la planta del archivo): RMS %.4f\n", rmsVerdad);
        std::printf("Razón lineal / verdadera: %.2f\n", rmsLineal / rmsVerdad);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "leccion-dos-tanques: %s\n", e.what());
        return 1;
    }
    return 0;
}

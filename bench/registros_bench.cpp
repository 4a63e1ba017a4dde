// One record of N samples written in one format into a folder: the peak resident memory of the process and
// the time it took, as one line. bench/memoria_registros runs it once per size, each in a fresh process.
//
//   bench_registros FORMATO MUESTRAS CARPETA      FORMATO: texto csv mat h5

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/errores.h"
#include "export/registros.h"

int main(int argc, char** argv) {
    if (argc != 4 || !FormatoRegistroPorNombre(argv[1])) {
        std::fprintf(stderr, "usage: bench_registros texto|csv|mat|h5 MUESTRAS CARPETA\n");
        return 2;
    }
    const FormatoRegistro formato = *FormatoRegistroPorNombre(argv[1]);
    const long long n = std::atoll(argv[2]);
    const std::string ruta = std::string(argv[3]) + "/registro." + argv[1];
    // a reference and a disturbance beside the four fixed columns, as the loop elements of a lab will add
    const FormaRegistro forma{0.5, {{"r", "referencia", "m"}, {"d", "perturbacion", "m^3/s"}}, R"({"formato": "x"})"};
    const auto inicio = std::chrono::steady_clock::now();
    try {
        const auto escritor = AbrirRegistro(formato, ruta, forma);
        for (long long i = 0; i < n; ++i) {
            // an action and a level as a run makes them: Singles
            const float accion = static_cast<float>(2.0 + std::sin(static_cast<double>(i) * 0.001));
            const float nivel = static_cast<float>(4.0 * (1.0 - std::exp(-static_cast<double>(i % 100000) / 700.0)));
            const double adicionales[2] = {2.5, 0.0};
            escritor->Anadir(static_cast<double>(i), accion, nivel, adicionales);
        }
        escritor->Confirmar();
    } catch (const ErrorTanque& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("%-6s %10lld %10ld %10.2f %12lld\n", argv[1], n, uso.ru_maxrss, segundos,
                static_cast<long long>(std::filesystem::file_size(ruta)));
    std::filesystem::remove(ruta);
    return 0;
}

// The slots of the temporary files that a signal removes: threads that note names at once never share a slot,
// and a signal's sweep removes exactly the files noted and not yet forgotten.

#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "export/temporales.h"
#include "tests/export/utilidades.h"

namespace {

TEST(Temporales, LosHilosNuncaCompartenUnaRanura) {
    CarpetaTemporal carpeta;
    constexpr int kHilos = 4, kPorHilo = 2;  // a record and its description on each thread of a sweep
    for (int vuelta = 0; vuelta < 50; ++vuelta) {
        int ranuras[kHilos][kPorHilo];
        std::atomic<int> listos{0};
        std::vector<std::thread> hilos;
        for (int h = 0; h < kHilos; ++h)
            hilos.emplace_back([&, h] {
                ++listos;
                while (listos.load() < kHilos) std::this_thread::yield();
                for (int k = 0; k < kPorHilo; ++k)
                    ranuras[h][k] = AnotarTemporal(carpeta.Ruta("t" + std::to_string(h) + "-" + std::to_string(k)).c_str());
            });
        for (std::thread& t : hilos) t.join();
        std::set<int> vistas;
        for (auto& r : ranuras)
            for (int s : r) {
                EXPECT_GE(s, 0);
                EXPECT_TRUE(vistas.insert(s).second) << "ranura " << s << " dada dos veces en la vuelta " << vuelta;
            }
        for (auto& r : ranuras)
            for (int s : r) OlvidarTemporal(s);
    }
}

TEST(Temporales, LaSenalBorraLosAnotadosYNoLosOlvidados) {
    CarpetaTemporal carpeta;
    const std::string a = carpeta.Ruta("a.tmp"), b = carpeta.Ruta("b.tmp");
    std::ofstream(a) << "x";
    std::ofstream(b) << "y";
    const int ra = AnotarTemporal(a.c_str()), rb = AnotarTemporal(b.c_str());
    ASSERT_GE(ra, 0);
    ASSERT_GE(rb, 0);
    OlvidarTemporal(rb);
    BorrarTemporales();
    EXPECT_FALSE(std::filesystem::exists(a));
    EXPECT_TRUE(std::filesystem::exists(b));
    OlvidarTemporal(ra);
}

}  // namespace

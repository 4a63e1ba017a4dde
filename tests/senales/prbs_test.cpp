// The PRBS of every order: its period, its balance, its two-valued autocorrelation, the test patterns of
// ITU-T O.150, and how the seed and the clock period place it.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "senales/prbs.h"
#include "tests/senales/comun.h"

namespace {

// One period and a half of bits of the PRBS of order n, from the signal itself at one sample per clock
// (levels 0 and 1): b[k] for k = 0 .. 3P/2.
std::vector<bool> Bits(int orden, std::uint64_t semilla, std::int64_t cuantos) {
    ParametrosSenal p = De(TipoSenal::PRBS);
    p.orden = orden;
    p.semilla = semilla;
    p.periodo = 1;
    p.minimo = 0;
    p.maximo = 1;
    GeneradorSenal g(p);
    std::vector<bool> b(static_cast<std::size_t>(cuantos));
    for (std::int64_t k = 0; k < cuantos; ++k) b[static_cast<std::size_t>(k)] = g.Valor(k) == 1.0;
    return b;
}

std::int64_t Periodo(int orden) { return (std::int64_t{1} << orden) - 1; }

// The primes that divide n.
std::vector<std::int64_t> Primos(std::int64_t n) {
    std::vector<std::int64_t> p;
    for (std::int64_t q = 2; q * q <= n; ++q)
        if (n % q == 0) {
            p.push_back(q);
            while (n % q == 0) n /= q;
        }
    if (n > 1) p.push_back(n);
    return p;
}

// The bits of two periods packed in words, so that any circular shift of the period is read 64 bits at a time.
struct Empaquetado {
    std::vector<std::uint64_t> w;
    std::int64_t P;

    Empaquetado(const std::vector<bool>& b, std::int64_t periodo)
        : w(static_cast<std::size_t>(2 * periodo / 64 + 2)), P(periodo) {
        for (std::int64_t k = 0; k < 2 * P; ++k)
            if (b[static_cast<std::size_t>(k % P)]) w[static_cast<std::size_t>(k / 64)] |= std::uint64_t{1} << (k % 64);
    }
    // 64 bits from bit k
    std::uint64_t Palabra(std::int64_t k) const {
        const std::size_t i = static_cast<std::size_t>(k / 64);
        const int s = static_cast<int>(k % 64);
        return s == 0 ? w[i] : (w[i] >> s) | (w[i + 1] << (64 - s));
    }
    // circular autocorrelation at lag m with the bits taken as -1 and +1: P - 2 (bits that differ)
    std::int64_t Autocorrelacion(std::int64_t m) const {
        std::int64_t distintos = 0;
        for (std::int64_t k = 0; k < P; k += 64) {
            std::uint64_t x = Palabra(k) ^ Palabra(k + m);
            if (P - k < 64) x &= (std::uint64_t{1} << (P - k)) - 1;
            distintos += std::popcount(x);
        }
        return P - 2 * distintos;
    }
};

}  // namespace

TEST(PRBS, LosPolinomiosDeO150) {
    struct Caso {
        int orden;
        std::vector<int> exponentes;
    };
    for (const Caso& c : {Caso{7, {7, 6}}, {9, {9, 5}}, {11, {11, 9}}, {15, {15, 14}}, {20, {20, 3}}}) {
        const Polinomio& pol = PolinomioPRBS(c.orden);
        EXPECT_EQ(std::vector<int>(pol.exponentes, pol.exponentes + pol.cuantos), c.exponentes) << c.orden;
    }
}

TEST(PRBS, CadaOrdenTienePeriodoMaximoYEquilibrio) {
    for (int orden = 2; orden <= 20; ++orden) {
        const std::int64_t P = Periodo(orden);
        const std::vector<bool> b = Bits(orden, 1, 2 * P);
        // repeats after P clocks
        std::int64_t repetidos = 0;
        for (std::int64_t k = 0; k < P; ++k) repetidos += b[k] == b[k + P];
        EXPECT_EQ(repetidos, P) << "orden " << orden;
        // and after no fewer: a shorter period would divide P, and so would divide P / q for a prime q of P
        for (const std::int64_t q : Primos(P)) {
            bool distinto = false;
            for (std::int64_t k = 0; k < P && !distinto; ++k) distinto = b[k] != b[k + P / q];
            EXPECT_TRUE(distinto) << "orden " << orden << " repite a los " << P / q;
        }
        std::int64_t unos = 0;
        for (std::int64_t k = 0; k < P; ++k) unos += b[k];
        EXPECT_EQ(unos, std::int64_t{1} << (orden - 1)) << "orden " << orden;
        EXPECT_EQ(P - unos, (std::int64_t{1} << (orden - 1)) - 1) << "orden " << orden;
    }
}

TEST(PRBS, AutocorrelacionCircularTieneDosValores) {
    // P at lag 0 and -1 at every other lag: every lag up to order 16, and 3000 lags of each higher order
    std::mt19937_64 azar(9);
    for (int orden = 2; orden <= 20; ++orden) {
        const std::int64_t P = Periodo(orden);
        const Empaquetado e(Bits(orden, 1, P), P);
        EXPECT_EQ(e.Autocorrelacion(0), P);
        std::vector<std::int64_t> retardos;
        if (orden <= 16) {
            for (std::int64_t m = 1; m < P; ++m) retardos.push_back(m);
        } else {
            for (std::int64_t m = 1; m <= 1000; ++m) retardos.insert(retardos.end(), {m, P - m});
            for (int j = 0; j < 1000; ++j) retardos.push_back(1 + static_cast<std::int64_t>(azar() % (P - 1)));
        }
        std::int64_t malos = 0;
        for (const std::int64_t m : retardos) malos += e.Autocorrelacion(m) != -1;
        EXPECT_EQ(malos, 0) << "orden " << orden;
    }
}

TEST(PRBS, PRBS9DesdeTodosUnos) {
    // the O.150 PRBS9 from the state of all ones, first bit first, eight to a byte: FF 83 DF 17 32 09 4E D1
    // (the Bluetooth LE test payload, which sends the same bits least significant first: FF C1 FB E8 4C 90 72 8B)
    const std::vector<bool> b = Bits(9, 0, 64);
    const std::uint8_t esperado[] = {0xFF, 0x83, 0xDF, 0x17, 0x32, 0x09, 0x4E, 0xD1};
    for (int i = 0; i < 8; ++i) {
        unsigned byte = 0;
        for (int j = 0; j < 8; ++j) byte = byte << 1 | b[8 * i + j];
        EXPECT_EQ(byte, esperado[i]) << "byte " << i;
    }
}

TEST(PRBS, PRBS7DesdeTodosUnos) {
    // x^7 + x^6 + 1 from all ones: one whole period
    const std::string esperado =
        "1111111000000100000110000101000111100100010110011101010011111010000111000100100110110101101111011000110100101"
        "110111001100101010";
    const std::vector<bool> b = Bits(7, 0, 127);
    std::string s;
    for (const bool x : b) s += x ? '1' : '0';
    EXPECT_EQ(s, esperado);
}

TEST(PRBS, LaSemillaEligeElPuntoDePartida) {
    // every seed gives the same period started elsewhere; seeds equal modulo P give the same start
    const int orden = 9;
    const std::int64_t P = Periodo(orden);
    const std::vector<bool> cero = Bits(orden, 0, 2 * P);
    std::vector<std::int64_t> desplazamientos;
    for (std::uint64_t semilla = 0; semilla < 20; ++semilla) {
        const std::vector<bool> b = Bits(orden, semilla, P);
        std::int64_t d = -1;
        for (std::int64_t s = 0; s < P && d < 0; ++s)
            if (std::equal(b.begin(), b.end(), cero.begin() + s)) d = s;
        ASSERT_GE(d, 0) << "semilla " << semilla;
        desplazamientos.push_back(d);
    }
    std::sort(desplazamientos.begin(), desplazamientos.end());
    EXPECT_EQ(std::adjacent_find(desplazamientos.begin(), desplazamientos.end()), desplazamientos.end());
    EXPECT_EQ(Bits(orden, 3, 100), Bits(orden, 3 + static_cast<std::uint64_t>(P), 100));
    EXPECT_EQ(Bits(orden, 0, 100), Bits(orden, 5 * static_cast<std::uint64_t>(P), 100));
}

TEST(PRBS, CadaRelojDuraElPeriodoYLosNivelesSonLosDados) {
    ParametrosSenal p = De(TipoSenal::PRBS);
    p.orden = 5;
    p.periodo = 7;
    p.minimo = -0.25;
    p.maximo = 3.5;
    GeneradorSenal g(p);
    const std::vector<bool> b = Bits(5, p.semilla, 100);
    for (std::int64_t n = 0; n < 700; ++n) ASSERT_EQ(g.Valor(n), b[n / 7] ? 3.5 : -0.25) << n;
}

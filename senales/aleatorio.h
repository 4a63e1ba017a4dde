#pragma once
// Seeded randomness that gives the same numbers on every machine: the engine is std::mt19937_64, whose
// output the C++ standard fixes bit for bit, and every step from its words to a number is written here
// (the standard's distributions differ between library implementations).
//
// A stream is cut into blocks of 4096 words; block b comes from an engine seeded with a mix of the seed, a
// domain and b. So word i is reached from the start of its block, whatever was asked before: reading in
// order costs one engine step per word, going back at most one block. The domain keeps apart the streams of
// two uses that the user gave the same seed (the signal and the measurement noise).

#include <cstdint>
#include <random>

/// The streams' domains.
inline constexpr std::uint64_t kDominioSenal = 1;
inline constexpr std::uint64_t kDominioRuido = 2;

/// SplitMix64's finaliser: a bijection of 64-bit words that spreads every input bit over the output.
std::uint64_t Mezcla(std::uint64_t x);

/// [0, 1) from the 53 high bits of a word: (w >> 11) x 2^-53, exact.
double Uniforme(std::uint64_t palabra);

/// a + (b - a) u for u in [0, 1), kept within [a, b] (a <= b). Throws ErrorPuntoFlotante.
double EnIntervalo(double a, double b, double u);

/// A whole number in 0 .. k-1 (k >= 1), every one equally likely: the words below 2^64 mod k are refused and
/// another one is taken, so the result is w mod k of the first word accepted.
template <typename Fuente>
std::uint64_t EnteroHasta(std::uint64_t k, Fuente&& siguiente) {
    const std::uint64_t umbral = (0 - k) % k;  // 2^64 mod k
    for (;;) {
        const std::uint64_t w = siguiente();
        if (w >= umbral) return w % k;
    }
}

/// Two independent standard normal values from two words by Box-Muller: r = sqrt(-2 ln u1) with
/// u1 = 1 - Uniforme(w1) in (0, 1], and the angle 2 pi u2 with u2 = Uniforme(w2); {r cos, r sin}.
struct ParNormal {
    long double z0, z1;
};
ParNormal BoxMuller(std::uint64_t w1, std::uint64_t w2);

/// The seeded stream of 64-bit words, read at any position.
class FlujoAleatorio {
public:
    static constexpr int kBitsBloque = 12;

    FlujoAleatorio(std::uint64_t semilla, std::uint64_t dominio);

    /// Word i (i >= 0) of the stream: engine output i mod 4096 of block i / 4096, whose engine is
    /// std::mt19937_64 seeded with Mezcla(Mezcla(Mezcla(semilla) ^ dominio) + block).
    std::uint64_t Palabra(std::int64_t i);

private:
    std::uint64_t clave_;
    std::mt19937_64 motor_;
    std::int64_t bloque_ = -1;    // block of motor_; -1 before the first word
    std::int64_t siguiente_ = 0;  // position of the word that motor_ gives next
    std::uint64_t ultima_ = 0;    // the word at siguiente_ - 1, asked again by every sample of a clock
};

/// Standard normal values by position: value i is z0 of the pair made of words 2j and 2j + 1 for i = 2j,
/// and z1 of that pair for i = 2j + 1. The last pair is kept, so reading in order makes one pair for two values.
class NormalPorPosicion {
public:
    NormalPorPosicion(std::uint64_t semilla, std::uint64_t dominio) : flujo_(semilla, dominio) {}

    /// Value i (i >= 0).
    long double Valor(std::int64_t i);

private:
    FlujoAleatorio flujo_;
    std::int64_t par_ = -1;
    ParNormal z_{0, 0};
};

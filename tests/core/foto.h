#pragma once
// A snapshot of what the simulator's handlers may change, for checking that a handler changed only what it
// should.

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "tests/core/banco.h"

// Everything a handler may change, except the fuzzy system.
struct Foto {
    Simulacion estado;
    std::array<Temporizador, kNumCorridas> timers;
    std::array<std::vector<Punto>, 3> series;
    Barra nivel;
    std::array<bool, kNumControles> habilitados;
};

inline Foto Tomar(const Simulador& s) {
    Foto f{s.Estado(), {}, {}, s.Nivel(), {}};
    for (std::size_t r = 0; r < kNumCorridas; ++r) f.timers[r] = s.Timer(static_cast<Corrida>(r));
    const Serie* series[] = {&s.Series1(), &s.Series2(), &s.Series3()};
    for (std::size_t k = 0; k < 3; ++k)
        for (std::size_t i = 0; i < series[k]->Cuenta(); ++i) f.series[k].push_back((*series[k])[i]);
    for (std::size_t c = 0; c < kNumControles; ++c) f.habilitados[c] = s.Habilitado(static_cast<Control>(c));
    return f;
}

constexpr std::pair<const char*, float Simulacion::*> kSimples[] = {{"Volumen", &Simulacion::Volumen},
                                                                    {"Accion_Control", &Simulacion::Accion_Control},
                                                                    {"T_Muestreo", &Simulacion::T_Muestreo},
                                                                    {"R_Hidraulica", &Simulacion::R_Hidraulica},
                                                                    {"Tau", &Simulacion::Tau},
                                                                    {"Nivel_Max", &Simulacion::Nivel_Max},
                                                                    {"Error_Ant", &Simulacion::Error_Ant},
                                                                    {"Integral", &Simulacion::Integral},
                                                                    {"D_Error", &Simulacion::D_Error}};
constexpr std::pair<const char*, double Simulacion::*> kDobles[] = {
    {"Salida_Fuzzy", &Simulacion::Salida_Fuzzy}, {"Salida_Fuzzy_Ant", &Simulacion::Salida_Fuzzy_Ant}};

// Equal field by field, numbers by their bits; the first difference is named.
inline ::testing::AssertionResult Iguales(const Foto& a, const Foto& b) {
    for (auto [nombre, campo] : kSimples)
        if (Bits(a.estado.*campo) != Bits(b.estado.*campo))
            return ::testing::AssertionFailure() << nombre << ": " << a.estado.*campo << " vs " << b.estado.*campo;
    for (auto [nombre, campo] : kDobles)
        if (Bits(a.estado.*campo) != Bits(b.estado.*campo)) return ::testing::AssertionFailure() << nombre;
    for (std::size_t r = 0; r < kNumCorridas; ++r)
        if (a.timers[r].Enabled != b.timers[r].Enabled || a.timers[r].Interval != b.timers[r].Interval ||
            a.timers[r].Tag != b.timers[r].Tag)
            return ::testing::AssertionFailure() << "timer of run " << r;
    for (std::size_t k = 0; k < 3; ++k) {
        if (a.series[k].size() != b.series[k].size())
            return ::testing::AssertionFailure()
                   << "Series" << k + 1 << " has " << a.series[k].size() << " points, not " << b.series[k].size();
        for (std::size_t i = 0; i < a.series[k].size(); ++i)
            if (Bits(a.series[k][i].x) != Bits(b.series[k][i].x) || Bits(a.series[k][i].y) != Bits(b.series[k][i].y))
                return ::testing::AssertionFailure() << "Series" << k + 1 << " point " << i;
    }
    if (a.nivel.Top != b.nivel.Top || a.nivel.Height != b.nivel.Height)
        return ::testing::AssertionFailure() << "level bar";
    if (a.habilitados != b.habilitados) return ::testing::AssertionFailure() << "enabled controls";
    return ::testing::AssertionSuccess();
}

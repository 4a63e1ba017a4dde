#include "core/textos_senal.h"

namespace {

// clang-format off
constexpr TextoPorDefecto kTabla[] = {
    {"Senal_Tipo", "Escalón"},
    {"Senal_Minimo", "0.5"}, {"Senal_Maximo", "2"},
    {"Senal_Periodo", "10"}, {"Senal_Orden", "6"}, {"Senal_Semilla", "1"},
    {"Senal_Frecuencia_Min", "0.01"}, {"Senal_Frecuencia_Max", "0.2"},
    {"Senal_Componentes", "10"}, {"Senal_Longitud", "400"},
    {"Ruido_Desviacion", "0"}, {"Ruido_Semilla", "1"},
};
// clang-format on

}  // namespace

std::span<const TextoPorDefecto> TextosSenal() { return kTabla; }

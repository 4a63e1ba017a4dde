#include "core/textos_senal.h"

#include <cstring>

namespace {

constexpr const char* kSenal[] = {"Senal_Tipo",        "Senal_Minimo",  "Senal_Maximo",         "Senal_Periodo",
                                  "Senal_Orden",       "Senal_Semilla", "Senal_Frecuencia_Min", "Senal_Frecuencia_Max",
                                  "Senal_Componentes", "Senal_Longitud"};
constexpr const char* kRuido[] = {"Ruido_Desviacion", "Ruido_Semilla"};

}  // namespace

std::span<const TextoPorDefecto> TextosSenal() {
    const std::span<const TextoPorDefecto> tabla = TextosPorDefecto();
    for (std::size_t i = 0; i < tabla.size(); ++i)
        if (std::strcmp(tabla[i].nombre, kSenal[0]) == 0) return tabla.subspan(i);
    return {};
}

std::span<const char* const> TextosSenalEnCadaTick() { return kSenal; }
std::span<const char* const> TextosRuidoEnCadaTick() { return kRuido; }

#include "core/textos_senal.h"

#include <cstring>

namespace {

constexpr const char* kSenal[] = {"Senal_Tipo",        "Senal_Minimo",  "Senal_Maximo",         "Senal_Periodo",
                                  "Senal_Orden",       "Senal_Semilla", "Senal_Frecuencia_Min", "Senal_Frecuencia_Max",
                                  "Senal_Componentes", "Senal_Longitud"};
constexpr const char* kRuido[] = {"Ruido_Desviacion", "Ruido_Semilla"};

}  // namespace

std::span<const TextoPorDefecto> TextosSenal() {
    // the signal's rows and then the noise's, one block of the main table
    const std::span<const TextoPorDefecto> tabla = TextosPorDefecto();
    const auto es = [](const TextoPorDefecto& t, const char* nombre) { return std::strcmp(t.nombre, nombre) == 0; };
    for (std::size_t i = 0; i < tabla.size(); ++i)
        if (es(tabla[i], kSenal[0]))
            for (std::size_t j = i; j < tabla.size(); ++j)
                if (es(tabla[j], kRuido[std::size(kRuido) - 1])) return tabla.subspan(i, j + 1 - i);
    return {};
}

std::span<const char* const> TextosSenalEnCadaTick() { return kSenal; }
std::span<const char* const> TextosRuidoEnCadaTick() { return kRuido; }

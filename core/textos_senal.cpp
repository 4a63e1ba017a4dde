#include "core/textos_senal.h"

#include <array>
#include <cstring>

namespace {

// The block of the main table: the type, the parameters in the order of Campo, then the noise's deviation and
// seed. Its rows are the one list of these names.
constexpr std::size_t kFilasSenal = 1 + kCampos;
constexpr std::size_t kFilasRuido = 2;

struct Nombres {
    std::array<const char*, kFilasSenal> senal{};
    std::array<const char*, kFilasRuido> ruido{};
};

const Nombres& LosNombres() {
    static const Nombres n = [] {
        Nombres m;
        const std::span<const TextoPorDefecto> filas = TextosSenal();
        for (std::size_t i = 0; i < kFilasSenal; ++i) m.senal[i] = filas[i].nombre;
        for (std::size_t i = 0; i < kFilasRuido; ++i) m.ruido[i] = filas[kFilasSenal + i].nombre;
        return m;
    }();
    return n;
}

}  // namespace

std::span<const TextoPorDefecto> TextosSenal() {
    const std::span<const TextoPorDefecto> tabla = TextosPorDefecto();
    for (std::size_t i = 0; i + kFilasSenal + kFilasRuido <= tabla.size(); ++i)
        if (std::strcmp(tabla[i].nombre, kSenalTipo) == 0) return tabla.subspan(i, kFilasSenal + kFilasRuido);
    return {};
}

const char* NombreCampo(Campo c) { return LosNombres().senal[1 + static_cast<std::size_t>(c)]; }

std::span<const char* const> TextosSenalEnCadaTick() { return LosNombres().senal; }
std::span<const char* const> TextosRuidoEnCadaTick() { return LosNombres().ruido; }

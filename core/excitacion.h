#pragma once
// The open-loop run's inflow from the excitation signal, and the measurement noise of every run, as a tick reads
// them: from their texts at every tick, like Alto_Escalon, at no cost while the texts report no change.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/textos.h"
#include "senales/generador.h"
#include "senales/ruido.h"

/// The text of `nombre`; its default text (TextoPorDefectoDe, with the texts' separator) when the texts do not
/// have that edit at all, so that texts made before the signal existed run today's step without noise.
std::string TextoODefecto(const Textos& textos, std::string_view nombre);

/// Texts as the signal's and noise's readers see them: an edit that `textos` lack reads as its default text.
class TextosCompletos : public Textos {
public:
    explicit TextosCompletos(const Textos& textos) : textos_(textos) {}
    std::string Texto(std::string_view nombre) const override { return TextoODefecto(textos_, nombre); }
    std::string Celda(int columna, int fila) const override { return textos_.Celda(columna, fila); }
    char Decimal() const override { return textos_.Decimal(); }

private:
    const Textos& textos_;
};

class Excitacion {
public:
    /// Reads the signal's texts (LeerSenal, an edit the texts lack taking its default). The generator is built
    /// again only when the parameters differ from those of the one it has; nothing is read while Version()
    /// stays what it was at the last read that succeeded. Throws as LeerSenal; the signal read before stays.
    void LeerSenal(const Textos& textos);
    /// Reads the noise's texts (LeerRuido), as LeerSenal reads the signal's. Throws as LeerRuido.
    void LeerRuido(const Textos& textos);

    /// True when the signal read last is the step: the run's inflow is Alto_Escalon, read as today.
    bool EsEscalon() const { return senal_.tipo == TipoSenal::Escalon; }
    /// The inflow of sample n of a signal other than the step: its value at n stored as a Single.
    /// Throws ErrorPuntoFlotante.
    float Entrada(std::int32_t n);
    /// The measured level of sample n: y plus the noise of sample n, stored as a Single; y itself, untouched,
    /// when the deviation is 0. Throws ErrorPuntoFlotante.
    float Medir(float y, std::int32_t n);

    const ParametrosSenal& Senal() const { return senal_; }
    const ParametrosRuido& RuidoLeido() const { return ruidoLeido_; }
    /// How many generators have been built: a read that finds the same parameters builds none.
    std::uint64_t Construcciones() const { return construcciones_; }

private:
    std::uint64_t versionSenal_ = 0;  // the texts' version at the last good read; 0: read at the next tick
    std::uint64_t versionRuido_ = 0;
    ParametrosSenal senal_;
    std::optional<GeneradorSenal> generador_;  // none for the step
    ParametrosRuido ruidoLeido_;
    Ruido ruido_{ParametrosRuido{}};
    std::uint64_t construcciones_ = 0;
};

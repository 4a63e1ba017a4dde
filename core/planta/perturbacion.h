#pragma once
// The load disturbance: an outflow demand from the measured tank (a second outlet), driven by any signal of
// senales/ with texts of its own, Perturbacion_Tipo, Perturbacion_Minimo ... and its own seed. Perturbacion_Tipo
// "Ninguna" (the default) is none, and the plant's inflow is the pump's, bit for bit.

#include <cstdint>
#include <optional>

#include "core/textos.h"
#include "senales/generador.h"
#include "senales/parametros.h"

inline constexpr const char* kPerturbacionTipo = "Perturbacion_Tipo";
inline constexpr const char* kPerturbacionMaximo = "Perturbacion_Maximo";
inline constexpr const char* kPerturbacionInicio = "Perturbacion_Inicio";
inline constexpr const char* kSinPerturbacion = "Ninguna";
inline constexpr const char* kInicioNegativo = "Perturbacion_Inicio no puede ser negativo";

/// What the press read of the disturbance's texts.
struct ParametrosPerturbacion {
    ParametrosSenal senal;     ///< the type Escalon is the constant Perturbacion_Maximo
    std::int32_t inicio = 0;   ///< the sample at which the demand begins; 0 before it
};

/// The disturbance of the texts, none for Perturbacion_Tipo "Ninguna": the signal's texts as LeerSenal reads the
/// Senal_ ones, Perturbacion_ for Senal_ (a text the texts lack takes its default), then Perturbacion_Inicio.
/// Throws as LeerSenal, naming the Perturbacion_ text.
std::optional<ParametrosPerturbacion> LeerPerturbacion(const Textos& textos);

/// The demand of each sample.
class Perturbacion {
public:
    explicit Perturbacion(const ParametrosPerturbacion& p) : p_(p), generador_(p.senal) {}
    /// The outflow demanded during the period that ends at sample n.
    double Valor(std::int32_t n);
    const ParametrosPerturbacion& Parametros() const { return p_; }

private:
    ParametrosPerturbacion p_;
    GeneradorSenal generador_;
};

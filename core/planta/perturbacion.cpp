#include "core/planta/perturbacion.h"

#include <cctype>
#include <string>

#include "base/errores.h"
#include "core/excitacion.h"
#include "core/lectura.h"
#include "core/lectura_senal.h"

namespace {

constexpr std::string_view kSenal = "Senal_";
constexpr std::string_view kPerturbacion = "Perturbacion_";

// The texts of the disturbance under the names of the signal's: Senal_Maximo reads Perturbacion_Maximo.
class ComoSenal : public Textos {
public:
    explicit ComoSenal(const Textos& t) : t_(t) {}
    std::string Texto(std::string_view nombre) const override { return TextoODefecto(t_, Propio(nombre)); }
    std::string Celda(int columna, int fila) const override { return t_.Celda(columna, fila); }
    char Decimal() const override { return t_.Decimal(); }
    static std::string Propio(std::string_view nombre) {
        if (nombre.substr(0, kSenal.size()) != kSenal) return std::string(nombre);
        return std::string(kPerturbacion) + std::string(nombre.substr(kSenal.size()));
    }

private:
    const Textos& t_;
};

bool EsNinguna(std::string t) {
    const std::size_t a = t.find_first_not_of(" \t"), b = t.find_last_not_of(" \t");
    if (a == std::string::npos) return false;
    t = t.substr(a, b - a + 1);
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t == "ninguna";
}

}  // namespace

std::optional<ParametrosPerturbacion> LeerPerturbacion(const Textos& textos) {
    const TextosCompletos t(textos);
    if (EsNinguna(t.Texto(kPerturbacionTipo))) return std::nullopt;
    ParametrosPerturbacion p;
    try {
        p.senal = LeerSenal(ComoSenal(textos));
    } catch (ErrorTanque& e) {
        // the error names the signal's text: name the disturbance's instead
        if (!e.Campo().empty()) {
            e.PonerCampo(ComoSenal::Propio(e.Campo()));
        } else {
            e.PonerCampo(kPerturbacionTipo);
        }
        throw;
    }
    if (p.senal.tipo == TipoSenal::Escalon) {
        // the step has no Alto_Escalon of its own: a constant demand of Perturbacion_Maximo
        p.senal.maximo = LeerDouble(t, kPerturbacionMaximo);
        p.senal.minimo = p.senal.maximo;
    }
    p.inicio = LeerEntero(t, kPerturbacionInicio);
    if (p.inicio < 0) {
        ErrorTanque e(kInicioNegativo);
        e.PonerCampo(kPerturbacionInicio);
        throw e;
    }
    return p;
}

double Perturbacion::Valor(std::int32_t n) {
    if (n < p_.inicio) return 0;
    return generador_.Valor(static_cast<std::int64_t>(n) - p_.inicio);
}

#include "core/excitacion.h"

#include "base/aritmetica.h"
#include "core/lectura_senal.h"
#include "core/textos_por_defecto.h"

namespace {

// Whether what was made of the texts at version `leida` still holds.
bool SinCambios(const Textos& textos, std::uint64_t leida) {
    const std::uint64_t v = textos.Version();
    return v != 0 && v == leida;
}

}  // namespace

std::string TextoODefecto(const Textos& textos, std::string_view nombre) {
    if (textos.Existe(nombre)) return textos.Texto(nombre);
    return TextoPorDefectoDe(nombre, textos.Decimal());
}

void Excitacion::LeerSenal(const Textos& textos) {
    if (SinCambios(textos, versionSenal_)) return;
    versionSenal_ = 0;  // a read that fails is made again at the next tick, and fails again there
    const ParametrosSenal p = ::LeerSenal(TextosCompletos(textos));
    if (p.tipo == TipoSenal::Escalon) {
        generador_.reset();
    } else if (!generador_ || !(generador_->Parametros() == p)) {
        generador_.reset();
        generador_.emplace(p);
        ++construcciones_;
    }
    senal_ = p;
    versionSenal_ = textos.Version();
}

void Excitacion::LeerRuido(const Textos& textos) {
    if (SinCambios(textos, versionRuido_)) return;
    versionRuido_ = 0;
    const ParametrosRuido r = ::LeerRuido(TextosCompletos(textos));
    if (!(r == ruidoLeido_)) {
        ruido_ = Ruido(r);
        ruidoLeido_ = r;
    }
    versionRuido_ = textos.Version();
}

float Excitacion::Entrada(std::int32_t n) { return aSingle(generador_->Valor(n)); }

float Excitacion::Medir(float y, std::int32_t n) {
    if (ruido_.Nulo()) return y;
    // y + s z_n at extended precision, rounded once
    return aSingle(static_cast<long double>(y) + ruido_.Valor(n));
}

#include "core/lectura_senal.h"

#include <array>
#include <limits>
#include <string>

#include "base/errores.h"
#include "core/lectura.h"
#include "core/textos_senal.h"

namespace {

bool EsBlanco(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

std::uint64_t TextoANatural64(std::string_view texto) {
    std::string_view t = texto;
    while (!t.empty() && EsBlanco(t.front())) t.remove_prefix(1);
    while (!t.empty() && EsBlanco(t.back())) t.remove_suffix(1);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    const auto noEs = [&] { return ErrorConversion("'" + std::string(texto) + "' is not a valid integer value"); };
    if (t.empty()) throw noEs();
    constexpr std::uint64_t kMayor = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t valor = 0;
    for (const char c : t) {
        if (c < '0' || c > '9') throw noEs();
        const std::uint64_t d = static_cast<std::uint64_t>(c - '0');
        if (valor > (kMayor - d) / 10) throw noEs();
        valor = valor * 10 + d;
    }
    return valor;
}

ParametrosSenal LeerSenal(const Textos& textos) {
    ParametrosSenal p;
    p.tipo = ConNombre(kSenalTipo, [&] { return TipoDeTexto(textos.Texto(kSenalTipo)); });
    const auto nombre = [](Campo c) { return NombreCampo(c); };
    const auto flotante = [&](Campo c) { return LeerDouble(textos, nombre(c)); };
    const auto entero = [&](Campo c) { return LeerEntero(textos, nombre(c)); };
    for (int i = 0; i < kCampos; ++i) {
        const Campo c = static_cast<Campo>(i);
        if (!Usa(p.tipo, c)) continue;
        switch (c) {
            case Campo::Minimo: p.minimo = flotante(c); break;
            case Campo::Maximo: p.maximo = flotante(c); break;
            case Campo::Periodo: p.periodo = entero(c); break;
            case Campo::Orden: p.orden = entero(c); break;
            case Campo::Semilla:
                p.semilla = ConNombre(nombre(c), [&] { return TextoANatural64(textos.Texto(nombre(c))); });
                break;
            case Campo::FrecuenciaMin: p.frecuenciaMin = flotante(c); break;
            case Campo::FrecuenciaMax: p.frecuenciaMax = flotante(c); break;
            case Campo::Componentes: p.componentes = entero(c); break;
            case Campo::Longitud: p.longitud = entero(c); break;
        }
    }
    ComprobarSenal(p);
    return p;
}

ParametrosRuido LeerRuido(const Textos& textos) {
    ParametrosRuido r;
    r.desviacion = LeerDouble(textos, "Ruido_Desviacion");
    ConNombre("Ruido_Desviacion", [&] { ComprobarRuido(r); });
    if (r.desviacion > 0.0)
        r.semilla = ConNombre("Ruido_Semilla", [&] { return TextoANatural64(textos.Texto("Ruido_Semilla")); });
    return r;
}

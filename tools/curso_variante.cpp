#include "tools/curso_variante.h"

#include <cstdio>

#include "core/utf8.h"

namespace {

// A fixed-point text: `valor` in units of 10^-decimales, written with '.' ("1734", 3 gives "1.734").
std::string Decimal(std::int64_t valor, int decimales) {
    std::int64_t escala = 1;
    for (int i = 0; i < decimales; ++i) escala *= 10;
    char texto[32];
    std::snprintf(texto, sizeof texto, "%lld.%0*lld", static_cast<long long>(valor / escala), decimales,
                  static_cast<long long>(valor % escala));
    return texto;
}

// A last digit that is not 0: the plant's texts then equal no text of the signal, the noise or the target, whose
// numbers have fewer decimals, and their product Tau is never a whole number.
std::int64_t SinCeroFinal(std::int64_t v) { return v % 10 == 0 ? v + 1 : v; }

}  // namespace

const char* NombreEjercicio(TipoEjercicio t) {
    switch (t) {
        case TipoEjercicio::Identificacion: return "identificacion";
        case TipoEjercicio::Sintonia: return "pid";
        case TipoEjercicio::Completo: return "completo";
    }
    return "completo";
}

std::optional<TipoEjercicio> EjercicioDeNombre(std::string_view nombre) {
    for (TipoEjercicio t : {TipoEjercicio::Identificacion, TipoEjercicio::Sintonia, TipoEjercicio::Completo})
        if (nombre == NombreEjercicio(t)) return t;
    return std::nullopt;
}

std::uint64_t HuellaAlumno(std::string_view curso, std::string_view alumno) {
    // FNV-1a 64: offset basis 14695981039346656037, prime 2^40 + 2^8 + 0xb3
    std::uint64_t h = 0xcbf29ce484222325ULL;
    auto mezclar = [&h](unsigned char byte) {
        h ^= byte;
        h *= 0x100000001b3ULL;
    };
    for (char c : curso) mezclar(static_cast<unsigned char>(c));
    mezclar(0xFF);
    for (char c : alumno) mezclar(static_cast<unsigned char>(c));
    return h;
}

std::uint64_t SplitMix64::Siguiente() {
    std::uint64_t z = (estado_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::int64_t SplitMix64::Entre(std::int64_t desde, std::int64_t hasta) {
    const std::uint64_t cuantos = static_cast<std::uint64_t>(hasta - desde) + 1;
    return desde + static_cast<std::int64_t>(Siguiente() % cuantos);
}

VarianteAlumno DerivarVariante(std::string_view curso, std::string_view alumno) {
    SplitMix64 azar(HuellaAlumno(curso, alumno));
    VarianteAlumno v;
    // the plant first, so that its draws do not depend on which signal follows
    v.resistencia = Decimal(SinCeroFinal(azar.Entre(800, 2499)), 3);
    v.area = Decimal(SinCeroFinal(azar.Entre(500, 1599)), 2);
    v.textos.emplace_back("T_Sample", "500");
    // levels of 0.20 to 0.60 and 1.20 to 1.60 m^3/s: at most 2.5 x 1.6 = 4 m, below HMax's 5 with the noise
    const std::string minimo = Decimal(azar.Entre(20, 60), 2);
    const std::string maximo = Decimal(azar.Entre(120, 160), 2);
    if (azar.Entre(0, 1) == 0) {
        // a PRBS of 63 or 127 clocks of 6 to 12 samples, twice its period: 756 to 3048 samples
        const std::int64_t orden = azar.Entre(6, 7);
        const std::int64_t periodo = azar.Entre(6, 12);
        v.textos.insert(v.textos.end(), {{"Senal_Tipo", "PRBS"},
                                         {"Senal_Minimo", minimo},
                                         {"Senal_Maximo", maximo},
                                         {"Senal_Periodo", std::to_string(periodo)},
                                         {"Senal_Orden", std::to_string(orden)},
                                         {"Senal_Semilla", std::to_string(azar.Entre(1, 100000))}});
        v.muestras = static_cast<std::int32_t>(2 * ((std::int64_t{1} << orden) - 1) * periodo);
    } else {
        // a multisine over 0.005-0.020 to 0.15-0.30 of Nyquist's frequency, three of its periods
        const std::int64_t longitud = 400 + 100 * azar.Entre(0, 4);
        v.textos.insert(v.textos.end(), {{"Senal_Tipo", "Multiseno"},
                                         {"Senal_Minimo", minimo},
                                         {"Senal_Maximo", maximo},
                                         {"Senal_Frecuencia_Min", Decimal(azar.Entre(5, 20), 3)},
                                         {"Senal_Frecuencia_Max", Decimal(azar.Entre(15, 30), 2)},
                                         {"Senal_Componentes", std::to_string(azar.Entre(8, 16))},
                                         {"Senal_Longitud", std::to_string(longitud)}});
        v.muestras = static_cast<std::int32_t>(3 * longitud);
    }
    v.textos.insert(v.textos.end(), {{"Ruido_Desviacion", Decimal(azar.Entre(5, 30), 3)},
                                     {"Ruido_Semilla", std::to_string(azar.Entre(1, 1000000))}});
    // the target: a step to 2, 2.5 or 3 m; settling within 50 to 80 s, which a PI that cancels the plant's pole
    // reaches for every Tau of the range
    v.objetivo.posicion = static_cast<std::int32_t>(azar.Entre(4, 6));
    v.objetivo.sobreimpulsoMaximo = azar.Entre(0, 1) == 0 ? 5 : 10;
    v.objetivo.establecimientoMaximo = static_cast<double>(10 * azar.Entre(5, 8));
    v.objetivo.muestras = static_cast<std::int32_t>(4 * v.objetivo.establecimientoMaximo);
    return v;
}

std::optional<std::string> AlumnoInvalido(std::string_view id) {
    if (id.empty()) return "el identificador del alumno está vacío";
    if (id.size() > 100) return "el identificador del alumno pasa de 100 bytes";
    if (!EsUtf8(id)) return "el identificador del alumno no es UTF-8 válido";
    for (char c : id) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) return "el identificador del alumno tiene un carácter de control (salto de línea, tabulador...)";
        if (c == '/' || c == '\\') return "el identificador del alumno no puede tener barras ('/' ni '\\')";
    }
    if (id.front() == '.') return "el identificador del alumno no puede empezar por '.'";
    return std::nullopt;
}

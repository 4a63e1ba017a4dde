#include "core/vista_senal.h"

#include <algorithm>

#include "base/aritmetica.h"
#include "base/numeros.h"
#include "core/excitacion.h"
#include "core/lectura_senal.h"
#include "core/planta/planta.h"
#include "core/textos_senal.h"

namespace {

// A Single read from a text, as the runs read their levels; an edit that the texts lack takes its default.
float Leer(const Textos& textos, const char* nombre) {
    return aSingle(TextoAFlotante(TextoODefecto(textos, nombre), textos.Decimal()));
}

// One whole period, so that the spectrum has no leakage: each bin a harmonic of the period.
std::int64_t UnPeriodo(std::int64_t periodo) { return std::min(periodo, kMuestrasEspectroMaximas); }

}  // namespace

std::int64_t MuestrasEspectro(const ParametrosSenal& p) {
    switch (p.tipo) {
        case TipoSenal::PRBS: return UnPeriodo(((std::int64_t{1} << p.orden) - 1) * p.periodo);
        case TipoSenal::Multiseno:
        case TipoSenal::Barrido: return UnPeriodo(p.longitud);
        case TipoSenal::Escalon: return kMuestrasVista;
        default: return 4096;
    }
}

VistaSenal VerSenal(const Textos& textos, std::optional<GeneradorSenal>* generador) {
    std::optional<GeneradorSenal> propio;
    std::optional<GeneradorSenal>& g = generador ? *generador : propio;
    VistaSenal v;
    std::optional<float> maximo;
    try {
        v.parametros = LeerSenal(TextosCompletos(textos));
        const ParametrosSenal& p = v.parametros;
        std::vector<double> x(static_cast<std::size_t>(std::max<std::int64_t>(kMuestrasVista, MuestrasEspectro(p))));
        if (p.tipo == TipoSenal::Escalon) {
            const float a = Leer(textos, "Alto_Escalon");
            std::fill(x.begin(), x.end(), static_cast<double>(a));
            maximo = a;
        } else {
            if (!g || !(g->Parametros() == p)) {
                g.reset();
                g.emplace(p);
            }
            for (std::size_t n = 0; n < x.size(); ++n)
                x[n] = static_cast<double>(aSingle(g->Valor(static_cast<std::int64_t>(n))));
            maximo = aSingle(p.maximo);
        }
        v.valores.assign(x.begin(), x.begin() + kMuestrasVista);
        x.resize(static_cast<std::size_t>(MuestrasEspectro(p)));
        v.espectro = EspectroPotencia(x);
    } catch (const ErrorTanque& e) {
        v.error = e.what();
        v.valores.clear();
        v.espectro = {};
    }
    try {
        // the maximum's text even when another text of the signal is bad; the type says which it is
        if (!maximo) {
            const TipoSenal tipo = TipoDeTexto(TextoODefecto(textos, kSenalTipo));
            maximo = Leer(textos, tipo == TipoSenal::Escalon ? "Alto_Escalon" : NombreCampo(Campo::Maximo));
        }
        v.estacionario = PlantaDe(textos).Estacionario(TextosCompletos(textos), *maximo);
        v.nivelMaximo = Leer(textos, "HMax");
        v.desborda = v.estacionario > v.nivelMaximo;
    } catch (const ErrorTanque& e) {
        v.errorEstacionario = e.what();
    }
    return v;
}

#include "core/observacion/bitacora.h"

#include <algorithm>
#include <cstring>

#include "core/corridas/corrida.h"
#include "core/excitacion.h"
#include "core/lecturas_tick.h"
#include "core/textos_por_defecto.h"

namespace {

std::string Recortado(std::string texto) {
    if (texto.size() > kLargoMaximoTexto) {
        texto.resize(kLargoMaximoTexto);
        texto += "...";
    }
    return texto;
}

bool EsPosicion(const char* nombre) { return std::strcmp(nombre, kTrackReferencia) == 0; }

}  // namespace

std::span<const char* const> TextosDeCadaTick(Corrida corrida) { return LeidosEnCadaTick(corrida); }

std::span<const char* const> TextosLazo() {
    static constexpr const char* kTextos[] = {
        "Caudal_Min", "Caudal_Max", "Antisaturacion", "Tt", "N", "Derivada", "b",
        "Perturbacion_Tipo", "Perturbacion_Inicio", "Perturbacion_Minimo", "Perturbacion_Maximo",
        "Perturbacion_Periodo", "Perturbacion_Orden", "Perturbacion_Semilla", "Perturbacion_Frecuencia_Min",
        "Perturbacion_Frecuencia_Max", "Perturbacion_Componentes", "Perturbacion_Longitud",
        "Sensor_Retardo", "Sensor_Constante", "Sensor_Resolucion"};
    return kTextos;
}

std::vector<const char*> TextosAlEmpezar(Corrida corrida, const Planta& planta) {
    std::vector<const char*> v(planta.NombresTextos().begin(), planta.NombresTextos().end());
    for (const char* n : TextosDeCadaTick(corrida))
        if (std::none_of(v.begin(), v.end(), [&](const char* m) { return std::strcmp(m, n) == 0; })) v.push_back(n);
    return v;
}

std::string BitacoraCorrida::AlEmpezar(std::string_view nombre) const {
    for (const auto& [n, t] : inicio)
        if (n == nombre) return t;
    return {};
}

Bitacoras::Bitacoras() { ultima_.fill(kSinRanura); }

void Bitacoras::Empezar(Corrida corrida, const Textos& textos, const Posicion& posicion, const Simulacion& estado,
                        const Planta& planta, const FIS& fuzzy) {
    auto b = std::make_unique<BitacoraCorrida>();
    b->numero = ++corridas_;
    b->corrida = corrida;
    const std::int32_t p = posicion.Leer();
    b->decimal = textos.Decimal();
    for (const char* n : TextosAlEmpezar(corrida, planta))
        b->inicio.emplace_back(n, EsPosicion(n) ? std::to_string(p) : Recortado(TextoODefecto(textos, n)));
    b->T_Muestreo = estado.T_Muestreo;
    b->Nivel_Max = estado.Nivel_Max;
    b->verdad = planta.Verdad(estado);
    b->reloj = planta.Reloj(estado.T_Muestreo);
    b->constantes = estado;
    for (const char* n : TextosLazo()) {
        const std::string t = Recortado(TextoODefecto(textos, n));
        if (t != TextoPorDefectoDe(n, textos.Decimal())) b->lazo.emplace_back(n, t);
    }
    if (corrida == Corrida::Fuzzy) {
        for (const std::vector<FDP>* g : {&fuzzy.Conjuntos_E, &fuzzy.Conjuntos_DE, &fuzzy.Conjuntos_U})
            for (const FDP& f : *g) b->conjuntos.push_back({f.Tipo, f.Ancho, f.Centro});
        for (std::int32_t i = 0; i < fuzzy.Num_E; ++i) {
            b->reglas.emplace_back();
            for (std::int32_t j = 0; j < fuzzy.Num_DE; ++j) b->reglas.back().push_back(fuzzy.Tabla_Reglas[i][j]);
        }
    }

    // what the run sees from now on, whole (the kept texts may be cut)
    Vista& v = vistas_[static_cast<std::size_t>(corrida)];
    v.version = textos.Version();
    v.textos.clear();
    for (const char* n : TextosDeCadaTick(corrida)) v.textos.push_back(EsPosicion(n) ? "" : TextoODefecto(textos, n));
    v.posicion = p;

    // the run takes a free slot; the previous run of its kind goes once it has no points
    std::uint16_t r = kSinRanura;
    if (!libres_.empty()) {
        r = libres_.back();
        libres_.pop_back();
    } else if (ranuras_.size() < kSinRanura) {
        r = static_cast<std::uint16_t>(ranuras_.size());
        ranuras_.emplace_back();
    }
    const std::uint16_t anterior = ultima_[static_cast<std::size_t>(corrida)];
    ultima_[static_cast<std::size_t>(corrida)] = r;
    if (anterior != kSinRanura && ranuras_[anterior].puntos == 0) Soltar(anterior);
    if (r != kSinRanura) ranuras_[r] = Ranura{std::move(b), 0};
}

void Bitacoras::Anotar(BitacoraCorrida& b, std::int32_t n, const char* nombre, const std::string& texto) {
    if (b.cambios.size() < kCambiosMaximos) {
        b.cambios.push_back({n, nombre, Recortado(texto)});
    } else {
        ++b.cambiosOmitidos;
    }
}

void Bitacoras::Vigilar(Corrida corrida, std::int32_t n, const Textos& textos, const Posicion& posicion) {
    const std::uint16_t r = ultima_[static_cast<std::size_t>(corrida)];
    if (r == kSinRanura) return;
    BitacoraCorrida& b = *ranuras_[r].bitacora;
    Vista& v = vistas_[static_cast<std::size_t>(corrida)];
    if (Definicion(corrida).leePosicion) {
        const std::int32_t p = posicion.Leer();
        if (p != v.posicion) {
            v.posicion = p;
            Anotar(b, n, kTrackReferencia, std::to_string(p));
        }
    }
    const std::uint64_t version = textos.Version();
    if (version != 0 && version == v.version) return;
    v.version = version;
    const auto nombres = TextosDeCadaTick(corrida);
    for (std::size_t i = 0; i < nombres.size(); ++i) {
        if (EsPosicion(nombres[i])) continue;
        std::string t = TextoODefecto(textos, nombres[i]);
        if (t != v.textos[i]) {
            Anotar(b, n, nombres[i], t);
            v.textos[i] = std::move(t);
        }
    }
}

void Bitacoras::Muestra(const MuestraTick& m) {
    const std::uint16_t r = ultima_[static_cast<std::size_t>(m.corrida)];
    if (r == kSinRanura) return;
    BitacoraCorrida& b = *ranuras_[r].bitacora;
    b.sumaNiveles += m.nivel;
    ++b.niveles;
}

void Bitacoras::Agregado(Corrida corrida, std::size_t i) {
    const std::uint16_t r = ultima_[static_cast<std::size_t>(corrida)];
    if (r != kSinRanura) ++ranuras_[r].puntos;
    puntos_.insert(puntos_.begin() + static_cast<std::ptrdiff_t>(std::min(i, puntos_.size())), r);
}

void Bitacoras::PrimeroBorrado() {
    if (puntos_.empty()) return;
    const std::uint16_t r = puntos_.front();
    puntos_.pop_front();
    if (r == kSinRanura) return;
    if (--ranuras_[r].puntos == 0 && std::find(ultima_.begin(), ultima_.end(), r) == ultima_.end()) Soltar(r);
}

void Bitacoras::Limpiado() {
    std::deque<std::uint16_t>().swap(puntos_);
    for (std::size_t r = 0; r < ranuras_.size(); ++r) {
        if (!ranuras_[r].bitacora) continue;
        ranuras_[r].puntos = 0;
        const auto s = static_cast<std::uint16_t>(r);
        if (std::find(ultima_.begin(), ultima_.end(), s) == ultima_.end()) Soltar(s);
    }
}

void Bitacoras::Soltar(std::uint16_t r) {
    ranuras_[r] = Ranura{};
    libres_.push_back(r);
}

const BitacoraCorrida* Bitacoras::De(std::size_t i) const {
    if (i >= puntos_.size() || puntos_[i] == kSinRanura) return nullptr;
    return ranuras_[puntos_[i]].bitacora.get();
}

const BitacoraCorrida* Bitacoras::Ultima(Corrida corrida) const {
    const std::uint16_t r = ultima_[static_cast<std::size_t>(corrida)];
    return r == kSinRanura ? nullptr : ranuras_[r].bitacora.get();
}

std::size_t Bitacoras::Guardadas() const { return ranuras_.size() - libres_.size(); }

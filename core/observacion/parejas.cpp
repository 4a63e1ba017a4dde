#include "core/observacion/parejas.h"

void Marcas::Marcar(std::size_t i, std::size_t cuenta) {
    if (marcas_.empty()) marcas_.assign(cuenta, false);
    if (!marcas_[i]) {
        marcas_[i] = true;
        ++marcadas_;
    }
}

void Marcas::Insertada(std::size_t i) {
    if (!marcas_.empty()) marcas_.insert(marcas_.begin() + static_cast<std::ptrdiff_t>(i), false);
}

void Marcas::BorradaPrimera() {
    if (marcas_.empty()) return;
    if (marcas_.front()) --marcadas_;
    marcas_.pop_front();
    if (marcadas_ == 0) Limpiar();  // every partner found again: the marks cost nothing any more
}

void Marcas::Limpiar() {
    std::deque<bool>().swap(marcas_);
    marcadas_ = 0;
}

bool Parejas::AccionSinNivel(std::size_t i) const {
    if (sinNivel_.Marcada(i)) return true;
    for (const Espera& e : esperas_)
        if (!e.perdida && e.indice == i) return true;
    return false;
}

void Parejas::AccionInsertada(std::size_t i) {
    sinNivel_.Insertada(i);
    for (Espera& e : esperas_)
        if (!e.perdida && e.indice >= i) ++e.indice;
}

void Parejas::AccionAntesDelNivel(std::size_t i) {
    AccionInsertada(i);
    esperas_.push_back({i, false});
}

void Parejas::NivelTrasLaAccion(std::size_t j) {
    sinAccion_.Insertada(j);
    if (esperas_.empty()) return;
    // an action deleted before its level came leaves the level alone
    if (esperas_.back().perdida) sinAccion_.Marcar(j, niveles_.Cuenta());
    esperas_.pop_back();
}

void Parejas::NivelQueNoLlego() {
    if (esperas_.empty()) return;
    const Espera e = esperas_.back();
    esperas_.pop_back();
    if (!e.perdida) sinNivel_.Marcar(e.indice, acciones_.Cuenta());
}

void Parejas::Par(std::size_t j, std::size_t i) {
    sinAccion_.Insertada(j);
    AccionInsertada(i);
}

void Parejas::MarcarPrimeraAccionLibre() {
    for (std::size_t i = 1; i < acciones_.Cuenta(); ++i) {
        if (!AccionSinNivel(i)) {
            sinNivel_.Marcar(i, acciones_.Cuenta());
            return;
        }
    }
}

void Parejas::MarcarPrimerNivelLibre() {
    for (std::size_t j = 1; j < niveles_.Cuenta(); ++j) {
        if (!sinAccion_.Marcada(j)) {
            sinAccion_.Marcar(j, niveles_.Cuenta());
            return;
        }
    }
}

void Parejas::PrimerosABorrar() {
    const bool hayNivel = !niveles_.Vacia(), hayAccion = !acciones_.Vacia();
    const bool nivelConPareja = hayNivel && !sinAccion_.Marcada(0);
    const bool accionConPareja = hayAccion && !AccionSinNivel(0);
    // Two partners go together. A level with a partner that goes with an action without one leaves its partner,
    // the first action with a partner, alone; and the other way round.
    if (nivelConPareja && !accionConPareja) MarcarPrimeraAccionLibre();
    if (accionConPareja && !nivelConPareja) MarcarPrimerNivelLibre();
    if (hayNivel) sinAccion_.BorradaPrimera();
    if (hayAccion) {
        sinNivel_.BorradaPrimera();
        for (Espera& e : esperas_) {
            if (e.perdida) continue;
            if (e.indice == 0)
                e.perdida = true;
            else
                --e.indice;
        }
    }
}

void Parejas::Limpiar() {
    sinNivel_.Limpiar();
    sinAccion_.Limpiar();
    for (Espera& e : esperas_) e.perdida = true;
}

#include "ui/resumen_extremos.h"

#include <algorithm>

#include "core/serie.h"

void ResumenExtremos::Seguir(const Serie& serie) {
    if (&serie != serie_ || serie.Version() != version_) {
        // a point placed among the others, a cleared series or positions counted afresh: start again
        serie_ = &serie;
        version_ = serie.Version();
        niveles_.clear();
        base_ = valido_ = serie.Base();
        return;
    }
    // points deleted at the front only move the first live position; blocks that still name a deleted
    // point lie partly before it and are never used whole
    base_ = serie.Base();
    valido_ = std::max(valido_, base_);
}

ResumenExtremos::Bloque ResumenExtremos::Combinar(std::size_t n, std::uint64_t bloque) const {
    // Children that name a deleted point lie partly before the first live one; so does this block then,
    // and such a block is never used whole. With no live child it is marked as naming a deleted point.
    const std::vector<Bloque>& abajo = niveles_[n - 1];
    Bloque r{0, 0, base_ - 1, base_ - 1};
    bool hay = false;
    const std::uint64_t fin = std::min<std::uint64_t>((bloque + 1) * kAbanico, abajo.size());
    for (std::uint64_t h = bloque * kAbanico; h < fin; ++h) {
        const Bloque& c = abajo[h];
        if (c.menor < base_ || c.mayor < base_) continue;
        if (!hay) {
            r = c;
            hay = true;
            continue;
        }
        if (c.yMenor < r.yMenor) r.yMenor = c.yMenor, r.menor = c.menor;
        if (c.yMayor > r.yMayor) r.yMayor = c.yMayor, r.mayor = c.mayor;
    }
    return r;
}

void ResumenExtremos::Reconstruir(const Serie& serie) {
    const std::uint64_t fin = base_ + serie.Cuenta();
    if (valido_ >= fin) return;
    // level 0 from the block holding the first stale point, each block from its first live point
    std::uint64_t desde = valido_ / kBase;
    if (niveles_.empty()) niveles_.emplace_back();
    niveles_[0].resize((fin + kBase - 1) / kBase);
    for (std::uint64_t b = desde; b < niveles_[0].size(); ++b) {
        const std::uint64_t a = std::max(b * kBase, base_), z = std::min((b + 1) * kBase, fin);
        const double ya = serie.Y(a - base_);
        Bloque r{ya, ya, a, a};
        for (std::uint64_t p = a + 1; p < z; ++p) {
            const double v = serie.Y(p - base_);
            if (v < r.yMenor) r.yMenor = v, r.menor = p;
            if (v > r.yMayor) r.yMayor = v, r.mayor = p;
        }
        niveles_[0][b] = r;
    }
    for (std::size_t n = 1; niveles_[n - 1].size() > 1; ++n) {
        desde /= kAbanico;
        if (n == niveles_.size()) niveles_.emplace_back();
        niveles_[n].resize((niveles_[n - 1].size() + kAbanico - 1) / kAbanico);
        for (std::uint64_t b = desde; b < niveles_[n].size(); ++b) niveles_[n][b] = Combinar(n, b);
    }
    valido_ = fin;
}

std::pair<std::size_t, std::size_t> ResumenExtremos::Extremos(const Serie& serie, std::size_t desde,
                                                              std::size_t hasta) {
    Seguir(serie);
    Reconstruir(serie);
    std::uint64_t p = base_ + desde;
    const std::uint64_t fin = base_ + hasta;
    std::uint64_t menor = p, mayor = p;
    double yMenor = serie.Y(desde), yMayor = yMenor;
    // strictly lower or higher: ties keep the earlier point, since the stretch is taken left to right
    while (p < fin) {
        if ((p & (kBase - 1)) != 0 || p + kBase > fin) {
            const double v = serie.Y(p - base_);
            if (v < yMenor) yMenor = v, menor = p;
            if (v > yMayor) yMayor = v, mayor = p;
            ++p;
            continue;
        }
        // the largest block that starts here and ends within the stretch (block sizes are powers of two)
        std::size_t nivel = 0;
        unsigned bits = kBitsBase;
        while (nivel + 1 < niveles_.size() && (p & ((std::uint64_t{1} << (bits + kBitsAbanico)) - 1)) == 0 &&
               p + (std::uint64_t{1} << (bits + kBitsAbanico)) <= fin) {
            ++nivel;
            bits += kBitsAbanico;
        }
        const Bloque& b = niveles_[nivel][p >> bits];
        if (b.yMenor < yMenor) yMenor = b.yMenor, menor = b.menor;
        if (b.yMayor > yMayor) yMayor = b.yMayor, mayor = b.mayor;
        p += std::uint64_t{1} << bits;
    }
    return {static_cast<std::size_t>(menor - base_), static_cast<std::size_t>(mayor - base_)};
}

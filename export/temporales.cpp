#include "export/temporales.h"

#include <limits.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace {

// A slot is claimed (so that two threads never fill the same one), filled, then marked taken, and marked free
// before it is reused: a handler that runs between two statements sees either a whole name or none.
constexpr int kLibre = 0, kLlenandose = 1, kOcupada = 2;
struct Ranura {
    std::atomic<int> estado{kLibre};
    char ruta[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may read the slots");

// One export at a time in the window, a record and its description on each thread of the batch tool's sweep.
Ranura ranuras[16];

}  // namespace

void BorrarTemporales() noexcept {
    for (Ranura& r : ranuras)
        if (r.estado.load() == kOcupada) ::unlink(r.ruta);
}

int AnotarTemporal(const char* ruta) noexcept {
    const std::size_t largo = std::strlen(ruta);
    if (largo >= PATH_MAX) return -1;
    for (int i = 0; i < static_cast<int>(sizeof ranuras / sizeof ranuras[0]); ++i) {
        Ranura& r = ranuras[i];
        int libre = kLibre;
        if (!r.estado.compare_exchange_strong(libre, kLlenandose)) continue;
        std::memcpy(r.ruta, ruta, largo + 1);
        r.estado.store(kOcupada);
        return i;
    }
    return -1;
}

void OlvidarTemporal(int ranura) noexcept {
    if (ranura >= 0) ranuras[ranura].estado.store(kLibre);
}

#include "export/temporales.h"

#include <limits.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace {

// A slot is filled before it is marked taken, and marked free before it is reused: a handler that runs between
// two statements sees either a whole name or none.
struct Ranura {
    std::atomic<bool> ocupada{false};
    char ruta[PATH_MAX];
};
static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler may read the slots");

// One export at a time in the window, one record in the batch tool: a few slots are plenty.
Ranura ranuras[4];

}  // namespace

void BorrarTemporales() noexcept {
    for (Ranura& r : ranuras)
        if (r.ocupada.load()) ::unlink(r.ruta);
}

int AnotarTemporal(const char* ruta) noexcept {
    const std::size_t largo = std::strlen(ruta);
    if (largo >= PATH_MAX) return -1;
    for (int i = 0; i < static_cast<int>(sizeof ranuras / sizeof ranuras[0]); ++i) {
        Ranura& r = ranuras[i];
        if (r.ocupada.load()) continue;
        std::memcpy(r.ruta, ruta, largo + 1);
        r.ocupada.store(true);
        return i;
    }
    return -1;
}

void OlvidarTemporal(int ranura) noexcept {
    if (ranura >= 0) ranuras[ranura].ocupada.store(false);
}

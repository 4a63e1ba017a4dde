#include "identificacion/transformada.h"

#include <fftw3.h>

#include <algorithm>
#include <mutex>
#include <new>

namespace {

// FFTW's planner keeps state of its own: plans are made and destroyed one at a time (fftw_execute may run on
// many threads at once, each on its own plan). The sweep identifies its cases on several threads.
std::mutex planificador;

}  // namespace

Transformada::Transformada(std::size_t longitud)
    : n_(longitud),
      entrada_(fftw_alloc_real(longitud)),
      salida_(fftw_alloc_complex(longitud / 2 + 1)),
      plan_(nullptr),
      resultado_(longitud / 2 + 1) {
    if (!entrada_ || !salida_) {
        fftw_free(entrada_);
        fftw_free(salida_);
        throw std::bad_alloc();
    }
    // FFTW_ESTIMATE: a plan without trial runs, which would cost more than the few transforms made with it
    const std::lock_guard<std::mutex> turno(planificador);
    plan_ = fftw_plan_dft_r2c_1d(static_cast<int>(longitud), entrada_, static_cast<fftw_complex*>(salida_),
                                 FFTW_ESTIMATE);
}

Transformada::~Transformada() {
    const std::lock_guard<std::mutex> turno(planificador);
    fftw_destroy_plan(static_cast<fftw_plan>(plan_));
    fftw_free(entrada_);
    fftw_free(salida_);
}

const std::vector<std::complex<double>>& Transformada::operator()(std::span<const double> x) {
    std::copy_n(x.begin(), n_, entrada_);
    fftw_execute(static_cast<fftw_plan>(plan_));
    const fftw_complex* s = static_cast<const fftw_complex*>(salida_);
    for (std::size_t f = 0; f < resultado_.size(); ++f) resultado_[f] = {s[f][0], s[f][1]};
    return resultado_;
}

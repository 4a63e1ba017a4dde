#include "identificacion/frecuencia.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "identificacion/estadistica.h"
#include "identificacion/rechazos.h"
#include "identificacion/transformada.h"

namespace {

constexpr double kGrados = 180 / std::numbers::pi;

// |G| and the phase in degrees, unwrapped: each step taken within +-180 degrees.
void Polares(RespuestaFrecuencia& f) {
    double anterior = 0;
    for (std::size_t i = 0; i < f.G.size(); ++i) {
        f.magnitud.push_back(std::abs(f.G[i]));
        double fase = std::arg(f.G[i]) * kGrados;
        if (i > 0) fase -= 360 * std::round((fase - anterior) / 360);
        f.fase.push_back(fase);
        anterior = fase;
    }
}

// The band of a response whose error at line i has radius r[i] in the complex plane.
void Banda(RespuestaFrecuencia& f, const std::vector<double>& radio) {
    for (std::size_t i = 0; i < f.G.size(); ++i) {
        const double m = f.magnitud[i], r = radio[i];
        f.magnitudBaja.push_back(std::max(m - r, 0.0));
        f.magnitudAlta.push_back(m + r);
        const double d = r < m ? std::asin(r / m) * kGrados : 180;
        f.faseBaja.push_back(f.fase[i] - d);
        f.faseAlta.push_back(f.fase[i] + d);
    }
}

double Frecuencia(std::size_t linea, std::size_t longitud, double t) {
    return 2 * std::numbers::pi * static_cast<double>(linea) / (static_cast<double>(longitud) * t);
}

}  // namespace

RespuestaFrecuencia EtfePeriodica(const Registro& r, std::size_t periodo, std::size_t descartados, double confianza) {
    ComprobarRegistro(r);
    const std::size_t N = r.nivel.size();
    const std::size_t P = periodo > 0 && N / periodo > descartados ? N / periodo - descartados : 0;
    if (P < 2) throw ErrorIdentificacion(TextoSinPeriodos(N, periodo));
    const std::size_t lineas = periodo / 2 + 1;
    Transformada fft(periodo);
    std::vector<std::complex<double>> U(lineas), Y(lineas), Y2(lineas);
    std::vector<double> cuadrados(lineas, 0.0);
    std::vector<std::vector<std::complex<double>>> porPeriodo;
    for (std::size_t p = 0; p < P; ++p) {
        const std::size_t inicio = (descartados + p) * periodo;
        const std::vector<std::complex<double>>& Up = fft(std::span(r.accion).subspan(inicio, periodo));
        for (std::size_t f = 0; f < lineas; ++f) U[f] += Up[f];
        porPeriodo.push_back(fft(std::span(r.nivel).subspan(inicio, periodo)));
        for (std::size_t f = 0; f < lineas; ++f) Y[f] += porPeriodo.back()[f];
    }
    const double Pd = static_cast<double>(P);
    double mayor = 0;
    for (std::size_t f = 1; f < lineas; ++f) {
        U[f] /= Pd;
        Y[f] /= Pd;
        mayor = std::max(mayor, std::abs(U[f]));
    }
    RespuestaFrecuencia res;
    res.metodo = "ETFE";
    res.confianza = confianza;
    res.promedios = P;
    std::vector<double> radio;
    // the excited lines: those whose input stands out of the rounding of the others
    for (std::size_t f = 1; f < lineas; ++f) {
        if (!(std::abs(U[f]) > 1e-6 * mayor)) continue;
        double varianza = 0;
        for (const auto& Yp : porPeriodo) varianza += std::norm(Yp[f] - Y[f]);
        varianza /= Pd - 1;
        res.w.push_back(Frecuencia(f, periodo, r.TiempoMuestra()));
        res.G.push_back(Y[f] / U[f]);
        // var G = var Y / (P |U|^2); r^2 = var G ln(1 / (1 - c))
        radio.push_back(std::sqrt(varianza / (Pd * std::norm(U[f])) * std::log(1 / (1 - confianza))));
    }
    if (res.G.empty()) throw ErrorIdentificacion(TextoEntradaSinLineas());
    Polares(res);
    Banda(res, radio);
    return res;
}

RespuestaFrecuencia Welch(const Registro& r, std::size_t segmento, double confianza) {
    ComprobarRegistro(r);
    const std::size_t N = r.nivel.size();
    if (segmento == 0) {
        segmento = 16;
        while (segmento * 2 <= N / 8) segmento *= 2;
    }
    const std::size_t paso = segmento / 2;
    if (segmento < 4 || N < segmento + paso) throw ErrorIdentificacion(TextoSinPeriodos(N, segmento));
    const std::size_t n = (N - segmento) / paso + 1, lineas = segmento / 2 + 1;
    // the periodic Hann window, as scipy.signal.get_window("hann", L) gives it
    std::vector<double> ventana(segmento);
    for (std::size_t k = 0; k < segmento; ++k)
        ventana[k] = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(segmento));
    Transformada fft(segmento);
    std::vector<double> Puu(lineas, 0.0), Pyy(lineas, 0.0), x(segmento);
    std::vector<std::complex<double>> Pyu(lineas), U(lineas);
    const auto enVentana = [&](const std::vector<double>& s, std::size_t inicio) {
        long double media = 0;
        for (std::size_t k = 0; k < segmento; ++k) media += s[inicio + k];
        const double m = static_cast<double>(media / static_cast<long double>(segmento));
        for (std::size_t k = 0; k < segmento; ++k) x[k] = (s[inicio + k] - m) * ventana[k];
        return fft(x);
    };
    for (std::size_t s = 0; s < n; ++s) {
        U = enVentana(r.accion, s * paso);
        const std::vector<std::complex<double>>& Y = enVentana(r.nivel, s * paso);
        for (std::size_t f = 0; f < lineas; ++f) {
            Puu[f] += std::norm(U[f]);
            Pyy[f] += std::norm(Y[f]);
            Pyu[f] += std::conj(U[f]) * Y[f];
        }
    }
    RespuestaFrecuencia res;
    res.metodo = "Welch";
    res.confianza = confianza;
    res.promedios = n;
    const double z = CuantilNormal(1 - (1 - confianza) / 2);
    std::vector<double> relativo;
    for (std::size_t f = 1; f < lineas; ++f) {
        if (!(Puu[f] > 0)) continue;
        const double g2 = Pyy[f] > 0 ? std::norm(Pyu[f]) / (Puu[f] * Pyy[f]) : 0;
        res.w.push_back(Frecuencia(f, segmento, r.TiempoMuestra()));
        res.G.push_back(Pyu[f] / Puu[f]);
        res.coherencia.push_back(g2);
        // sqrt((1 - g^2) / (2 n g^2)): of |G| relative, and of the phase in radians
        relativo.push_back(g2 > 0 ? z * std::sqrt((1 - g2) / (2 * static_cast<double>(n) * g2)) : 1e300);
    }
    Polares(res);
    for (std::size_t i = 0; i < res.G.size(); ++i) {
        res.magnitudBaja.push_back(std::max(res.magnitud[i] * (1 - relativo[i]), 0.0));
        res.magnitudAlta.push_back(res.magnitud[i] * (1 + relativo[i]));
        const double d = std::min(relativo[i], std::numbers::pi) * kGrados;
        res.faseBaja.push_back(res.fase[i] - d);
        res.faseAlta.push_back(res.fase[i] + d);
    }
    return res;
}

RespuestaFrecuencia RespuestaModelo(const ModeloLineal& m, std::span<const double> w) {
    RespuestaFrecuencia res;
    res.metodo = "modelo";
    const double t = m.TiempoMuestra();
    for (double wi : w) {
        const double giro = wi * t;  // rad a sample
        res.w.push_back(wi);
        res.G.push_back(std::polar(1.0, -giro * m.retardo) * EnCirculo(m.B, giro) / EnCirculo(m.F, giro));
    }
    Polares(res);
    return res;
}

RespuestaFrecuencia RespuestaContinua(const FuncionTransferencia& g, std::span<const double> w) {
    RespuestaFrecuencia res;
    res.metodo = "planta";
    for (double wi : w) {
        res.w.push_back(wi);
        res.G.push_back(Evaluar(g, wi));
    }
    Polares(res);
    return res;
}

std::vector<double> FrecuenciasLog(double wmin, double wmax, std::size_t n) {
    std::vector<double> w(n);
    const double a = std::log(wmin), b = std::log(wmax);
    for (std::size_t i = 0; i < n; ++i)
        w[i] = n > 1 ? std::exp(a + (b - a) * static_cast<double>(i) / static_cast<double>(n - 1)) : wmin;
    return w;
}

double FraccionPorEncima(const Registro& r, double w) {
    const std::size_t N = r.accion.size();
    long double media = 0;
    for (double u : r.accion) media += u;
    std::vector<double> x(N);
    for (std::size_t k = 0; k < N; ++k) x[k] = r.accion[k] - static_cast<double>(media / static_cast<long double>(N));
    Transformada fft(N);
    const std::vector<std::complex<double>>& X = fft(x);
    double total = 0, encima = 0;
    for (std::size_t f = 1; f < X.size(); ++f) {
        // the lines below N/2 stand for themselves and their mirror images
        const double e = std::norm(X[f]) * (2 * f == N ? 1 : 2);
        total += e;
        if (Frecuencia(f, N, r.TiempoMuestra()) > w) encima += e;
    }
    return total > 0 ? encima / total : 0;
}

#include "tools/grafico_lote.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr double kAncho = 800, kAlto = 450;
constexpr double kIzquierda = 70, kDerecha = 20, kArriba = 40, kAbajo = 60;  // margins of the plot area
constexpr const char* kNombres[3] = {"Nivel", "Acción de control", "Referencia"};
constexpr const char* kColores[3] = {"#d00000", "#008000", "#c8a000"};

std::string Num(double x) {
    char t[32];
    const auto r = std::to_chars(t, t + sizeof t, std::round(x * 100) / 100);
    return std::string(t, r.ptr);
}

std::string Escapar(const std::string& s) {
    std::string r;
    for (const char c : s) {
        if (c == '<') r += "&lt;";
        else if (c == '>') r += "&gt;";
        else if (c == '&') r += "&amp;";
        else if (c == '"') r += "&quot;";
        else r += c;
    }
    return r;
}

// Ticks at 1, 2 or 5 times a power of ten, about five across [a, b].
std::vector<double> Marcas(double a, double b) {
    const double bruto = (b - a) / 5;
    const double p = std::pow(10.0, std::floor(std::log10(bruto)));
    const double paso = bruto / p < 1.5 ? p : bruto / p < 3.5 ? 2 * p : bruto / p < 7.5 ? 5 * p : 10 * p;
    std::vector<double> m;
    for (double x = std::ceil(a / paso) * paso; x <= b + paso * 1e-9; x += paso) m.push_back(std::abs(x) < paso * 1e-9 ? 0 : x);
    return m;
}

std::string Texto(double x, double y, const std::string& t, const char* extra = "") {
    return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\"" + extra + ">" + Escapar(t) + "</text>\n";
}

}  // namespace

GraficoLote::GraficoLote(std::int64_t muestras)
    : porColumna_(std::max<std::int64_t>(1, (muestras + kColumnasGrafico - 1) / kColumnasGrafico)) {}

void GraficoLote::Poner(int i, double n, double valor) {
    std::vector<Columna>& l = lineas_[i];
    if (l.empty() || static_cast<std::int64_t>(n - l.back().n0) >= porColumna_) {
        l.push_back({n, n, valor, valor, valor, valor, true});
        return;
    }
    Columna& c = l.back();
    c.n1 = n;
    c.ultimo = valor;
    if (valor < c.menor) {
        c.menor = valor;
        c.menorAntes = false;
    }
    if (valor > c.mayor) {
        c.mayor = valor;
        c.menorAntes = true;
    }
}

void GraficoLote::Anadir(std::int32_t n, double accion, double nivel, std::optional<double> referencia) {
    Poner(0, n, nivel);
    Poner(1, n, accion);
    if (referencia) Poner(2, n, *referencia);
}

std::string GraficoLote::Svg(const std::string& titulo) const {
    double x0 = 0, x1 = 1, y0 = 0, y1 = 1;
    bool hay = false;
    for (const auto& l : lineas_)
        for (const Columna& c : l) {
            if (!hay) x0 = c.n0, x1 = c.n1, y0 = c.menor, y1 = c.mayor;
            hay = true;
            x0 = std::min(x0, c.n0), x1 = std::max(x1, c.n1), y0 = std::min(y0, c.menor), y1 = std::max(y1, c.mayor);
        }
    if (x1 <= x0) x1 = x0 + 1;
    y0 = std::min(y0, 0.0);
    if (y1 <= y0) y1 = y0 + 1;
    y1 += (y1 - y0) * 0.05;
    const double ancho = kAncho - kIzquierda - kDerecha, alto = kAlto - kArriba - kAbajo;
    auto X = [&](double n) { return kIzquierda + (n - x0) / (x1 - x0) * ancho; };
    auto Y = [&](double v) { return kArriba + (y1 - v) / (y1 - y0) * alto; };

    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" height=\"450\" viewBox=\"0 0 800 450\" "
                    "font-family=\"DejaVu Sans, sans-serif\" font-size=\"12\">\n"
                    "<rect width=\"800\" height=\"450\" fill=\"white\"/>\n";
    s += Texto(kAncho / 2, 24, titulo, " text-anchor=\"middle\" font-size=\"15\"");
    s += "<rect x=\"" + Num(kIzquierda) + "\" y=\"" + Num(kArriba) + "\" width=\"" + Num(ancho) + "\" height=\"" +
         Num(alto) + "\" fill=\"none\" stroke=\"black\"/>\n";
    for (const double m : Marcas(x0, x1)) {
        s += "<line x1=\"" + Num(X(m)) + "\" y1=\"" + Num(kArriba + alto) + "\" x2=\"" + Num(X(m)) + "\" y2=\"" +
             Num(kArriba + alto + 5) + "\" stroke=\"black\"/>\n";
        s += Texto(X(m), kArriba + alto + 18, Num(m), " text-anchor=\"middle\"");
    }
    for (const double m : Marcas(y0, y1)) {
        s += "<line x1=\"" + Num(kIzquierda - 5) + "\" y1=\"" + Num(Y(m)) + "\" x2=\"" + Num(kIzquierda) + "\" y2=\"" +
             Num(Y(m)) + "\" stroke=\"black\"/>\n";
        s += Texto(kIzquierda - 8, Y(m) + 4, Num(m), " text-anchor=\"end\"");
    }
    s += Texto(kIzquierda + ancho / 2, kAlto - 18, "Muestra", " text-anchor=\"middle\"");
    s += Texto(18, kArriba + alto / 2, "Nivel (m) y acción de control (m³/s)",
               (" text-anchor=\"middle\" transform=\"rotate(-90 18 " + Num(kArriba + alto / 2) + ")\"").c_str());
    double leyenda = kIzquierda + 10;
    for (int i = 0; i < 3; ++i) {
        if (lineas_[i].empty()) continue;
        std::string puntos;
        for (const Columna& c : lineas_[i]) {
            const double a = c.menorAntes ? c.menor : c.mayor, b = c.menorAntes ? c.mayor : c.menor;
            for (const auto& [n, v] : {std::pair{c.n0, c.primero}, {c.n0, a}, {c.n1, b}, {c.n1, c.ultimo}})
                puntos += Num(X(n)) + "," + Num(Y(v)) + " ";
        }
        puntos.pop_back();
        s += std::string("<polyline fill=\"none\" stroke=\"") + kColores[i] + "\" stroke-width=\"1.2\" points=\"" +
             puntos + "\"><title>" + kNombres[i] + "</title></polyline>\n";
        s += "<line x1=\"" + Num(leyenda) + "\" y1=\"" + Num(kArriba + 14) + "\" x2=\"" + Num(leyenda + 20) + "\" y2=\"" +
             Num(kArriba + 14) + "\" stroke=\"" + kColores[i] + "\" stroke-width=\"2\"/>\n";
        s += Texto(leyenda + 25, kArriba + 18, kNombres[i]);
        leyenda += 160;
    }
    return s + "</svg>\n";
}

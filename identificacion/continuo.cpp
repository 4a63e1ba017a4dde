#include "identificacion/continuo.h"

#include <unsupported/Eigen/MatrixFunctions>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "identificacion/rechazos.h"

namespace {

// Faddeev-LeVerrier: det(sI - A) = s^n + c1 s^(n-1) + ... + cn and adj(sI - A) = sum of N_k s^(n-1-k), with
// N_0 = I, c_k = -tr(A N_(k-1)) / k, N_k = A N_(k-1) + c_k I. Exact in structure, and well behaved for n <= 4.
struct Resolvente {
    std::vector<double> polinomio;   // 1, c1 .. cn
    std::vector<Eigen::MatrixXd> N;  // N_0 .. N_(n-1)
};

Resolvente Faddeev(const Eigen::MatrixXd& A) {
    const Eigen::Index n = A.rows();
    Resolvente r;
    r.polinomio = {1.0};
    r.N.push_back(Eigen::MatrixXd::Identity(n, n));
    for (Eigen::Index k = 1; k <= n; ++k) {
        const Eigen::MatrixXd AN = A * r.N.back();
        const double c = -AN.trace() / static_cast<double>(k);
        r.polinomio.push_back(c);
        if (k < n) r.N.push_back(AN + c * Eigen::MatrixXd::Identity(n, n));
    }
    return r;
}

// The n coefficients of C adj(sI - A) B, the numerator of C (sI - A)^-1 B, from the highest power down.
std::vector<double> Numerador(const Resolvente& r, const Eigen::RowVectorXd& C, const Eigen::VectorXd& B) {
    std::vector<double> num;
    for (const Eigen::MatrixXd& N : r.N) num.push_back(C * N * B);
    return num;
}

std::complex<double> Polinomio(const std::vector<double>& p, std::complex<double> s) {
    std::complex<double> v = 0;
    for (double c : p) v = v * s + c;  // Horner, from the highest power
    return v;
}

std::string Numero(double v) {
    char b[40];
    std::snprintf(b, sizeof b, "%.17g", v);
    return b;
}

std::string Lista(const std::vector<double>& v, const char* separador) {
    std::string s;
    for (std::size_t i = 0; i < v.size(); ++i) s += (i ? separador : "") + Numero(v[i]);
    return s;
}

int MuestrasRetardo(const ModeloLineal& m) { return m.retardo - m.retardoCorrida; }

}  // namespace

FuncionTransferencia Continua(const ModeloLineal& m) {
    const int n = m.Orden(), nb = static_cast<int>(m.B.size()), d = MuestrasRetardo(m);
    if (d < 0) throw ErrorIdentificacion(TextoRetardoNegativo(m.retardo, m.retardoCorrida));
    if (n == 0 || nb > n) throw ErrorIdentificacion(TextoSinFormaContinua(n, nb));
    const double t = m.TiempoMuestra();
    // The hold equivalent in state space, x(k+1) = P x(k) + G u(k), in the augmented matrix M = [P G; 0 1],
    // whose logarithm is [A B; 0 0] t for the continuous system dx/dt = A x + B u (Van Loan).
    Eigen::MatrixXd M = Eigen::MatrixXd::Zero(n + 1, n + 1);
    M.topLeftCorner(n, n) = Companera(m.F);
    M(0, n) = 1;
    M(n, n) = 1;
    const Eigen::VectorXcd polos = Eigen::EigenSolver<Eigen::MatrixXd>(M.topLeftCorner(n, n)).eigenvalues();
    for (const std::complex<double>& z : polos)
        if (std::abs(z.imag()) <= 1e-12 * std::abs(z) && z.real() <= 0)
            throw ErrorIdentificacion(TextoPoloNegativo(z.real()));
    const Eigen::MatrixXd L = Eigen::MatrixXd(M.log()) / t;
    Eigen::RowVectorXd C = Eigen::RowVectorXd::Zero(n);
    for (int j = 0; j < nb; ++j) C(j) = m.B[static_cast<std::size_t>(j)];
    const Resolvente r = Faddeev(L.topLeftCorner(n, n));
    FuncionTransferencia g;
    g.den = r.polinomio;
    g.num = Numerador(r, C, L.col(n).head(n));
    // time-constant form: constant term 1 in the denominator, when there is no pole at 0
    const double escala = g.den.back();
    if (escala != 0) {
        for (double& c : g.den) c /= escala;
        for (double& c : g.num) c /= escala;
    }
    // what the logarithm leaves of a coefficient that is 0 (a hold equivalent of a plant without zeros) is its
    // rounding: below 1e-9 of the largest, 0
    double mayor = 0;
    for (double c : g.num) mayor = std::max(mayor, std::abs(c));
    for (double& c : g.num)
        if (std::abs(c) <= 1e-9 * mayor) c = 0;
    g.retardo = d * t;
    return g;
}

ModeloLineal Discreta(const FuncionTransferencia& g, double T, double tiempo, int alineacion) {
    std::vector<double> num = g.num;
    while (num.size() > 1 && num.front() == 0) num.erase(num.begin());
    const std::size_t n = g.den.size() - 1;
    if (g.den.empty() || g.den.front() == 0 || n == 0 || num.size() > n)
        throw ErrorIdentificacion(TextoNoEstrictamentePropia());
    std::vector<double> monico = g.den;
    for (double& c : monico) c /= g.den.front();
    const Eigen::Index N = static_cast<Eigen::Index>(n);
    // exp([A B; 0 0] t) = [P G; 0 1]: P = e^(A t), G = the integral of e^(A s) B over the sample
    Eigen::MatrixXd M = Eigen::MatrixXd::Zero(N + 1, N + 1);
    M.topLeftCorner(N, N) = Companera(monico) * tiempo;
    M(0, N) = tiempo;
    const Eigen::MatrixXd E = M.exp();
    Eigen::RowVectorXd C = Eigen::RowVectorXd::Zero(N);
    for (std::size_t j = 0; j < num.size(); ++j) C(static_cast<Eigen::Index>(n - num.size() + j)) = num[j] / g.den.front();
    const Resolvente r = Faddeev(E.topLeftCorner(N, N));
    ModeloLineal m;
    m.F = r.polinomio;
    // C adj(zI - P) G / det(zI - P) = z^-1 (b1 + b2 z^-1 + ...) / F(z^-1)
    m.B = Numerador(r, C, E.col(N).head(N));
    m.retardoCorrida = alineacion;
    m.retardo = alineacion + static_cast<int>(std::lround(g.retardo / tiempo));
    m.T = T;
    m.tiempoMuestra = tiempo == T ? 0 : tiempo;
    return m;
}

ModeloLineal Discreta(const FuncionTransferencia& g, const Registro& otro, int alineacion,
                      const std::string& estructura) {
    ModeloLineal m = Discreta(g, otro.T, otro.TiempoMuestra(), alineacion);
    m.tiempoMuestra = otro.tiempoMuestra;
    m.estructura = estructura;
    return m;
}

std::complex<double> Evaluar(const FuncionTransferencia& g, double w) {
    const std::complex<double> s(0, w);
    return Polinomio(g.num, s) / Polinomio(g.den, s) * std::polar(1.0, -w * g.retardo);
}

double Ganancia(const FuncionTransferencia& g) { return g.num.back() / g.den.back(); }

std::vector<std::complex<double>> Polos(const FuncionTransferencia& g) {
    std::vector<double> monico = g.den;
    for (double& c : monico) c /= g.den.front();
    if (monico.size() < 2) return {};
    const Eigen::VectorXcd p = Eigen::EigenSolver<Eigen::MatrixXd>(Companera(monico)).eigenvalues();
    return {p.begin(), p.end()};
}

std::string LineaOctave(const ModeloLineal& m) {
    const FuncionTransferencia g = Continua(m);
    const std::string t = Numero(m.TiempoMuestra());
    std::string s = "pkg load control; G = tf([" + Lista(g.num, " ") + "], [" + Lista(g.den, " ") + "]); Gd = c2d(G, " + t;
    s += MuestrasRetardo(m) > 0 ? ") * tf(1, [1 zeros(1, " + std::to_string(MuestrasRetardo(m)) + ")], " + t + ");"
                                : ");";
    return s;
}

std::string LineaPython(const ModeloLineal& m) {
    const FuncionTransferencia g = Continua(m);
    std::string s = "import numpy as np; from scipy import signal; G = signal.TransferFunction([" + Lista(g.num, ", ") +
                    "], [" + Lista(g.den, ", ") + "]); numd, dend, _ = signal.cont2discrete((G.num, G.den), " +
                    Numero(m.TiempoMuestra()) + ", method=\"zoh\")";
    if (MuestrasRetardo(m) > 0)
        s += "; dend = np.polymul(dend, np.r_[1.0, np.zeros(" + std::to_string(MuestrasRetardo(m)) + ")])";
    return s;
}

namespace {

// "20 s + 1", "40 s^2 + 14 s + 1", "-0.5 s + 3": the terms that are not 0, 6 significant digits.
std::string Polinomio(const std::vector<double>& p) {
    std::string s;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const std::size_t potencia = p.size() - 1 - i;
        if (p[i] == 0 && !(s.empty() && potencia == 0)) continue;
        char b[48];
        std::snprintf(b, sizeof b, "%.6g", std::abs(p[i]));
        s += s.empty() ? (p[i] < 0 ? "-" : "") : (p[i] < 0 ? " - " : " + ");
        const bool uno = std::abs(p[i]) == 1 && potencia > 0;
        if (!uno) s += b;
        if (potencia > 0) s += uno ? "s" : " s";
        if (potencia > 1) s += "^" + std::to_string(potencia);
    }
    return s;
}

std::string Grupo(const std::vector<double>& p) {
    const std::string s = Polinomio(p);
    const std::size_t terminos = static_cast<std::size_t>(std::count_if(p.begin(), p.end(), [](double c) { return c != 0; }));
    return terminos > 1 ? "(" + s + ")" : s;
}

}  // namespace

std::string TextoFuncion(const FuncionTransferencia& g) {
    std::string s = Grupo(g.num) + " / " + Grupo(g.den);
    if (g.retardo > 0) {
        char b[48];
        std::snprintf(b, sizeof b, " e^(-%.6g s)", g.retardo);
        s += b;
    }
    return s;
}

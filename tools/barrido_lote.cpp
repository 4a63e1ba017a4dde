// tanque-lote barrido: the command line, the share of the cases, the threads, and the lines written in case order.

#include <sys/stat.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "export/error_archivo.h"
#include "tools/barrido.h"
#include "tools/lote.h"

namespace {

[[noreturn]] void Mal(const std::string& razon) { throw std::invalid_argument(razon); }

// A whole number from 1 to `maximo`.
std::size_t Positivo(const std::string& texto, const std::string& que, std::size_t maximo) {
    if (texto.empty() || texto.size() > 9 || texto.find_first_not_of("0123456789") != std::string::npos ||
        std::stoul(texto) < 1 || std::stoul(texto) > maximo)
        Mal(que + " debe ser un número entero de 1 a " + std::to_string(maximo) + ": '" + texto + "'");
    return std::stoul(texto);
}

constexpr std::size_t kMaximoPartes = 1000000;
constexpr std::size_t kMaximoHilos = 256;

// The cases' lines in their order: the threads put each when it is made, the writer takes them in turn.
class Turnos {
public:
    explicit Turnos(std::size_t n) : lineas_(n), hechas_(n, false) {}

    void Poner(std::size_t k, std::string linea) {
        {
            std::lock_guard<std::mutex> l(m_);
            lineas_[k] = std::move(linea);
            hechas_[k] = true;
        }
        cambio_.notify_all();
    }
    void Fallar(std::exception_ptr e) {
        {
            std::lock_guard<std::mutex> l(m_);
            if (!fallo_) fallo_ = e;
        }
        cambio_.notify_all();
    }
    /// Line k once it is made (rethrowing a thread's failure); its memory goes with it.
    std::string Tomar(std::size_t k) {
        std::unique_lock<std::mutex> l(m_);
        cambio_.wait(l, [&] { return hechas_[k] || fallo_; });
        if (!hechas_[k]) std::rethrow_exception(fallo_);
        return std::move(lineas_[k]);
    }

private:
    std::mutex m_;
    std::condition_variable cambio_;
    std::vector<std::string> lineas_;
    std::vector<bool> hechas_;
    std::exception_ptr fallo_;
};

// The directory of --salida: made when it is missing, refused when it is something else.
std::optional<std::string> PrepararDirectorio(const std::string& d) {
    if (::mkdir(d.c_str(), 0777) == 0) return std::nullopt;
    if (errno != EEXIST) return "no se pudo crear el directorio " + d + ": " + TextoErrorArchivo(errno);
    struct stat s {};
    if (::stat(d.c_str(), &s) != 0 || !S_ISDIR(s.st_mode)) return "--salida=" + d + " no es un directorio";
    return std::nullopt;
}

bool FueBien(const std::string& linea) { return linea.find(",\"estado\":0,") != std::string::npos; }

}  // namespace

OpcionesLote LeerBarrido(const std::vector<std::string>& argumentos) {
    OpcionesLote o;
    o.orden = OrdenLote::Barrido;
    OpcionesBarridoLote& b = o.barrido;
    std::vector<std::string> posicionales;
    for (const std::string& a : argumentos) {
        if (a == "--help" || a == "-h" || a == "--ayuda") {
            o.ayuda = true;
        } else if (a.rfind("--parte=", 0) == 0) {
            const std::string v = a.substr(8);
            const std::size_t barra = v.find('/');
            if (barra == std::string::npos) Mal("--parte debe ser I/N, la parte I de N (de 1 a N): '" + v + "'");
            b.partes = Positivo(v.substr(barra + 1), "N de --parte=I/N", kMaximoPartes);
            b.parte = Positivo(v.substr(0, barra), "I de --parte=I/N", b.partes);
        } else if (a.rfind("--hilos=", 0) == 0) {
            b.hilos = Positivo(a.substr(8), "--hilos", kMaximoHilos);
        } else if (a.rfind("--salida=", 0) == 0) {
            if (a.size() == 9) Mal("--salida necesita el nombre de un directorio");
            b.directorio = a.substr(9);
        } else if (a.rfind("-", 0) == 0) {
            Mal("opción desconocida para barrido: " + a);
        } else {
            posicionales.push_back(a);
        }
    }
    if (o.ayuda) return o;
    if (posicionales.size() != 2) Mal("barrido espera un manifiesto, y solo uno: tanque-lote barrido MANIFIESTO");
    b.manifiesto = posicionales[1];
    return o;
}

int CorrerBarrido(const OpcionesLote& o, int salida, std::FILE* errores) {
    const OpcionesBarridoLote& b = o.barrido;
    Manifiesto m;
    try {
        m = LeerManifiesto(b.manifiesto);
    } catch (const std::invalid_argument& e) {
        std::fprintf(errores, "tanque-lote: %s\n", e.what());
        return 2;
    }
    if (b.directorio)
        if (const std::optional<std::string> mal = PrepararDirectorio(*b.directorio)) {
            std::fprintf(errores, "tanque-lote: %s\n", mal->c_str());
            return 1;
        }
    const std::vector<std::size_t> casos = CasosDeLaParte(NumeroDeCasos(m), b.parte, b.partes);
    Turnos turnos(casos.size());
    std::mutex reparto;
    std::size_t siguiente = 0;
    const auto trabajar = [&] {
        for (;;) {
            std::size_t k;
            {
                std::lock_guard<std::mutex> l(reparto);
                if (siguiente >= casos.size()) return;
                k = siguiente++;
            }
            try {
                turnos.Poner(k, LineaDelCaso(m, casos[k], b.directorio) + "\n");
            } catch (...) {
                turnos.Fallar(std::current_exception());
                return;
            }
        }
    };
    // with threads, each makes lines and this one writes them in order
    const auto parar = [&] {
        std::lock_guard<std::mutex> l(reparto);
        siguiente = casos.size();
    };
    std::vector<std::thread> hilos;
    if (b.hilos > 1)
        for (std::size_t h = 0; h < std::min(b.hilos, casos.size()); ++h) hilos.emplace_back(trabajar);
    int estado = 0;
    try {
        for (std::size_t k = 0; k < casos.size(); ++k) {
            const std::string linea =
                hilos.empty() ? LineaDelCaso(m, casos[k], b.directorio) + "\n" : turnos.Tomar(k);
            if (!FueBien(linea)) estado = 1;
            const int codigo = EscribirTexto(salida, linea.c_str());
            if (codigo == EPIPE) break;  // the reader has gone: the end of the output, as for any program on a pipe
            if (codigo != 0) {
                std::fprintf(errores, "tanque-lote: no se pudo escribir el barrido en la salida estándar: %s\n",
                             TextoErrorArchivo(codigo).c_str());
                estado = 1;
                break;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(errores, "tanque-lote: %s\n", e.what());
        estado = 1;
    }
    parar();
    for (std::thread& h : hilos) h.join();
    return estado;
}

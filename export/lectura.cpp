#include "export/lectura.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

#include "base/numeros.h"
#include "export/error_archivo.h"

namespace {

bool EsBlanco(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }
bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// A text as a message shows it: a control character (a NUL would end the message) as '?'.
std::string Visible(std::string_view texto) {
    std::string v(texto);
    for (char& c : v)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    return v;
}

// A field as it is quoted in a message: cut short, so that a line of garbage does not fill the screen.
std::string Citado(std::string_view campo) {
    constexpr std::size_t kMaximo = 24;
    if (campo.size() <= kMaximo) return "'" + Visible(campo) + "'";
    return "'" + Visible(campo.substr(0, kMaximo)) + "...'";
}

// A whole number in a message: the sample numbers are whole, and a Double prints them without a point.
std::string Entero(double v) {
    std::array<char, 32> texto{};
    const auto r = std::to_chars(texto.data(), texto.data() + texto.size(), v, std::chars_format::fixed, 0);
    return std::string(texto.data(), r.ptr);
}

// The opened file, closed on every path.
class ArchivoLeido {
public:
    explicit ArchivoLeido(const std::string& nombre) : nombre_(Visible(nombre)) {
        // a name with a NUL inside would reach open() cut short, naming another file
        if (nombre.empty() || nombre.find('\0') != std::string::npos) Fallar(EINVAL);
        do fd_ = ::open(nombre.c_str(), O_RDONLY | O_CLOEXEC);
        while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0) Fallar(errno);
    }
    ArchivoLeido(const ArchivoLeido&) = delete;
    ArchivoLeido& operator=(const ArchivoLeido&) = delete;
    ~ArchivoLeido() { ::close(fd_); }

    // Every byte, in blocks, resuming after an interrupted or short read. A folder fails here (EISDIR).
    std::string Todo() {
        std::string contenido;
        struct stat datos {};
        if (::fstat(fd_, &datos) == 0 && datos.st_size > 0) contenido.reserve(static_cast<std::size_t>(datos.st_size));
        std::array<char, 64 * 1024> bloque;
        for (;;) {
            const ssize_t leidos = ::read(fd_, bloque.data(), bloque.size());
            if (leidos < 0) {
                if (errno == EINTR) continue;
                Fallar(errno);
            }
            if (leidos == 0) return contenido;
            contenido.append(bloque.data(), static_cast<std::size_t>(leidos));
        }
    }

private:
    [[noreturn]] void Fallar(int codigo) { throw ErrorArchivo(nombre_ + ": " + TextoErrorArchivo(codigo)); }

    std::string nombre_;
    int fd_ = -1;
};

// The lines of one file, each read into its three numbers.
class Interprete {
public:
    explicit Interprete(const std::string& nombre) : nombre_(Visible(nombre)) {}

    [[noreturn]] void Fallar(std::size_t linea, const std::string& que) const {
        throw ErrorLectura(nombre_ + ", línea " + std::to_string(linea) + ": " + que);
    }

    // The number in `campo` (the n-th of its line), in the grammar of the export: sign, digits, an optional
    // point with digits, an optional exponent. Correctly rounded to the nearest Double.
    double Numero(std::string_view campo, int n, std::size_t linea) const {
        std::size_t i = 0;
        if (i < campo.size() && (campo[i] == '+' || campo[i] == '-')) ++i;
        const std::size_t inicio = i;
        std::size_t digitos = 0;
        while (i < campo.size() && EsDigito(campo[i])) ++i, ++digitos;
        if (i < campo.size() && campo[i] == '.') {
            ++i;
            while (i < campo.size() && EsDigito(campo[i])) ++i, ++digitos;
        }
        bool bien = digitos > 0;
        if (bien && i < campo.size() && (campo[i] == 'e' || campo[i] == 'E')) {
            ++i;
            if (i < campo.size() && (campo[i] == '+' || campo[i] == '-')) ++i;
            std::size_t exponente = 0;
            while (i < campo.size() && EsDigito(campo[i])) ++i, ++exponente;
            bien = exponente > 0;
        }
        if (!bien || i != campo.size())
            Fallar(linea, "el campo " + std::to_string(n) + ", " + Citado(campo) + ", no es un número");
        // from_chars takes no "+" and reads the rest in the C notation whatever the locale
        double v = 0;
        const auto r = std::from_chars(campo.data() + inicio, campo.data() + campo.size(), v);
        if (r.ec == std::errc::result_out_of_range) {
            // beyond the Double range on either side: the extended reading tells an underflow, which is as
            // near to 0 as a Double gets, from an overflow, which has no Double
            const std::string_view sin_signo = campo.substr(inicio);
            long double extendido = 0;
            try {
                extendido = TextoAFlotante(sin_signo, '.');
            } catch (const ErrorConversion&) {
                extendido = HUGE_VALL;  // beyond the extended range too
            }
            if (extendido > std::numeric_limits<double>::max())
                Fallar(linea, "el campo " + std::to_string(n) + ", " + Citado(campo) +
                                  ", es demasiado grande para un número de doble precisión");
            v = static_cast<double>(extendido);
        }
        return campo[0] == '-' ? -v : v;
    }

    // Reads one non-blank line into the record.
    void Linea(std::string_view texto, std::size_t linea, RegistroLeido& registro) const {
        std::array<std::string_view, 3> campos;
        int n = 0;
        std::size_t i = 0;
        while (i < texto.size()) {
            while (i < texto.size() && EsBlanco(texto[i])) ++i;
            if (i == texto.size()) break;
            const std::size_t inicio = i;
            while (i < texto.size() && !EsBlanco(texto[i])) ++i;
            if (n < 3) campos[static_cast<std::size_t>(n)] = texto.substr(inicio, i - inicio);
            ++n;
        }
        if (n != 3)
            Fallar(linea, "tiene " + std::to_string(n) + (n == 1 ? " campo" : " campos") +
                              " y debe tener 3 (muestra, acción y nivel)");
        const double muestra = Numero(campos[0], 1, linea);
        const double accion = Numero(campos[1], 2, linea);
        const double nivel = Numero(campos[2], 3, linea);
        if (std::trunc(muestra) != muestra)
            Fallar(linea, "el número de muestra " + Citado(campos[0]) + " no es entero");
        if (!registro.muestras.empty() && !(muestra > registro.muestras.back()))
            Fallar(linea, "la muestra " + Entero(muestra) + " no sigue a la " + Entero(registro.muestras.back()) +
                              " de la línea anterior: los números de muestra deben crecer");
        registro.muestras.push_back(muestra);
        registro.acciones.push_back(accion);
        registro.niveles.push_back(nivel);
    }

private:
    std::string nombre_;
};

}  // namespace

RegistroLeido InterpretarExportacion(std::string_view contenido, const std::string& nombre) {
    const Interprete interprete(nombre);
    RegistroLeido registro;
    std::size_t linea = 0;
    std::size_t blanca = 0;  // the first blank line since the last sample: tolerated only at the end
    std::size_t desde = 0;
    while (desde < contenido.size()) {
        std::size_t fin = contenido.find('\n', desde);
        if (fin == std::string_view::npos) fin = contenido.size();
        const std::string_view texto = contenido.substr(desde, fin - desde);
        desde = fin + 1;
        ++linea;
        bool vacia = true;
        for (char c : texto) vacia = vacia && EsBlanco(c);
        if (vacia) {
            if (blanca == 0) blanca = linea;
            continue;
        }
        if (blanca != 0) interprete.Fallar(blanca, "está en blanco y la siguen más muestras");
        interprete.Linea(texto, linea, registro);
    }
    if (registro.muestras.empty()) throw ErrorLectura(Visible(nombre) + ": el archivo está vacío");
    return registro;
}

RegistroLeido LeerExportacion(const std::string& nombre) {
    std::string contenido;
    {
        ArchivoLeido archivo(nombre);
        contenido = archivo.Todo();
    }
    return InterpretarExportacion(contenido, nombre);
}

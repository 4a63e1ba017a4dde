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
#include <utility>

#include "base/numeros.h"
#include "export/error_archivo.h"
#include "export/huella.h"

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

    // The next block of bytes (empty at the end), resuming after an interrupted read. A folder fails here (EISDIR).
    std::string_view Bloque() {
        for (;;) {
            const ssize_t leidos = ::read(fd_, bloque_.data(), bloque_.size());
            if (leidos < 0) {
                if (errno == EINTR) continue;
                Fallar(errno);
            }
            return std::string_view(bloque_.data(), static_cast<std::size_t>(leidos));
        }
    }
    // Back to the first byte, for a second reading of a regular file.
    void Rebobinar() {
        if (::lseek(fd_, 0, SEEK_SET) != 0) Fallar(errno);
    }
    bool Comun() const {
        struct stat datos {};
        return ::fstat(fd_, &datos) == 0 && S_ISREG(datos.st_mode);
    }

private:
    [[noreturn]] void Fallar(int codigo) { throw ErrorArchivo(nombre_ + ": " + TextoErrorArchivo(codigo)); }

    std::string nombre_;
    int fd_ = -1;
    std::array<char, 64 * 1024> bloque_;
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
        if (registro.lineas > 0 && !(muestra > registro.ultimaMuestra))
            Fallar(linea, "la muestra " + Entero(muestra) + " no sigue a la " + Entero(registro.ultimaMuestra) +
                              " de la línea anterior: los números de muestra deben crecer");
        if (compacto_ && registro.lineas > 0 && registro.muestras.empty() && muestra != registro.ultimaMuestra + 1) {
            // the first gap: from here on every number is kept, for the identification's message
            registro.muestras.reserve(registro.acciones.capacity());
            for (std::int64_t k = 0; k < registro.lineas; ++k)
                registro.muestras.push_back(registro.primeraMuestra + static_cast<double>(k));
        }
        if (registro.lineas == 0) registro.primeraMuestra = muestra;
        registro.ultimaMuestra = muestra;
        ++registro.lineas;
        if (!compacto_ || !registro.muestras.empty()) registro.muestras.push_back(muestra);
        registro.acciones.push_back(accion);
        registro.niveles.push_back(nivel);
    }

    bool compacto_ = false;

private:
    std::string nombre_;
};


// The record's lines, fed one at a time (without their '\n').
class Lineas {
public:
    Lineas(const std::string& nombre, bool compacto) : interprete_(nombre), nombre_(nombre) {
        interprete_.compacto_ = compacto;
    }
    void Linea(std::string_view texto) {
        ++linea_;
        bool vacia = true;
        for (char c : texto) vacia = vacia && EsBlanco(c);
        if (vacia) {
            if (blanca_ == 0) blanca_ = linea_;
            return;
        }
        if (blanca_ != 0) interprete_.Fallar(blanca_, "está en blanco y la siguen más muestras");
        interprete_.Linea(texto, linea_, registro_);
    }
    RegistroLeido Fin() {
        if (registro_.lineas == 0) throw ErrorLectura(Visible(nombre_) + ": el archivo está vacío");
        return std::move(registro_);
    }
    RegistroLeido& Registro() { return registro_; }
    /// A line that has grown beyond any sample's length while it was read: refused before it fills the memory.
    [[noreturn]] void Larga() const {
        interprete_.Fallar(linea_ + 1, "tiene más de " + std::to_string(kLineaMaxima / 1024) +
                                           " KiB sin terminar: no es una muestra");
    }
    static constexpr std::size_t kLineaMaxima = 1024 * 1024;

private:
    Interprete interprete_;
    std::string nombre_;
    RegistroLeido registro_;
    std::size_t linea_ = 0;
    std::size_t blanca_ = 0;  // the first blank line since the last sample: tolerated only at the end
};

}  // namespace

RegistroLeido InterpretarExportacion(std::string_view contenido, const std::string& nombre) {
    Lineas lineas(nombre, false);
    std::size_t desde = 0;
    while (desde < contenido.size()) {
        std::size_t fin = contenido.find('\n', desde);
        if (fin == std::string_view::npos) fin = contenido.size();
        lineas.Linea(contenido.substr(desde, fin - desde));
        desde = fin + 1;
    }
    return lineas.Fin();
}

RegistroLeido LeerExportacion(const std::string& nombre, bool compacto) {
    ArchivoLeido archivo(nombre);
    Lineas lineas(nombre, compacto);
    HuellaSha256 huella;
    const bool comun = archivo.Comun();
    if (comun) {
        // A first reading counts the lines, so that the columns take just their size (a vector that doubles
        // may hold twice what it needs), and takes the file's fingerprint.
        std::size_t saltos = 0;
        for (std::string_view b; !(b = archivo.Bloque()).empty();) {
            huella.Anadir(b);
            for (std::size_t i = 0; (i = b.find('\n', i)) != std::string_view::npos; ++i) ++saltos;
        }
        RegistroLeido& r = lineas.Registro();
        r.acciones.reserve(saltos + 1);
        r.niveles.reserve(saltos + 1);
        if (!compacto) r.muestras.reserve(saltos + 1);
        archivo.Rebobinar();
    }
    std::string pendiente;  // a line not yet ended
    for (std::string_view b; !(b = archivo.Bloque()).empty();) {
        if (!comun) huella.Anadir(b);
        std::size_t desde = 0;
        for (std::size_t fin; (fin = b.find('\n', desde)) != std::string_view::npos; desde = fin + 1) {
            if (pendiente.empty()) {
                lineas.Linea(b.substr(desde, fin - desde));
            } else {
                pendiente.append(b.substr(desde, fin - desde));
                lineas.Linea(pendiente);
                pendiente.clear();
            }
        }
        pendiente.append(b.substr(desde));
        if (pendiente.size() > Lineas::kLineaMaxima) lineas.Larga();
    }
    if (!pendiente.empty()) lineas.Linea(pendiente);
    RegistroLeido r = lineas.Fin();
    r.huella = huella.Resumen();
    return r;
}

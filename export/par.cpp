#include "export/par.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <utility>

#include "export/causa_archivo.h"
#include "export/error_archivo.h"
#include "export/llamadas.h"
#include "export/temporales.h"

namespace {

// The folder of a pair, locked for as long as its renames last: two programs writing the same pair at once
// rename theirs one after the other, never interleaved (a lock that cannot be taken only loses that guarantee).
class CerrojoCarpeta {
public:
    explicit CerrojoCarpeta(const std::string& ruta) {
        const std::string carpeta = CarpetaDe(ruta);
        fd_ = ::open(carpeta.empty() ? "." : carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0) return;
        int r;
        do r = ::flock(fd_, LOCK_EX);
        while (r != 0 && errno == EINTR);
    }
    ~CerrojoCarpeta() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    CerrojoCarpeta(const CerrojoCarpeta&) = delete;
    CerrojoCarpeta& operator=(const CerrojoCarpeta&) = delete;

private:
    int fd_ = -1;
};

// A hidden hard link to the old record while the new pair takes its place; removed by a signal like the
// temporary files (the old record itself is never touched by it).
class Copia {
public:
    explicit Copia(const std::string& ruta) {
        std::random_device semilla;
        std::mt19937_64 azar(semilla());
        const std::string carpeta = CarpetaDe(ruta);
        for (int intento = 0; intento < 100; ++intento) {
            std::string nombre = carpeta + "." + ruta.substr(carpeta.size(), 200) + ".anterior.";
            for (int i = 0; i < 6; ++i) nombre += static_cast<char>('a' + azar() % 26);
            ranura_ = AnotarTemporal(nombre.c_str());
            if (Llamadas().enlazar(ruta.c_str(), nombre.c_str()) == 0) {
                nombre_ = std::move(nombre);
                return;
            }
            OlvidarTemporal(ranura_);
            ranura_ = -1;
            if (errno != EEXIST) return;  // a file system without hard links: no repair
        }
    }
    ~Copia() { Borrar(); }
    Copia(const Copia&) = delete;
    Copia& operator=(const Copia&) = delete;

    bool Hay() const { return !nombre_.empty(); }
    /// Renames the old record back over `ruta`; true when it is there again.
    bool Devolver(const std::string& ruta) {
        if (!Hay() || Llamadas().renombrar(nombre_.c_str(), ruta.c_str()) != 0) return false;
        nombre_.clear();
        OlvidarTemporal(ranura_);
        ranura_ = -1;
        return true;
    }
    void Borrar() noexcept {
        if (Hay()) ::unlink(nombre_.c_str());
        nombre_.clear();
        OlvidarTemporal(ranura_);
        ranura_ = -1;
    }

private:
    std::string nombre_;
    int ranura_ = -1;
};

std::string Igual(const std::string& registro, const std::string& descripcion) {
    return "; el registro " + registro + " y su descripción " + descripcion + " quedan como estaban";
}

}  // namespace

std::optional<std::string> DescripcionNoEscribible(const std::string& descripcion) {
    struct stat st {};
    if (::lstat(descripcion.c_str(), &st) != 0) return std::nullopt;  // a new file (or an error its creation names)
    if (S_ISLNK(st.st_mode))
        return std::string("es un enlace simbólico, que no se sigue porque su nombre no lo eligió usted: quítelo o "
                           "elija otro nombre de registro");
    if (S_ISDIR(st.st_mode)) return std::string("es una carpeta");
    if (!S_ISREG(st.st_mode)) return std::string("no es un archivo común");
    return std::nullopt;
}

ParRegistro::ParRegistro(const std::string& registro, std::string descripcion)
    : registro_(registro), descripcion_(std::move(descripcion)) {}

void ParRegistro::Descartar() noexcept { registro_.Descartar(); }

void ParRegistro::Confirmar(const std::function<std::string(const ResumenArchivo&)>& describir) {
    if (!ConDescripcion()) {
        registro_.Confirmar();  // its own error: the caller names the record, as for a line's write
        return;
    }
    ConfirmarPar({registro_, [this] { registro_.Cerrar(); }, [this] { return registro_.Resumen(); },
                  [this] { registro_.Descartar(); }},
                 descripcion_, describir);
}

void ConfirmarPar(const LadoPar& lado, const std::string& d,
                  const std::function<std::string(const ResumenArchivo&)>& describir) {
    ArchivoRegistro& registro = lado.archivo;
    const std::string& r = registro.Ruta();
    std::string texto;
    try {
        lado.cerrar();
    } catch (const ErrorArchivo& e) {
        throw ErrorPar("no se pudo escribir el registro " + r + ": " + ConCausaAlFinal(r, e.what()) + Igual(r, d));
    }
    std::optional<ArchivoRegistro> descripcion;
    try {
        if (const std::optional<std::string> motivo = DescripcionNoEscribible(d)) throw ErrorArchivo(*motivo);
        texto = describir(lado.resumen());
        descripcion.emplace(d);
        descripcion->AnadirTexto(texto);
        descripcion->Cerrar();
    } catch (const ErrorArchivo& e) {
        lado.descartar();
        if (descripcion) descripcion->Descartar();
        throw ErrorPar("no se pudo escribir la descripción " + d + ": " + ConCausaAlFinal(d, e.what()) + Igual(r, d));
    }
    CerrojoCarpeta cerrojo(r);
    std::optional<Copia> copia;
    if (registro.Existia()) copia.emplace(registro.Ruta());
    if (const int codigo = registro.Colocar()) {
        lado.descartar();
        descripcion->Descartar();
        throw ErrorPar("no se pudo escribir el registro " + r + ": " + ConCausa(r, TextoErrorArchivo(codigo)) +
                       Igual(r, d));
    }
    if (const int codigo = descripcion->Colocar()) {
        descripcion->Descartar();
        // the new record goes: the old one back, or none when there was none
        const bool devuelto = copia ? copia->Devolver(r) : ::unlink(r.c_str()) == 0;
        const std::string causa =
            "no se pudo escribir la descripción " + d + ": " + ConCausa(d, TextoErrorArchivo(codigo));
        if (devuelto) throw ErrorPar(causa + Igual(r, d));
        throw ErrorPar(causa + "; el registro " + r + " ya es el nuevo y no se pudo devolver el anterior: " + d +
                       " no lo describe (su huella lo muestra)");
    }
    if (copia) copia->Borrar();
    SincronizarCarpeta(r);
}

std::optional<std::string> PreguntaReemplazo(const std::string& registro, const std::string& descripcion) {
    struct stat st {};
    const bool r = ::lstat(registro.c_str(), &st) == 0;
    const bool d = ::lstat(descripcion.c_str(), &st) == 0;
    const std::string nr = registro.substr(CarpetaDe(registro).size());
    const std::string nd = descripcion.substr(CarpetaDe(descripcion).size());
    if (r && d) return "Los archivos «" + nr + "» y su descripción «" + nd + "» ya existen. ¿Desea reemplazarlos?";
    if (r) return "El archivo «" + nr + "» ya existe. ¿Desea reemplazarlo?";
    if (d)
        return "El archivo «" + nd + "» ya existe: es el nombre de la descripción que se escribe junto al registro «" +
               nr + "». ¿Desea reemplazarlo?";
    return std::nullopt;
}

#include "export/archivo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "base/errores.h"
#include "export/error_archivo.h"
#include "export/formato.h"
#include "export/llamadas.h"
#include "export/temporales.h"

namespace {

// The temporary file's name: hidden beside the target, named after it, with a random end. The target's name is
// cut so that the whole stays within a folder entry's 255 bytes.
std::string NombreTemporal(const std::string& ruta, std::mt19937_64& azar) {
    static constexpr char kLetras[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const std::string carpeta = CarpetaDe(ruta);
    std::string nombre = "." + ruta.substr(carpeta.size(), 200) + ".";
    for (int i = 0; i < 8; ++i) nombre += kLetras[azar() % (sizeof kLetras - 1)];
    return carpeta + nombre;
}

int Abrir(const char* ruta, int banderas, mode_t modo = 0666) {
    int fd;
    do fd = ::open(ruta, banderas | O_CLOEXEC | O_NOCTTY, modo);
    while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

ArchivoRegistro::ArchivoRegistro(const std::string& nombre) : destino_(ElegirDestino(nombre)) {
    bufer_.reserve(kBloqueEscritura + 1024);
    if (!destino_.reemplazar) {
        // O_TRUNC takes effect only once the open succeeds
        fd_ = Abrir(destino_.ruta.c_str(), O_WRONLY | O_TRUNC);
        if (fd_ < 0) Fallar(errno);
        return;
    }
    std::random_device semilla;
    std::mt19937_64 azar((static_cast<std::uint64_t>(semilla()) << 32) ^ static_cast<std::uint64_t>(::getpid()));
    for (int intento = 0; fd_ < 0; ++intento) {
        temporal_ = NombreTemporal(destino_.ruta, azar);
        // the name is noted before the file exists, so that a signal never finds a file it does not know
        ranura_ = AnotarTemporal(temporal_.c_str());
        // A new file: mode 0666 under the umask, as a plain creation. A replacement starts private and takes the old
        // file's mode below. O_EXCL never opens a file that someone else made.
        fd_ = Abrir(temporal_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, destino_.existia ? 0600 : 0666);
        if (fd_ >= 0) break;
        const int codigo = errno;
        OlvidarTemporal(ranura_);
        ranura_ = -1;
        temporal_.clear();
        if (codigo != EEXIST || intento == 100) Fallar(codigo);
    }
    if (destino_.existia) {
        // The replaced file's owner and permissions. Giving a file away needs privileges that a user seldom has,
        // and a file system without permissions (FAT) refuses the mode: then the new file stays the user's own,
        // private, as after any program that saves by renaming.
        struct stat st {};
        if (::fstat(fd_, &st) == 0 && (st.st_uid != destino_.dueno || st.st_gid != destino_.grupo))
            static_cast<void>(::fchown(fd_, destino_.dueno, destino_.grupo));
        static_cast<void>(::fchmod(fd_, destino_.modo));
    }
}

ArchivoRegistro::~ArchivoRegistro() { Descartar(); }

void ArchivoRegistro::Descartar() noexcept {
    if (fd_ >= 0) Llamadas().cerrar(fd_);
    fd_ = -1;
    if (!temporal_.empty()) ::unlink(temporal_.c_str());
    temporal_.clear();
    OlvidarTemporal(ranura_);
    ranura_ = -1;
}

void ArchivoRegistro::Fallar(int codigo) {
    Descartar();
    LanzarErrorArchivo(codigo);
}

void ArchivoRegistro::Volcar() {
    if (const int codigo = EscribirTodo(fd_, bufer_)) Fallar(codigo);
    huella_.Anadir(bufer_);
    bufer_.clear();
}

void ArchivoRegistro::Anadir(const MuestraExportada& m) {
    AnadirLineaExportacion(bufer_, m.muestra, m.accion, m.nivel);
    if (bufer_.size() >= kBloqueEscritura) Volcar();
}

void ArchivoRegistro::AnadirTexto(std::string_view texto) {
    bufer_ += texto;
    if (bufer_.size() >= kBloqueEscritura) Volcar();
}

void ArchivoRegistro::Cerrar() {
    if (fd_ < 0) Fallar(EBADF);  // already confirmed or discarded
    Volcar();
    // On the disk before it takes the target's name: after a crash the target is the old file or the whole new one.
    // A FIFO or a terminal has nothing to flush.
    if (destino_.reemplazar && Llamadas().sincronizar(fd_) != 0) Fallar(errno);
    const int fd = fd_;
    fd_ = -1;  // released by close whatever it answers
    if (Llamadas().cerrar(fd) != 0) Fallar(errno);
}

int ArchivoRegistro::Colocar() noexcept {
    if (!destino_.reemplazar || temporal_.empty()) return 0;
    if (Llamadas().renombrar(temporal_.c_str(), destino_.ruta.c_str()) != 0) return errno;
    temporal_.clear();
    OlvidarTemporal(ranura_);
    ranura_ = -1;
    return 0;
}

void ArchivoRegistro::Confirmar() {
    Cerrar();
    if (!destino_.reemplazar) return;
    if (const int codigo = Colocar()) Fallar(codigo);
    // The new name itself on the disk. The record is complete and in place by now; a folder that cannot be
    // flushed only leaves the rename to the file system's own time, so it is not reported.
    SincronizarCarpeta(destino_.ruta);
}

void SincronizarCarpeta(const std::string& ruta) noexcept {
    const std::string carpeta = CarpetaDe(ruta);
    const int dir = Abrir(carpeta.empty() ? "." : carpeta.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        static_cast<void>(::fsync(dir));
        ::close(dir);
    }
}

void EscribirExportacion(const std::string& nombre, std::int64_t ultimo,
                         const std::function<MuestraExportada(std::int64_t)>& punto) {
    ArchivoRegistro archivo(nombre);
    for (std::int64_t i = 0; i <= ultimo; ++i) archivo.Anadir(punto(i));
    archivo.Confirmar();
}

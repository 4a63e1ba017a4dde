// The record as a MAT v5 file, through Debian's libmatio. A v5 variable states its size before its data, and
// libmatio writes a variable whole, so the columns wait in unnamed temporary files beside the target (memory
// stays flat while the record grows); at the end libmatio writes each column from a mapping of its file.

#include <fcntl.h>
#include <matio.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "base/errores.h"
#include "export/archivo.h"
#include "export/destino.h"
#include "export/error_archivo.h"
#include "export/escritor.h"
#include "export/registros_internos.h"
#include "export/variable_mat.h"

namespace {

// Samples a column gathers before it writes them to its file.
constexpr std::size_t kBloque = 8192;
// The most samples of one column: 2^31 - 1 bytes of doubles.
constexpr std::size_t kMuestrasMaximas = 0x7FFFFFFF / sizeof(double);

// libmatio's messages would go to standard error: the writer reports through its exceptions instead.
void Callar(int, char*) {}

// A column on its way: its values in an unnamed file (removed by the system when it is closed).
class Columna {
public:
    explicit Columna(const std::string& carpeta) {
        do fd_ = ::open(carpeta.empty() ? "." : carpeta.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
            // a file system without unnamed files: a named one, unlinked at once
            std::string plantilla = carpeta + ".tanque-columna-XXXXXX";
            fd_ = ::mkostemp(plantilla.data(), O_CLOEXEC);
            if (fd_ >= 0) ::unlink(plantilla.c_str());
        }
        if (fd_ < 0) LanzarErrorArchivo(errno);
        bloque_.reserve(kBloque);
    }
    Columna(Columna&& otra) noexcept : fd_(otra.fd_), bloque_(std::move(otra.bloque_)), n_(otra.n_) { otra.fd_ = -1; }
    Columna(const Columna&) = delete;
    Columna& operator=(const Columna&) = delete;
    ~Columna() {
        if (fd_ >= 0) ::close(fd_);
    }

    void Anadir(double v) {
        bloque_.push_back(v);
        if (bloque_.size() == kBloque) Vaciar();
    }
    void Vaciar() {
        const std::string_view bytes(reinterpret_cast<const char*>(bloque_.data()), bloque_.size() * sizeof(double));
        const int codigo = EscribirTodo(fd_, bytes);
        n_ += bloque_.size();
        bloque_.clear();
        if (codigo != 0) LanzarErrorArchivo(codigo);
    }
    std::size_t Cuantos() const { return n_ + bloque_.size(); }
    int Descriptor() const { return fd_; }

private:
    int fd_ = -1;
    std::vector<double> bloque_;
    std::size_t n_ = 0;  // values in the file
};

// The file of a column, mapped for reading while libmatio writes it.
class Mapa {
public:
    Mapa(int fd, std::size_t bytes) : bytes_(bytes) {
        if (bytes == 0) return;
        datos_ = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE, fd, 0);
        if (datos_ == MAP_FAILED) LanzarErrorArchivo(errno);
        ::madvise(datos_, bytes, MADV_SEQUENTIAL);
    }
    Mapa(const Mapa&) = delete;
    Mapa& operator=(const Mapa&) = delete;
    ~Mapa() {
        if (datos_ && datos_ != MAP_FAILED) ::munmap(datos_, bytes_);
    }
    void* Datos() const { return datos_; }

private:
    void* datos_ = nullptr;
    std::size_t bytes_;
};

class EscritorMat : public EscritorComun {
public:
    EscritorMat(const std::string& nombre, const FormaRegistro& forma) : EscritorComun(forma), archivo_(nombre) {
        ExigirArchivoEnDisco(archivo_, "MAT");
        const std::string carpeta = CarpetaDe(archivo_.Temporal());
        try {
            for (std::size_t k = 0; k < columnas_.size(); ++k) columnas_en_disco_.emplace_back(carpeta);
        } catch (const ErrorArchivo&) {
            Descartar();
            throw;
        }
    }

    void Anadir(double muestra, double accion, double nivel, std::span<const double> adicionales) override {
        const std::span<const double> fila = Fila(muestra, accion, nivel, adicionales);
        try {
            for (std::size_t k = 0; k < fila.size(); ++k) columnas_en_disco_[k].Anadir(fila[k]);
        } catch (const ErrorArchivo&) {
            Descartar();
            throw;
        }
    }

    void Confirmar() override {
        Completar();
        archivo_.Confirmar();
    }

    void Cerrar() override {
        Completar();
        archivo_.Cerrar();
    }

    ResumenArchivo Resumen() const override { return ResumenDe(archivo_.Temporal()); }
    ArchivoRegistro& Archivo() override { return archivo_; }

    void Descartar() noexcept override {
        if (mat_) Mat_Close(mat_);
        mat_ = nullptr;
        columnas_en_disco_.clear();
        archivo_.Descartar();
    }

    ~EscritorMat() override { Descartar(); }

private:
    void Completar() {
        try {
            Escribir();
        } catch (const ErrorArchivo&) {
            Descartar();
            throw;
        }
        columnas_en_disco_.clear();
    }

    // A call of libmatio that failed: its failure as the system's errno that it left.
    static void Exigir(bool bien) {
        if (!bien) LanzarErrorArchivo(errno != 0 ? errno : EIO);
    }

    void Variable(matvar_t* v) {
        errno = 0;
        const int r = v ? Mat_VarWrite(mat_, v, MAT_COMPRESSION_NONE) : -1;
        const int codigo = errno;
        Mat_VarFree(v);
        errno = codigo;
        Exigir(r == 0);
    }

    void Escribir() {
        if (columnas_en_disco_.size() != columnas_.size()) LanzarErrorArchivo(EBADF);  // already discarded
        // a v5 variable gives its size in 32 bits, and MATLAB takes no more than 2^31 - 1 bytes
        if (columnas_en_disco_[0].Cuantos() > kMuestrasMaximas)
            throw ErrorArchivo("El formato MAT v5 no admite más de " + std::to_string(kMuestrasMaximas) +
                               " muestras por columna; el registro tiene " +
                               std::to_string(columnas_en_disco_[0].Cuantos()) + ": guárdelo como HDF5 (.h5)");
        SinTerminarHdf5();  // libmatio calls libhdf5
        Mat_LogInitFunc("tanque", Callar);
        errno = 0;
        mat_ = Mat_CreateVer(archivo_.Temporal().c_str(), "MATLAB 5.0 MAT-file, escrito por tanque", MAT_FT_MAT5);
        Exigir(mat_ != nullptr);
        Variable(VariableUnidades("unidades", columnas_));
        if (!descripcion_.empty()) Variable(VariableDeJson("descripcion", descripcion_));
        for (std::size_t k = 0; k < columnas_.size(); ++k) {
            Columna& c = columnas_en_disco_[k];
            c.Vaciar();
            const Mapa mapa(c.Descriptor(), c.Cuantos() * sizeof(double));
            std::size_t dims[2] = {c.Cuantos(), 1};
            Variable(Mat_VarCreate(columnas_[k].variable.c_str(), MAT_C_DOUBLE, MAT_T_DOUBLE, 2, dims, mapa.Datos(),
                                   MAT_F_DONT_COPY_DATA));
        }
        // Ts last: the check below reads it back
        Variable(VariableEscalar("Ts", muestreo_s_));
        const int cierre = Mat_Close(mat_);
        mat_ = nullptr;
        Exigir(cierre == 0);
        Comprobar();
    }

    // libmatio does not report every write that fails (one cut short by a full disk or a size limit, from its
    // buffer): the file is read back. Every variable lies before Ts, so the variables all there, in their
    // order, with Ts last and whole, are a complete file.
    void Comprobar() {
        const int codigo = errno;  // a failed write that libmatio passed over leaves its errno
        mat_t* leido = Mat_Open(archivo_.Temporal().c_str(), MAT_ACC_RDONLY);
        std::size_t variables = 0;
        std::string ultima;
        for (matvar_t* v; leido && (v = Mat_VarReadNextInfo(leido)) != nullptr; Mat_VarFree(v), ++variables)
            ultima = v->name ? v->name : "";
        matvar_t* ts = leido ? Mat_VarRead(leido, "Ts") : nullptr;
        const bool bien = variables == columnas_.size() + (descripcion_.empty() ? 2 : 3) && ultima == "Ts" && ts &&
                          ts->class_type == MAT_C_DOUBLE && ts->data && ts->nbytes == sizeof(double) &&
                          *static_cast<const double*>(ts->data) == muestreo_s_;
        Mat_VarFree(ts);
        if (leido) Mat_Close(leido);
        if (!bien) LanzarErrorArchivo(codigo != 0 ? codigo : EIO);
    }

    ArchivoRegistro archivo_;
    std::vector<Columna> columnas_en_disco_;
    mat_t* mat_ = nullptr;
};

}  // namespace

std::unique_ptr<EscritorRegistro> AbrirMat(const std::string& nombre, const FormaRegistro& forma) {
    return std::make_unique<EscritorMat>(nombre, forma);
}

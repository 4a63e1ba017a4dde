// The record as HDF5, through Debian's libhdf5: each column an extensible dataset of doubles written a chunk at
// a time, so that memory stays the same however long the record is.

#include <hdf5.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/errores.h"
#include "export/archivo.h"
#include "export/error_archivo.h"
#include "export/registros_internos.h"

namespace {

// Samples per chunk of a column, and per write: 64 KiB of doubles, so that a short record stays small (a
// chunk is stored whole) while a long one has few chunks to index.
constexpr hsize_t kTrozo = 8192;

// An identifier of the library, closed when it goes.
class Id {
public:
    Id() = default;
    Id(hid_t id, herr_t (*cerrar)(hid_t)) : id_(id), cerrar_(cerrar) {}
    Id(Id&& otro) noexcept : id_(otro.id_), cerrar_(otro.cerrar_) { otro.id_ = -1; }
    Id& operator=(Id&& otro) noexcept {
        std::swap(id_, otro.id_);
        std::swap(cerrar_, otro.cerrar_);
        return *this;
    }
    ~Id() { Cerrar(); }
    hid_t operator*() const { return id_; }
    bool Valido() const { return id_ >= 0; }
    /// Closes it; false when the library says the close failed (for a file: its last writes).
    bool Cerrar() {
        if (id_ < 0) return true;
        const hid_t id = id_;
        id_ = -1;
        return cerrar_(id) >= 0;
    }

private:
    hid_t id_ = -1;
    herr_t (*cerrar_)(hid_t) = nullptr;
};

// The system's errno that the library's error stack names ("errno = 28"), EIO when it names none.
herr_t BuscarErrno(unsigned, const H5E_error2_t* e, void* dato) {
    int& codigo = *static_cast<int*>(dato);
    const char* p = e->desc ? std::strstr(e->desc, "errno = ") : nullptr;
    if (codigo == 0 && p) codigo = std::atoi(p + 8);
    return 0;
}

int CodigoDelError() {
    int codigo = 0;
    H5Ewalk2(H5E_DEFAULT, H5E_WALK_DOWNWARD, BuscarErrno, &codigo);
    H5Eclear2(H5E_DEFAULT);
    return codigo > 0 ? codigo : EIO;
}

class EscritorHdf5 : public EscritorComun {
public:
    EscritorHdf5(const std::string& nombre, const FormaRegistro& forma) : EscritorComun(forma), archivo_(nombre) {
        ExigirArchivoEnDisco(archivo_, "HDF5");
        SinTerminarHdf5();
        // the library reports through our messages, never on standard error
        H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);
        Id acceso(H5Pcreate(H5P_FILE_ACCESS), H5Pclose);
        // a private file that nobody else opens: no lock, which some file systems refuse
        Exigir(acceso.Valido() && H5Pset_file_locking(*acceso, false, true) >= 0);
        // HDF5 1.10's format: its index of the chunks of a growing dataset (an extensible array) keeps its memory
        // flat, where the older B-tree's grows with every chunk; readers need HDF5 1.10 (2016) or later
        Exigir(H5Pset_libver_bounds(*acceso, H5F_LIBVER_V110, H5F_LIBVER_V110) >= 0);
        archivo_h5_ = Id(H5Fcreate(archivo_.Temporal().c_str(), H5F_ACC_TRUNC, H5P_DEFAULT, *acceso), H5Fclose);
        Exigir(archivo_h5_.Valido());
        for (const ColumnaRegistro& c : columnas_) Columna(c);
        bloques_.assign(columnas_.size(), {});
        for (auto& b : bloques_) b.reserve(kTrozo);
    }

    void Anadir(double muestra, double accion, double nivel, std::span<const double> adicionales) override {
        const std::span<const double> fila = Fila(muestra, accion, nivel, adicionales);
        for (std::size_t k = 0; k < fila.size(); ++k) bloques_[k].push_back(fila[k]);
        if (bloques_[0].size() == kTrozo) Volcar();
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
        conjuntos_.clear();
        archivo_h5_.Cerrar();
        H5Eclear2(H5E_DEFAULT);
        archivo_.Descartar();
    }

    ~EscritorHdf5() override { Descartar(); }

private:
    // The last samples, Ts and the description (known only at the end, when it names the record's lines) written,
    // and the library's file closed.
    void Completar() {
        Exigir(archivo_h5_.Valido());
        Volcar();
        Escalar("Ts", muestreo_s_, "s");
        Texto(*archivo_h5_, "descripcion", descripcion_, true);
        conjuntos_.clear();
        Exigir(archivo_h5_.Cerrar());
    }

    void Exigir(bool bien) {
        if (bien) return;
        const int codigo = CodigoDelError();
        Descartar();
        LanzarErrorArchivo(codigo);
    }

    // A variable-length UTF-8 string, as an attribute of `objeto` or a dataset of the file.
    void Texto(hid_t objeto, const char* nombre, const std::string& valor, bool conjunto) {
        Id tipo(H5Tcopy(H5T_C_S1), H5Tclose);
        Exigir(tipo.Valido() && H5Tset_size(*tipo, H5T_VARIABLE) >= 0 && H5Tset_cset(*tipo, H5T_CSET_UTF8) >= 0);
        Id espacio(H5Screate(H5S_SCALAR), H5Sclose);
        const char* p = valor.c_str();
        if (conjunto) {
            Id d(H5Dcreate2(objeto, nombre, *tipo, *espacio, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), H5Dclose);
            Exigir(d.Valido() && H5Dwrite(*d, *tipo, H5S_ALL, H5S_ALL, H5P_DEFAULT, &p) >= 0);
        } else {
            Id a(H5Acreate2(objeto, nombre, *tipo, *espacio, H5P_DEFAULT, H5P_DEFAULT), H5Aclose);
            Exigir(a.Valido() && H5Awrite(*a, *tipo, &p) >= 0);
        }
    }

    void Escalar(const char* nombre, double valor, const std::string& unidad) {
        Id espacio(H5Screate(H5S_SCALAR), H5Sclose);
        Id d(H5Dcreate2(*archivo_h5_, nombre, H5T_IEEE_F64LE, *espacio, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), H5Dclose);
        Exigir(d.Valido() && H5Dwrite(*d, H5T_NATIVE_DOUBLE, H5S_ALL, H5S_ALL, H5P_DEFAULT, &valor) >= 0);
        Texto(*d, "unidad", unidad, false);
    }

    // An empty dataset that grows without end, in chunks of kTrozo.
    void Columna(const ColumnaRegistro& c) {
        const hsize_t cero = 0, sin_fin = H5S_UNLIMITED;
        Id espacio(H5Screate_simple(1, &cero, &sin_fin), H5Sclose);
        Id creacion(H5Pcreate(H5P_DATASET_CREATE), H5Pclose);
        Exigir(espacio.Valido() && creacion.Valido() && H5Pset_chunk(*creacion, 1, &kTrozo) >= 0);
        // no cache of chunks: each is written whole, once, and goes straight to the file
        Id acceso(H5Pcreate(H5P_DATASET_ACCESS), H5Pclose);
        Exigir(acceso.Valido() && H5Pset_chunk_cache(*acceso, 0, 0, H5D_CHUNK_CACHE_W0_DEFAULT) >= 0);
        Id d(H5Dcreate2(*archivo_h5_, c.variable.c_str(), H5T_IEEE_F64LE, *espacio, H5P_DEFAULT, *creacion, *acceso),
             H5Dclose);
        Exigir(d.Valido());
        Texto(*d, "unidad", c.unidad, false);
        Texto(*d, "titulo", c.titulo, false);
        conjuntos_.push_back(std::move(d));
    }

    // The samples gathered, appended to every column.
    void Volcar() {
        const hsize_t n = bloques_[0].size();
        if (n == 0) return;
        const hsize_t total = escritas_ + n;
        Id memoria(H5Screate_simple(1, &n, nullptr), H5Sclose);
        for (std::size_t k = 0; k < conjuntos_.size(); ++k) {
            Exigir(H5Dset_extent(*conjuntos_[k], &total) >= 0);
            Id espacio(H5Dget_space(*conjuntos_[k]), H5Sclose);
            Exigir(espacio.Valido() &&
                   H5Sselect_hyperslab(*espacio, H5S_SELECT_SET, &escritas_, nullptr, &n, nullptr) >= 0 &&
                   H5Dwrite(*conjuntos_[k], H5T_NATIVE_DOUBLE, *memoria, *espacio, H5P_DEFAULT, bloques_[k].data()) >= 0);
            bloques_[k].clear();
        }
        escritas_ = total;
    }

    ArchivoRegistro archivo_;
    Id archivo_h5_;
    std::vector<Id> conjuntos_;
    std::vector<std::vector<double>> bloques_;
    hsize_t escritas_ = 0;
};

}  // namespace

void SinTerminarHdf5() noexcept {
    // HDF5 1.10.8, at its termination when the program ends, closes again a file whose close failed (a full
    // disk, a size limit) and crashes there. Every file of ours is closed by then, so the library is not
    // terminated at exit; the request holds only before its first call. A failed file stays behind in its
    // tables, and files made after it are written and closed as usual.
    H5dont_atexit();
}

std::unique_ptr<EscritorRegistro> AbrirHdf5(const std::string& nombre, const FormaRegistro& forma) {
    return std::make_unique<EscritorHdf5>(nombre, forma);
}

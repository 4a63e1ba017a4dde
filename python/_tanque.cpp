// The compiled half of the Python module tanque: tanque-lote's own code behind a few calls, its command line as
// a list of texts. The pure Python half (tanque/__init__.py) turns keywords into those texts and parses JSON.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "core/descripcion.h"
#include "core/lecturas_tick.h"
#include "export/registro_memoria.h"
#include "export/registros.h"
#include "tools/barrido.h"
#include "tools/configuracion_lote.h"
#include "tools/identificar_lote.h"
#include "tools/lote.h"
#include "tools/opciones_lote.h"

namespace py = pybind11;

namespace {

// The tool's standard error, kept in memory for the exception or the caller.
class Errores {
public:
    Errores() : archivo_(open_memstream(&texto_, &largo_)) {
        if (!archivo_) throw std::runtime_error("no se pudo abrir la memoria de los mensajes");
    }
    ~Errores() {
        if (archivo_) std::fclose(archivo_);
        std::free(texto_);
    }
    std::FILE* Archivo() { return archivo_; }
    std::string Texto() {
        std::fflush(archivo_);
        return std::string(texto_, largo_);
    }

private:
    char* texto_ = nullptr;
    std::size_t largo_ = 0;
    std::FILE* archivo_;
};

// What the tool writes to standard output, in an anonymous file of memory.
class Salida {
public:
    Salida() : fd_(::memfd_create("tanque", MFD_CLOEXEC)) {
        if (fd_ < 0) throw std::runtime_error("no se pudo abrir la memoria de la salida");
    }
    ~Salida() { ::close(fd_); }
    int Descriptor() const { return fd_; }
    std::string Texto() const {
        std::string texto;
        char bloque[65536];
        for (off_t desde = 0;;) {
            const ssize_t n = ::pread(fd_, bloque, sizeof bloque, desde);
            if (n <= 0) break;
            texto.append(bloque, static_cast<std::size_t>(n));
            desde += n;
        }
        return texto;
    }

private:
    int fd_;
};

// The command line, read as the tool reads it: its refusal is the ValueError's text.
OpcionesLote Opciones(const std::vector<std::string>& argumentos) {
    try {
        return LeerOpciones(argumentos);
    } catch (const std::invalid_argument& e) {
        throw py::value_error(e.what());
    }
}

py::array_t<double> Arreglo(const std::vector<double>& v) {
    py::array_t<double> a(static_cast<py::ssize_t>(v.size()));
    std::copy(v.begin(), v.end(), a.mutable_data());
    return a;
}

// A run of tanque-lote with these arguments, its samples kept in memory; the GIL is released while it computes.
py::dict Correr(const std::vector<std::string>& argumentos) {
    const OpcionesLote o = Opciones(argumentos);
    if (o.ayuda || o.orden != OrdenLote::Corrida || o.reproducir || o.traza || o.indices || o.grafico)
        throw py::value_error("correr hace una corrida y su registro: sin --help, --traza, --indices, --grafico, "
                              "reproducir ni otras órdenes");
    Errores errores;
    std::optional<RegistroMemoria> copia;
    int estado;
    {
        py::gil_scoped_release sinGil;
        estado = CorrerLote(o, -1, errores.Archivo(), copia);
    }
    py::list columnas, valores;
    if (copia)
        for (std::size_t k = 0; k < copia->Columnas().size(); ++k) {
            const ColumnaRegistro& c = copia->Columnas()[k];
            columnas.append(py::make_tuple(c.variable, c.titulo, c.unidad));
            valores.append(Arreglo(copia->Valores(k)));
        }
    py::dict r;
    r["estado"] = estado;
    r["mensajes"] = errores.Texto();
    r["columnas"] = columnas;
    r["valores"] = valores;
    return r;
}

// tanque-lote identificar with these arguments (the word identificar first): its status, output and messages.
py::tuple Identificar(const std::vector<std::string>& argumentos) {
    const OpcionesLote o = Opciones(argumentos);
    if (o.ayuda || o.orden != OrdenLote::Identificar) throw py::value_error("identificar espera un archivo de registro");
    Errores errores;
    Salida salida;
    int estado;
    {
        py::gil_scoped_release sinGil;
        estado = CorrerIdentificar(o, salida.Descriptor(), errores.Archivo());
    }
    return py::make_tuple(estado, salida.Texto(), errores.Texto());
}

// The texts of a set-up file, as --config gives them to a run (the slider as Track_Referencia), and the
// tool's notes on it.
py::tuple TextosDeConfiguracion(const std::string& ruta, char decimal) {
    Errores errores;
    Configuracion c;
    try {
        c = LeerConfiguracionLote(ruta, errores.Archivo(), decimal);
    } catch (const ErrorConfiguracion& e) {
        throw py::value_error(e.what());
    }
    py::dict textos;
    for (const auto& [nombre, texto] : c.textos) textos[py::str(nombre)] = texto;
    if (c.posicion) textos[py::str(kTrackReferencia)] = std::to_string(*c.posicion);
    return py::make_tuple(textos, errores.Texto());
}

// A text record (the program's own lines) of samples 0, 1, ... with these inputs and outputs, for identificar.
void EscribirRegistro(const std::string& ruta, const std::vector<double>& u, const std::vector<double>& y) {
    if (u.size() != y.size()) throw py::value_error("u e y deben tener el mismo número de muestras");
    try {
        const std::unique_ptr<EscritorRegistro> r = AbrirRegistro(FormatoRegistro::Texto, ruta, FormaRegistro{});
        for (std::size_t k = 0; k < u.size(); ++k) r->Anadir(static_cast<double>(k), u[k], y[k]);
        r->Confirmar();
    } catch (const std::exception& e) {
        throw py::value_error(e.what());
    }
}

// A sweep's manifest, read as tanque-lote barrido reads it: its refusal is the ValueError's text.
template <class F>
auto ConManifiesto(F&& leer) {
    try {
        return leer();
    } catch (const std::invalid_argument& e) {
        throw py::value_error(e.what());
    }
}

// Case `i` of the manifest in `texto` (JSON or CSV): its line of JSON, the same on any machine and thread; the
// GIL is released while it runs. An index beyond the cases is IndexError.
std::string CasoDeBarrido(const std::string& texto, bool json, std::size_t i) {
    const Manifiesto m = ConManifiesto([&] { return LeerManifiestoDeTexto(texto, json); });
    if (i >= NumeroDeCasos(m)) throw py::index_error("el manifiesto tiene " + std::to_string(NumeroDeCasos(m)) + " casos");
    py::gil_scoped_release sinGil;
    return LineaDelCaso(m, i);
}

}  // namespace

PYBIND11_MODULE(_tanque, m) {
    m.doc() = "El núcleo de tanque-lote: corridas, registros e identificación";
    m.def("correr", &Correr, py::arg("argumentos"));
    m.def("identificar", &Identificar, py::arg("argumentos"));
    m.def("leer_configuracion", &TextosDeConfiguracion, py::arg("ruta"), py::arg("decimal") = '.');
    m.def("escribir_registro", &EscribirRegistro, py::arg("ruta"), py::arg("u"), py::arg("y"));
    m.def("barrido_casos", [](const std::string& ruta) { return NumeroDeCasos(ConManifiesto([&] { return LeerManifiesto(ruta); })); },
          py::arg("ruta"));
    m.def("barrido_casos_de_texto",
          [](const std::string& texto, bool json) {
              return NumeroDeCasos(ConManifiesto([&] { return LeerManifiestoDeTexto(texto, json); }));
          },
          py::arg("texto"), py::arg("json"));
    m.def("barrido_caso",
          [](const std::string& ruta, std::size_t i) {
              const Manifiesto m = ConManifiesto([&] { return LeerManifiesto(ruta); });
              if (i >= NumeroDeCasos(m))
                  throw py::index_error("el manifiesto tiene " + std::to_string(NumeroDeCasos(m)) + " casos");
              py::gil_scoped_release sinGil;
              return LineaDelCaso(m, i);
          },
          py::arg("ruta"), py::arg("i"));
    m.def("barrido_caso_de_texto", &CasoDeBarrido, py::arg("texto"), py::arg("json"), py::arg("i"));
    m.def("nombre_descripcion", &NombreDescripcion, py::arg("registro"));
}

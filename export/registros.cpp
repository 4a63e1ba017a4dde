#include "export/registros.h"

#include <array>
#include <charconv>
#include <set>

#include "base/aritmetica.h"
#include "base/errores.h"
#include "export/archivo.h"
#include "export/registros_internos.h"

namespace {

const std::array<ColumnaRegistro, 4> kFijas = {{
    {"muestra", "muestra", ""},
    {"t", "tiempo", "s"},
    {"u", "accion", "m^3/s"},
    {"y", "nivel", "m"},
}};

// Names that the files give to what is not a column.
constexpr const char* kReservados[] = {"Ts", "unidades", "descripcion"};

std::string Minusculas(std::string_view t) {
    std::string m(t);
    for (char& c : m)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return m;
}

bool EsIdentificador(const std::string& v) {
    if (v.empty() || v.size() > 63 || !((v[0] >= 'a' && v[0] <= 'z') || (v[0] >= 'A' && v[0] <= 'Z'))) return false;
    for (const char c : v)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

// Today's record through the seam: ArchivoRegistro's own lines, the additional columns left out.
class EscritorTexto : public EscritorComun {
public:
    EscritorTexto(const std::string& nombre, const FormaRegistro& forma) : EscritorComun(forma), archivo_(nombre) {}
    void Anadir(double muestra, double accion, double nivel, std::span<const double> adicionales) override {
        Fila(muestra, accion, nivel, adicionales);
        archivo_.Anadir({muestra, accion, nivel});
    }
    void Confirmar() override { archivo_.Confirmar(); }
    void Descartar() noexcept override { archivo_.Descartar(); }
    void Cerrar() override { archivo_.Cerrar(); }
    ResumenArchivo Resumen() const override { return archivo_.Resumen(); }
    ArchivoRegistro& Archivo() override { return archivo_; }

private:
    ArchivoRegistro archivo_;
};

}  // namespace

std::span<const ColumnaRegistro> ColumnasFijas() { return kFijas; }

const ColumnaRegistro& ColumnaReferencia() {
    static const ColumnaRegistro c{"r", "referencia", "m"};
    return c;
}

const ColumnaRegistro& ColumnaPerturbacion() {
    static const ColumnaRegistro c{"q", "perturbacion", "m^3/s"};
    return c;
}

const ColumnaRegistro& ColumnaComandada() {
    static const ColumnaRegistro c{"uc", "accion_comandada", "m^3/s"};
    return c;
}

FormatoRegistro FormatoRegistroDe(std::string_view nombre) {
    const auto punto = nombre.rfind('.');
    if (punto == std::string_view::npos || nombre.find('/', punto) != std::string_view::npos)
        return FormatoRegistro::Texto;
    const std::string e = Minusculas(nombre.substr(punto + 1));
    if (e == "csv") return FormatoRegistro::Csv;
    if (e == "mat") return FormatoRegistro::Mat;
    if (e == "h5" || e == "hdf5") return FormatoRegistro::Hdf5;
    return FormatoRegistro::Texto;
}

std::optional<FormatoRegistro> FormatoRegistroPorNombre(std::string_view nombre) {
    if (nombre == "texto") return FormatoRegistro::Texto;
    if (nombre == "csv") return FormatoRegistro::Csv;
    if (nombre == "mat") return FormatoRegistro::Mat;
    if (nombre == "h5") return FormatoRegistro::Hdf5;
    return std::nullopt;
}

std::unique_ptr<EscritorRegistro> AbrirRegistro(FormatoRegistro formato, const std::string& nombre,
                                                const FormaRegistro& forma) {
    switch (formato) {
        case FormatoRegistro::Csv: return AbrirCsv(nombre, forma);
        case FormatoRegistro::Mat: return AbrirMat(nombre, forma);
        case FormatoRegistro::Hdf5: return AbrirHdf5(nombre, forma);
        case FormatoRegistro::Texto: break;
    }
    return std::make_unique<EscritorTexto>(nombre, forma);
}

EscritorComun::EscritorComun(const FormaRegistro& forma)
    : columnas_(kFijas.begin(), kFijas.end()), muestreo_s_(forma.muestreo_s), descripcion_(forma.descripcion) {
    std::set<std::string> vistos(std::begin(kReservados), std::end(kReservados));
    for (const ColumnaRegistro& c : kFijas) vistos.insert(c.variable);
    for (const ColumnaRegistro& c : forma.adicionales) {
        if (!EsIdentificador(c.variable))
            throw ErrorTanque("La columna «" + c.variable + "» no tiene un nombre de variable: letras, cifras y _, "
                              "una letra primero, hasta 63");
        if (!vistos.insert(c.variable).second)
            throw ErrorTanque("La columna «" + c.variable + "» repite el nombre de otra");
        columnas_.push_back(c);
    }
    fila_.resize(columnas_.size());
}

std::span<const double> EscritorComun::Fila(double muestra, double accion, double nivel,
                                            std::span<const double> adicionales) {
    if (adicionales.size() != columnas_.size() - kFijas.size())
        throw ErrorTanque("Una muestra del registro trae " + std::to_string(adicionales.size()) +
                          " valores adicionales y el registro tiene " + std::to_string(columnas_.size() - kFijas.size()) +
                          " columnas adicionales");
    // each value checked before any is kept: a sample is added whole or not at all
    fila_[0] = aDouble(muestra);
    fila_[1] = aDouble(static_cast<long double>(muestra) * muestreo_s_);
    fila_[2] = aDouble(accion);
    fila_[3] = aDouble(nivel);
    for (std::size_t k = 0; k < adicionales.size(); ++k) fila_[kFijas.size() + k] = aDouble(adicionales[k]);
    return fila_;
}

void ExigirArchivoEnDisco(const ArchivoRegistro& archivo, const char* formato) {
    if (archivo.Directo())
        throw ErrorArchivo(std::string("El formato ") + formato + " necesita un archivo en el disco: «" + archivo.Ruta() +
                           "» no lo es");
}

std::string TextoCorto(double x) {
    char texto[32];
    const auto r = std::to_chars(texto, texto + sizeof texto, x);
    return std::string(texto, r.ptr);
}

// The record as CSV (RFC 4180): one comment line with the sample time, a header of names and units, then one
// line a sample, every number in the shortest form that reads back as the same Double.

#include "base/errores.h"
#include "export/archivo.h"
#include "export/registros_internos.h"

namespace {

// A header field, quoted when it holds a comma, a quote or a line end.
std::string Campo(const std::string& texto) {
    if (texto.find_first_of(",\"\r\n") == std::string::npos) return texto;
    std::string q = "\"";
    for (const char c : texto) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

class EscritorCsv : public EscritorComun {
public:
    EscritorCsv(const std::string& nombre, const FormaRegistro& forma) : EscritorComun(forma), archivo_(nombre) {}

    void Anadir(double muestra, double accion, double nivel, std::span<const double> adicionales) override {
        const std::span<const double> fila = Fila(muestra, accion, nivel, adicionales);
        Cabecera();
        linea_.clear();
        for (const double v : fila) (linea_ += linea_.empty() ? "" : ",") += TextoCorto(v);
        archivo_.AnadirTexto(linea_ += "\r\n");
    }
    void Confirmar() override {
        Cabecera();
        archivo_.Confirmar();
    }
    void Descartar() noexcept override { archivo_.Descartar(); }
    void Cerrar() override {
        Cabecera();
        archivo_.Cerrar();
    }
    ResumenArchivo Resumen() const override { return archivo_.Resumen(); }
    ArchivoRegistro& Archivo() override { return archivo_; }

private:
    // Written with the first sample (or at the end of an empty record), once the sample time is known.
    void Cabecera() {
        if (cabecera_) return;
        cabecera_ = true;
        std::string cabecera = "# tanque, registro de identificación: periodo de muestreo Ts = " + TextoCorto(muestreo_s_) +
                               " s\r\n";
        for (std::size_t k = 0; k < columnas_.size(); ++k) {
            const ColumnaRegistro& c = columnas_[k];
            cabecera += (k ? "," : "") + Campo(c.unidad.empty() ? c.titulo : c.titulo + " [" + c.unidad + "]");
        }
        archivo_.AnadirTexto(cabecera + "\r\n");
    }

    ArchivoRegistro archivo_;
    std::string linea_;
    bool cabecera_ = false;
};

}  // namespace

std::unique_ptr<EscritorRegistro> AbrirCsv(const std::string& nombre, const FormaRegistro& forma) {
    return std::make_unique<EscritorCsv>(nombre, forma);
}

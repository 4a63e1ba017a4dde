#pragma once
// The description that a record carries beside it (NAME.json): how it was made, from the logs of the runs whose
// points it holds. JSON written with nlohmann-json, inside core.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/observacion/bitacora.h"
#include "export/huella.h"

inline constexpr const char* kFormatoDescripcion = "tanque-descripcion";
inline constexpr std::int64_t kVersionDescripcion = 1;

/// The record's lines as they are written: how many, the sample numbers of the first and the last, and the runs
/// that made them.
class ContenidoRegistro {
public:
    /// One more line, of sample `muestra`, made by `corrida` (nullptr: a run that is no longer known).
    void Anadir(double muestra, const BitacoraCorrida* corrida);

    std::int64_t Lineas() const { return lineas_; }
    double Primera() const { return primera_; }
    double Ultima() const { return ultima_; }
    /// The runs, each once, in the order of their first line.
    const std::vector<const BitacoraCorrida*>& Corridas() const { return corridas_; }
    /// The run of the last line.
    const BitacoraCorrida* DeLaUltima() const { return deLaUltima_; }

private:
    std::int64_t lineas_ = 0;
    double primera_ = 0, ultima_ = 0;
    std::vector<const BitacoraCorrida*> corridas_;
    const BitacoraCorrida* deLaUltima_ = nullptr;
    bool desconocida_ = false;
};

/// The sentence that explains a record's retardo nk (DefinicionCorrida::retardo): y(n) depends on u(n - nk).
const char* ExplicacionRetardo(int retardo);

/// The description of the record `archivo` (its file name goes in, without folders) as JSON text: 2-space
/// indents, a newline at the end, UTF-8 (a byte that is not UTF-8 in a text becomes U+FFFD). With `huella`, the
/// record's size ("bytes") and SHA-256 ("sha256") go in too, so that a reader can tell that this record is the one
/// described.
std::string DescribirRegistro(const ContenidoRegistro& contenido, std::string_view archivo,
                              const ResumenArchivo* huella = nullptr);

/// The name of the description of a record: NAME.txt and NAME.red give NAME.json, any other name gets ".json"
/// added (NAME.json gives NAME.json.json, never the record itself). "Archivo" writes it only beside a record
/// that is a regular file: a record sent to a device or a pipe (/dev/null) has none.
std::string NombreDescripcion(const std::string& registro);

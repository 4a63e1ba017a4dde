// The runs' side of the excitation: the signal and noise read at every tick, the points of the level series
// attributed to their run, and the description written beside a record.

#include <filesystem>
#include <system_error>

#include "base/aritmetica.h"
#include "core/lectura.h"
#include "core/simulador.h"
#include "export/texto.h"

float Simulador::EntradaAbierta(std::int32_t n) {
    bitacoras_.Vigilar(Corrida::Escalon, n, textos_, posicion_);
    excitacion_.LeerSenal(textos_);
    // the step reads its amplitude as it always has; another signal gives its value at the run's counter
    const float a = excitacion_.EsEscalon() ? LeerSingle(textos_, "Alto_Escalon") : excitacion_.Entrada(n);
    excitacion_.LeerRuido(textos_);
    return a;
}

void Simulador::LeerRuido(Corrida corrida, std::int32_t n) {
    bitacoras_.Vigilar(corrida, n, textos_, posicion_);
    excitacion_.LeerRuido(textos_);
}

void Simulador::AgregarNivel(Corrida corrida, std::int32_t n, float y) {
    if (!grafico_) return;
    const std::size_t j = series1_.Agregar(n, y);
    parejas_.NivelTrasLaAccion(j);
    bitacoras_.Agregado(corrida, j);
}

void Simulador::EscribirDescripcion(const std::string& registro, const ContenidoRegistro& contenido) {
    // a record written to a device or a pipe (/dev/null, /dev/stdout) has no place beside it for a file
    std::error_code e;
    if (!std::filesystem::is_regular_file(registro, e)) return;
    const std::string nombre = NombreDescripcion(registro);
    try {
        EscribirTexto(nombre, DescribirRegistro(contenido, registro));
    } catch (const ErrorArchivo& fallo) {
        // the record is written; the message says which of the two files failed
        throw ErrorArchivo(nombre + ": " + fallo.what());
    }
}

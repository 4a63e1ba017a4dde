// "Archivo": the chart's samples written as a record, one line per tick that plotted both its action and its
// level, and the record's description beside it.

#include <filesystem>
#include <system_error>

#include "core/simulador.h"
#include "export/archivo.h"
#include "export/texto.h"

void Simulador::RecorrerExportadas(bool rangoCompleto, double xmin, double xmax,
                                   const std::function<void(const MuestraExportada&, std::size_t)>& muestra) const {
    const std::int64_t ultimo = series1_.UltimoDibujado(rangoCompleto, xmin, xmax);
    // the k-th level with a partner goes with the k-th action with a partner
    std::size_t a = 0;
    for (std::int64_t k = 0; k <= ultimo; ++k) {
        const auto j = static_cast<std::size_t>(k);
        if (observadores_.parejas.NivelSinAccion(j)) continue;
        while (a < series2_.Cuenta() && observadores_.parejas.AccionSinNivel(a)) ++a;
        if (a == series2_.Cuenta()) break;
        muestra({series1_.X(j), series2_.Y(a), series1_.Y(j)}, j);
        ++a;
    }
}

MuestrasGrafico Simulador::MuestrasExportadas(bool rangoCompleto, double xmin, double xmax) const {
    MuestrasGrafico m;
    RecorrerExportadas(rangoCompleto, xmin, xmax, [&m](const MuestraExportada& e, std::size_t) {
        m.muestras.push_back(e.muestra);
        m.acciones.push_back(e.accion);
        m.niveles.push_back(e.nivel);
    });
    return m;
}

void Simulador::ArchivoClick(const std::string& nombre, bool rangoCompleto, double xmin, double xmax) {
    // the samples are read from the series as the file is written: a copy of a long chart would cost more than
    // the writing
    ArchivoRegistro archivo(nombre);
    ContenidoRegistro contenido;
    RecorrerExportadas(rangoCompleto, xmin, xmax, [&](const MuestraExportada& e, std::size_t nivel) {
        archivo.Anadir(e);
        contenido.Anadir(e.muestra, observadores_.bitacoras.De(nivel));
    });
    archivo.Confirmar();
    EscribirDescripcion(nombre, contenido);
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

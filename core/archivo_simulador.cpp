// "Archivo": the chart's samples written as a record, one line per tick that plotted both its action and its
// level, and the record's description beside it.

#include <optional>
#include <vector>

#include "core/descripcion.h"
#include "core/simulador.h"
#include "export/archivo.h"
#include "export/par.h"
#include "export/par_formato.h"
#include "export/registros.h"

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

namespace {

// The description's name gets the record's checks before either file is written: a refusal leaves the pair as it
// was (a record written through, to a FIFO or a device, has no description).
template <class Par>
void ComprobarDescripcion(Par& par, const std::string& nombre) {
    if (!par.ConDescripcion()) return;
    if (const std::optional<std::string> motivo = DescripcionNoEscribible(par.NombreDescripcion())) {
        par.Descartar();
        throw ErrorPar("no se pudo escribir la descripción " + par.NombreDescripcion() + ": " + *motivo +
                       "; el registro " + nombre + " queda como estaba");
    }
}

// The point of `serie` at counter x, when it has exactly one there.
std::optional<std::size_t> PuntoUnico(const Serie& serie, double x) {
    const std::size_t k = serie.PrimeroDesde(x);
    if (k == serie.Cuenta() || serie.X(k) != x) return std::nullopt;
    if (k + 1 < serie.Cuenta() && serie.X(k + 1) == x) return std::nullopt;
    return k;
}

// A column beyond the fixed four and the series that holds its values.
struct ColumnaDeSerie {
    const ColumnaRegistro* columna;
    const Serie* serie;
};

// The reference, the disturbance's demand and the commanded inflow, each written when the chart gives every
// exported sample its value: a point of the series at the sample's counter, the one there, beside a level that
// is the one at that counter. A chart of runs whose counters start again (no "Limpiar" between them), or of a run
// without a reference beside one with it, leaves that column out rather than pair a value with another run's
// sample.
std::vector<ColumnaDeSerie> ColumnasDelGrafico(const Simulador& s, bool rangoCompleto, double xmin, double xmax) {
    std::vector<ColumnaDeSerie> columnas;
    for (const ColumnaDeSerie& c : {ColumnaDeSerie{&ColumnaReferencia(), &s.Series3()},
                                    ColumnaDeSerie{&ColumnaPerturbacion(), &s.SeriePerturbacion()},
                                    ColumnaDeSerie{&ColumnaComandada(), &s.SerieComandada()}})
        if (!c.serie->Vacia()) columnas.push_back(c);
    bool alguna = false;
    s.RecorrerExportadas(rangoCompleto, xmin, xmax, [&](const MuestraExportada& e, std::size_t nivel) {
        alguna = true;
        const bool unico = PuntoUnico(s.Series1(), e.muestra) == nivel;
        std::erase_if(columnas, [&](const ColumnaDeSerie& c) { return !unico || !PuntoUnico(*c.serie, e.muestra); });
    });
    if (!alguna) columnas.clear();
    return columnas;
}

// CSV, MAT or HDF5 by the name's extension (.csv, .mat, .h5): the same samples, Ts, the columns beyond those that
// the chart gives, and the same description beside (and inside MAT and HDF5), the two replaced as one.
void ArchivoEnFormato(const Simulador& s, FormatoRegistro formato, const std::string& nombre, bool rangoCompleto,
                      double xmin, double xmax) {
    const std::vector<ColumnaDeSerie> columnas = ColumnasDelGrafico(s, rangoCompleto, xmin, xmax);
    FormaRegistro forma;
    forma.muestreo_s = s.Estado().T_Muestreo;
    for (const ColumnaDeSerie& c : columnas) forma.adicionales.push_back(*c.columna);
    ParFormato par(formato, nombre, forma, NombreDescripcion(nombre));
    ComprobarDescripcion(par, nombre);
    ContenidoRegistro contenido;
    std::vector<double> adicionales(columnas.size());
    s.RecorrerExportadas(rangoCompleto, xmin, xmax, [&](const MuestraExportada& e, std::size_t nivel) {
        for (std::size_t k = 0; k < columnas.size(); ++k)
            adicionales[k] = columnas[k].serie->Y(*PuntoUnico(*columnas[k].serie, e.muestra));
        par.Registro().Anadir(e.muestra, e.accion, e.nivel, adicionales);
        contenido.Anadir(e.muestra, s.Registro().De(nivel));
    });
    par.Confirmar([&](const ResumenArchivo* huella) { return DescribirRegistro(contenido, nombre, huella); });
}

}  // namespace

void Simulador::ArchivoClick(const std::string& nombre, bool rangoCompleto, double xmin, double xmax) {
    const FormatoRegistro formato = FormatoRegistroDe(nombre);
    if (formato != FormatoRegistro::Texto) return ArchivoEnFormato(*this, formato, nombre, rangoCompleto, xmin, xmax);
    // the record and its description as one (par.h): both new, or both as they were
    ParRegistro par(nombre, NombreDescripcion(nombre));
    ComprobarDescripcion(par, nombre);
    // the samples are read from the series as the file is written: a copy of a long chart would cost more than
    // the writing
    ContenidoRegistro contenido;
    RecorrerExportadas(rangoCompleto, xmin, xmax, [&](const MuestraExportada& e, std::size_t nivel) {
        par.Registro().Anadir(e);
        contenido.Anadir(e.muestra, observadores_.bitacoras.De(nivel));
    });
    par.Confirmar([&](const ResumenArchivo& huella) { return DescribirRegistro(contenido, nombre, &huella); });
}


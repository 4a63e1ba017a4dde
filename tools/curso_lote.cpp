#include "tools/curso_lote.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "base/errores.h"
#include "export/error_archivo.h"
#include "export/escritor.h"
#include "export/texto.h"
#include "tools/curso_calificar.h"
#include "tools/curso_clase.h"
#include "tools/curso_ejercicio.h"
#include "tools/lote.h"
#include "tools/opciones_curso.h"

namespace {

std::string En(const std::string& carpeta, const std::string& nombre) {
    return carpeta.empty() || carpeta.back() == '/' ? carpeta + nombre : carpeta + "/" + nombre;
}

int Fallo(std::FILE* errores, const std::string& texto) {
    std::fprintf(errores, "tanque-lote: %s\n", texto.c_str());
    return 1;
}

// The text to --salida, replaced whole, or to standard output.
int Escribir(const OpcionesLote& o, int salida, const std::string& texto, std::FILE* errores) {
    if (o.curso.salida) {
        try {
            EscribirTexto(*o.curso.salida, texto);
        } catch (const ErrorArchivo& e) {
            return Fallo(errores, "no se pudo escribir " + *o.curso.salida + ": " + e.what());
        }
        return 0;
    }
    const int codigo = EscribirTodo(salida, texto);
    if (codigo == 0 || codigo == EPIPE) return 0;
    return Fallo(errores, "no se pudo escribir la calificación en la salida estándar: " + TextoErrorArchivo(codigo));
}

// The class CSV's columns of the items: those that the exercise grades.
std::string CabeceraClase(TipoEjercicio t) {
    std::string c = "alumno,nota,aprobados,total";
    if (t != TipoEjercicio::Sintonia) c += ",K,Tau";
    if (t != TipoEjercicio::Identificacion) c += ",PID";
    return c + ",motivo\n";
}

std::string LineaClase(const std::string& id, TipoEjercicio t, const Calificacion* c, const std::string& motivo) {
    const std::size_t total = t == TipoEjercicio::Completo ? 3 : t == TipoEjercicio::Identificacion ? 2 : 1;
    char nota[16];
    std::snprintf(nota, sizeof nota, "%.2f", c ? c->nota : 0.0);
    std::string l = CampoCsv(id) + "," + nota + "," + std::to_string(c ? c->aprobados : 0) + "," + std::to_string(total);
    std::string motivos = motivo;
    for (std::size_t k = 0; k < total; ++k) {
        const ItemCalificado* i = c && k < c->items.size() ? &c->items[k] : nullptr;
        l += i && i->aprobado ? ",si" : ",no";
        if (i && !i->motivo.empty()) motivos += (motivos.empty() ? "" : "; ") + i->motivo;
    }
    return l + "," + CampoCsv(motivos) + "\n";
}

}  // namespace

int CorrerVariante(const OpcionesLote& o, std::FILE* errores) {
    const OpcionesCurso& c = o.curso;
    try {
        if (c.alumno) {
            EscribirEjercicio(DerivarVariante(c.curso, *c.alumno), *c.alumno, c.tipo, c.carpeta);
            return 0;
        }
        const std::vector<std::string> ids = LeerArchivoClase(*c.clase);
        // one folder an id inside --dir: AlumnoInvalido keeps each there
        CrearCarpeta(c.carpeta);
        for (const std::string& id : ids) {
            // nor through a symbolic link left in DIR
            struct stat e {};
            if (::lstat(En(c.carpeta, id).c_str(), &e) == 0 && S_ISLNK(e.st_mode))
                throw ErrorTanque(En(c.carpeta, id) + " es un enlace simbólico: el ejercicio no se escribe a través de él");
            EscribirEjercicio(DerivarVariante(c.curso, id), id, c.tipo, En(c.carpeta, id));
        }
    } catch (const ErrorTanque& e) {
        return Fallo(errores, e.what());
    }
    return 0;
}

int CorrerCalificar(const OpcionesLote& o, int salida, std::FILE* errores) {
    const OpcionesCurso& c = o.curso;
    if (c.alumno) {
        std::string informe;
        try {
            const VarianteAlumno v = DerivarVariante(c.curso, *c.alumno);
            informe = InformeCalificacion(*c.alumno, c.tipo, v, Calificar(v, c.tipo, LeerArchivoRespuesta(*c.respuesta, c.tipo)));
        } catch (const ErrorTanque& e) {
            return Fallo(errores, e.what());
        }
        return Escribir(o, salida, informe, errores);
    }
    std::vector<std::string> ids;
    try {
        ids = LeerArchivoClase(*c.clase);
    } catch (const ErrorTanque& e) {
        return Fallo(errores, e.what());
    }
    std::string csv = CabeceraClase(c.tipo);
    for (const std::string& id : ids) {
        const std::string archivo = En(*c.respuestas, id + ".json");
        try {
            const VarianteAlumno v = DerivarVariante(c.curso, id);
            const Calificacion nota = Calificar(v, c.tipo, LeerArchivoRespuesta(archivo, c.tipo));
            csv += LineaClase(id, c.tipo, &nota, "");
        } catch (const ErrorTanque& e) {
            csv += LineaClase(id, c.tipo, nullptr, e.what());
        }
    }
    return Escribir(o, salida, csv, errores);
}

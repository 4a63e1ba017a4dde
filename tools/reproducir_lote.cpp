#include "tools/reproducir_lote.h"

#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <string>

#include "base/errores.h"
#include "core/descripcion.h"
#include "core/grabacion.h"
#include "core/limite_grafico.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "export/error_archivo.h"
#include "export/escritor.h"
#include "export/par.h"
#include "export/registros.h"
#include "tools/configuracion_lote.h"
#include "tools/texto_con_campo.h"
#include "tools/traza_lote.h"

namespace {

/// The messages that the window would show, to standard error, with the counter of the event being replayed:
/// the sample it happened at, taken just before it (a run that stops has its counter back at 0 after it).
class MensajesReproduccion : public Mensajes {
public:
    explicit MensajesReproduccion(std::FILE* errores) : errores_(errores) {}
    void Mostrar(const std::string& texto) override {
        if (!mudo) std::fprintf(errores_, "%d: %s\n", muestra.value_or(0), texto.c_str());
    }
    void MostrarError(const std::exception& e) override {
        ++fallos;
        Mostrar(campos_.Mostrado(e));
    }
    void Repetido(Corrida, const std::string& texto, int) override {
        ++fallos;
        Mostrar(campos_.Repetido(texto));
    }
    void FinRepetido(Corrida) override {}

    std::optional<std::int32_t> muestra;  ///< of the event being replayed
    bool mudo = false;                    ///< while a replay goes again over what was already shown
    std::uint64_t fallos = 0;             ///< errors shown, for the streamed export

private:
    std::FILE* errores_;
    CamposDeFallos campos_;  // the field of each failure shown, for its repeats
};

/// The texts, the slider and the simulator of one replay from the file's start.
struct Maquina {
    Maquina(const OpcionesLote& o, const Configuracion& c, Mensajes& mensajes, Series series)
        : textos(TextosIniciales(o.decimal)), sim(textos, posicion, mensajes, series) {
        AplicarConfiguracion(c, textos, posicion);
    }
    TextosMapa textos;
    PosicionValor posicion;
    Simulador sim;
};

/// The replay leaves what the streamed export can follow: it goes again from the start with the chart.
struct ConElGrafico {
    std::uint64_t hechas;  // the actions already made and shown
};

bool ArchivoComunONuevo(const std::string& nombre) {
    struct stat st {};
    if (::lstat(nombre.c_str(), &st) != 0) return errno == ENOENT;
    return S_ISREG(st.st_mode);
}

class Reproduccion {
public:
    Reproduccion(const OpcionesLote& o, int traza, std::FILE* errores, bool seguida)
        : o_(o), errores_(errores), mensajes_(errores), seguida_(seguida && o.salida.has_value()) {
        if (traza >= 0) traza_.emplace(traza);
    }

    int Correr() {
        if (o_.salida && MismoArchivo(*o_.salida, fileno(errores_))) {
            Propio("--salida=" + *o_.salida + " es la salida de errores: el registro y los mensajes se mezclarían");
            return 2;
        }
        if (o_.salida && traza_ && MismoArchivo(*o_.salida, traza_->Descriptor())) {
            Propio("--salida=" + *o_.salida +
                   " es la salida estándar, donde va la traza: el registro y la traza se mezclarían");
            return 2;
        }
        try {
            c_ = LeerConfiguracionLote(*o_.reproducir, errores_, o_.decimal);
        } catch (const ErrorConfiguracion& e) {
            Propio(e.what());
            return 1;
        }
        if (!c_.programa) {
            Propio("el archivo " + *o_.reproducir + " no tiene un programa grabado que reproducir");
            return 1;
        }
        // the chart is kept only for the export of --salida, and only when the export cannot follow the replay
        // (Seguida): without it memory does not grow with the replay
        // a FIFO or a device is opened at the end, as the chart's export always did; so are the other formats,
        // whose writers take the chart's columns at once
        if (seguida_ && ArchivoComunONuevo(*o_.salida) && FormatoRegistroDe(*o_.salida) == FormatoRegistro::Texto)
            AbrirSeguida();
        else
            seguida_ = false;
        m_ = std::make_unique<Maquina>(o_, c_, mensajes_, o_.salida && !seguida_ ? Series::Guardar : Series::Descartar);
        if (traza_) {
            traza_->Bufer() += kCabeceraTraza;
            Traza();
        }
        bool completo = false;
        try {
            completo = Programa(*c_.programa, 0);
        } catch (const ConElGrafico& c) {
            // the same schedule again, as the window's chart holds it, silent up to where it had come
            CerrarSeguida();
            m_ = std::make_unique<Maquina>(o_, c_, mensajes_, Series::Guardar);
            completo = Programa(*c_.programa, c.hechas);
        }
        if (traza_) Traza(true);
        if (!completo) {
            CerrarSeguida();
            return 1;
        }
        // what the window's "Archivo" writes at this moment, the chart showing its whole range
        if (o_.salida) {
            try {
                if (seguida_)
                    ConfirmarSeguida();
                else
                    m_->sim.ArchivoClick(*o_.salida, true, 0, 0);
            } catch (const ErrorPar& e) {
                Propio(e.what());  // names the file that failed and what was left of the pair
                estado_ = 1;
            } catch (const ErrorTanque& e) {
                Propio("no se pudo escribir el registro " + *o_.salida + ": " + e.what());
                estado_ = 1;
            }
        }
        return estado_;
    }

private:
    // The schedule, the trace written as its samples come; false when a recorded sample did not match. The
    // first `callados` actions (each tick one) make no message and no trace: they were shown already.
    bool Programa(const std::vector<EventoPrograma>& programa, std::uint64_t callados) {
        Simulador& sim = m_->sim;
        std::uint64_t acciones = 0;
        SeguimientoReproduccion seguimiento;
        seguimiento.antes = [&](std::size_t, const AccionPrograma& accion) {
            if (seguida_) Seguir(accion, acciones);
            ++acciones;
            mensajes_.mudo = acciones <= callados;
            mensajes_.muestra = MuestraDelEvento(sim, accion);
        };
        seguimiento.trasMuestra = [&](Corrida c) {
            if (seguida_) Anadir();
            if (!traza_ || acciones <= callados) return;
            AnadirTraza(traza_->Bufer(), sim, c);
            Traza();
        };
        try {
            Reproducir(sim, m_->textos, m_->posicion, programa, seguimiento);
            if (seguida_) Seguir(std::nullopt, acciones);
        } catch (const ErrorConfiguracion& e) {
            mensajes_.mudo = false;
            Propio(*o_.reproducir + ": " + e.what());
            return false;
        }
        mensajes_.mudo = false;
        return true;
    }

    // The streamed export: the record's lines written as the ticks make them, for as long as they are the lines
    // that the chart would hold at the end. That holds while only the open-loop run ticks, every tick makes its
    // sample (a failure may leave a level plotted by a tick whose counter did not move on), each run starts on an
    // empty chart (a run started over points of another is drawn in among them, by x) and the chart stays below
    // its bound (which stops the run). Anything else, noticed before it happens or just after the tick, sends
    // the replay to go again with the chart.

    void AbrirSeguida() {
        try {
            par_.emplace(*o_.salida, NombreDescripcion(*o_.salida));
        } catch (const ErrorTanque&) {
            seguida_ = false;  // the chart's export at the end says why, as it always did
        }
        if (!par_) seguida_ = false;
    }

    void CerrarSeguida() {
        if (par_) par_->Descartar();
        par_.reset();
        seguida_ = false;
    }

    // Before each action (nothing: the schedule's end), `hechas` of them made.
    void Seguir(const std::optional<AccionPrograma>& accion, std::uint64_t hechas) {
        const Simulador& sim = m_->sim;
        if (mensajes_.fallos != fallosVistos_ && tickPrevio_) throw ConElGrafico{hechas};
        fallosVistos_ = mensajes_.fallos;
        tickPrevio_ = false;
        if (!accion) return;
        if (const auto* t = std::get_if<EventoTicks>(&*accion)) {
            if (t->corrida != Corrida::Escalon || lineas_ + 1 >= kMaximoPuntosGrafico) throw ConElGrafico{hechas};
            tickPrevio_ = true;
        } else if (const auto* a = std::get_if<EventoAlternar>(&*accion)) {
            if (a->corrida != Corrida::Escalon) throw ConElGrafico{hechas};
            if (!sim.Timer(Corrida::Escalon).Enabled && lineas_ > 0) throw ConElGrafico{hechas};
        } else if (std::holds_alternative<EventoLimpiar>(*accion)) {
            // the chart starts again empty: so do the record and its description
            par_->Descartar();
            par_.reset();
            contenido_ = ContenidoRegistro{};
            lineas_ = 0;
            falloEscritura_.reset();
            try {
                par_.emplace(*o_.salida, NombreDescripcion(*o_.salida));
            } catch (const ErrorTanque&) {
                throw ConElGrafico{hechas};
            }
        }
    }

    void Anadir() {
        const Simulador& sim = m_->sim;
        const MuestraGraficada& m = sim.UltimaMuestra();
        ++lineas_;
        contenido_.Anadir(m.n, sim.Registro().Ultima(Corrida::Escalon));
        if (falloEscritura_) return;
        try {
            par_->Registro().Anadir({static_cast<double>(m.n), m.accion, m.nivel});
        } catch (const ErrorTanque& e) {
            falloEscritura_ = e.what();  // said at the end, where the chart's export would have failed
        }
    }

    // As Simulador::ArchivoClick at the end: its checks and its messages.
    void ConfirmarSeguida() {
        if (falloEscritura_) {
            CerrarSeguida();
            throw ErrorTanque(*falloEscritura_);
        }
        if (par_->ConDescripcion())
            if (const std::optional<std::string> motivo = DescripcionNoEscribible(par_->NombreDescripcion())) {
                const std::string d = par_->NombreDescripcion();
                CerrarSeguida();
                throw ErrorPar("no se pudo escribir la descripción " + d + ": " + *motivo + "; el registro " +
                               *o_.salida + " queda como estaba");
            }
        par_->Confirmar(
            [&](const ResumenArchivo& huella) { return DescribirRegistro(contenido_, *o_.salida, &huella); });
        par_.reset();
    }

    // As the runs' trace: a reader that has gone ends it quietly, any other failure is reported.
    void Traza(bool final = false) {
        try {
            final ? traza_->Vaciar() : traza_->Seguir();
        } catch (const ErrorLectorAusente&) {
            traza_.reset();
        } catch (const ErrorArchivo& e) {
            traza_.reset();
            Propio(std::string("no se pudo escribir la traza en la salida estándar: ") + e.what());
            estado_ = 1;
        }
    }

    void Propio(const std::string& mensaje) { std::fprintf(errores_, "tanque-lote: %s\n", mensaje.c_str()); }

    const OpcionesLote& o_;
    std::FILE* errores_;
    MensajesReproduccion mensajes_;
    Configuracion c_;
    std::unique_ptr<Maquina> m_;
    std::optional<Escritor> traza_;
    int estado_ = 0;
    // the streamed export
    bool seguida_;
    std::optional<ParRegistro> par_;
    ContenidoRegistro contenido_;
    std::uint64_t lineas_ = 0;
    std::uint64_t fallosVistos_ = 0;
    bool tickPrevio_ = false;  // the action before was a tick
    std::optional<std::string> falloEscritura_;
};

}  // namespace

int ReproducirLote(const OpcionesLote& opciones, int traza, std::FILE* errores, bool seguida) {
    return Reproduccion(opciones, traza, errores, seguida).Correr();
}

#include "tools/reproducir_lote.h"

#include <optional>
#include <string>

#include "base/errores.h"
#include "core/grabacion.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "export/error_archivo.h"
#include "export/escritor.h"
#include "export/par.h"
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
        std::fprintf(errores_, "%d: %s\n", muestra.value_or(0), texto.c_str());
    }
    void MostrarError(const std::exception& e) override { Mostrar(TextoConCampo(e)); }
    void Repetido(Corrida, const std::string& texto, int) override { Mostrar(texto); }
    void FinRepetido(Corrida) override {}

    std::optional<std::int32_t> muestra;  ///< of the event being replayed

private:
    std::FILE* errores_;
};

class Reproduccion {
public:
    Reproduccion(const OpcionesLote& o, int traza, std::FILE* errores)
        : o_(o),
          errores_(errores),
          textos_(TextosIniciales(o.decimal)),
          mensajes_(errores),
          // the chart is kept only for the export of --salida: without it memory does not grow with the replay
          // (with it, the chart's bound of limite_grafico.h holds it)
          sim_(textos_, posicion_, mensajes_, o.salida ? Series::Guardar : Series::Descartar) {
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
        Configuracion c;
        try {
            c = LeerConfiguracionLote(*o_.reproducir, errores_, o_.decimal);
        } catch (const ErrorConfiguracion& e) {
            Propio(e.what());
            return 1;
        }
        if (!c.programa) {
            Propio("el archivo " + *o_.reproducir + " no tiene un programa grabado que reproducir");
            return 1;
        }
        AplicarConfiguracion(c, textos_, posicion_);
        if (traza_) {
            traza_->Bufer() += kCabeceraTraza;
            Traza();
        }
        const bool completo = Programa(*c.programa);
        if (traza_) Traza(true);
        if (!completo) return 1;
        // what the window's "Archivo" writes at this moment, the chart showing its whole range
        if (o_.salida) {
            try {
                sim_.ArchivoClick(*o_.salida, true, 0, 0);
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
    // The schedule, the trace written as its samples come; false when a recorded sample did not match.
    bool Programa(const std::vector<EventoPrograma>& programa) {
        SeguimientoReproduccion seguimiento;
        seguimiento.antes = [this](std::size_t, const AccionPrograma& accion) {
            mensajes_.muestra = MuestraDelEvento(sim_, accion);
        };
        if (traza_)
            seguimiento.trasMuestra = [this](Corrida c) {
                if (!traza_) return;
                AnadirTraza(traza_->Bufer(), sim_, c);
                Traza();
            };
        try {
            Reproducir(sim_, textos_, posicion_, programa, seguimiento);
        } catch (const ErrorConfiguracion& e) {
            Propio(*o_.reproducir + ": " + e.what());
            return false;
        }
        return true;
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
    TextosMapa textos_;
    PosicionValor posicion_;
    MensajesReproduccion mensajes_;
    Simulador sim_;
    std::optional<Escritor> traza_;
    int estado_ = 0;
};

}  // namespace

int ReproducirLote(const OpcionesLote& opciones, int traza, std::FILE* errores) {
    return Reproduccion(opciones, traza, errores).Correr();
}

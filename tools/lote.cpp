#include "tools/lote.h"

#include <cerrno>
#include <optional>
#include <span>
#include <string>

#include "base/errores.h"
#include "base/numeros.h"
#include "core/descripcion.h"
#include "core/grabacion.h"
#include "core/observacion/indices.h"
#include "core/lecturas_tick.h"
#include "core/planta/bomba.h"
#include "core/planta/perturbacion.h"
#include "core/simulador.h"
#include "core/textos_indices.h"
#include "core/textos_por_defecto.h"
#include "export/archivo.h"
#include "export/error_archivo.h"
#include "export/escritor.h"
#include "export/par.h"
#include "export/par_formato.h"
#include "export/registro_memoria.h"
#include "export/texto.h"
#include "tools/ayuda_lote.h"
#include "tools/barrido.h"
#include "tools/configuracion_lote.h"
#include "core/corridas/corrida.h"
#include "tools/grafico_lote.h"
#include "tools/identificar_lote.h"
#include "tools/rele_lote.h"
#include "tools/sintonizar_lote.h"
#include "tools/indices_lote.h"
#include "tools/reproducir_lote.h"
#include "tools/salidas_lote.h"
#include "export/causa_archivo.h"
#include "tools/texto_con_campo.h"
#include "tools/traza_lote.h"
#include "tools/curso_lote.h"

namespace {

/// Every message to standard error, with the run's counter at the moment it is shown.
class MensajesLote : public Mensajes {
public:
    explicit MensajesLote(std::FILE* errores) : errores_(errores) {}
    void Mostrar(const std::string& texto) override {
        std::fprintf(errores_, "%d: %s\n", contador ? *contador : 0, texto.c_str());
    }
    void Repetido(Corrida, const std::string& texto, int) override { Mostrar(campos_.Repetido(texto)); }
    void FinRepetido(Corrida) override {}
    /// An error that ended a handler: the name of the text that failed, when there is one, before its message.
    void MostrarError(const std::exception& e) override { Mostrar(campos_.Mostrado(e)); }
    const std::int32_t* contador = nullptr;

private:
    std::FILE* errores_;
    CamposDeFallos campos_;  // the field of each failure shown, for its repeats
};

void Poner(TextosMapa& textos, PosicionValor& posicion, const std::string& nombre, const std::string& texto) {
    if (nombre == kTrackReferencia)
        posicion.valor = TextoAEntero(texto);
    else
        textos.Poner(nombre, texto);
}

// One run of the tool: the outputs, the simulator, and the exit status as it stands.
class Lote {
public:
    Lote(const OpcionesLote& o, int traza, std::FILE* errores, OyenteLote* oyente,
         std::optional<RegistroMemoria>* copia = nullptr)
        : o_(o),
          oyente_(oyente),
          copia_(copia),
          errores_(errores),
          textos_(TextosIniciales(o.decimal)),
          mensajes_(errores),
          sim_(textos_, posicion_, mensajes_, Series::Descartar) {
        mensajes_.contador = &sim_.Timer(o.corrida).Tag;
        if (o.grafico) grafico_.emplace(o.muestras);
        if (traza >= 0) traza_.emplace(traza);
    }

    int Correr() {
        if (o_.salida) {
            if (MismoArchivo(*o_.salida, fileno(errores_))) {
                Propio("--salida=" + *o_.salida + " es la salida de errores: el registro y los mensajes se mezclarían");
                return 2;
            }
            if (traza_ && MismoArchivo(*o_.salida, traza_->Descriptor())) {
                Propio("--salida=" + *o_.salida +
                       " es la salida estándar, donde va la traza: el registro y la traza se mezclarían");
                return 2;
            }
        }
        // the set-up before the record is opened: a file that cannot be read leaves the record untouched
        std::optional<Configuracion> configuracion;
        if (o_.configuracion) {
            try {
                configuracion = LeerConfiguracionLote(*o_.configuracion, errores_, o_.decimal);
            } catch (const ErrorConfiguracion& e) {
                Propio(e.what());
                return 1;
            }
        }
        // the texts before the record too: its columns beyond the fixed four follow the run's texts
        if (configuracion) AplicarConfiguracion(*configuracion, textos_, posicion_);
        for (const auto& [nombre, texto] : o_.textos) Poner(textos_, posicion_, nombre, texto);
        if (copia_) {
            try {
                copia_->emplace(FormaDelRegistro());
            } catch (const ErrorTanque& e) {
                Propio(e.what());
                return 1;
            }
        }
        if (o_.salida) {
            try {
                registro_.emplace(o_.formato.value_or(FormatoRegistroDe(*o_.salida)), *o_.salida, FormaDelRegistro(),
                                  NombreDescripcion(*o_.salida));
            } catch (const ErrorArchivo& e) {
                Propio("no se pudo crear el registro " + *o_.salida + ": " + ConCausa(*o_.salida, e.what()));
                return 1;
            }
        }
        if (traza_ && !o_.indices) {
            traza_->Bufer() += CabeceraTraza(ConComandada());
            Traza();
        }
        if (PrepararIndices() && Empezar()) {
            // the step run's target: the plant's gain times the inflow
            if (indices_)
                indices_.emplace(
                    AjustesIndicesDe(o_.corrida, indices_->Ajustes().banda, sim_.Estado(), sim_.PlantaActual()));
            Muestras();
        }
        if (indices_ && !trazaCerrada_) {
            if (const std::optional<IndicesEscalon> actual = indices_->Actual()) Escalon(*actual);
        }
        if (traza_) Traza(true);
        if (registro_ && !registroFallido_) Confirmar();
        if (grafico_) Dibujar();
        return estado_;
    }

private:
    // Whether the pump's limits are on in the texts of the start: the trace then has the commanded action too.
    bool ConComandada() {
        if (!conComandada_) {
            try {
                conComandada_ = LeerLimitesBomba(textos_).Activos();
            } catch (const ErrorTanque&) {
                conComandada_ = false;  // the start fails on them, with its message
            }
        }
        return *conComandada_;
    }

    // The record and its description beside it (a record written through, to a FIFO or a device, has none),
    // replaced as one (par.h): when either cannot be written, neither file changes, and the message says so.
    void Confirmar() {
        try {
            registro_->Confirmar([this](const ResumenArchivo* huella) {
                return DescribirRegistro(contenido_, *o_.salida, huella);
            });
        } catch (const ErrorPar& e) {
            Propio(e.what());  // names the file that failed and what was left of the pair
            estado_ = 1;
        } catch (const ErrorTanque& e) {
            FalloDelRegistro(e);
        }
    }

    // The chart of --grafico, of the samples made (none when the run did not start).
    void Dibujar() {
        try {
            EscribirTexto(*o_.grafico, grafico_->Svg(std::string(Definicion(o_.corrida).nombreLargo) + ", " +
                                                     std::to_string(o_.muestras) + " muestras"));
        } catch (const ErrorArchivo& e) {
            Propio("no se pudo escribir el gráfico " + *o_.grafico + ": " + ConCausa(*o_.grafico, e.what()));
            estado_ = 1;
        }
    }

    // The closed loops follow a reference: CSV, MAT and HDF5 keep it as a column (the text record has none).
    bool ConReferencia() const { return o_.corrida != Corrida::Escalon; }

    // Whether the texts of the start open the second outlet: CSV, MAT and HDF5 then keep its demand.
    bool ConPerturbacion() {
        if (!conPerturbacion_) {
            try {
                conPerturbacion_ = LeerPerturbacion(textos_).has_value();
            } catch (const ErrorTanque&) {
                conPerturbacion_ = false;  // the start fails on them, with its message
            }
        }
        return *conPerturbacion_;
    }

    // Reference, disturbance, commanded inflow: the columns beyond the fixed four, those this run has.
    FormaRegistro FormaDelRegistro() {
        FormaRegistro forma;  // Ts once the run has read T_Sample
        if (ConReferencia()) forma.adicionales.push_back(ColumnaReferencia());
        if (ConPerturbacion()) forma.adicionales.push_back(ColumnaPerturbacion());
        if (ConComandada()) forma.adicionales.push_back(ColumnaComandada());
        return forma;
    }

    // The values of those columns for the sample just made, in their order.
    std::size_t Adicionales(const MuestraGraficada& m, double (&v)[3]) {
        std::size_t k = 0;
        if (ConReferencia()) v[k++] = m.referencia;
        if (ConPerturbacion()) v[k++] = sim_.UltimaPerturbacion();
        if (ConComandada()) v[k++] = static_cast<double>(sim_.Estado().Accion_Comandada);
        return k;
    }

    // The indices of --indices, with the band of Banda_Establecimiento; false, with its message, for a band that
    // cannot be read.
    bool PrepararIndices() {
        if (!o_.indices) return true;
        AjustesIndices a;
        try {
            a.banda = LeerBandaEstablecimiento(textos_);
        } catch (const ErrorTanque& e) {
            mensajes_.MostrarError(e);
            estado_ = 1;
            return false;
        }
        indices_.emplace(a);
        if (!o_.json && traza_) traza_->Bufer() += CabeceraIndices(false);
        return true;
    }

    // One step's row, as it closes (the last one after the run, as it stands).
    void Escalon(const IndicesEscalon& e) {
        ++escalones_;
        if (oyente_) oyente_->AlCerrarEscalon(e, escalones_);
        if (!traza_) return;
        traza_->Bufer() += o_.json ? JsonIndices(e, escalones_) : FilaIndices(e, escalones_);
        Traza();
    }

    // The run through its button; false when it failed or was refused, with its message.
    bool Empezar() {
        try {
            if (o_.corrida == Corrida::Fuzzy) sim_.ToolButton11Click();
            sim_.Alternar(o_.corrida);
            if (registro_) registro_->Registro().PonerMuestreo(sim_.Estado().T_Muestreo);
            if (copia_) (*copia_)->PonerMuestreo(sim_.Estado().T_Muestreo);
            if (oyente_ && sim_.Timer(o_.corrida).Enabled) oyente_->AlEmpezar(sim_);
        } catch (const ErrorDeManejador& e) {
            mensajes_.MostrarError(e);
            estado_ = 1;
            return false;
        }
        if (sim_.Timer(o_.corrida).Enabled) return true;
        estado_ = 1;  // the start was refused, with its message
        return false;
    }

    void Muestras() {
        auto programado = o_.programados.begin();
        for (std::int32_t k = 0; k < o_.muestras && sim_.Timer(o_.corrida).Enabled; ++k) {
            const std::int32_t n = sim_.Timer(o_.corrida).Tag;
            while (programado != o_.programados.end() && programado->first < n) ++programado;
            if (programado != o_.programados.end() && programado->first == n)
                for (const auto& [nombre, texto] : programado->second) Poner(textos_, posicion_, nombre, texto);
            try {
                sim_.Tick(o_.corrida);
            } catch (const ErrorDeManejador& e) {
                mensajes_.MostrarError(e);
                estado_ = 1;
                return;
            }
            const MuestraGraficada& m = sim_.UltimaMuestra();
            if (oyente_) oyente_->AlMuestrear(sim_, m);
            if (registro_) {
                try {
                    double adicionales[3];
                    const std::size_t k = Adicionales(m, adicionales);
                    registro_->Registro().Anadir(static_cast<double>(m.n), m.accion, m.nivel,
                                                 std::span<const double>(adicionales, k));
                } catch (const ErrorTanque& e) {
                    FalloDelRegistro(e);
                    return;
                }
                contenido_.Anadir(m.n, sim_.Registro().Ultima(o_.corrida));
            }
            // after the record: a sample that the record refuses has the record's message
            if (copia_) {
                try {
                    double adicionales[3];
                    const std::size_t k = Adicionales(m, adicionales);
                    (*copia_)->Anadir(static_cast<double>(m.n), m.accion, m.nivel,
                                      std::span<const double>(adicionales, k));
                } catch (const ErrorTanque& e) {
                    Propio(std::string("no se pudo guardar la muestra: ") + e.what());
                    estado_ = 1;
                    return;
                }
            }
            if (grafico_)
                grafico_->Anadir(m.n, m.accion, m.nivel, m.conReferencia ? std::optional<double>(m.referencia) : std::nullopt);
            if (indices_) {
                const std::uint64_t cerrados = indices_->Terminados();
                indices_->Agregar({m.n, sim_.Estado().T_Muestreo,
                                   m.conReferencia ? std::optional<double>(m.referencia) : std::nullopt, m.nivel,
                                   m.accion, sim_.Saturada()});
                if (indices_->Terminados() != cerrados) Escalon(*indices_->Anterior());
            } else if (traza_) {
                AnadirTraza(traza_->Bufer(), sim_, o_.corrida, ConComandada());
                Traza();
            }
            // with the trace ended and no record, nothing is left to make
            if (trazaCerrada_ && !registro_ && !copia_) return;
        }
    }

    // Writes the trace when a block is full, or all of it at the end. A trace that cannot be written ends there; a
    // reader that has gone is its normal end, as for any program writing to a pipe, anything else is reported. The
    // run goes on while there is a record to complete.
    void Traza(bool final = false) {
        try {
            final ? traza_->Vaciar() : traza_->Seguir();
        } catch (const ErrorLectorAusente&) {
            traza_.reset();
            trazaCerrada_ = true;
        } catch (const ErrorArchivo& e) {
            traza_.reset();
            trazaCerrada_ = true;
            Propio(std::string("no se pudo escribir ") + (o_.indices ? "los índices" : "la traza") +
                   " en la salida estándar: " + e.what());
            estado_ = 1;
        }
    }

    void FalloDelRegistro(const ErrorTanque& e) {
        Propio("no se pudo escribir el registro " + *o_.salida + ": " + e.what());
        registroFallido_ = true;
        estado_ = 1;
    }

    void Propio(const std::string& mensaje) { std::fprintf(errores_, "tanque-lote: %s\n", mensaje.c_str()); }

    const OpcionesLote& o_;
    OyenteLote* oyente_;  // the sweep's, or none
    std::optional<RegistroMemoria>* copia_;  // the samples kept in memory too, when asked
    std::FILE* errores_;
    TextosMapa textos_;
    PosicionValor posicion_;
    MensajesLote mensajes_;
    Simulador sim_;
    std::optional<Escritor> traza_;
    std::optional<ParFormato> registro_;
    ContenidoRegistro contenido_;              // the record's lines, for its description
    std::optional<IndicesRespuesta> indices_;  // --indices
    std::optional<GraficoLote> grafico_;        // --grafico
    std::optional<bool> conComandada_;       // the trace's commanded inflow column, once known
    std::optional<bool> conPerturbacion_;    // the record's disturbance column, once known
    std::size_t escalones_ = 0;                // steps written
    bool registroFallido_ = false;
    bool trazaCerrada_ = false;  // its reader has gone
    int estado_ = 0;
};

}  // namespace

int CorrerLote(const OpcionesLote& opciones, int traza, std::FILE* errores, OyenteLote* oyente) {
    return Lote(opciones, traza, errores, oyente).Correr();
}

int CorrerLote(const OpcionesLote& opciones, int traza, std::FILE* errores, std::optional<RegistroMemoria>& copia) {
    return Lote(opciones, traza, errores, nullptr, &copia).Correr();
}

int EscribirTexto(int fd, const char* texto) { return EscribirTodo(fd, texto); }

int EjecutarLote(const OpcionesLote& opciones, int salida, std::FILE* errores) {
    if (opciones.ayuda) {
        const int codigo = EscribirTexto(salida, TextoDeAyuda());
        if (codigo == 0 || codigo == EPIPE) return 0;
        std::fprintf(errores, "tanque-lote: no se pudo escribir la ayuda en la salida estándar: %s\n",
                     TextoErrorArchivo(codigo).c_str());
        return 1;
    }
    if (opciones.orden == OrdenLote::Corrida || opciones.reproducir)
        if (const std::optional<std::string> choque = ChoqueDeSalidas(opciones, salida, fileno(errores))) {
            std::fprintf(errores, "tanque-lote: %s\n", choque->c_str());
            return 2;
        }
    if (opciones.reproducir) return ReproducirLote(opciones, opciones.traza ? salida : -1, errores);
    switch (opciones.orden) {
        case OrdenLote::Identificar: return CorrerIdentificar(opciones, salida, errores);
        case OrdenLote::Sintonizar: return CorrerSintonizar(opciones, salida, errores);
        case OrdenLote::Rele: return CorrerRele(opciones, salida, errores);
        case OrdenLote::Variante: return CorrerVariante(opciones, errores);
        case OrdenLote::Calificar: return CorrerCalificar(opciones, salida, errores);
        case OrdenLote::Comparar: return CorrerComparar(opciones, salida, errores);
        case OrdenLote::Barrido: return CorrerBarrido(opciones, salida, errores);
        case OrdenLote::Corrida: break;
    }
    return CorrerLote(opciones, opciones.traza || opciones.indices ? salida : -1, errores);
}

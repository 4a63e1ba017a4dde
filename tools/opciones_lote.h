#pragma once
// The command line of tanque-lote.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/controles.h"
#include "export/registros.h"
#include "tools/opciones_sintonia.h"

/// What the command line asks: a run, the identification of a record, or the two controllers side by side.
enum class OrdenLote { Corrida, Identificar, Comparar, Sintonizar, Rele, Barrido };

/// The identification methods that `identificar` may be asked for.
enum class MetodoLote { Arx, Oe, Escalon };

/// `identificar ARCHIVO`: the record, and what the options fix instead of its description.
struct OpcionesIdentificar {
    std::string archivo;
    std::optional<int> retardo;           ///< 0 or 1; absent: the description's, else the smaller loss
    std::optional<std::int32_t> tSample;  ///< ms, as the T_Sample edit; absent: the description's, else 500
    std::vector<MetodoLote> metodos;      ///< in the order given; empty: ARX and OE, and escalon on a step record
    std::optional<std::string> validar;   ///< a second record, on which the model's fit is measured
    bool ordenes = false;                 ///< --ordenes: the scan of orders and delays, its table
    bool frecuencia = false;              ///< --frecuencia[=P]: the frequency response of the record
    std::optional<std::size_t> periodo;   ///< P, samples a period of the input: the ETFE; absent: Welch's
    std::optional<std::string> modelo;    ///< --modelo=ARCHIVO: the model written as .json, .m or .py
};

/// `barrido MANIFIESTO`: the manifest, the share of its cases, the threads and where the cases' records go.
struct OpcionesBarridoLote {
    std::string manifiesto;
    std::size_t parte = 1, partes = 1;     ///< --parte=i/N: the cases whose index is i - 1 modulo N
    std::size_t hilos = 1;                 ///< --hilos=N
    std::optional<std::string> directorio;  ///< --salida=DIR: each case's record and description there
};

struct OpcionesLote {
    OrdenLote orden = OrdenLote::Corrida;
    Corrida corrida = Corrida::Escalon;
    std::int32_t muestras = 0;  // 0 to 2^31 - 1, the range of the sample counter
    char decimal = '.';
    std::optional<std::string> salida;
    /// --formato=txt|csv|mat|h5: the record's format; absent, that of --salida's extension (export/registros.h)
    std::optional<FormatoRegistro> formato;
    /// --grafico=ARCHIVO.svg: the run's chart, drawn as SVG (tools/grafico_lote.h)
    std::optional<std::string> grafico;
    bool traza = false;
    /// --config=ARCHIVO: a set-up file whose texts and slider position come before the options' texts
    std::optional<std::string> configuracion;
    /// reproducir ARCHIVO: the set-up file whose recorded schedule is replayed, instead of a run
    std::optional<std::string> reproducir;
    bool ayuda = false;
    bool indices = false;  ///< the response indices of each step, after the run
    bool json = false;     ///< identificar, --indices and comparar write JSON instead of text
    OpcionesIdentificar identificar;
    OpcionesSintonizar sintonizar;
    OpcionesReleLote rele;
    OpcionesBarridoLote barrido;
    /// --NOMBRE=TEXTO, in the order given
    std::vector<std::pair<std::string, std::string>> textos;
    /// --NOMBRE@N=TEXTO: the texts to set just before the tick whose counter is N; each is one that the run reads
    /// at every tick (LeidosEnCadaTick), and N is below MUESTRAS
    std::map<std::int32_t, std::vector<std::pair<std::string, std::string>>> programados;
    /// comparar's --otro:NOMBRE=TEXTO: the texts of a second PID set-up, over those of the first; with any of them,
    /// comparar runs the PID with the texts against the PID with these changes instead of PID against fuzzy
    std::vector<std::pair<std::string, std::string>> otro;
};

/// Reads the arguments after the program name. Throws std::invalid_argument with a one-line reason, in Spanish.
OpcionesLote LeerOpciones(const std::vector<std::string>& argumentos);

/// True for the names that --NOMBRE accepts: an edit of a dialog, Reglas_F_C, Track_Referencia.
bool NombreValido(const std::string& nombre);

/// The usage text.
const char* TextoDeUso();

#pragma once
// The command line of tanque-lote.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/controles.h"

struct OpcionesLote {
    Corrida corrida = Corrida::Escalon;
    std::int32_t muestras = 0;  // 0 to 2^31 - 1, the range of the sample counter
    char decimal = '.';
    std::optional<std::string> salida;
    bool traza = false;
    /// --config=ARCHIVO: a set-up file whose texts and slider position come before the options' texts
    std::optional<std::string> configuracion;
    /// reproducir ARCHIVO: the set-up file whose recorded schedule is replayed, instead of a run
    std::optional<std::string> reproducir;
    bool ayuda = false;
    /// --NOMBRE=TEXTO, in the order given
    std::vector<std::pair<std::string, std::string>> textos;
    /// --NOMBRE@N=TEXTO: the texts to set just before the tick whose counter is N; each is one that the run reads
    /// at every tick (LeidosEnCadaTick), and N is below MUESTRAS
    std::map<std::int32_t, std::vector<std::pair<std::string, std::string>>> programados;
};

/// Reads the arguments after the program name. Throws std::invalid_argument with a one-line reason, in Spanish.
OpcionesLote LeerOpciones(const std::vector<std::string>& argumentos);

/// True for the names that --NOMBRE accepts: an edit of a dialog, Reglas_F_C, Track_Referencia.
bool NombreValido(const std::string& nombre);

/// The usage text.
const char* TextoDeUso();

// "Inicializar Control Fuzzy": Controlador_Fuzzy built anew from the fuzzy dialog's texts.

#include "core/conjunto_texto.h"
#include "core/lectura.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "fuzzy/reglas.h"

namespace {

std::vector<FDP>& Grupo(FIS& fis, std::size_t g) {
    return g == 0 ? fis.Conjuntos_E : g == 1 ? fis.Conjuntos_DE : fis.Conjuntos_U;
}

}  // namespace

void Simulador::ToolButton11Click() {
    // Complete only once every set and rule has been read; a failure leaves it incomplete.
    fuzzyInicializado_ = false;
    pendientes_ |= CambioFuzzy;
    fuzzy_.Dimensionar(5, 5, 5);
    for (std::size_t g = 0; g < kPrefijosFuzzy.size(); ++g) {
        for (std::size_t k = 0; k < kEtiquetas.size(); ++k) {
            const FDP leido = LeerConjuntoFuzzy(textos_, g, k);
            Grupo(fuzzy_, g)[k].Asignar(leido.Tipo, leido.Ancho, leido.Centro);
        }
    }
    for (int fila = 1; fila <= 5; ++fila) {
        for (int columna = 1; columna <= 5; ++columna) {
            const std::int32_t regla = LeerCelda(textos_, columna, fila);
            // refused here rather than at every tick of the run
            ComprobarRegla(fila - 1, columna - 1, regla, kEtiquetas.size());
            fuzzy_.Tabla_Reglas[fila - 1][columna - 1] = regla;
        }
    }
    fuzzyInicializado_ = true;
}

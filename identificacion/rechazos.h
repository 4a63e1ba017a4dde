#pragma once
// Why a record cannot be identified: the error type and its texts, in the words the user reads.

#include <cstddef>
#include <string>

#include "base/errores.h"

/// A record that the identification refuses; what() says why, in Spanish.
class ErrorIdentificacion : public ErrorTanque {
public:
    using ErrorTanque::ErrorTanque;
};

// The texts. A sample is named by its number in the record (its place from 0 when the record has none).
std::string TextoPeriodoInvalido();
std::string TextoTiempoMuestraInvalido();
std::string TextoLongitudesDistintas(std::size_t acciones, std::size_t niveles, std::size_t muestras);
std::string TextoRegistroCorto(std::size_t muestras, std::size_t minimo);
std::string TextoNoFinito(const char* columna, double muestra);
std::string TextoMuestrasSaltadas(double antes, double despues);
std::string TextoRetardoInvalido(int retardo);
std::string TextoEntradaNula();
std::string TextoSalidaConstante();
std::string TextoSingular();
std::string TextoDesbordamiento();
std::string TextoNoEstable(double a);
std::string TextoSinEscalon();
std::string TextoVariosEscalones(double primero, double segundo);
std::string TextoEscalonSinCambio();
std::string TextoEscalonAlFinal();
std::string TextoEscalonSinAsentar(double tau, double duracion);
std::string TextoRetardoNegativo(int retardo, int retardoCorrida);
std::string TextoSinFormaContinua(int polos, int coeficientes);
std::string TextoPoloNegativo(double z);
std::string TextoNoEstrictamentePropia();
std::string TextoSinPeriodos(std::size_t muestras, std::size_t periodo);
std::string TextoEntradaSinLineas();

/// Runs `f`, turning an overflow of the checked arithmetic (ErrorPuntoFlotante) into the refusal of values
/// too large for the identification.
template <class F>
auto SinDesbordar(F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const ErrorPuntoFlotante&) {
        throw ErrorIdentificacion(TextoDesbordamiento());
    }
}

/// A number as the messages print it: up to 6 significant digits, "." as the point.
std::string TextoNumero(double v);

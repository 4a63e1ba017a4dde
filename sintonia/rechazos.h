#pragma once
// Why a model, a loop or a relay record cannot be tuned: the error type and its texts, in the words the user
// reads.

#include <cstddef>
#include <string>

#include "base/errores.h"

/// A model, a set of gains or a relay record that the tuning refuses; what() says why, in Spanish.
class ErrorSintonia : public ErrorTanque {
public:
    using ErrorTanque::ErrorTanque;
};

// The models and the loop.
std::string TextoGananciaModelo(double K);
std::string TextoConstanteModelo(const char* nombre, double valor);
std::string TextoRetardoModelo(double theta);
std::string TextoMuestreo(double T, double h);
std::string TextoRetardoRegistro(int retardo, int sinRetardo);
std::string TextoRetardoLargo(long muestras, long maximo);
std::string TextoPerilla(const char* nombre, double valor);
std::string TextoGananciasPid(double Kp, double Ti, double Td);
std::string TextoUltimos(double Ku, double Pu);

// The relay.
std::string TextoRele(double alto, double bajo, double histeresis);
std::string TextoRegistroRele(std::size_t acciones, std::size_t niveles);
std::string TextoReleNoFinito(std::size_t muestra);
std::string TextoSinOscilacion(std::size_t ciclos, std::size_t minimo);
std::string TextoOscilacionIrregular(double periodoMinimo, double periodoMaximo);
std::string TextoOscilacionNoSostenida(double amplitudMinima, double amplitudMaxima);
std::string TextoOscilacionVacia(double minimo);
std::string TextoOscilacionDesborda(double maximo, double nivelMaximo);
std::string TextoAccionMedia();
std::string TextoSinModeloRele();

/// A number as the messages print it: up to 6 significant digits, "." as the point.
std::string TextoCifra(double v);

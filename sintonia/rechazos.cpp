#include "sintonia/rechazos.h"

#include <locale>
#include <sstream>

std::string TextoCifra(double v) {
    std::ostringstream texto;
    texto.imbue(std::locale::classic());
    texto.precision(6);
    texto << v;
    return texto.str();
}

std::string TextoGananciaModelo(double K) {
    return "La ganancia del modelo debe ser un número mayor que cero, no " + TextoCifra(K) + ".";
}

std::string TextoConstanteModelo(const char* nombre, double valor) {
    return std::string("La constante de tiempo ") + nombre + " del modelo debe ser un número " +
           (std::string(nombre) == "tau1" ? "mayor que cero" : "no negativo") + ", no " + TextoCifra(valor) + ".";
}

std::string TextoRetardoModelo(double theta) {
    return "El retardo del modelo debe ser un número no negativo (y mayor que cero para las reglas), no " +
           TextoCifra(theta) + ".";
}

std::string TextoMuestreo(double T, double h) {
    return "El tiempo de muestreo (" + TextoCifra(T) + " s) y el tiempo que avanza la planta en cada muestra (" +
           TextoCifra(h) + " s) deben ser mayores que cero.";
}

std::string TextoRetardoRegistro(int retardo, int sinRetardo) {
    return "El retardo del modelo (" + std::to_string(retardo) +
           ") no puede ser menor que el de la corrida que hizo el "
           "registro (" +
           std::to_string(sinRetardo) + ": 0 en lazo abierto, 1 en lazo cerrado).";
}

std::string TextoRetardoLargo(long muestras, long maximo) {
    return "El retardo del modelo es de " + std::to_string(muestras) + " muestras: el análisis del lazo admite " +
           std::to_string(maximo) + " como mucho.";
}

std::string TextoPerilla(const char* nombre, double valor) {
    return std::string("La constante de tiempo del lazo cerrado (") + nombre + ") debe ser un número no negativo, no " +
           TextoCifra(valor) + ".";
}

std::string TextoGananciasPid(double Kp, double Ti, double Td) {
    return "Las ganancias del PID deben ser números finitos, con Ti mayor que cero y Td no negativo (Kp " +
           TextoCifra(Kp) + ", Ti " + TextoCifra(Ti) + ", Td " + TextoCifra(Td) + ").";
}

std::string TextoUltimos(double Ku, double Pu) {
    return "La ganancia última y el periodo último deben ser mayores que cero (Ku " + TextoCifra(Ku) + ", Pu " +
           TextoCifra(Pu) + ").";
}

std::string TextoRele(double alto, double bajo, double histeresis) {
    return "El relé necesita un caudal alto mayor que el bajo y una histéresis no negativa (alto " + TextoCifra(alto) +
           ", bajo " + TextoCifra(bajo) + ", histéresis " + TextoCifra(histeresis) + ").";
}

std::string TextoRegistroRele(std::size_t acciones, std::size_t niveles) {
    return "El registro del relé tiene " + std::to_string(acciones) + " acciones y " + std::to_string(niveles) +
           " niveles: deben ser tantos como muestras.";
}

std::string TextoReleNoFinito(std::size_t muestra) {
    return "El registro del relé tiene un valor que no es un número finito en la muestra " + std::to_string(muestra) +
           ".";
}

std::string TextoSinOscilacion(std::size_t ciclos, std::size_t minimo) {
    return "No se encontró una oscilación sostenida: tras el primer ciclo hay " + std::to_string(ciclos) +
           " ciclos completos del relé y hacen falta al menos " + std::to_string(minimo) +
           ". Alargue la corrida, o compruebe que el caudal alto lleva el nivel por encima del nivel de trabajo y "
           "el bajo por debajo.";
}

std::string TextoOscilacionIrregular(double periodoMinimo, double periodoMaximo) {
    return "La oscilación no es regular: sus periodos van de " + TextoCifra(periodoMinimo) + " s a " +
           TextoCifra(periodoMaximo) + " s. Si el nivel tiene ruido, suba la histéresis por encima de él.";
}

std::string TextoOscilacionNoSostenida(double amplitudMinima, double amplitudMaxima) {
    return "La oscilación no se sostiene: su amplitud va de " + TextoCifra(amplitudMinima) + " a " +
           TextoCifra(amplitudMaxima) +
           " en los ciclos analizados. Alargue la corrida o, si el nivel tiene ruido, suba la "
           "histéresis por encima de él.";
}

std::string TextoOscilacionVacia(double minimo) {
    return "La oscilación vacía el tanque (el nivel baja a " + TextoCifra(minimo) +
           "): el tanque deja de ser lineal. Suba el nivel de trabajo o el caudal bajo.";
}

std::string TextoOscilacionDesborda(double maximo, double nivelMaximo) {
    return "La oscilación sale del tanque: el nivel llega a " + TextoCifra(maximo) + " y el máximo permitido es " +
           TextoCifra(nivelMaximo) + ". Baje el nivel de trabajo o el caudal alto.";
}

std::string TextoAccionMedia() {
    return "El caudal medio de la oscilación es cero: no se puede leer la ganancia estática del tanque; "
           "indíquela como dato.";
}

std::string TextoSinModeloRele() {
    return "Ningún modelo de primer orden con retardo pasa por el punto de la oscilación: Ku y Pu son los de la "
           "oscilación leída, sin corregir.";
}

#include "identificacion/rechazos.h"

#include <locale>
#include <sstream>

std::string TextoNumero(double v) {
    std::ostringstream texto;
    texto.imbue(std::locale::classic());
    texto.precision(6);
    texto << v;
    return texto.str();
}

std::string TextoPeriodoInvalido() { return "El tiempo de muestreo del registro debe ser un número mayor que cero."; }

std::string TextoTiempoMuestraInvalido() {
    return "El tiempo de planta por muestra del registro debe ser un número mayor que cero.";
}

std::string TextoLongitudesDistintas(std::size_t acciones, std::size_t niveles, std::size_t muestras) {
    return "El registro tiene " + std::to_string(acciones) + " acciones, " + std::to_string(niveles) + " niveles y " +
           std::to_string(muestras) + " números de muestra: deben ser tantos como muestras.";
}

std::string TextoRegistroCorto(std::size_t muestras, std::size_t minimo) {
    return "El registro es demasiado corto: tiene " + std::to_string(muestras) + " muestras y hacen falta al menos " +
           std::to_string(minimo) + ".";
}

std::string TextoNoFinito(const char* columna, double muestra) {
    return std::string("El registro tiene ") + columna + " que no es un número finito en la muestra " +
           TextoNumero(muestra) + ".";
}

std::string TextoMuestrasSaltadas(double antes, double despues) {
    return "Faltan muestras en el registro: tras la muestra " + TextoNumero(antes) + " viene la " +
           TextoNumero(despues) + ", y los métodos necesitan muestras seguidas.";
}

std::string TextoRetardoInvalido(int retardo) {
    return "El retardo debe ser 0 (corrida en lazo abierto) o 1 (corridas PID y fuzzy), no " + std::to_string(retardo) +
           ".";
}

std::string TextoEntradaNula() {
    return "La acción de control es cero en todo el registro: no excita la planta y no hay nada que identificar.";
}

std::string TextoSalidaConstante() {
    return "El nivel no cambia en todo el registro: no hay respuesta de la planta que identificar.";
}

std::string TextoSingular() {
    return "El problema de identificación es singular: la acción y el nivel del registro no bastan para separar "
           "los dos parámetros del modelo.";
}

std::string TextoDesbordamiento() {
    return "Los valores del registro son demasiado grandes: el cálculo de la identificación se desborda.";
}

std::string TextoNoEstable(double a) {
    return "El modelo estimado tiene a = " + TextoNumero(a) +
           ", fuera de (0, 1): no es un modelo de primer orden estable, y K y Tau no están definidos.";
}

std::string TextoSinEscalon() { return "La acción de control es cero en todo el registro: no hay escalón que leer."; }

std::string TextoVariosEscalones(double primero, double segundo) {
    return "La acción de control cambia más de una vez (en las muestras " + TextoNumero(primero) + " y " +
           TextoNumero(segundo) + "): el registro no es la respuesta a un escalón.";
}

std::string TextoEscalonSinCambio() { return "El nivel no cambia después del escalón: no hay respuesta que leer."; }

std::string TextoEscalonAlFinal() {
    return "El escalón llega con la última muestra del registro: no hay respuesta que leer.";
}

std::string TextoEscalonSinAsentar(double tau, double duracion) {
    return "La respuesta no se ha asentado: el registro dura " + TextoNumero(duracion) +
           " s después del escalón, y con una constante de tiempo de " + TextoNumero(tau) +
           " s hacen falta al menos cinco (" + TextoNumero(5 * tau) + " s) para leer el valor final.";
}

std::string TextoRetardoNegativo(int retardo, int retardoCorrida) {
    return "El modelo tiene retardo " + std::to_string(retardo) + " y su registro viene de una corrida de retardo " +
           std::to_string(retardoCorrida) + ": respondería antes que la planta, y no tiene forma continua.";
}

std::string TextoSinFormaContinua(int polos, int coeficientes) {
    return "El modelo tiene " + std::to_string(polos) + " polos y " + std::to_string(coeficientes) +
           " coeficientes en B: una planta continua con la entrada retenida da a lo sumo tantos coeficientes como "
           "polos, y no tiene forma continua.";
}

std::string TextoPoloNegativo(double z) {
    return "El modelo tiene un polo real en z = " + TextoNumero(z) +
           ", no positivo: ninguna planta continua muestreada lo da, y no tiene forma continua.";
}

std::string TextoNoEstrictamentePropia() {
    return "La función de transferencia debe tener más polos que ceros para muestrearla con la entrada retenida.";
}

std::string TextoSinPeriodos(std::size_t muestras, std::size_t periodo) {
    return "El registro tiene " + std::to_string(muestras) + " muestras y el periodo de la señal es de " +
           std::to_string(periodo) + ": hacen falta al menos dos periodos enteros después del primero.";
}

std::string TextoEntradaSinLineas() {
    return "La acción no tiene ninguna frecuencia excitada en el registro: no hay respuesta en frecuencia que estimar.";
}

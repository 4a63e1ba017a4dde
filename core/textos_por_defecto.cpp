#include "core/textos_por_defecto.h"

#include <algorithm>
#include <cstring>

namespace {

// one row per set, as the dialogs show them
// clang-format off
constexpr TextoPorDefecto kTabla[] = {
    // plant dialog
    {"Resistencia", "2"}, {"Area", "10"}, {"HMax", "5"}, {"T_Sample", "500"},
    // the plant dialog's models and clock (core/planta/tanques.h): the orifice's k = sqrt(2.5), so that at half of
    // HMax its linearised resistance 2 sqrt(h) / k equals Resistencia's 2
    {"Modelo_Planta", "Lineal"}, {"Coef_Descarga", "1.58113883"},
    {"Area_2", "10"}, {"Resistencia_2", "2"}, {"Coef_Descarga_2", "1.58113883"}, {"HMax_2", "5"},
    {"Salida_Tanques", "Lineal"}, {"Integrador", "Programa"},
    // step dialog
    {"Alto_Escalon", "2"},
    // PID dialog
    {"Kp", "2"}, {"Ti", "5"}, {"Td", "0"},
    // the loop as in a lab, all off: a pump without limits, today's PID law (core/planta/bomba.h, core/corridas/pid.h)
    {"Caudal_Min", ""}, {"Caudal_Max", ""},
    {"Antisaturacion", "Ninguna"}, {"Tt", ""}, {"N", ""}, {"Derivada", "Error"}, {"b", "1"},
    // no load disturbance (core/planta/perturbacion.h: a signal of its own), a perfect sensor (core/planta/sensor.h)
    {"Perturbacion_Tipo", "Ninguna"}, {"Perturbacion_Inicio", "0"},
    {"Perturbacion_Minimo", "0"}, {"Perturbacion_Maximo", "0.5"},
    {"Perturbacion_Periodo", "10"}, {"Perturbacion_Orden", "6"}, {"Perturbacion_Semilla", "2"},
    {"Perturbacion_Frecuencia_Min", "0.01"}, {"Perturbacion_Frecuencia_Max", "0.2"},
    {"Perturbacion_Componentes", "10"}, {"Perturbacion_Longitud", "400"},
    {"Sensor_Retardo", "0"}, {"Sensor_Constante", "0"}, {"Sensor_Resolucion", "0"},
    // fuzzy dialog, error panel
    {"E_MN_Tipo", "1"}, {"E_MN_Ancho", "2.5"}, {"E_MN_Centro", "-3.75"},
    {"E_Ne_Tipo", "0"}, {"E_Ne_Ancho", "1.25"}, {"E_Ne_Centro", "-1.25"},
    {"E_Ze_Tipo", "0"}, {"E_Ze_Ancho", "1.25"}, {"E_Ze_Centro", "0"},
    {"E_Po_Tipo", "0"}, {"E_Po_Ancho", "1.25"}, {"E_Po_Centro", "1.25"},
    {"E_MP_Tipo", "2"}, {"E_MP_Ancho", "2.5"}, {"E_MP_Centro", "3.75"},
    {"KE", "1"},
    // error-derivative panel
    {"DE_MN_Tipo", "1"}, {"DE_MN_Ancho", "0.5"}, {"DE_MN_Centro", "-0.75"},
    {"DE_Ne_Tipo", "0"}, {"DE_Ne_Ancho", "0.25"}, {"DE_Ne_Centro", "-0.25"},
    {"DE_Ze_Tipo", "0"}, {"DE_Ze_Ancho", "0.25"}, {"DE_Ze_Centro", "0"},
    {"DE_Po_Tipo", "0"}, {"DE_Po_Ancho", "0.25"}, {"DE_Po_Centro", "0.25"},
    {"DE_MP_Tipo", "2"}, {"DE_MP_Ancho", "0.5"}, {"DE_MP_Centro", "0.75"},
    {"KDE", "1"},
    // control panel: constant sets that stand for their centres
    {"U_MN_Tipo", "3"}, {"U_MN_Ancho", "0"}, {"U_MN_Centro", "-0.75"},
    {"U_Ne_Tipo", "3"}, {"U_Ne_Ancho", "0"}, {"U_Ne_Centro", "-0.375"},
    {"U_Ze_Tipo", "3"}, {"U_Ze_Ancho", "0"}, {"U_Ze_Centro", "0"},
    {"U_Po_Tipo", "3"}, {"U_Po_Ancho", "0"}, {"U_Po_Centro", "0.375"},
    {"U_MP_Tipo", "3"}, {"U_MP_Ancho", "0"}, {"U_MP_Centro", "0.75"},
    {"KU", "3"},
    // excitation signal dialog: the step of today's run and no noise (core/textos_senal.h says why the others)
    {"Senal_Tipo", "Escalón"},
    {"Senal_Minimo", "0.5"}, {"Senal_Maximo", "2"},
    {"Senal_Periodo", "10"}, {"Senal_Orden", "6"}, {"Senal_Semilla", "1"},
    {"Senal_Frecuencia_Min", "0.01"}, {"Senal_Frecuencia_Max", "0.2"},
    {"Senal_Componentes", "10"}, {"Senal_Longitud", "400"},
    {"Ruido_Desviacion", "0"}, {"Ruido_Semilla", "1"},
    // performance indices window: the settling band, percent of the step
    {"Banda_Establecimiento", "2"},
    // relay experiment dialog: the pump on and off around the slider's level, the band, the pipe's samples
    {"Rele_Alto", "2.5"}, {"Rele_Bajo", "0"}, {"Rele_Histeresis", "0.02"}, {"Rele_Retardo", "0"},
};
// clang-format on

}  // namespace

std::span<const TextoPorDefecto> TextosPorDefecto() { return kTabla; }

std::string TextoPorDefectoDe(std::string_view nombre, char decimal) {
    for (const TextoPorDefecto& t : kTabla)
        if (nombre == t.nombre) return ConDecimal(t.texto, decimal);
    return {};
}

std::string NombreFuzzy(std::string_view prefijo, std::string_view etiqueta, std::string_view columna) {
    std::string n(prefijo);
    n += '_';
    n += etiqueta;
    n += '_';
    n += columna;
    return n;
}

std::string ConDecimal(std::string_view texto, char decimal) {
    std::string t(texto);
    std::replace(t.begin(), t.end(), '.', decimal);
    return t;
}

TextosMapa CopiaDeTextos(const Textos& textos) {
    TextosMapa copia(textos.Decimal());
    for (const TextoPorDefecto& t : kTabla) copia.Poner(t.nombre, textos.Texto(t.nombre));
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna) copia.PonerCelda(columna, fila, textos.Celda(columna, fila));
    return copia;
}

std::vector<std::string> NombresDeTextos() {
    std::vector<std::string> nombres;
    for (const TextoPorDefecto& t : kTabla) nombres.emplace_back(t.nombre);
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna) nombres.push_back(NombreCelda(columna, fila));
    return nombres;
}

TextosMapa TextosIniciales(char decimal) {
    TextosMapa textos(decimal);
    for (const TextoPorDefecto& t : kTabla) textos.Poner(t.nombre, ConDecimal(t.texto, decimal));
    for (int fila = 1; fila <= 5; ++fila)
        for (int columna = 1; columna <= 5; ++columna)
            textos.PonerCelda(columna, fila, std::to_string(kReglasPorDefecto[fila - 1][columna - 1]));
    return textos;
}

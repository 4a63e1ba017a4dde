#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/configuracion.h"
#include "core/descripcion.h"
#include "tests/core/guion_grabado.h"
#include "tests/tools/salidas_lote.h"

namespace {

// The session's schedule, and the texts and slider it started from, as the window saves them.
Configuracion Guardada(const SesionGrabada& s, Configuracion inicio = {}) {
    inicio.programa = s.g.Programa();
    return inicio;
}

// What the directly driven simulator's "Archivo" writes, the chart showing its whole range.
std::string Exportado(SesionGrabada& s) {
    const std::string ruta = ArchivoDeLaPrueba("directo.txt");
    s.sim.ArchivoClick(ruta, true, 0, 0);
    return LeerBytes(ruta);
}

std::size_t Lineas(const std::string& s) { return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n')); }

}  // namespace

// The oracle: the simulator that the script drove, exported as the window exports.
TEST(Reproducir, ElRegistroEsElQueLaVentanaExportariaAlFinal) {
    SesionGrabada s;
    s.Guion();
    const SalidasLote r = Ejecutar({"reproducir", GuardarConfiguracion(Guardada(s))});
    EXPECT_EQ(r.estado, 0) << r.errores;
    const std::string directo = Exportado(s);
    EXPECT_GT(Lineas(directo), 50u);
    EXPECT_EQ(r.registro, directo);
    // every message the window showed, in a box or as a notice, is a line
    EXPECT_EQ(Lineas(r.errores), s.mensajes.mostrados.size() + s.mensajes.repetidos.size());
    EXPECT_NE(r.errores.find("El Nivel del Tanque ha Superado el Máximo Permitido\n"), std::string::npos);
    // named as the batch tool names every text that fails, with its sample before
    EXPECT_NE(r.errores.find(": Kp: 'tres' is not a valid floating point value\n"), std::string::npos) << r.errores;
}

TEST(Reproducir, LosTextosYLaPosicionDelArchivoVanPrimero) {
    // the session starts from texts and a slider that are not the program's own
    SesionGrabada s;
    const Configuracion inicio{{{"Area", "8"}, {"Ti", "3"}, {"KE", "0.5"}}, 4, {}};
    for (const auto& [nombre, texto] : inicio.textos) s.textos.Poner(nombre, texto);
    s.posicion.valor = 4;
    s.Guion();
    const SalidasLote r = Ejecutar({"reproducir", GuardarConfiguracion(Guardada(s, inicio))});
    EXPECT_EQ(r.estado, 0);
    EXPECT_EQ(r.registro, Exportado(s));
    // without them the replay is another record
    EXPECT_NE(Ejecutar({"reproducir", GuardarConfiguracion(Guardada(s), "otra.tanque")}).registro, r.registro);
}

// A second oracle: one run, started and ticked, is what the run of the tool makes; its trace too.
TEST(Reproducir, UnaCorridaSolaEsLaCorridaDeLaHerramienta) {
    struct Caso {
        Corrida corrida;
        const char* nombre;
    };
    for (const Caso c : {Caso{Corrida::Escalon, "escalon"}, Caso{Corrida::PID, "pid"}, Caso{Corrida::Fuzzy, "fuzzy"}}) {
        std::vector<EventoPrograma> p;
        if (c.corrida == Corrida::Fuzzy) p.push_back({EventoInicializarFuzzy{}, std::nullopt});
        p.push_back({EventoAlternar{c.corrida}, 0});
        p.push_back({EventoTicks{c.corrida, 100}, 0});  // the chart keeps them all
        const SalidasLote r = Ejecutar({"reproducir", GuardarConfiguracion({{{"Kp", "3"}}, 6, p})});
        const SalidasLote lote = Ejecutar({c.nombre, "100", "--Kp=3", "--Track_Referencia=6"});
        EXPECT_EQ(r.estado, 0) << c.nombre;
        EXPECT_EQ(r.traza, lote.traza) << c.nombre;
        EXPECT_EQ(r.registro, lote.registro) << c.nombre;
        EXPECT_EQ(Lineas(r.traza), 101u);
    }
}

TEST(Reproducir, UnaMuestraQueNoCoincideSeRechazaNombrandoElEvento) {
    SesionGrabada s;
    s.Guion();
    Configuracion c = Guardada(s);
    auto& programa = *c.programa;
    // the event after the ticks of the first PID stretch: recorded one sample later than it comes
    const auto i = static_cast<std::size_t>(std::find_if(programa.begin(), programa.end(),
                                                         [](const EventoPrograma& e) {
                                                             return std::holds_alternative<EventoPosicion>(e.accion) &&
                                                                    e.muestra.has_value();
                                                         }) -
                                            programa.begin());
    ASSERT_LT(i, programa.size());
    const std::int32_t grabada = *programa[i].muestra;
    programa[i].muestra = grabada + 1;
    const std::string archivo = GuardarConfiguracion(c);
    const SalidasLote r = Ejecutar({"reproducir", archivo});
    EXPECT_EQ(r.estado, 1);
    const std::string mensaje = "tanque-lote: " + archivo + ": El programa no se puede reproducir: el evento " +
                                std::to_string(i + 1) + " (posición 8 de Track_Referencia) se grabó en la muestra " +
                                std::to_string(grabada + 1) + " y al reproducirlo llega en la muestra " +
                                std::to_string(grabada) + ".\n";
    EXPECT_EQ(r.errores.substr(r.errores.size() - std::min(r.errores.size(), mensaje.size())), mensaje);
    EXPECT_EQ(r.registro, "(sin registro)");
}

TEST(Reproducir, UnArchivoSinProgramaNoSeReproduce) {
    const std::string archivo = GuardarConfiguracion({{{"Kp", "3"}}, 6, std::nullopt});
    const SalidasLote r = Ejecutar({"reproducir", archivo});
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.errores, "tanque-lote: el archivo " + archivo + " no tiene un programa grabado que reproducir\n");
    EXPECT_EQ(r.registro, "(sin registro)");
    // an empty schedule is one: nothing happens, and the chart is empty
    const SalidasLote vacio = Ejecutar({"reproducir", GuardarConfiguracion({{}, {}, std::vector<EventoPrograma>{}})});
    EXPECT_EQ(vacio.estado, 0);
    EXPECT_EQ(vacio.registro, "");
    EXPECT_EQ(Lineas(vacio.traza), 1u);
}

// A message names the sample of the event that brought it, as the recording has it: the stop of a run at
// sample 37 says 37, though the stop sets the run's counter back to 0.
TEST(Reproducir, LosMensajesLlevanLaMuestraDeSuEvento) {
    for (std::int32_t parada : {1, 37, 250}) {
        SCOPED_TRACE(parada);
        std::vector<EventoPrograma> p;
        p.push_back({EventoAlternar{Corrida::Escalon}, 0});
        p.push_back({EventoTicks{Corrida::Escalon, parada}, 0});
        p.push_back({EventoAlternar{Corrida::Escalon}, parada});
        const SalidasLote r = Ejecutar({"reproducir", GuardarConfiguracion({{}, std::nullopt, p})});
        EXPECT_EQ(r.estado, 0) << r.errores;
        EXPECT_EQ(r.errores, std::to_string(parada) + ": El Ciclo de lectura se ha parado\n");
    }
}

// A tick's failure that repeats names its field on every line, as its first line does (the window's notice counts
// the repeats of the text alone).
TEST(Reproducir, LosFallosRepetidosNombranSuCampo) {
    SesionGrabada s;
    s.Guion();
    const SalidasLote r = Ejecutar({"reproducir", GuardarConfiguracion(Guardada(s))});
    EXPECT_EQ(r.estado, 0) << r.errores;
    ASSERT_FALSE(s.mensajes.repetidos.empty());
    std::size_t lineas = 0, conCampo = 0;
    for (std::size_t i = 0, fin; (fin = r.errores.find('\n', i)) != std::string::npos; i = fin + 1) {
        const std::string linea = r.errores.substr(i, fin - i);
        if (linea.find("'tres' is not a valid floating point value") == std::string::npos) continue;
        ++lineas;
        if (linea.find(": Kp: 'tres'") != std::string::npos) ++conCampo;
    }
    EXPECT_GE(lineas, 2u) << r.errores;  // the box and at least one repeat
    EXPECT_EQ(conCampo, lineas) << r.errores;
}

namespace {

// Every output of a replay with --salida: the record, its description, the trace, the messages, the status.
struct Replay {
    int estado = -1;
    std::string registro, descripcion, traza, errores;
};

Replay Reproducida(const std::string& configuracion, bool seguida, const std::string& extension = "txt") {
    const std::string registro = ArchivoDeLaPrueba("seguida." + extension);
    const std::string descripcion = NombreDescripcion(registro);
    std::remove(registro.c_str());
    std::remove(descripcion.c_str());
    const OpcionesLote o = LeerOpciones({"reproducir", configuracion, "--salida=" + registro, "--traza"});
    std::FILE* traza = std::tmpfile();
    std::FILE* errores = std::tmpfile();
    Replay r;
    r.estado = ReproducirLote(o, fileno(traza), errores, seguida);
    r.traza = LeerTodo(traza);
    r.errores = LeerTodo(errores);
    r.registro = LeerBytes(registro);
    r.descripcion = LeerBytes(descripcion);
    return r;
}

}  // namespace

// The record that follows the replay is the chart's export at the end, byte for byte, and so are its description,
// the trace and the messages: on schedules that it follows to their end and on those where it hands over to the
// chart (another run, a run started over the points of the last, a failed tick).
TEST(Reproducir, ElRegistroSeguidoEsElDelGrafico) {
    struct Caso {
        const char* que;
        std::function<void(SesionGrabada&)> guion;
        bool masDe;  // the record has more than the header's few lines
    };
    const Caso casos[] = {
        {"one PRBS run",
         [](SesionGrabada& s) {
             s.Texto("Senal_Tipo", "PRBS");
             s.Alternar(Corrida::Escalon);
             s.Ticks(Corrida::Escalon, 400);
             s.Alternar(Corrida::Escalon);
         },
         true},
        {"Limpiar while the run goes, a text changed, and a run after a Limpiar",
         [](SesionGrabada& s) {
             s.Alternar(Corrida::Escalon);
             s.Ticks(Corrida::Escalon, 50);
             s.Limpiar();
             s.Ticks(Corrida::Escalon, 30);
             s.Texto("Alto_Escalon", "1.5");
             s.Ticks(Corrida::Escalon, 30);
             s.Alternar(Corrida::Escalon);
             s.Limpiar();
             s.Texto("Senal_Tipo", "Multiseno");
             s.Alternar(Corrida::Escalon);
             s.Ticks(Corrida::Escalon, 200);
         },
         true},
        {"an overflow, its queued ticks, then a run over the points of the first",
         [](SesionGrabada& s) {
             s.Texto("Alto_Escalon", "3");
             s.Alternar(Corrida::Escalon);
             s.Ticks(Corrida::Escalon, 80);
             s.Alternar(Corrida::Escalon);
             s.Ticks(Corrida::Escalon, 20);
         },
         true},
        {"ticks that fail and a run that goes on",
         [](SesionGrabada& s) {
             s.Alternar(Corrida::Escalon);
             s.Ticks(Corrida::Escalon, 20);
             s.Texto("Alto_Escalon", "abc");
             s.Ticks(Corrida::Escalon, 3);
             s.Texto("Alto_Escalon", "1");
             s.Ticks(Corrida::Escalon, 20);
         },
         true},
        {"a PID run after the step",
         [](SesionGrabada& s) {
             s.Alternar(Corrida::Escalon);
             s.Ticks(Corrida::Escalon, 150);
             s.Alternar(Corrida::Escalon);
             s.Mover(4);
             s.Alternar(Corrida::PID);
             s.Ticks(Corrida::PID, 120);
         },
         true},
        {"nothing but texts", [](SesionGrabada& s) { s.Texto("Kp", "2"); }, false},
        {"the recorded script of three runs", [](SesionGrabada& s) { s.Guion(); }, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        SesionGrabada s;
        c.guion(s);
        const std::string archivo = GuardarConfiguracion(Guardada(s), "seguida.tanque");
        const Replay seguida = Reproducida(archivo, true);
        const Replay grafico = Reproducida(archivo, false);
        EXPECT_EQ(seguida.estado, grafico.estado);
        EXPECT_EQ(seguida.registro, grafico.registro);
        EXPECT_EQ(seguida.descripcion, grafico.descripcion);
        EXPECT_EQ(seguida.traza, grafico.traza);
        EXPECT_EQ(seguida.errores, grafico.errores);
        EXPECT_EQ(c.masDe, Lineas(seguida.registro) > 0u) << seguida.registro.size();
        EXPECT_NE(seguida.descripcion, "");
        // and the chart's export is the one the directly driven simulator writes
        EXPECT_EQ(grafico.registro, Exportado(s));
    }
}

// A record of another format is the chart's export in that format: the replay does not write text lines into a
// .csv (its writer takes the chart's columns at the end).
TEST(Reproducir, OtroFormatoSeExportaDelGrafico) {
    SesionGrabada s;
    s.Texto("Senal_Tipo", "PRBS");
    s.Alternar(Corrida::Escalon);
    s.Ticks(Corrida::Escalon, 120);
    const std::string archivo = GuardarConfiguracion(Guardada(s), "seguida_csv.tanque");
    const Replay texto = Reproducida(archivo, true);
    const Replay csv = Reproducida(archivo, true, "csv");
    const Replay csvGrafico = Reproducida(archivo, false, "csv");
    EXPECT_EQ(csv.estado, 0) << csv.errores;
    EXPECT_EQ(csv.registro, csvGrafico.registro);
    EXPECT_NE(csv.registro, texto.registro);
    EXPECT_NE(csv.registro.find(','), std::string::npos) << csv.registro.substr(0, 200);
    EXPECT_NE(csv.descripcion, "");
}

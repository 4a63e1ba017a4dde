// The window program over a long run on the offscreen platform: each run ticked N times through the main
// window's dispatch (the path of its timers), the chart redrawn and the four parameter dialogs opened and
// closed every 1000 ticks; the resident memory at the start, once warm (the PID and fuzzy charts full at 101
// points, each dialog shown once) and at the end.
//
//   largo_ventana [TICKS]      (default 100000)
//
// Exits 1 when the memory of the PID or fuzzy run grows after the warm-up by more than kHolguraKb (their
// chart keeps 101 points, so nothing should grow with the number of ticks), or when a run shows a message
// other than its stop's.

#include <QApplication>
#include <QPushButton>
#include <QToolButton>

#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "tests/ui/ventanas_prueba.h"
#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/Parametros_Reac.h"
#include "ui/arranque.h"

namespace {

constexpr long kHolguraKb = 1024;

// AddressSanitizer keeps freed memory in quarantine, so resident memory grows with any allocation there:
// in that build LeakSanitizer judges leaks, and the growth is only reported.
#if defined(TANQUE_SANITIZADO)
constexpr bool kMedirCrecimiento = false;
#else
constexpr bool kMedirCrecimiento = true;
#endif

long KbResidentes() {
    std::ifstream estado("/proc/self/status");
    for (std::string linea; std::getline(estado, linea);)
        if (linea.rfind("VmRSS:", 0) == 0) return std::stol(linea.substr(6));
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    const long ticks = argc > 1 ? std::stol(argv[1]) : 100000;
    const long calentamiento = std::min(ticks / 2, 5000L);

    DialogosPrueba* dialogos = CrearVentanasDePrueba();
    Frm_Ppal->ToolButton11->click();  // the fuzzy controller from the default texts
    QWidget* const ventanas[] = {Frm_Parametros, Frm_Parametros_Planta, Frm_Parametros_Fuzzy, Frm_Parametros_PID};

    struct Caso {
        const char* nombre;
        Corrida corrida;
        QToolButton* boton;
    };
    const Caso casos[] = {{"escalon", Corrida::Escalon, Frm_Ppal->ToolButton4},
                          {"pid", Corrida::PID, Frm_Ppal->ToolButton13},
                          {"fuzzy", Corrida::Fuzzy, Frm_Ppal->ToolButton10}};
    std::printf("%-8s %8s %12s %12s %12s %8s %9s\n", "run", "ticks", "start kB", "warm kB", "end kB", "points",
                "messages");
    bool bien = true;
    for (const Caso& c : casos) {
        Frm_Ppal->Limpiar->click();
        const int mensajesAntes = static_cast<int>(dialogos->mensajes.size());
        c.boton->click();
        const long inicio = KbResidentes();
        long caliente = inicio;
        for (long i = 0; i < ticks; ++i) {
            Frm_Ppal->Nucleo().AtenderTick(c.corrida);
            QApplication::processEvents();  // the chart redraws between two ticks, as between two timer events
            if (i % 1000 == 0) {
                QWidget* v = ventanas[(i / 1000) % 4];
                v->show();
                QApplication::processEvents();
                v->close();
                QApplication::processEvents();
            }
            if (i + 1 == calentamiento) caliente = KbResidentes();
        }
        QApplication::processEvents();
        const long fin = KbResidentes();
        const std::size_t puntos = Frm_Ppal->Nucleo().Series1().Cuenta();
        c.boton->click();
        // one message: the stop's
        const int mensajes = static_cast<int>(dialogos->mensajes.size()) - mensajesAntes;
        std::printf("%-8s %8ld %12ld %12ld %12ld %8zu %9d\n", c.nombre, ticks, inicio, caliente, fin, puntos, mensajes);
        if (mensajes != 1) {
            std::printf("  unexpected message: %s\n", qPrintable(dialogos->mensajes.last()));
            bien = false;
        }
        if (kMedirCrecimiento && c.corrida != Corrida::Escalon && fin - caliente > kHolguraKb) {
            std::printf("  the %s run grew by %ld kB after its warm-up\n", c.nombre, fin - caliente);
            bien = false;
        }
    }
    DestruirVentanas();
    return bien ? 0 : 1;
}

// tanque: the window program. Start-up only.
//
//   tanque [ARCHIVO.tanque]   opens that set-up once the window shows

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "base/fallo_sin_atender.h"
#include "ui/PPal_reaccion.h"
#include "ui/arranque.h"
#include "ui/configuraciones.h"

namespace {

int Principal(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tanque"));
    // the id of the desktop entry tanque.desktop, so that a desktop matches the window to its menu entry
    QGuiApplication::setDesktopFileName(QStringLiteral("tanque"));
    PrepararAplicacion();
    CrearVentanas();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/recursos/tanque-icono.svg")));
    Frm_Ppal->show();
    // Qt has taken its own options out; what is left are files. The set-up opens in the loop, so that a message
    // box about it shows over the window.
    const QStringList archivos = QApplication::arguments().mid(1);
    if (!archivos.isEmpty())
        QTimer::singleShot(0, Frm_Ppal, [archivos] { Frm_Ppal->Configuraciones->AbrirArgumentos(archivos); });
    const int resultado = QApplication::exec();
    DestruirVentanas();
    return resultado;
}

}  // namespace

int main(int argc, char** argv) {
    // the last catch, as tanque-lote's: what no door caught ends with a message instead of an abort
    try {
        return Principal(argc, argv);
    } catch (...) {
        return FalloSinAtender("tanque");
    }
}

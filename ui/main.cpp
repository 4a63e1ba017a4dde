// tanque: the window program. Start-up only.

#include <QApplication>
#include <QIcon>

#include "ui/PPal_reaccion.h"
#include "ui/arranque.h"

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tanque"));
    // the id of the desktop entry tanque.desktop, so that a desktop matches the window to its menu entry
    QGuiApplication::setDesktopFileName(QStringLiteral("tanque"));
    PrepararAplicacion();
    CrearVentanas();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/recursos/tanque-icono.svg")));
    Frm_Ppal->show();
    const int resultado = QApplication::exec();
    DestruirVentanas();
    return resultado;
}

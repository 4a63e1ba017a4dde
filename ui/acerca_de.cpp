#include "ui/acerca_de.h"

#include <QMessageBox>

QString VersionPrograma() { return QStringLiteral(TANQUE_VERSION); }

QMessageBox* MostrarAcercaDe(QWidget* padre) {
    auto* caja = new QMessageBox(QMessageBox::Information, QStringLiteral("Acerca De"),
                                 QStringLiteral("Tanque %1").arg(VersionPrograma()), QMessageBox::Ok, padre);
    caja->setObjectName("AcercaDe");
    caja->setInformativeText(QStringLiteral(
        "Simulación del control de nivel de un tanque de agua: lazo abierto, PID y control fuzzy."));
    caja->setAttribute(Qt::WA_DeleteOnClose);
    caja->open();
    return caja;
}

#include "ui/nombre_senal.h"

#include "base/errores.h"

namespace {

QString Nombrar(TipoSenal t, const QString& orden, const QString& componentes) {
    const QString tipo = QString::fromUtf8(NombreTipo(t));
    switch (t) {
        case TipoSenal::PRBS: return QStringLiteral("%1 orden %2").arg(tipo, orden);
        case TipoSenal::Multiseno: return QStringLiteral("%1 de %2 senos").arg(tipo, componentes);
        default: return tipo;
    }
}

}  // namespace

QString NombreSenal(const ParametrosSenal& p) {
    return Nombrar(p.tipo, QString::number(p.orden), QString::number(p.componentes));
}

QString NombreSenal(const QString& tipo, const QString& orden, const QString& componentes) {
    try {
        return Nombrar(TipoDeTexto(tipo.toStdString()), orden.trimmed(), componentes.trimmed());
    } catch (const ErrorTanque&) {
        return tipo;
    }
}

QString PistaAplicarEscalon(const QString& senal) {
    const QString boton = QStringLiteral("Aplicar Escalón");
    return senal.isEmpty() || senal == QString::fromUtf8(NombreTipo(TipoSenal::Escalon)) ? boton
                                                                                           : boton + ": " + senal;
}

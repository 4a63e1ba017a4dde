#include "ui/recientes.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kClave = QStringLiteral("Configuraciones/Recientes");

QSettings Ajustes() { return QSettings(QStringLiteral("tanque"), QStringLiteral("tanque")); }

QString Absoluto(const QString& ruta) { return ruta.isEmpty() ? ruta : QFileInfo(ruta).absoluteFilePath(); }

}  // namespace

QStringList ConReciente(const QStringList& lista, const QString& ruta, int maximo) {
    QStringList nueva;
    if (!ruta.isEmpty()) nueva.append(ruta);
    for (const QString& r : lista)
        if (!r.isEmpty() && !nueva.contains(r)) nueva.append(r);
    while (nueva.size() > maximo) nueva.removeLast();
    return nueva;
}

QStringList ListaRecientes::Leer() const {
    return ConReciente(Ajustes().value(kClave).toStringList(), QString(), kMaximo);
}

void ListaRecientes::Agregar(const QString& ruta) { Escribir(ConReciente(Leer(), Absoluto(ruta), kMaximo)); }

void ListaRecientes::Quitar(const QString& ruta) {
    QStringList lista = Leer();
    lista.removeAll(Absoluto(ruta));
    Escribir(lista);
}

void ListaRecientes::Vaciar() { Escribir({}); }

void ListaRecientes::Escribir(const QStringList& lista) {
    QSettings ajustes = Ajustes();
    if (lista.isEmpty())
        ajustes.remove(kClave);
    else
        ajustes.setValue(kClave, lista);
}

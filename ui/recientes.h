#pragma once
// The set-up files used last, most recent first, kept between sessions in the program's settings
// (QSettings, organisation and application "tanque").

#include <QString>
#include <QStringList>

/// `lista` with `ruta` at its head, once, cut to `maximo` entries; empty entries dropped.
QStringList ConReciente(const QStringList& lista, const QString& ruta, int maximo);

class ListaRecientes {
public:
    static constexpr int kMaximo = 8;

    /// The files, most recent first: at most kMaximo, each once, whatever the settings file holds.
    QStringList Leer() const;
    /// Puts the file (by its absolute name) first.
    void Agregar(const QString& ruta);
    void Quitar(const QString& ruta);
    void Vaciar();

private:
    void Escribir(const QStringList& lista);
};

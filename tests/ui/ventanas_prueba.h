#pragma once
// What the window tests share: the modal windows replaced by a recorder, and the windows made as the program
// makes them.

#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

#include "ui/PPal_reaccion.h"
#include "ui/arranque.h"
#include "ui/dialogos.h"

/// Records the messages instead of showing boxes, and answers the file dialogs with preset names (none: the user
/// cancelled). A test may run something inside the next message, as the nested event loop of a box lets it.
class DialogosPrueba : public Dialogos {
public:
    void Mensaje(QWidget*, const QString& texto) override {
        mensajes.append(texto);
        if (alMostrar) {
            auto f = std::move(alMostrar);
            alMostrar = nullptr;
            f();
        }
    }
    std::optional<QString> ArchivoParaGuardar(QWidget*) override { return registro; }
    std::optional<QString> ArchivoParaAbrir(QWidget*) override { return registroAbrir; }
    std::optional<QString> ConfiguracionParaGuardar(QWidget*) override { return configuracionGuardar; }
    std::optional<QString> ConfiguracionParaAbrir(QWidget*) override { return configuracionAbrir; }

    QStringList mensajes;
    std::optional<QString> registro;       ///< the record that "Archivo" writes
    std::optional<QString> registroAbrir;  ///< the record that the identification reads
    std::optional<QString> configuracionGuardar, configuracionAbrir;
    std::function<void()> alMostrar;  ///< runs once, inside the next message
};

/// The windows, made by CrearVentanas in the C locale with a DialogosPrueba, the main window shown; the
/// recorder, which DestruirVentanas destroys with them.
inline DialogosPrueba* CrearVentanasDePrueba() {
    QLocale::setDefault(QLocale::c());
    auto d = std::make_unique<DialogosPrueba>();
    DialogosPrueba* dialogos = d.get();
    CrearVentanas(std::move(d));
    Frm_Ppal->show();
    return dialogos;
}

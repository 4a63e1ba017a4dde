#pragma once
// The set-up files in the window: "Abrir Configuración..." and "Guardar Configuración..." in "Archivo", after
// its original entry, and the submenu "Configuraciones recientes". A set-up holds the texts of every edit of
// the dialogs, the rule grid and the position of Track_Referencia (core/configuracion.h); opening one puts
// them in place and nothing else: no run starts, nothing is initialised.

#include <QObject>
#include <QString>

#include <optional>

#include "ui/recientes.h"

class Dialogos;
class GrabadorVentana;
class QAction;
class QMenu;
class QSlider;
class QWidget;
class TextosVentanas;

/// The name under which a set-up is saved: `nombre` with ".tanque" added when its file name has no extension.
QString NombreConfiguracion(const QString& nombre);

class ConfiguracionesVentana : public QObject {
    Q_OBJECT
public:
    /// The set-ups of the texts `textos` and the slider `slider`; while `grabador` records, a set-up saved holds its
    /// schedule. Its messages go over `ventana`.
    ConfiguracionesVentana(QWidget* ventana, Dialogos& dialogos, TextosVentanas& textos, QSlider& slider,
                           GrabadorVentana& grabador);

    /// Appends a separator, the two entries, the submenu of recent files and a separator to the menu.
    void AgregarEntradas(QMenu* archivo);

    /// Writes the set-up of now to `nombre` (NombreConfiguracion), or while "Grabar" records, the set-up of its
    /// press and the schedule since; the name written, or nothing after a failure, which a message box has shown.
    std::optional<QString> Guardar(const QString& nombre);
    /// Reads `nombre` and puts its texts and position in place. A file that is not a set-up changes nothing;
    /// its reason, and the keys that this program does not know, are shown in one message box. True when the
    /// texts were put in place.
    bool Abrir(const QString& nombre);
    /// The program's command line: opens the first file; the others are named in a message and left.
    void AbrirArgumentos(const QStringList& archivos);
    /// Rebuilds the submenu of recent files from the settings (done each time it opens).
    void LlenarRecientes();

    QAction *AbrirConfiguracion1 = nullptr, *GuardarConfiguracion1 = nullptr, *VaciarRecientes1 = nullptr;
    QMenu* Recientes1 = nullptr;

public slots:
    void AbrirConfiguracion1Click();
    void GuardarConfiguracion1Click();
    /// Opens the recent file `nombre`; one that no longer exists leaves the list, with a message.
    void AbrirReciente(const QString& nombre);

private:
    QWidget* ventana_;
    Dialogos& dialogos_;
    TextosVentanas& textos_;
    QSlider& slider_;
    GrabadorVentana& grabador_;
    ListaRecientes recientes_;
};

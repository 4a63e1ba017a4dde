#pragma once
// What the parameter dialogs share: caption and size, the button Regresar, the keys that must not close them,
// and the edits (and combos) that hold the parameters as texts, registered by name.

#include <QDialog>
#include <QString>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

class DialogoParametros : public QDialog {
    Q_OBJECT

public:
    using MapaEdits = std::map<std::string, QLineEdit*, std::less<>>;
    using MapaCombos = std::map<std::string, QComboBox*, std::less<>>;

    /// Every edit of the dialog by its name; the pointers live as long as the dialog.
    const MapaEdits& Edits() const { return edits_; }
    /// Every combo whose caption is a text, by its name (Senal_Tipo).
    const MapaCombos& Combos() const { return combos_; }

    QPushButton* Regresar;

public slots:
    /// Closes the dialog and nothing else: no reading, no check.
    void RegresarClick();

protected:
    /// `ancho` x `alto` is the outer size, frame included.
    DialogoParametros(const QString& titulo, int ancho, int alto, QWidget* padre);

    /// An edit 21 pixels high at a fixed place, named `nombre`, holding its default text.
    QLineEdit* CrearEdit(QWidget* padre, const char* nombre, int x, int y, int ancho);
    /// A combo at a fixed place whose caption is the text `nombre`: one entry per caption, the default chosen.
    QComboBox* CrearCombo(const char* nombre, const std::vector<const char*>& textos, int x, int y, int ancho);
    /// A title label in red serif at 19 pixels, sized to its text.
    QLabel* CrearTitulo(const QString& texto, int x, int y);
    /// A field label in blue serif at 16 pixels, sized to its text.
    QLabel* CrearEtiqueta(QWidget* padre, const QString& texto, int x, int y);
    /// Centres the frame on the screen.
    void Centrar();
    /// Chains the focus through the controls in this order; the first one holds it when the dialog opens.
    void OrdenTabulacion(const std::vector<QWidget*>& controles);

    void keyPressEvent(QKeyEvent* evento) override;

private:
    int ancho_;
    int alto_;
    MapaEdits edits_;
    MapaCombos combos_;
};

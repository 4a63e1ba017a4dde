#include "ui/dialogo_parametros.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>

#include "core/textos_por_defecto.h"
#include "ui/estilo.h"

DialogoParametros::DialogoParametros(const QString& titulo, int ancho, int alto, QWidget* padre)
    : QDialog(padre), ancho_(ancho), alto_(alto) {
    // a sizeable border with system menu and close, and neither minimise nor maximise
    setWindowFlags(kMarcoModal);
    setWindowTitle(titulo);
    setFont(FuenteVentana());
    resize(ancho - kMarcoAncho, alto - kMarcoAlto);

    Regresar = new QPushButton(QStringLiteral("Regresar"), this);
    Regresar->setObjectName(QStringLiteral("Regresar"));
    Regresar->resize(75, 25);
    // neither default nor cancel button: Enter and Escape leave the dialog open
    Regresar->setAutoDefault(false);
    Regresar->setDefault(false);
    connect(Regresar, &QPushButton::clicked, this, &DialogoParametros::RegresarClick);
}

void DialogoParametros::RegresarClick() { close(); }

QLineEdit* DialogoParametros::CrearEdit(QWidget* padre, const char* nombre, int x, int y, int ancho) {
    auto* edit = new QLineEdit(padre);
    edit->setObjectName(QString::fromLatin1(nombre));
    edit->setGeometry(x, y, ancho, 21);
    // the dialog is created once, so the locale's notation is written once and the user's texts stay
    edit->setText(QString::fromStdString(TextoPorDefectoDe(nombre, SeparadorDecimal())));
    edits_.emplace(nombre, edit);
    return edit;
}

QComboBox* DialogoParametros::CrearCombo(const char* nombre, const std::vector<const char*>& textos, int x, int y,
                                         int ancho) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(nombre));
    combo->setGeometry(x, y, ancho, 23);
    for (const char* t : textos) combo->addItem(QString::fromUtf8(t));
    combo->setCurrentText(QString::fromStdString(TextoPorDefectoDe(nombre, SeparadorDecimal())));
    combos_.emplace(nombre, combo);
    return combo;
}

QLabel* DialogoParametros::CrearTitulo(const QString& texto, int x, int y) {
    return EtiquetaEn(this, texto, x, y, FuenteSerif(19), kRojoTitulo);
}

QLabel* DialogoParametros::CrearEtiqueta(QWidget* padre, const QString& texto, int x, int y) {
    return EtiquetaEn(padre, texto, x, y, FuenteSerif(16), kAzulEtiqueta);
}

void DialogoParametros::Centrar() {
    const QRect pantalla = QGuiApplication::primaryScreen()->geometry();
    move(pantalla.x() + (pantalla.width() - ancho_) / 2, pantalla.y() + (pantalla.height() - alto_) / 2);
}

void DialogoParametros::OrdenTabulacion(const std::vector<QWidget*>& controles) {
    QWidget* anterior = nullptr;
    for (QWidget* control : controles) {
        if (anterior) setTabOrder(anterior, control);
        anterior = control;
    }
    // a hidden window keeps this as its focus child and gives it the focus when it opens
    if (!controles.empty()) controles.front()->setFocus();
}

void DialogoParametros::keyPressEvent(QKeyEvent* evento) {
    // QDialog would reject on Escape and press a default button on Enter
    switch (evento->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Enter:
        case Qt::Key_Return: evento->accept(); return;
        default: QDialog::keyPressEvent(evento);
    }
}

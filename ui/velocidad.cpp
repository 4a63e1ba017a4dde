#include "ui/velocidad.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

int IntervaloConVelocidad(int intervalo, Velocidad v) {
    switch (v) {
        case Velocidad::x1: return intervalo;
        case Velocidad::x10: return std::max(1, (intervalo + 5) / 10);
        case Velocidad::x100: return std::max(1, (intervalo + 50) / 100);
        case Velocidad::Maxima: return 0;
    }
    return intervalo;
}

ControlVelocidad::ControlVelocidad(QWidget* padre) : QWidget(padre), grupo_(new QActionGroup(this)) {
    setObjectName(QStringLiteral("Velocidad"));
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(4, 0, 2, 0);
    fila->setSpacing(1);
    auto* etiqueta = new QLabel(QStringLiteral("Velocidad:"), this);
    fila->addWidget(etiqueta);
    struct Opcion {
        Velocidad velocidad;
        const char* texto;
        const char* nombre;
        const char* pista;
    };
    const Opcion opciones[] = {
        {Velocidad::x1, "x1", "Velocidad_x1", "Una muestra cada 100 ms"},
        {Velocidad::x10, "x10", "Velocidad_x10", "Diez veces más rápido: una muestra cada 10 ms"},
        {Velocidad::x100, "x100", "Velocidad_x100", "Cien veces más rápido: una muestra cada milisegundo"},
        {Velocidad::Maxima, "Máxima", "Velocidad_Maxima",
         "Tan rápido como se pueda; el gráfico se redibuja hasta 60 veces por segundo"},
    };
    grupo_->setExclusive(true);
    for (const Opcion& o : opciones) {
        const auto i = static_cast<std::size_t>(o.velocidad);
        auto* accion = new QAction(QString::fromUtf8(o.texto), this);
        accion->setObjectName(QString::fromUtf8(o.nombre));
        accion->setCheckable(true);
        accion->setToolTip(QString::fromUtf8(o.pista));
        accion->setChecked(o.velocidad == actual_);
        grupo_->addAction(accion);
        connect(accion, &QAction::triggered, this, [this, v = o.velocidad] { Poner(v); });
        auto* boton = new QToolButton(this);
        boton->setDefaultAction(accion);
        boton->setAutoRaise(true);
        boton->setFocusPolicy(Qt::NoFocus);
        boton->setFixedHeight(17);
        fila->addWidget(boton);
        acciones_[i] = accion;
        botones_[i] = boton;
    }
}

void ControlVelocidad::Poner(Velocidad v) {
    Accion(v)->setChecked(true);
    if (v == actual_) return;
    actual_ = v;
    emit Cambiada(v);
}

void ControlVelocidad::AgregarEntradas(QMenu* menu) const {
    for (QAction* a : acciones_) menu->addAction(a);
}

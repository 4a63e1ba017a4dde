// The main window without a mouse: the tool bar and the speed buttons in the tab chain, shortcuts for the runs,
// the export, Limpiar and the speeds, Alt+letter and F10 for the menu bar, and names for the screen readers.

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QToolButton>

#include <functional>

#include "ui/PPal_reaccion.h"
#include "ui/accesibilidad.h"
#include "ui/grafico.h"
#include "ui/velocidad.h"

QToolButton* TFrm_Ppal::BotonDe(Corrida corrida) const {
    switch (corrida) {
        case Corrida::Escalon: return ToolButton4;
        case Corrida::PID: return ToolButton13;
        case Corrida::Fuzzy: return ToolButton10;
        case Corrida::Rele: break;  // no button: its entry in "Opciones" (CorridaElegida)
    }
    return ToolButton4;
}

void TFrm_Ppal::CrearTeclado() {
    // the tab chain: the tool bar from left to right, Limpiar, Archivo, the slider, then the speeds
    QList<QWidget*> orden{ToolButton1,  ToolButton5,  ToolButton2,     ToolButton4,          ToolButton12,
                          ToolButton13, ToolButton8,  ToolButton11,    ToolButton10,         ToolButtonSenal,
                          ToolButtonIdentificar, Limpiar, Archivo, Track_Referencia};
    for (Velocidad v : kVelocidades) orden << Velocidad1->Boton(v);
    for (QWidget* w : orden)
        if (w != Track_Referencia) w->setFocusPolicy(Qt::TabFocus);
    // the style draws no focus frame on a flat tool button: one of its own, only while it has the focus
    for (QToolButton* b : findChildren<QToolButton*>())
        b->setStyleSheet(QStringLiteral("QToolButton:focus { border: 1px solid #2050c0; border-radius: 2px; }"));
    for (int i = 1; i < orden.size(); ++i) setTabOrder(orden[i - 1], orden[i]);

    // the tool buttons are named by their tips; a button whose tip tells more (the open-loop signal) keeps
    // its short name
    for (QToolButton* b : findChildren<QToolButton*>())
        if (b->accessibleName().isEmpty() && !b->toolTip().isEmpty()) b->setAccessibleName(b->toolTip());
    Track_Referencia->setAccessibleName(QStringLiteral("Referencia"));
    Track_Referencia->setAccessibleDescription(QStringLiteral("Nivel de referencia de 0 a 5 en pasos de 0,5"));
    Chart1->setAccessibleName(QStringLiteral("Señales en el Tiempo"));
    Chart1->setAccessibleDescription(TextoPlano(Chart1->toolTip()));

    struct Atajo {
        QKeySequence teclas;
        const char* nombre;
        std::function<void()> hacer;
    };
    const Atajo atajos[] = {
        {QKeySequence(Qt::Key_F5), "AtajoCorrida", [this] { CorridaElegida(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_E), "AtajoExportar", [this] { Archivo->click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_L), "AtajoLimpiar", [this] { Limpiar->click(); }},
        // Ctrl+1, 2, 3: choose the open-loop, PID or fuzzy run for F5 and start or stop it at once
        {QKeySequence(Qt::CTRL | Qt::Key_1), "AtajoEscalon", [this] { BotonDe(Corrida::Escalon)->click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_2), "AtajoPID", [this] { BotonDe(Corrida::PID)->click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_3), "AtajoFuzzy", [this] { BotonDe(Corrida::Fuzzy)->click(); }},
        {QKeySequence(Qt::ALT | Qt::Key_1), "AtajoVelocidad1", [this] { Velocidad1->Poner(Velocidad::x1); }},
        {QKeySequence(Qt::ALT | Qt::Key_2), "AtajoVelocidad10", [this] { Velocidad1->Poner(Velocidad::x10); }},
        {QKeySequence(Qt::ALT | Qt::Key_3), "AtajoVelocidad100", [this] { Velocidad1->Poner(Velocidad::x100); }},
        {QKeySequence(Qt::ALT | Qt::Key_4), "AtajoVelocidadMaxima",
         [this] { Velocidad1->Poner(Velocidad::Maxima); }},
        // the menu bar: F10 opens the first menu, Alt and the menu's initial opens that one
        {QKeySequence(Qt::Key_F10), "AtajoMenu", [this] { AbrirMenu(0); }},
        {QKeySequence(Qt::ALT | Qt::Key_A), "AtajoArchivo", [this] { AbrirMenu(0); }},
        {QKeySequence(Qt::ALT | Qt::Key_O), "AtajoOpciones", [this] { AbrirMenu(1); }},
        {QKeySequence(Qt::ALT | Qt::Key_Y), "AtajoAyuda", [this] { AbrirMenu(2); }},
    };
    for (const Atajo& a : atajos) {
        auto* atajo = new QShortcut(a.teclas, this);
        atajo->setObjectName(QString::fromLatin1(a.nombre));
        atajo->setContext(Qt::WindowShortcut);
        connect(atajo, &QShortcut::activated, this, a.hacer);
    }
    // the tips say the keys
    const std::pair<QWidget*, const char*> teclas[] = {
        {ToolButton4, "Ctrl+1"}, {ToolButton13, "Ctrl+2"}, {ToolButton10, "Ctrl+3"},
        {Limpiar, "Ctrl+L"},     {Archivo, "Ctrl+E"},
    };
    for (const auto& [w, t] : teclas) w->setAccessibleDescription(QStringLiteral("Atajo: %1").arg(t));
    NombrarControles(this);
}

void TFrm_Ppal::CorridaElegida() {
    // a run that goes is stopped; else the run chosen last starts
    if (simulador_->Timer(Corrida::Rele).Enabled) {
        EnsayoReleClick();
        return;
    }
    for (Corrida c : {Corrida::Escalon, Corrida::PID, Corrida::Fuzzy})
        if (simulador_->Timer(c).Enabled) {
            BotonDe(c)->click();
            return;
        }
    if (elegida_ == Corrida::Rele) {
        EnsayoReleClick();
        return;
    }
    BotonDe(elegida_)->click();
}

void TFrm_Ppal::AbrirMenu(int i) {
    const QList<QAction*> menus = menuBar()->actions();
    if (i >= menus.size()) return;
    menuBar()->setFocus(Qt::ShortcutFocusReason);
    menuBar()->setActiveAction(menus[i]);
}

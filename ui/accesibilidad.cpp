#include "ui/accesibilidad.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <qcustomplot.h>

namespace {

bool EsControl(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QCustomPlot*>(w);
}

// the labels beside `w` among its siblings: the nearest on its row to its left, else those right above it
QString TextoDeEtiquetas(const QWidget* w) {
    const QWidget* padre = w->parentWidget();
    if (!padre) return {};
    const QRect r = w->geometry();
    QList<const QLabel*> etiquetas;
    for (const QObject* o : padre->children())
        if (auto* l = qobject_cast<const QLabel*>(o); l && !l->text().trimmed().isEmpty()) etiquetas << l;
    const QLabel* izquierda = nullptr;
    int mejor = INT_MAX;
    for (const QLabel* l : etiquetas) {
        const QRect e = l->geometry();
        const int distancia = r.left() - e.right();
        const bool mismaFila = e.top() < r.bottom() && e.bottom() > r.top();
        if (mismaFila && distancia >= 0 && distancia < 120 && distancia < mejor) {
            mejor = distancia;
            izquierda = l;
        }
    }
    if (izquierda) return izquierda->text().trimmed();
    // above: the nearest label over the control's columns, and those stacked on it ("Resistencia" /
    // "Hidráulica")
    QStringList pila;
    int techo = r.top();
    for (;;) {
        const QLabel* arriba = nullptr;
        int cerca = INT_MAX;
        for (const QLabel* l : etiquetas) {
            const QRect e = l->geometry();
            const int distancia = techo - e.bottom();
            const bool mismasColumnas = e.left() < r.right() && e.right() > r.left();
            if (mismasColumnas && distancia >= -2 && distancia < (pila.isEmpty() ? 30 : 6) && distancia < cerca) {
                cerca = distancia;
                arriba = l;
            }
        }
        if (!arriba) break;
        pila.prepend(arriba->text().trimmed());
        techo = arriba->geometry().top();
        etiquetas.removeOne(arriba);
    }
    return pila.join(QLatin1Char(' '));
}

}  // namespace

QString TextoPlano(const QString& texto) {
    if (!Qt::mightBeRichText(texto)) return texto;
    QTextDocument documento;
    documento.setHtml(texto);
    return documento.toPlainText().simplified();
}

void NombrarControles(QWidget* raiz) {
    const QList<QWidget*> hijos = raiz->findChildren<QWidget*>();
    for (QWidget* w : hijos) {
        if (!EsControl(w) || !w->accessibleName().isEmpty()) continue;
        // the viewport's own scroll bars and the table's headers are parts of their view, named by it
        if (qobject_cast<QAbstractSlider*>(w) && qobject_cast<QAbstractScrollArea*>(w->parentWidget()->parentWidget()))
            continue;
        QString nombre = TextoDeEtiquetas(w);
        if (nombre.isEmpty()) nombre = TextoPlano(w->toolTip());
        if (nombre.isEmpty())
            if (auto* b = qobject_cast<QAbstractButton*>(w)) nombre = b->text();
        if (nombre.isEmpty()) nombre = w->objectName();
        nombre.remove(QLatin1Char('&'));
        w->setAccessibleName(nombre);
        // a tip in rich text would be read as its HTML
        if (w->accessibleDescription().isEmpty() && Qt::mightBeRichText(w->toolTip()))
            w->setAccessibleDescription(TextoPlano(w->toolTip()));
    }
}

namespace {

// Escape that no control of the window took (an edit or a table lets it pass up to the window) closes it.
class EscapeCierra : public QObject {
public:
    explicit EscapeCierra(QWidget* vista) : QObject(vista), vista_(vista) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (objeto == vista_ && evento->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape &&
            static_cast<QKeyEvent*>(evento)->modifiers() == Qt::NoModifier) {
            vista_->close();
            return true;
        }
        return false;
    }

private:
    QWidget* vista_;
};

}  // namespace

void CerrarConEscape(QWidget* vista) { vista->installEventFilter(new EscapeCierra(vista)); }

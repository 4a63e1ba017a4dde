#include "ui/rejilla_reglas.h"

#include <QHeaderView>

namespace {

constexpr int kCuerpo = 5;
constexpr int kAnchoColumna = 35;
constexpr int kAltoFila = 25;

void Fijar(QHeaderView* cabecera, int tamano) {
    cabecera->setSectionResizeMode(QHeaderView::Fixed);
    cabecera->setMinimumSectionSize(1);
    cabecera->setDefaultSectionSize(tamano);
    // a click on a header selects nothing: the header cells are fixed
    cabecera->setSectionsClickable(false);
    cabecera->setHighlightSections(false);
    cabecera->setDefaultAlignment(Qt::AlignCenter);
}

}  // namespace

RejillaReglas::RejillaReglas(QWidget* padre) : QTableWidget(kCuerpo, kCuerpo, padre) {
    // the header row and column are the table's own headers, sized as the body's rows and columns
    Fijar(horizontalHeader(), kAnchoColumna);
    Fijar(verticalHeader(), kAltoFila);
    horizontalHeader()->setFixedHeight(kAltoFila);
    verticalHeader()->setFixedWidth(kAnchoColumna);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setShowGrid(true);

    for (int fila = 0; fila < kCuerpo; ++fila) {
        setHorizontalHeaderItem(fila, new QTableWidgetItem);
        setVerticalHeaderItem(fila, new QTableWidgetItem);
        for (int columna = 0; columna < kCuerpo; ++columna) setItem(fila, columna, new QTableWidgetItem);
    }
    setCurrentCell(0, 0);
}

QTableWidgetItem* RejillaReglas::Casilla(int columna, int fila) const {
    if (columna < 0 || columna > kCuerpo || fila < 0 || fila > kCuerpo || (columna == 0 && fila == 0)) return nullptr;
    if (fila == 0) return horizontalHeaderItem(columna - 1);
    if (columna == 0) return verticalHeaderItem(fila - 1);
    return item(fila - 1, columna - 1);
}

QString RejillaReglas::Celda(int columna, int fila) const {
    const QTableWidgetItem* celda = Casilla(columna, fila);
    return celda ? celda->text() : QString();
}

void RejillaReglas::PonerCelda(int columna, int fila, const QString& texto) {
    if (QTableWidgetItem* celda = Casilla(columna, fila)) celda->setText(texto);
}

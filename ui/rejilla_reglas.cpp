#include "ui/rejilla_reglas.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

#include <cmath>

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

// The body's cells painted over the shade of their rule's strength, the text white where the shade is dark.
class Sombreado : public QStyledItemDelegate {
public:
    explicit Sombreado(RejillaReglas* rejilla) : QStyledItemDelegate(rejilla), rejilla_(rejilla) {}

protected:
    void initStyleOption(QStyleOptionViewItem* opcion, const QModelIndex& indice) const override {
        QStyledItemDelegate::initStyleOption(opcion, indice);
        const std::optional<double> f = rejilla_->Fuerza(indice.column() + 1, indice.row() + 1);
        if (!f) return;
        opcion->backgroundBrush = RejillaReglas::ColorFuerza(*f);
        opcion->palette.setColor(QPalette::Text, *f > 0.5 ? Qt::white : Qt::black);
    }

private:
    const RejillaReglas* rejilla_;
};

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
    setItemDelegate(new Sombreado(this));
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

void RejillaReglas::PonerFuerzas(const std::optional<TablaFuerzas>& fuerzas) {
    if (fuerzas == fuerzas_) return;
    if (!fuerzas || !fuerzas_) {
        fuerzas_ = fuerzas;
        viewport()->update();
        return;
    }
    // a tick changes a few rules' strengths: only their cells are painted again
    for (int fila = 0; fila < kCuerpo; ++fila)
        for (int columna = 0; columna < kCuerpo; ++columna)
            if ((*fuerzas)[fila][columna] != (*fuerzas_)[fila][columna])
                viewport()->update(visualItemRect(item(fila, columna)));
    fuerzas_ = fuerzas;
}

std::optional<double> RejillaReglas::Fuerza(int columna, int fila) const {
    if (!fuerzas_ || columna < 1 || columna > kCuerpo || fila < 1 || fila > kCuerpo) return std::nullopt;
    return (*fuerzas_)[static_cast<std::size_t>(fila - 1)][static_cast<std::size_t>(columna - 1)];
}

QColor RejillaReglas::ColorFuerza(double fuerza) {
    // white (255, 255, 255) at 0 to dark blue (0, 0, 139) at 1
    const double f = fuerza >= 1 ? 1 : fuerza > 0 ? fuerza : 0;
    const int rg = static_cast<int>(std::lround(255 * (1 - f)));
    return QColor(rg, rg, static_cast<int>(std::lround(255 - (255 - 139) * f)));
}

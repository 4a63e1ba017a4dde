#pragma once
// The fuzzy controller dialog: five sets (kind, width, centre) and a gain for each of the error, the error
// derivative and the control, and the 5 x 5 rule matrix in the grid Reglas.

#include <QString>

#include <vector>

#include "ui/dialogo_parametros.h"
#include "ui/rejilla_reglas.h"

class GraficosConjuntos;
class QFrame;
class QLabel;
class QPushButton;

class TFrm_Parametros_Fuzzy : public DialogoParametros {
    Q_OBJECT

public:
    explicit TFrm_Parametros_Fuzzy(QWidget* padre = nullptr);

    /// Writes the headers and the default body of Reglas; run once, by the constructor.
    void FormCreate();
    /// The text of cell (columna, fila) of Reglas: 1 to 5 for the body, 0 for the headers.
    QString Celda(int columna, int fila) const { return Reglas->Celda(columna, fila); }

    QFrame* Panel1;
    QFrame* Panel2;
    QFrame* Panel3;
    QFrame* Panel4;
    RejillaReglas* Reglas;
    /// The plots of the sets, in a column right of the panels.
    GraficosConjuntos* Graficos;
    /// What the numbers of "Tipo" and of the rule cells stand for, under the plots.
    QLabel* Leyenda;
    /// The controller from and to the files of other programs (ui/archivos_fuzzy.h).
    QPushButton* Importar;
    QPushButton* Exportar;

private:
    // the tips and the legend of the numbers
    void Explicar();
    // A raised panel at a fixed place with its heading.
    QFrame* CrearPanel(const char* nombre, QRect marco, const QString& titulo, int xTitulo);
    // The sets and gain of variable `variable` (0 error, 1 derivative, 2 control) in their panel;
    // appends the panel's edits to `orden` in their tab order.
    QFrame* CrearPanelConjuntos(int variable, std::vector<QWidget*>& orden);
};

extern TFrm_Parametros_Fuzzy* Frm_Parametros_Fuzzy;

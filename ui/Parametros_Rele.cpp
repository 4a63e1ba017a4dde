#include "ui/Parametros_Rele.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFrm_Parametros_Rele* Frm_Parametros_Rele = nullptr;

TFrm_Parametros_Rele::TFrm_Parametros_Rele(QWidget* padre)
    : DialogoParametros(QStringLiteral("Ensayo de Relé"), 420, 250, padre) {
    CrearTitulo(QStringLiteral("Parámetros  del  Relé"), 100, 10);
    CrearEtiqueta(this, QStringLiteral("Caudal alto"), 20, 42);
    CrearEtiqueta(this, QStringLiteral("Caudal bajo"), 120, 42);
    CrearEtiqueta(this, QStringLiteral("Histéresis"), 220, 42);
    CrearEtiqueta(this, QStringLiteral("Retardo"), 320, 42);
    QLineEdit* alto = CrearEdit(this, "Rele_Alto", 22, 64, 60);
    QLineEdit* bajo = CrearEdit(this, "Rele_Bajo", 122, 64, 60);
    QLineEdit* histeresis = CrearEdit(this, "Rele_Histeresis", 222, 64, 60);
    QLineEdit* retardo = CrearEdit(this, "Rele_Retardo", 322, 64, 60);
    alto->setToolTip(QStringLiteral("El caudal de la bomba mientras el nivel está por debajo de la banda"));
    bajo->setToolTip(QStringLiteral("El caudal de la bomba mientras el nivel está por encima de la banda"));
    histeresis->setToolTip(QStringLiteral("La mitad del ancho de la banda alrededor del nivel de trabajo"));
    retardo->setToolTip(QStringLiteral("Muestras que el agua tarda de la bomba al tanque (0: sin tubería)"));
    auto* nota = new QLabel(QStringLiteral("El nivel de trabajo es la referencia de la barra deslizante. Al parar el "
                                           "ensayo se leen la ganancia y el periodo últimos (Ku, Pu), que el "
                                           "diálogo Sintonizar ofrece como modelo."),
                            this);
    nota->setWordWrap(true);
    nota->setGeometry(20, 96, 380, 60);
    Regresar->move(166, 170);
    OrdenTabulacion({Regresar, alto, bajo, histeresis, retardo});
    Centrar();
}

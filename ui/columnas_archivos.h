#pragma once
// The file dialogs' columns of size, kind and date in Spanish under any locale: Qt writes them with the
// system's locale and the kinds from the MIME database in the default locale's language, so under LANG=C they
// come in English ("plain text document", "2.55 KiB", "9 Dec 2026") beside the Spanish titles and buttons.

#include <QHash>
#include <QIdentityProxyModel>
#include <QLocale>

class QFileDialog;

/// Over a QFileSystemModel: the same rows, the size, kind and date of each file written the Spanish way (a
/// folder keeps Qt's texts, which the catalogue already gives in Spanish).
class ColumnasEnEspanol : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& indice, int rol) const override;

private:
    QString Clase(const QString& ruta) const;

    const QLocale espanol_{QLocale::Spanish, QLocale::Spain};
    mutable QHash<QString, QString> clases_;  // the MIME description of each file already seen
};

/// Puts the columns above in Qt's own (non-native) dialog `dialogo`, each as wide as its title and contents.
void ColumnasEnEspanolEn(QFileDialog& dialogo);

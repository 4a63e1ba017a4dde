#include "ui/traducciones.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace {

// Qt's widgets keep their texts in the "qtbase" catalogue (qtbase_es.qm, ...), which Debian ships in
// qt6-translations-l10n.
bool Cargar(QTranslator& traductor, const QLocale& local) {
    return traductor.load(local, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace

QString TraductorQt::translate(const char* contexto, const char* texto, const char* desambiguacion, int n) const {
    QString t = QTranslator::translate(contexto, texto, desambiguacion, n);
    if (t.isEmpty() && qstrcmp(contexto, "QAbstractFileIconProvider") == 0) {
        t = QTranslator::translate("QFileDialog", texto, desambiguacion, n);
        if (t.isEmpty()) t = QTranslator::translate("QFileDialog", texto, nullptr, n);
    }
    return t;
}

bool CargarTraduccionQt(QTranslator& traductor, const QLocale& local) {
    return Cargar(traductor, local) || Cargar(traductor, QLocale(QLocale::Spanish, QLocale::Spain));
}

QTranslator* InstalarTraduccionQt() {
    auto* traductor = new TraductorQt(QCoreApplication::instance());
    if (!CargarTraduccionQt(*traductor, QLocale()) || !QCoreApplication::installTranslator(traductor)) {
        delete traductor;
        return nullptr;
    }
    return traductor;
}

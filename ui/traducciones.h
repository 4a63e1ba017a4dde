#pragma once
// Qt's own texts (the buttons of the message boxes, the save dialog, the edits' context menus) in the
// user's language, from Qt's catalogues, and in Spanish where Qt has none for it: the program speaks
// Spanish, and an English button in it would be the odd one out.

#include <QTranslator>

class QLocale;

/// Qt's catalogue, with one gap filled: the kinds of file that the save dialog shows ("Folder", "%1 File",
/// ...) moved in Qt 6 to a context of their own, which the catalogues of some languages do not have yet;
/// there they are looked up where they were before, under the file dialog.
class TraductorQt : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* contexto, const char* texto, const char* desambiguacion = nullptr,
                      int n = -1) const override;
};

/// Loads into `traductor` Qt's catalogue for the language of `local` from Qt's translations folder, or the
/// Spanish one when that language has none. False when not even the Spanish one is there.
bool CargarTraduccionQt(QTranslator& traductor, const QLocale& local);

/// Installs in the application Qt's catalogue for the default locale (the user's unless a test changed
/// it); the application owns the translator. Returns it, or nullptr when no catalogue could be loaded.
QTranslator* InstalarTraduccionQt();

#include "ui/archivos_fuzzy.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

#include "base/errores.h"
#include "export/texto.h"
#include "fuzzy/formatos/formatos_fuzzy.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/estilo.h"

namespace {

constexpr qint64 kMayorArchivo = 1 << 20;  // a controller's file is a few kilobytes

std::optional<QString> NombreQt(QWidget* padre, bool guardar) {
    QFileDialog dialogo(padre, guardar ? QStringLiteral("Exportar el controlador fuzzy")
                                       : QStringLiteral("Importar un controlador fuzzy"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
    dialogo.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(guardar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialogo.setNameFilters(FiltrosFuzzy());
    if (guardar) {
        dialogo.setDefaultSuffix(QStringLiteral("fis"));
        QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo, [&dialogo](const QString& f) {
            if (f.count(QStringLiteral("*.")) == 1) dialogo.setDefaultSuffix(f.section(QStringLiteral("*."), 1).chopped(1));
        });
    }
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
    return dialogo.selectedFiles().first();
}

void MensajeQt(QWidget* padre, const QString& texto) {
    QMessageBox::warning(padre, QStringLiteral("Controlador fuzzy"), texto);
}

DialogosFuzzy& Dialogos() {
    static DialogosFuzzy d{NombreQt, MensajeQt};
    return d;
}

std::optional<FormatoFuzzy> Formato(const QString& nombre) { return FormatoFuzzyDe(nombre.toStdString()); }

QString SinFormato(const QString& nombre) {
    return QStringLiteral("«%1» no es un archivo .fis, .fll ni .fcl").arg(QFileInfo(nombre).fileName());
}

// The error's text, after the name of the text it is about.
QString ConCampo(const ErrorTanque& e) {
    const QString texto = QString::fromStdString(e.what());
    return e.Campo().empty() ? texto : QString::fromStdString(e.Campo()) + QStringLiteral(": ") + texto;
}

}  // namespace

QStringList FiltrosFuzzy() {
    return {QStringLiteral("Octave y MATLAB (*.fis)"), QStringLiteral("fuzzylite (*.fll)"),
            QStringLiteral("IEC 61131-7 FCL (*.fcl)"), QStringLiteral("Controladores fuzzy (*.fis *.fll *.fcl)")};
}

QString ExportarFuzzy(const TFrm_Parametros_Fuzzy& d, const QString& nombre) {
    const std::optional<FormatoFuzzy> formato = Formato(nombre);
    if (!formato) return QStringLiteral("No se pudo exportar el controlador: ") + SinFormato(nombre);
    TextosControlador t;
    t.decimal = SeparadorDecimal();
    for (const std::string& n : NombresControlador()) {
        if (n.rfind("Reglas_", 0) == 0) {
            // Reglas_F_C: row F the error's set, column C the derivative's
            t.textos[n] = d.Celda(n[9] - '0', n[7] - '0').toStdString();
        } else if (const auto e = d.Edits().find(n); e != d.Edits().end()) {
            t.textos[n] = e->second->text().toStdString();
        }
    }
    try {
        EscribirTexto(nombre.toStdString(), ExportarControlador(*formato, t));
    } catch (const ErrorTanque& e) {
        return QStringLiteral("No se pudo exportar el controlador a «%1»: %2").arg(QFileInfo(nombre).fileName(),
                                                                                 ConCampo(e));
    }
    return {};
}

QString ImportarFuzzy(TFrm_Parametros_Fuzzy& d, const QString& nombre) {
    const QString no = QStringLiteral("No se pudo importar el controlador: ");
    const std::optional<FormatoFuzzy> formato = Formato(nombre);
    if (!formato) return no + SinFormato(nombre);
    QFile archivo(nombre);
    if (!archivo.open(QIODevice::ReadOnly)) return no + QFileInfo(nombre).fileName() + QStringLiteral(": ") + archivo.errorString();
    if (archivo.size() > kMayorArchivo)
        return no + QFileInfo(nombre).fileName() + QStringLiteral(": tiene más de 1 MB, no es un controlador");
    const QByteArray contenido = archivo.readAll();
    TextosControlador t;
    try {
        t = ImportarControlador(*formato, std::string_view(contenido.constData(), static_cast<std::size_t>(contenido.size())),
                                QFileInfo(nombre).fileName().toStdString(), SeparadorDecimal());
    } catch (const ErrorTanque& e) {
        return no + QString::fromStdString(e.what());
    }
    for (const auto& [n, texto] : t.textos)
        if (const auto e = d.Edits().find(n); e != d.Edits().end() && QString::fromStdString(texto).size() > e->second->maxLength())
            return no + QStringLiteral("%1: el texto de %2 tiene más de %3 caracteres")
                            .arg(QFileInfo(nombre).fileName(), QString::fromStdString(n))
                            .arg(e->second->maxLength());
    // every text checked: the dialog takes them all
    for (const auto& [n, texto] : t.textos) {
        if (n.rfind("Reglas_", 0) == 0)
            d.Reglas->PonerCelda(n[9] - '0', n[7] - '0', QString::fromStdString(texto));
        else if (const auto e = d.Edits().find(n); e != d.Edits().end())
            e->second->setText(QString::fromStdString(texto));
    }
    return {};
}

void BotonesArchivosFuzzy(TFrm_Parametros_Fuzzy& d, QPushButton* importar, QPushButton* exportar) {
    QObject::connect(importar, &QPushButton::clicked, &d, [&d] {
        if (const std::optional<QString> nombre = Dialogos().nombre(&d, false))
            if (const QString fallo = ImportarFuzzy(d, *nombre); !fallo.isEmpty()) Dialogos().mensaje(&d, fallo);
    });
    QObject::connect(exportar, &QPushButton::clicked, &d, [&d] {
        if (const std::optional<QString> nombre = Dialogos().nombre(&d, true))
            if (const QString fallo = ExportarFuzzy(d, *nombre); !fallo.isEmpty()) Dialogos().mensaje(&d, fallo);
    });
}

DialogosFuzzy PonerDialogosFuzzy(DialogosFuzzy d) { return std::exchange(Dialogos(), std::move(d)); }

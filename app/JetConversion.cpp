#include "app/JetConversion.h"

#include "core/Error.h"
#include "data/Schema.h"
#include "tools/jet/JetFile.h"
#include "tools/jet/JetImport.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace app::startup {

namespace {

QString keptName(const QString &fileName) {
    return fileName.chopped(4) + QStringLiteral(".jet.mdb");
}

QString question(const QStringList &files) {
    if (files.size() == 1) {
        return QStringLiteral("%1 is a database of the older Jet format, which Hearthledger "
                              "cannot open as it is.\nConvert it now? The original is kept as %2.")
            .arg(files[0], keptName(files[0]));
    }
    return QStringLiteral("%1 and %2 are databases of the older Jet format, which Hearthledger "
                          "cannot open as they are.\nConvert them now? The originals are kept as "
                          "%3 and %4.")
        .arg(files[0], files[1], keptName(files[0]), keptName(files[1]));
}

} // namespace

void offerJetConversion(const QString &folder, QWidget *parent) {
    QStringList files;
    for (const char *name : {data::Schema::mainFile, data::Schema::idiomFile}) {
        if (tools::JetFile::hasSignature(QDir(folder).filePath(QString::fromLatin1(name))))
            files << QString::fromLatin1(name);
    }
    if (files.isEmpty())
        return;
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(widgets::kApplicationTitle),
                    question(files), QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() != QMessageBox::Yes)
        return;
    for (const QString &file : std::as_const(files)) {
        const QString path = QDir(folder).filePath(file);
        QString kept;
        try {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const tools::JetImportReport report = tools::JetImport::convertInto(
                path, path, QDir(folder).filePath(keptName(file)), &kept);
            QApplication::restoreOverrideCursor();
            if (report.leftSomethingOut()) {
                widgets::showMessage(
                    QStringLiteral("%1 is converted. What was left out stays in %2:\n%3")
                        .arg(file, QFileInfo(kept).fileName(),
                             (report.unknownTables + report.unknownColumns + report.notes)
                                 .join(QLatin1Char('\n'))));
            }
        } catch (const core::Error &error) {
            QApplication::restoreOverrideCursor();
            widgets::showMessage(
                QStringLiteral("%1 could not be converted: %2").arg(file, error.text()));
        }
    }
}

} // namespace app::startup

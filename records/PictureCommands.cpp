#include "records/PictureCommands.h"

#include "core/Error.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "platform/imaging/BmpToJpg.h"
#include "platform/imaging/PictureFiles.h"
#include "records/RecordRoutines.h"
#include "widgets/FieldLink.h"
#include "widgets/Messages.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace records {

PictureCommands::PictureCommands(QFileDialog *dialog, RecordRoutines *routines, QObject *parent)
    : QObject(parent)
    , m_dialog(dialog)
    , m_routines(routines) {}

void PictureCommands::setTarget(widgets::Page page, const Target &target) {
    m_targets.at(widgets::indexOf(page)) = target;
}

QString PictureCommands::extensionOf(const QString &path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString PictureCommands::jpegNameOf(const QString &name) {
    const QString extension = extensionOf(name);
    return name.left(name.size() - extension.size()) + QStringLiteral(".JPG");
}

QString PictureCommands::chooseFile() {
    // Opens as the last confirmed choice left it; what a cancelled dialog
    // changed is not kept. Before any choice: the working directory and the
    // first filter.
    if (!m_lastPath.isEmpty()) {
        m_dialog->setDirectory(QFileInfo(m_lastPath).absolutePath());
        m_dialog->selectFile(m_lastPath);
    } else {
        m_dialog->setDirectory(QDir::currentPath());
    }
    m_dialog->selectNameFilter(m_lastFilter.isEmpty() ? m_dialog->nameFilters().value(0)
                                                      : m_lastFilter);
    if (m_dialog->exec() != QDialog::Accepted || m_dialog->selectedFiles().isEmpty())
        return QString();
    const QString path = m_dialog->selectedFiles().constFirst();
    m_lastPath = path;
    m_lastFilter = m_dialog->selectedNameFilter();
    m_inChosenFolder = QDir::setCurrent(QFileInfo(path).absolutePath());
    return path;
}

void PictureCommands::AddPictureClick() {
    QString SPicFileName;
    const QString confirmed = chooseFile();
    if (!confirmed.isEmpty()) {
        const QString extName = extensionOf(confirmed);
        const QString tmpName = QFileInfo(confirmed).fileName();
        const QString jpgName = jpegNameOf(tmpName);
        if (extName == QLatin1String(".BMP") || extName == QLatin1String(".bmp")) {
            // The plain names are read in the working directory: when the
            // typed folder could not become it, a file of the same name
            // elsewhere must not be taken instead.
            if (!m_inChosenFolder)
                throw core::Error(QStringLiteral("Cannot open file %1").arg(tmpName));
            BMPtoJPG(tmpName, jpgName);
            SPicFileName = jpgName;
        } else {
            SPicFileName = confirmed;
        }
    }
    const Target &target = m_targets.at(widgets::indexOf(m_routines->currentPage()));
    if (!target.table)
        return;
    SaveJpegToTable(target.table, target.photograph, SPicFileName);
    m_routines->IsImage();
    m_routines->NumberOfRecords();
}

void PictureCommands::BMPtoJPG(const QString &BMPpic, const QString &JPGpic) {
    platform::bmpToJpg(BMPpic, JPGpic);
}

void PictureCommands::SaveJpegToTable(data::TableObject *Table, data::Field *PicField,
                                      const QString &sPicPath) {
    if (sPicPath.isEmpty()) {
        widgets::showMessage(QStringLiteral("No picture is added"));
        return;
    }
    const QByteArray bytes = platform::readPictureFile(sPicPath);
    if (!Table->isEditing())
        Table->edit();
    PicField->setBlob(bytes);
    Table->post();
}

} // namespace records

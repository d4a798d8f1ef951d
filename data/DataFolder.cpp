#include "data/DataFolder.h"

#include "BuildInfo.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <unistd.h>

namespace data {

namespace {

// Copies `source` to `target` through a temporary file beside the target that
// is renamed into place only when complete; never replaces an existing target.
QString copyWhole(const QString &source, const QString &target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    QTemporaryFile out(target + QStringLiteral(".XXXXXX"));
    if (!out.open())
        return out.errorString();
    char buffer[64 * 1024];
    qint64 count = 0;
    while ((count = in.read(buffer, sizeof buffer)) > 0) {
        if (out.write(buffer, count) != count)
            return out.errorString();
    }
    if (count < 0)
        return in.errorString();
    if (!out.flush() || ::fsync(out.handle()) != 0)
        return out.errorString();
    if (!out.rename(target)) {
        // Another start may have put the file there in the meantime.
        return QFileInfo::exists(target) ? QString() : out.errorString();
    }
    out.setAutoRemove(false);
    return {};
}

bool makePrivateFolder(const QString &folder) {
    QDir dir(folder);
    if (dir.exists())
        return true;
    const QString parent = QFileInfo(QDir::cleanPath(folder)).absolutePath();
    if (!QDir().mkpath(parent))
        return false;
    return dir.mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) ||
           dir.exists();
}

} // namespace

QString DataFolder::programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString DataFolder::userFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/hearthledger");
}

QString DataFolder::deliveredFolder(const QString &programFolder) {
    return QDir::cleanPath(
        QDir(programFolder).filePath(QString::fromLatin1(buildinfo::deliveredDataFromProgram)));
}

bool DataFolder::isPortable(const QString &programFolder) {
    return QFileInfo::exists(QDir(programFolder).filePath(QString::fromLatin1(Schema::mainFile)));
}

QString DataFolder::resolve() {
    return isPortable() ? programFolder() : userFolder();
}

DataFolder::Prepared DataFolder::prepare() {
    const QString program = programFolder();
    if (isPortable(program))
        return {program, QString()};
    const QString folder = userFolder();
    return {folder, seed(folder, deliveredFolder(program))};
}

QString DataFolder::seed(const QString &folder, const QString &delivered) {
    const QDir target(folder);
    for (const char *name : {Schema::mainFile, Schema::idiomFile}) {
        const QString file = QString::fromLatin1(name);
        if (QFileInfo::exists(target.filePath(file)))
            continue;
        const QString source = QDir(delivered).filePath(file);
        if (!QFileInfo(source).isFile()) {
            return QStringLiteral("%1 is neither in %2 nor delivered in %3.")
                .arg(file, QDir::toNativeSeparators(folder), QDir::toNativeSeparators(delivered));
        }
        if (!makePrivateFolder(folder))
            return QStringLiteral("The data folder %1 cannot be made.")
                .arg(QDir::toNativeSeparators(folder));
        const QString error = copyWhole(source, target.filePath(file));
        if (!error.isEmpty()) {
            return QStringLiteral("%1 could not be copied from %2 into %3: %4")
                .arg(file, QDir::toNativeSeparators(delivered), QDir::toNativeSeparators(folder),
                     error);
        }
    }
    return {};
}

} // namespace data

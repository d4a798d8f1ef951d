#include "data/DataFolder.h"

#include "data/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace data {

QString DataFolder::programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString DataFolder::userFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/hearthledger");
}

bool DataFolder::isPortable() {
    return QFileInfo::exists(QDir(programFolder()).filePath(QString::fromLatin1(Schema::mainFile)));
}

QString DataFolder::resolve() {
    return isPortable() ? programFolder() : userFolder();
}

} // namespace data

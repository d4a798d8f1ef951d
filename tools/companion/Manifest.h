#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace tools {

// What a backup archive holds: written as its last member, manifest.json.
struct Manifest {
    struct File {
        QString name;
        qint64 size = 0;
        QString sha256;
    };

    static constexpr const char *fileName = "manifest.json";
    static constexpr const char *formatName = "hearthledger-backup";
    static constexpr int formatVersion = 1;

    QString programVersion;
    QDateTime created; // UTC
    QList<File> files;

    const File *file(const QString &name) const;
    QByteArray toJson() const;
    // Throws core::Error on anything but a manifest of a known format.
    static Manifest fromJson(const QByteArray &json);
};

} // namespace tools

#pragma once

#include "tools/companion/Manifest.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace tools {

using Progress = std::function<void(const QString &)>;

// Backups of a data folder: one tar archive holding a consistent snapshot of
// each database file, then manifest.json with the files' sizes and SHA-256
// sums, the program version and the time. Any tar reads it.
class Backup {
public:
    // Writes the archive (`destination`, or a dated file inside it when it is
    // a folder) and returns its path. Each snapshot comes from SQLite's online
    // backup, written straight into its place in the archive, while the
    // program may go on using the files. The archive appears only when
    // complete; an existing file is never replaced.
    static QString create(const QString &folder, const QString &destination,
                          const Progress &progress = {});

    struct Verified {
        Manifest manifest;
        QStringList lines; // one per file
    };
    // Checks an archive: its structure, each file's size and SHA-256 against
    // the manifest, that each holds the tables of its file, and SQLite's
    // integrity check where it lies. Throws core::Error naming the first fault.
    static Verified verify(const QString &archive, const Progress &progress = {});

    // Verifies the archive, extracts each file beside its live one, checks
    // the extracted file again, keeps the live file as "<name>.before-restore"
    // and moves the restored one into place. Refuses, changing nothing, while
    // a file of the folder is open or when the archive is damaged. Returns
    // what was done, one line per file.
    static QStringList restore(const QString &archive, const QString &folder,
                               const Progress &progress = {});

    static QString programVersion();
};

} // namespace tools

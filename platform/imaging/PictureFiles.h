#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

namespace platform {

// The largest picture file that is stored: SQLite's largest blob.
constexpr qint64 kMaxPictureFileSize = 1000LL * 1000 * 1000;

// Opens `path` for reading when it names a regular file (through links too), without
// waiting on a named pipe or device: anything else throws core::Error "Cannot open file
// %path". The type is checked on the opened file, so a name swapped in between does not
// get through.
std::unique_ptr<QFile> openRegularFile(const QString &path);

// The whole content of the regular file `path`. Throws core::Error "Cannot open file
// %path" as openRegularFile does or when reading fails, and "File %path is too large: a
// picture may hold at most 1 GB" above kMaxPictureFileSize (nothing is read then).
QByteArray readPictureFile(const QString &path);

// Makes `path` a regular file holding `bytes`: they are written to a new file in the same
// folder, which then replaces `path` in one step. A link of that name is never followed.
// Throws core::Error "Cannot create file %path" when `path` names anything but a regular
// file or the folder takes no new file, and "Stream write error" when the bytes cannot be
// written whole; either way the new file is removed and an existing file keeps its content.
// A file that is replaced keeps its permissions.
void replaceFile(const QString &path, const QByteArray &bytes);

} // namespace platform

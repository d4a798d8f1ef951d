#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QFileDevice;

// The POSIX tar format (ustar), as much of it as a backup needs: regular
// files with short names. Sizes of 8 GiB and more use the base-256 number
// form that GNU tar, bsdtar and Python's tarfile read.
namespace tools::tar {

constexpr qint64 kBlock = 512;

// The header block of a regular file.
QByteArray header(const QString &name, qint64 size, qint64 modified);
// Bytes of zeros that fill `size` up to whole blocks.
qint64 padding(qint64 size);
// The two zero blocks that end an archive.
QByteArray end();

struct Entry {
    QString name;
    qint64 size = 0;
    qint64 dataOffset = 0; // where the file's bytes begin in the archive
    qint64 modified = 0;
    char type = '0';
};

// The entries of an archive, checking every header's checksum, that each
// entry's bytes lie within the file and that the archive ends properly.
// Throws core::Error naming what is wrong.
QList<Entry> list(QFileDevice &archive);

} // namespace tools::tar

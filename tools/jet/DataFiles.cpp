#include "tools/jet/DataFiles.h"

#include "core/Error.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace tools {

namespace {

const QString kWal = QStringLiteral("-wal");
const QString kShm = QStringLiteral("-shm");

// A POSIX lock on the file in /proc/locks ("1: POSIX ADVISORY READ 1234
// fe:00:10953538 128 128"), by device and inode.
QString holderFromProcLocks(const struct stat &st, bool *readable) {
    QFile locks(QStringLiteral("/proc/locks"));
    *readable = locks.open(QIODevice::ReadOnly | QIODevice::Text);
    if (!*readable)
        return QString();
    const QString device = QStringLiteral("%1:%2:%3")
                               .arg(major(st.st_dev), 2, 16, QLatin1Char('0'))
                               .arg(minor(st.st_dev), 2, 16, QLatin1Char('0'))
                               .arg(quint64(st.st_ino));
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        // The id may be followed by "->" for a waiting lock; the device field
        // is the one with two colons.
        for (int i = 1; i < fields.size(); ++i) {
            if (fields[i].count(':') == 2 &&
                QString::fromLatin1(fields[i]).compare(device, Qt::CaseInsensitive) == 0)
                return QStringLiteral("process %1").arg(QString::fromLatin1(fields[i - 1]));
        }
    }
    return QString();
}

// Without /proc/locks: asks for a conflicting lock through an open file
// description. The descriptor stays open, since closing it would drop the
// locks this process's own SQLite connections hold on the file.
QString holderFromFcntl(const QString &path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QString();
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = 0;
    probe.l_len = 0;
    if (::fcntl(fd, F_OFD_GETLK, &probe) != 0 || probe.l_type == F_UNLCK)
        return QString();
    return probe.l_pid > 0 ? QStringLiteral("process %1").arg(probe.l_pid)
                           : QStringLiteral("another program");
}

} // namespace

DataFiles::DataFiles(const QString &folder)
    : m_folder(folder) {}

QString DataFiles::path(const QString &fileName) const {
    return QDir(m_folder).filePath(fileName);
}

QStringList DataFiles::fileNames() {
    return {QString::fromLatin1(data::Schema::mainFile),
            QString::fromLatin1(data::Schema::idiomFile)};
}

QString DataFiles::holder(const QString &path) {
    for (const QString &file : QStringList{path, path + kShm}) {
        struct stat st {};
        if (::stat(QFile::encodeName(file).constData(), &st) != 0)
            continue;
        bool readable = false;
        QString who = holderFromProcLocks(st, &readable);
        if (!readable)
            who = holderFromFcntl(file);
        if (!who.isEmpty())
            return who;
    }
    return QString();
}

void DataFiles::refuseWhileOpen() const {
    for (const QString &name : fileNames()) {
        const QString who = holder(path(name));
        if (!who.isEmpty()) {
            throw core::Error(
                QStringLiteral("%1 is open (%2): close Hearthledger first").arg(name, who));
        }
    }
}

QString DataFiles::freeName(const QString &wanted) {
    const auto taken = [](const QString &p) {
        return QFileInfo::exists(p) || QFileInfo::exists(p + kWal);
    };
    if (!taken(wanted))
        return wanted;
    const bool mdb = wanted.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive);
    const QString stem = mdb ? wanted.chopped(4) : wanted;
    const QString tail = mdb ? wanted.right(4) : QString();
    for (int n = 2;; ++n) {
        const QString candidate = stem + QStringLiteral("-%1").arg(n) + tail;
        if (!taken(candidate))
            return candidate;
    }
}

void DataFiles::rename(const QString &from, const QString &to) {
    if (!QFile::rename(from, to)) {
        throw core::Error(QStringLiteral("Cannot rename %1 to %2").arg(from, to));
    }
    if (QFileInfo::exists(from + kWal) && !QFile::rename(from + kWal, to + kWal)) {
        QFile::rename(to, from);
        throw core::Error(QStringLiteral("Cannot rename %1 to %2").arg(from + kWal, to + kWal));
    }
    QFile::remove(from + kShm);
}

} // namespace tools

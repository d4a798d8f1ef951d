#include "tools/companion/Backup.h"

#include "BuildInfo.h"
#include "core/Error.h"
#include "data/Schema.h"
#include "tools/companion/MemberDigest.h"
#include "tools/companion/MemberVfs.h"
#include "tools/companion/Sha256.h"
#include "tools/companion/SourceVfs.h"
#include "tools/companion/Tar.h"
#include "tools/jet/DataFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <QThread>
#include <QUrl>

#include <sqlite3.h>

#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tools {

namespace {

constexpr qint64 kChunk = qint64(4) << 20;
constexpr int kBusyMilliseconds = 30000;
constexpr int kPagesPerStep = 16384;

// A SQLite connection that closes itself; every failure throws core::Error.
class Database {
public:
    Database(const QString &name, int flags, const char *vfs = nullptr) {
        const int rc = sqlite3_open_v2(QFile::encodeName(name).constData(), &m_db, flags, vfs);
        if (rc != SQLITE_OK)
            fail(rc);
        sqlite3_busy_timeout(m_db, kBusyMilliseconds);
    }
    ~Database() { sqlite3_close_v2(m_db); }
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    sqlite3 *handle() const { return m_db; }

    [[noreturn]] void fail(int rc) const {
        throw core::Error(m_db ? QString::fromUtf8(sqlite3_errmsg(m_db))
                               : QString::fromUtf8(sqlite3_errstr(rc)));
    }
    // The first column of every row.
    QStringList column(const char *sql) const {
        sqlite3_stmt *stmt = nullptr;
        int rc = sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr);
        if (rc != SQLITE_OK)
            fail(rc);
        QStringList values;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
            values << QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE)
            fail(rc);
        return values;
    }
    qint64 number(const char *sql) const { return column(sql).value(0).toLongLong(); }

private:
    sqlite3 *m_db = nullptr;
};

QString readOnlyUri(const QString &path) {
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(QStringLiteral("immutable=1&mode=ro"));
    return url.toString(QUrl::FullyEncoded);
}

constexpr int kReadOnlyUri = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;

void report(const Progress &progress, const QString &text) {
    if (progress)
        progress(text);
}

void putBigEndian(QByteArray &page, int at, quint32 value) {
    for (int i = 0; i < 4; ++i)
        page[at + i] = char(value >> (24 - 8 * i));
}

// The first page of a snapshot as the online backup leaves it: the source's
// first page as the file holds it, with what the copy's commit sets into a
// new file (change counter and the version-valid-for number 1, schema cookie
// 1, the page count, the library's version number). Where the file's page is
// older than the snapshot (a log not yet written back), the prediction fails,
// and the member is read back for its digest.
QByteArray predictedFirstPage(const QString &source, qint64 pageSize, qint64 pageCount) {
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray page = file.read(pageSize);
    if (page.size() != pageSize || pageSize < 100)
        return {};
    putBigEndian(page, 24, 1);
    putBigEndian(page, 28, quint32(pageCount));
    putBigEndian(page, 40, 1);
    putBigEndian(page, 92, 1);
    putBigEndian(page, 96, quint32(sqlite3_libversion_number()));
    return page;
}

struct Snapshot {
    qint64 size = 0;
    QString sha256; // empty when the member must be read back for it
};

// The snapshot of `source` written at `offset` of `archive`.
Snapshot snapshot(const QString &source, const QString &archive, qint64 offset,
                  const Progress &progress) {
    if (!QFileInfo(source).isFile())
        throw core::Error(QStringLiteral("Cannot open %1: no such file").arg(source));
    Database from(source, SQLITE_OPEN_READWRITE, SourceVfs::name());
    // Pages read through a mapping rather than one system call each (SQLite's
    // own for the first 2 GiB, then the file system's).
    from.column("PRAGMA mmap_size=2147418112");
    // The log's pages written back into the file where no reader needs them,
    // so that the file's first page is the snapshot's (see predictedFirstPage).
    sqlite3_wal_checkpoint_v2(from.handle(), "main", SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    // One read transaction for the whole copy, held across its steps: one
    // consistent state however the program writes meanwhile.
    from.column("BEGIN");
    from.column("SELECT count(*) FROM sqlite_schema");
    const qint64 pageSize = from.number("PRAGMA page_size");
    std::unique_ptr<MemberDigest> digest; // outlives the member's connection
    std::optional<Database> member;
    member.emplace(MemberVfs::uri(archive, offset, false),
                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, MemberVfs::name());
    Database &to = *member;
    // Nothing else sees the member while it is written: no journal, no locks
    // taken and released page by page, one sync of the whole archive at the end.
    for (const char *pragma :
         {"PRAGMA journal_mode=OFF", "PRAGMA synchronous=OFF", "PRAGMA locking_mode=EXCLUSIVE"})
        to.column(pragma);
    const QByteArray firstPage =
        predictedFirstPage(source, pageSize, from.number("PRAGMA page_count"));
    if (!firstPage.isEmpty()) {
        digest = std::make_unique<MemberDigest>(firstPage);
        if (sqlite3_file_control(to.handle(), "main", MemberVfs::kObserve, digest.get()) !=
            SQLITE_OK)
            digest.reset();
    }
    const int written = ::open(QFile::encodeName(archive).constData(), O_RDONLY | O_CLOEXEC);
    const auto closeWritten = qScopeGuard([written] {
        if (written >= 0)
            ::close(written);
    });
    sqlite3_backup *backup = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
    if (!backup)
        to.fail(sqlite3_errcode(to.handle()));
    int rc;
    int waited = 0;
    while ((rc = sqlite3_backup_step(backup, kPagesPerStep)) == SQLITE_OK || rc == SQLITE_BUSY ||
           rc == SQLITE_LOCKED) {
        if (rc == SQLITE_OK) {
            // The disk takes the pages written so far while the copy goes on.
            if (written >= 0)
                ::sync_file_range(written, 0, 0, SYNC_FILE_RANGE_WRITE);
            const int total = sqlite3_backup_pagecount(backup);
            report(progress,
                   QStringLiteral("%1: %2 of %3 MB copied")
                       .arg(QFileInfo(source).fileName())
                       .arg(qint64(total - sqlite3_backup_remaining(backup)) * pageSize >> 20)
                       .arg(qint64(total) * pageSize >> 20));
            continue;
        }
        if (waited >= kBusyMilliseconds)
            break;
        QThread::msleep(50);
        waited += 50;
    }
    const int pages = sqlite3_backup_pagecount(backup);
    sqlite3_backup_finish(backup);
    if (rc == SQLITE_DONE)
        rc = sqlite3_file_control(to.handle(), "main", MemberVfs::kFlush, nullptr) == SQLITE_OK
                 ? SQLITE_DONE
                 : SQLITE_IOERR;
    if (rc != SQLITE_DONE) {
        throw core::Error(
            QStringLiteral("Cannot back up %1: %2")
                .arg(QFileInfo(source).fileName(), QString::fromUtf8(sqlite3_errstr(rc))));
    }
    Snapshot result;
    // (An empty source gives a member of one page, as the member reports.)
    result.size = pages > 0 ? qint64(pages) * pageSize
                            : to.number("PRAGMA page_count") * to.number("PRAGMA page_size");
    // Whatever SQLite still writes as it lets go of the member, the digest sees.
    member.reset();
    if (digest)
        result.sha256 = digest->finish(result.size);
    return result;
}

// Copies (when `out` is given) and hashes `size` bytes from `offset` of `in`.
QString hashRegion(QFile &in, qint64 offset, qint64 size, QFile *out, const QString &label,
                   const Progress &progress) {
    if (!in.seek(offset))
        throw core::Error(QStringLiteral("Cannot read %1").arg(in.fileName()));
    Sha256 sha;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (qint64 done = 0; done < size;) {
        const qint64 want = qMin(kChunk, size - done);
        const qint64 got = in.read(buffer.data(), want);
        if (got != want)
            throw core::Error(QStringLiteral("Cannot read %1: it ends early").arg(in.fileName()));
        sha.add(buffer.constData(), got);
        if (out && out->write(buffer.constData(), got) != got)
            throw core::Error(
                QStringLiteral("Cannot write %1: %2").arg(out->fileName(), out->errorString()));
        done += got;
        report(progress,
               QStringLiteral("%1: %2 of %3 MB").arg(label).arg(done >> 20).arg(size >> 20));
    }
    return sha.hex();
}

void writeAt(QFile &file, qint64 offset, const QByteArray &bytes) {
    if (!file.seek(offset) || file.write(bytes) != bytes.size())
        throw core::Error(
            QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()));
}

void sync(QFile &file) {
    if (!file.flush() || ::fsync(file.handle()) != 0)
        throw core::Error(
            QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()));
}

void syncFolder(const QString &folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// SQLite's integrity check of a database, and that it holds its file's tables.
void checkDatabase(const Database &db, const QString &fileName) {
    const QStringList result = db.column("PRAGMA integrity_check");
    if (result != QStringList{QStringLiteral("ok")}) {
        throw core::Error(QStringLiteral("%1 fails the integrity check: %2")
                              .arg(fileName, result.mid(0, 3).join(QStringLiteral("; "))));
    }
    const QStringList tables = db.column("SELECT name FROM sqlite_schema WHERE type = 'table'");
    for (data::TableId id : data::Schema::tablesOf(fileName)) {
        const QString name = data::Schema::table(id).name;
        if (!tables.contains(name, Qt::CaseInsensitive))
            throw core::Error(QStringLiteral("%1 lacks the table %2").arg(fileName, name));
    }
}

QString dated(const QString &folder) {
    return QDir(folder).filePath(
        QStringLiteral("hearthledger-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) +
        QStringLiteral(".tar"));
}

struct Located {
    Manifest manifest;
    QList<tar::Entry> entries; // in manifest order
};

// The archive's manifest and the entry of each file it lists, sizes checked.
Located locate(QFile &archive) {
    const QList<tar::Entry> entries = tar::list(archive);
    if (entries.isEmpty() || entries.last().name != QLatin1String(Manifest::fileName))
        throw core::Error(QStringLiteral("The archive is not a Hearthledger backup: it ends "
                                         "without %1")
                              .arg(QLatin1String(Manifest::fileName)));
    const tar::Entry &last = entries.last();
    if (last.size > (qint64(1) << 20) || !archive.seek(last.dataOffset))
        throw core::Error(QStringLiteral("The archive's manifest is not valid: too large"));
    Located found{Manifest::fromJson(archive.read(last.size)), {}};
    for (const Manifest::File &f : found.manifest.files) {
        if (!DataFiles::fileNames().contains(f.name))
            throw core::Error(
                QStringLiteral("The archive lists a file unknown to Hearthledger: %1").arg(f.name));
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](const tar::Entry &e) { return e.name == f.name; });
        if (it == entries.end())
            throw core::Error(
                QStringLiteral("The archive lacks %1, which its manifest lists").arg(f.name));
        if (it->size != f.size)
            throw core::Error(QStringLiteral("%1 in the archive has %2 bytes, the manifest says %3")
                                  .arg(f.name)
                                  .arg(it->size)
                                  .arg(f.size));
        found.entries << *it;
    }
    if (entries.size() != found.entries.size() + 1)
        throw core::Error(QStringLiteral("The archive holds files its manifest does not list"));
    return found;
}

void openArchive(QFile &file) {
    if (!file.open(QIODevice::ReadOnly))
        throw core::Error(
            QStringLiteral("Cannot open %1: %2").arg(file.fileName(), file.errorString()));
}

} // namespace

QString Backup::programVersion() {
    return QString::fromLatin1(buildinfo::version);
}

QString Backup::create(const QString &folder, const QString &destination,
                       const Progress &progress) {
    const DataFiles files(folder);
    const QString main = files.path(QString::fromLatin1(data::Schema::mainFile));
    if (!QFileInfo(main).isFile())
        throw core::Error(
            QStringLiteral("There is no %1 in %2").arg(QFileInfo(main).fileName(), folder));
    const QString archive = QFileInfo(destination).isDir() ? dated(destination) : destination;
    if (QFileInfo::exists(archive))
        throw core::Error(QStringLiteral("%1 exists already").arg(archive));

    QTemporaryFile temp(QFileInfo(archive).absolutePath() + QStringLiteral("/.") +
                        QFileInfo(archive).fileName() + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        throw core::Error(QStringLiteral("Cannot create %1: %2").arg(archive, temp.errorString()));
    const QString tempName = temp.fileName();
    temp.close();

    Manifest manifest;
    manifest.programVersion = programVersion();
    manifest.created = QDateTime::currentDateTimeUtc();
    const qint64 now = manifest.created.toSecsSinceEpoch();
    qint64 offset = 0;
    for (const QString &name : DataFiles::fileNames()) {
        const QString source = files.path(name);
        if (!QFileInfo::exists(source))
            continue;
        const Snapshot taken = snapshot(source, tempName, offset + tar::kBlock, progress);
        const qint64 size = taken.size;
        QString sha = taken.sha256;
        QFile out(tempName);
        if (!out.open(QIODevice::ReadWrite))
            throw core::Error(
                QStringLiteral("Cannot write %1: %2").arg(tempName, out.errorString()));
        if (sha.isEmpty()) {
            report(progress, QStringLiteral("%1: reading the copy back for its digest").arg(name));
            // The disk takes the pages while they are read back for their digest.
            const int fd = out.handle();
            std::thread writeback([fd] { ::fdatasync(fd); });
            try {
                sha = hashRegion(out, offset + tar::kBlock, size, nullptr, name, progress);
            } catch (...) {
                writeback.join();
                throw;
            }
            writeback.join();
        }
        writeAt(out, offset, tar::header(name, size, now));
        writeAt(out, offset + tar::kBlock + size, QByteArray(tar::padding(size), '\0'));
        offset += tar::kBlock + size + tar::padding(size);
        manifest.files << Manifest::File{name, size, sha};
    }
    QFile out(tempName);
    if (!out.open(QIODevice::ReadWrite))
        throw core::Error(QStringLiteral("Cannot write %1: %2").arg(tempName, out.errorString()));
    const QByteArray json = manifest.toJson();
    writeAt(out, offset,
            tar::header(QLatin1String(Manifest::fileName), json.size(), now) + json +
                QByteArray(tar::padding(json.size()), '\0') + tar::end());
    out.resize(out.pos());
    sync(out);
    out.close();
    // A hard link refuses an existing name, so nothing is ever overwritten.
    if (::link(QFile::encodeName(tempName).constData(), QFile::encodeName(archive).constData()) !=
        0)
        throw core::Error(QStringLiteral("Cannot create %1: %2")
                              .arg(archive, QString::fromLocal8Bit(strerror(errno))));
    syncFolder(QFileInfo(archive).absolutePath());
    return archive;
}

Backup::Verified Backup::verify(const QString &archive, const Progress &progress) {
    QFile file(archive);
    openArchive(file);
    const Located found = locate(file);
    Verified result{found.manifest, {}};
    for (int i = 0; i < found.entries.size(); ++i) {
        const tar::Entry &entry = found.entries[i];
        const Manifest::File &listed = found.manifest.files[i];
        if (hashRegion(file, entry.dataOffset, entry.size, nullptr, entry.name, progress) !=
            listed.sha256)
            throw core::Error(QStringLiteral("%1 in the archive is damaged: its SHA-256 does not "
                                             "match the manifest")
                                  .arg(entry.name));
        report(progress, QStringLiteral("%1: integrity check").arg(entry.name));
        checkDatabase(Database(MemberVfs::uri(archive, entry.dataOffset, true), kReadOnlyUri,
                               MemberVfs::name()),
                      entry.name);
        result.lines << QStringLiteral("%1: %2 bytes, SHA-256 %3 matches, integrity check ok")
                            .arg(entry.name)
                            .arg(entry.size)
                            .arg(listed.sha256);
    }
    return result;
}

QStringList Backup::restore(const QString &archive, const QString &folder,
                            const Progress &progress) {
    const DataFiles files(folder);
    files.refuseWhileOpen();
    verify(archive, progress);

    QFile file(archive);
    openArchive(file);
    const Located found = locate(file);
    QStringList extracted; // removed again unless moved into place
    const auto cleanUp = [&] {
        for (const QString &path : std::as_const(extracted))
            QFile::remove(path);
    };
    try {
        for (int i = 0; i < found.entries.size(); ++i) {
            const tar::Entry &entry = found.entries[i];
            QTemporaryFile temp(
                files.path(QStringLiteral(".") + entry.name + QStringLiteral(".restore-XXXXXX")));
            if (!temp.open())
                throw core::Error(QStringLiteral("Cannot create a file in %1: %2")
                                      .arg(folder, temp.errorString()));
            temp.setAutoRemove(false);
            extracted << temp.fileName();
            if (hashRegion(file, entry.dataOffset, entry.size, &temp, entry.name, progress) !=
                found.manifest.files[i].sha256)
                throw core::Error(QStringLiteral("%1 changed while it was read from the archive")
                                      .arg(entry.name));
            sync(temp);
            const QString live = files.path(entry.name);
            struct stat st {};
            const mode_t mask = ::umask(0);
            ::umask(mask);
            const mode_t mode = ::stat(QFile::encodeName(live).constData(), &st) == 0
                                    ? (st.st_mode & 07777)
                                    : (0666 & ~mask);
            ::fchmod(temp.handle(), mode);
            temp.close();
            report(progress,
                   QStringLiteral("%1: integrity check of the restored file").arg(entry.name));
            checkDatabase(Database(readOnlyUri(temp.fileName()), kReadOnlyUri), entry.name);
        }
        files.refuseWhileOpen();
    } catch (...) {
        cleanUp();
        throw;
    }

    // Swaps each live file for its restored one; a failure puts back what moved.
    struct Swapped {
        QString live;
        QString aside; // empty when there was no live file
        QString restored;
    };
    QList<Swapped> done;
    QStringList lines;
    try {
        for (int i = 0; i < found.entries.size(); ++i) {
            Swapped s{files.path(found.entries[i].name), QString(), extracted[i]};
            if (QFileInfo::exists(s.live)) {
                s.aside = DataFiles::freeName(s.live + QStringLiteral(".before-restore"));
                DataFiles::rename(s.live, s.aside);
            }
            if (!QFile::rename(s.restored, s.live)) {
                if (!s.aside.isEmpty())
                    DataFiles::rename(s.aside, s.live);
                throw core::Error(QStringLiteral("Cannot move the restored %1 into place")
                                      .arg(found.entries[i].name));
            }
            done << s;
            lines << (s.aside.isEmpty()
                          ? QStringLiteral("%1 restored").arg(found.entries[i].name)
                          : QStringLiteral("%1 restored; the former file is kept as %2")
                                .arg(found.entries[i].name, QFileInfo(s.aside).fileName()));
        }
    } catch (...) {
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            QFile::rename(it->live, it->restored);
            if (!it->aside.isEmpty())
                DataFiles::rename(it->aside, it->live);
        }
        cleanUp();
        throw;
    }
    syncFolder(folder);
    return lines;
}

} // namespace tools

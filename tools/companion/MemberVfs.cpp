#include "tools/companion/MemberVfs.h"

#include "tools/companion/ShimVfs.h"

#include <QByteArray>
#include <QUrl>

#include <sqlite3.h>

#include <cstring>

namespace tools {

namespace {

constexpr const char *kName = "hl-member";

// Consecutive page writes gathered into one system call (the unix file system
// writes at most 128 KiB at a time).
constexpr qsizetype kGathered = 64 << 10;
struct Gathered {
    QByteArray bytes;
    sqlite3_int64 at = 0;
};

// A file of the underlying VFS, seen from `offset` on.
struct MemberFile {
    sqlite3_file base;
    sqlite3_int64 offset;
    Gathered *gathered; // the main database opened for writing; else null
    MemberVfs::Observer *observer;
};

MemberFile *member(sqlite3_file *f) {
    return reinterpret_cast<MemberFile *>(f);
}
sqlite3_file *real(sqlite3_file *f) {
    return shimvfs::realFile<MemberFile>(f);
}
sqlite3_int64 offsetOf(sqlite3_file *f) {
    return member(f)->offset;
}

int flush(sqlite3_file *f) {
    Gathered *g = member(f)->gathered;
    if (!g || g->bytes.isEmpty())
        return SQLITE_OK;
    const int rc = real(f)->pMethods->xWrite(real(f), g->bytes.constData(), int(g->bytes.size()),
                                             g->at + offsetOf(f));
    if (rc == SQLITE_OK && member(f)->observer) {
        // The observer may keep the bytes: gathering goes on in a fresh buffer.
        member(f)->observer->written(g->bytes, g->at);
        g->bytes = QByteArray();
        g->bytes.reserve(kGathered);
    } else {
        g->bytes.resize(0); // keeps the buffer
    }
    return rc;
}

int xClose(sqlite3_file *f) {
    const int flushed = flush(f);
    delete member(f)->gathered;
    member(f)->gathered = nullptr;
    const int rc = real(f)->pMethods->xClose(real(f));
    return flushed != SQLITE_OK ? flushed : rc;
}
int xRead(sqlite3_file *f, void *buf, int amount, sqlite3_int64 at) {
    if (const int rc = flush(f); rc != SQLITE_OK)
        return rc;
    return real(f)->pMethods->xRead(real(f), buf, amount, at + offsetOf(f));
}
int xWrite(sqlite3_file *f, const void *buf, int amount, sqlite3_int64 at) {
    Gathered *g = member(f)->gathered;
    if (!g || amount >= kGathered) {
        const int rc = real(f)->pMethods->xWrite(real(f), buf, amount, at + offsetOf(f));
        if (rc == SQLITE_OK && member(f)->observer)
            member(f)->observer->written(QByteArray(static_cast<const char *>(buf), amount), at);
        return rc;
    }
    if (g->bytes.isEmpty() || at != g->at + g->bytes.size() ||
        g->bytes.size() + amount > kGathered) {
        if (const int rc = flush(f); rc != SQLITE_OK)
            return rc;
        g->at = at;
    }
    g->bytes.append(static_cast<const char *>(buf), amount);
    return SQLITE_OK;
}
int xTruncate(sqlite3_file *f, sqlite3_int64 size) {
    if (const int rc = flush(f); rc != SQLITE_OK)
        return rc;
    return real(f)->pMethods->xTruncate(real(f), size + offsetOf(f));
}
int xSync(sqlite3_file *f, int flags) {
    if (const int rc = flush(f); rc != SQLITE_OK)
        return rc;
    return real(f)->pMethods->xSync(real(f), flags);
}
int xFileSize(sqlite3_file *f, sqlite3_int64 *size) {
    if (const int rc = flush(f); rc != SQLITE_OK)
        return rc;
    const int rc = real(f)->pMethods->xFileSize(real(f), size);
    if (rc == SQLITE_OK)
        *size = qMax<sqlite3_int64>(0, *size - offsetOf(f));
    return rc;
}
int xFileControl(sqlite3_file *f, int op, void *arg) {
    if (const int rc = flush(f); rc != SQLITE_OK)
        return rc;
    switch (op) {
    case MemberVfs::kFlush:
        return SQLITE_OK;
    case MemberVfs::kObserve:
        if (!member(f)->gathered)
            return SQLITE_NOTFOUND;
        member(f)->observer = static_cast<MemberVfs::Observer *>(arg);
        return SQLITE_OK;
    case SQLITE_FCNTL_SIZE_HINT: {
        sqlite3_int64 size = *static_cast<sqlite3_int64 *>(arg) + offsetOf(f);
        return real(f)->pMethods->xFileControl(real(f), op, &size);
    }
    case SQLITE_FCNTL_MMAP_SIZE:
    case SQLITE_FCNTL_CHUNK_SIZE:
        // Mapping and chunked growth would work on the whole file.
        return SQLITE_NOTFOUND;
    default:
        return real(f)->pMethods->xFileControl(real(f), op, arg);
    }
}

using Forward = shimvfs::Forward<MemberFile>;

// Version 1: no shared memory and no mapping, so neither WAL nor mmap is used
// on a member; a read-only member is opened immutable.
const sqlite3_io_methods kMethods = {1,
                                     xClose,
                                     xRead,
                                     xWrite,
                                     xTruncate,
                                     xSync,
                                     xFileSize,
                                     Forward::lock,
                                     Forward::unlock,
                                     Forward::checkReservedLock,
                                     xFileControl,
                                     Forward::sectorSize,
                                     Forward::deviceCharacteristics,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr};

using shimvfs::underlying;

int xOpen(sqlite3_vfs *vfs, const char *name, sqlite3_file *file, int flags, int *outFlags) {
    auto *m = reinterpret_cast<MemberFile *>(file);
    m->base.pMethods = nullptr;
    m->gathered = nullptr;
    m->observer = nullptr;
    m->offset = (flags & SQLITE_OPEN_MAIN_DB) && name ? sqlite3_uri_int64(name, "offset", 0) : 0;
    const int rc = underlying(vfs)->xOpen(underlying(vfs), name, real(file), flags, outFlags);
    if (rc == SQLITE_OK && real(file)->pMethods) {
        m->base.pMethods = &kMethods;
        if ((flags & SQLITE_OPEN_MAIN_DB) && (flags & SQLITE_OPEN_READWRITE))
            m->gathered = new Gathered;
    }
    return rc;
}
sqlite3_vfs *registered() {
    static sqlite3_vfs *vfs = shimvfs::registerShim(kName, int(sizeof(MemberFile)), xOpen);
    return vfs;
}

} // namespace

const char *MemberVfs::name() {
    return registered()->zName;
}

QString MemberVfs::uri(const QString &file, qint64 offset, bool readOnly) {
    QUrl url = QUrl::fromLocalFile(file);
    url.setQuery(QStringLiteral("offset=%1").arg(offset) +
                 (readOnly ? QStringLiteral("&immutable=1&mode=ro") : QString()));
    return url.toString(QUrl::FullyEncoded);
}

} // namespace tools

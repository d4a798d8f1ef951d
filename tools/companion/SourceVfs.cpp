#include "tools/companion/SourceVfs.h"

#include "tools/companion/ShimVfs.h"

#include <sqlite3.h>

#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace tools {

namespace {

// A main database: the file of the underlying VFS follows this header.
struct SourceFile {
    sqlite3_file base;
    const char *path;
    const char *mapped;   // the whole file as it was at the first read; or null
    sqlite3_int64 length; // of the mapping
    bool tried;           // to map it
};

SourceFile *source(sqlite3_file *f) {
    return reinterpret_cast<SourceFile *>(f);
}
sqlite3_file *real(sqlite3_file *f) {
    return reinterpret_cast<sqlite3_file *>(source(f) + 1);
}

void map(SourceFile *s, sqlite3_int64 size) {
    s->tried = true;
    const int fd = ::open(s->path, O_RDONLY | O_CLOEXEC);
    if (fd < 0 || size <= 0) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    void *at = ::mmap(nullptr, size_t(size), PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (at == MAP_FAILED)
        return;
    ::madvise(at, size_t(size), MADV_SEQUENTIAL);
    s->mapped = static_cast<const char *>(at);
    s->length = size;
}

int xClose(sqlite3_file *f) {
    SourceFile *s = source(f);
    if (s->mapped)
        ::munmap(const_cast<char *>(s->mapped), size_t(s->length));
    s->mapped = nullptr;
    return real(f)->pMethods->xClose(real(f));
}
int xRead(sqlite3_file *f, void *buf, int amount, sqlite3_int64 at) {
    SourceFile *s = source(f);
    if (!s->tried) {
        sqlite3_int64 size = 0;
        if (real(f)->pMethods->xFileSize(real(f), &size) == SQLITE_OK)
            map(s, size);
    }
    if (s->mapped && at + amount <= s->length) {
        std::memcpy(buf, s->mapped + at, size_t(amount));
        return SQLITE_OK;
    }
    return real(f)->pMethods->xRead(real(f), buf, amount, at);
}
int xWrite(sqlite3_file *f, const void *buf, int amount, sqlite3_int64 at) {
    return real(f)->pMethods->xWrite(real(f), buf, amount, at);
}
int xTruncate(sqlite3_file *f, sqlite3_int64 size) {
    return real(f)->pMethods->xTruncate(real(f), size);
}
int xSync(sqlite3_file *f, int flags) {
    return real(f)->pMethods->xSync(real(f), flags);
}
int xFileSize(sqlite3_file *f, sqlite3_int64 *size) {
    return real(f)->pMethods->xFileSize(real(f), size);
}
int xLock(sqlite3_file *f, int level) {
    return real(f)->pMethods->xLock(real(f), level);
}
int xUnlock(sqlite3_file *f, int level) {
    return real(f)->pMethods->xUnlock(real(f), level);
}
int xCheckReservedLock(sqlite3_file *f, int *out) {
    return real(f)->pMethods->xCheckReservedLock(real(f), out);
}
int xFileControl(sqlite3_file *f, int op, void *arg) {
    return real(f)->pMethods->xFileControl(real(f), op, arg);
}
int xSectorSize(sqlite3_file *f) {
    return real(f)->pMethods->xSectorSize(real(f));
}
int xDeviceCharacteristics(sqlite3_file *f) {
    return real(f)->pMethods->xDeviceCharacteristics(real(f));
}
int xShmMap(sqlite3_file *f, int page, int pageSize, int extend, void volatile **out) {
    return real(f)->pMethods->xShmMap(real(f), page, pageSize, extend, out);
}
int xShmLock(sqlite3_file *f, int offset, int n, int flags) {
    return real(f)->pMethods->xShmLock(real(f), offset, n, flags);
}
void xShmBarrier(sqlite3_file *f) {
    real(f)->pMethods->xShmBarrier(real(f));
}
int xShmUnmap(sqlite3_file *f, int deleteFlag) {
    return real(f)->pMethods->xShmUnmap(real(f), deleteFlag);
}
int xFetch(sqlite3_file *f, sqlite3_int64 at, int amount, void **out) {
    return real(f)->pMethods->xFetch(real(f), at, amount, out);
}
int xUnfetch(sqlite3_file *f, sqlite3_int64 at, void *p) {
    return real(f)->pMethods->xUnfetch(real(f), at, p);
}

const sqlite3_io_methods kMethods = {3,
                                     xClose,
                                     xRead,
                                     xWrite,
                                     xTruncate,
                                     xSync,
                                     xFileSize,
                                     xLock,
                                     xUnlock,
                                     xCheckReservedLock,
                                     xFileControl,
                                     xSectorSize,
                                     xDeviceCharacteristics,
                                     xShmMap,
                                     xShmLock,
                                     xShmBarrier,
                                     xShmUnmap,
                                     xFetch,
                                     xUnfetch};

using shimvfs::underlying;

int xOpen(sqlite3_vfs *vfs, const char *name, sqlite3_file *file, int flags, int *outFlags) {
    // Any other file is the underlying VFS's own, opened in place.
    if (!(flags & SQLITE_OPEN_MAIN_DB) || !name)
        return underlying(vfs)->xOpen(underlying(vfs), name, file, flags, outFlags);
    SourceFile *s = source(file);
    s->base.pMethods = nullptr;
    s->path = name;
    s->mapped = nullptr;
    s->length = 0;
    s->tried = false;
    const int rc = underlying(vfs)->xOpen(underlying(vfs), name, real(file), flags, outFlags);
    if (rc == SQLITE_OK && real(file)->pMethods) {
        if (real(file)->pMethods->iVersion < 3)
            return SQLITE_CANTOPEN; // never with the unix file system
        s->base.pMethods = &kMethods;
    }
    return rc;
}
sqlite3_vfs *registered() {
    static sqlite3_vfs *vfs = shimvfs::registerShim("hl-source", int(sizeof(SourceFile)), xOpen);
    return vfs;
}

} // namespace

const char *SourceVfs::name() {
    return registered()->zName;
}

} // namespace tools

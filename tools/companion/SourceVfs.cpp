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
    return shimvfs::realFile<SourceFile>(f);
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
using Forward = shimvfs::Forward<SourceFile>;

const sqlite3_io_methods kMethods = {3,
                                     xClose,
                                     xRead,
                                     Forward::write,
                                     Forward::truncate,
                                     Forward::sync,
                                     Forward::fileSize,
                                     Forward::lock,
                                     Forward::unlock,
                                     Forward::checkReservedLock,
                                     Forward::fileControl,
                                     Forward::sectorSize,
                                     Forward::deviceCharacteristics,
                                     Forward::shmMap,
                                     Forward::shmLock,
                                     Forward::shmBarrier,
                                     Forward::shmUnmap,
                                     Forward::fetch,
                                     Forward::unfetch};

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

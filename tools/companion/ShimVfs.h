#pragma once

#include <sqlite3.h>

namespace tools::shimvfs {

using Open = int (*)(sqlite3_vfs *, const char *, sqlite3_file *, int, int *);

// Registers a SQLite file system named `name` that passes every call to the
// system's default one except xOpen; its files have `header` bytes of their
// own in front of the default one's file. Throws core::Error on failure.
sqlite3_vfs *registerShim(const char *name, int header, Open open);

// The file system a shim passes its calls to.
inline sqlite3_vfs *underlying(sqlite3_vfs *shim) {
    return static_cast<sqlite3_vfs *>(shim->pAppData);
}

// The underlying VFS's file, which lies right after a shim's `File` header.
template <class File> sqlite3_file *realFile(sqlite3_file *f) {
    return reinterpret_cast<sqlite3_file *>(reinterpret_cast<File *>(f) + 1);
}

// The file methods that a shim passes on unchanged.
template <class File> struct Forward {
    static int write(sqlite3_file *f, const void *buf, int amount, sqlite3_int64 at) {
        return realFile<File>(f)->pMethods->xWrite(realFile<File>(f), buf, amount, at);
    }
    static int truncate(sqlite3_file *f, sqlite3_int64 size) {
        return realFile<File>(f)->pMethods->xTruncate(realFile<File>(f), size);
    }
    static int sync(sqlite3_file *f, int flags) {
        return realFile<File>(f)->pMethods->xSync(realFile<File>(f), flags);
    }
    static int fileSize(sqlite3_file *f, sqlite3_int64 *size) {
        return realFile<File>(f)->pMethods->xFileSize(realFile<File>(f), size);
    }
    static int lock(sqlite3_file *f, int level) {
        return realFile<File>(f)->pMethods->xLock(realFile<File>(f), level);
    }
    static int unlock(sqlite3_file *f, int level) {
        return realFile<File>(f)->pMethods->xUnlock(realFile<File>(f), level);
    }
    static int checkReservedLock(sqlite3_file *f, int *out) {
        return realFile<File>(f)->pMethods->xCheckReservedLock(realFile<File>(f), out);
    }
    static int fileControl(sqlite3_file *f, int op, void *arg) {
        return realFile<File>(f)->pMethods->xFileControl(realFile<File>(f), op, arg);
    }
    static int sectorSize(sqlite3_file *f) {
        return realFile<File>(f)->pMethods->xSectorSize(realFile<File>(f));
    }
    static int deviceCharacteristics(sqlite3_file *f) {
        return realFile<File>(f)->pMethods->xDeviceCharacteristics(realFile<File>(f));
    }
    static int shmMap(sqlite3_file *f, int page, int pageSize, int extend, void volatile **out) {
        return realFile<File>(f)->pMethods->xShmMap(realFile<File>(f), page, pageSize, extend, out);
    }
    static int shmLock(sqlite3_file *f, int offset, int n, int flags) {
        return realFile<File>(f)->pMethods->xShmLock(realFile<File>(f), offset, n, flags);
    }
    static void shmBarrier(sqlite3_file *f) {
        realFile<File>(f)->pMethods->xShmBarrier(realFile<File>(f));
    }
    static int shmUnmap(sqlite3_file *f, int deleteFlag) {
        return realFile<File>(f)->pMethods->xShmUnmap(realFile<File>(f), deleteFlag);
    }
    static int fetch(sqlite3_file *f, sqlite3_int64 at, int amount, void **out) {
        return realFile<File>(f)->pMethods->xFetch(realFile<File>(f), at, amount, out);
    }
    static int unfetch(sqlite3_file *f, sqlite3_int64 at, void *p) {
        return realFile<File>(f)->pMethods->xUnfetch(realFile<File>(f), at, p);
    }
};

} // namespace tools::shimvfs

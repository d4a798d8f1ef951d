#include "tools/companion/ShimVfs.h"

#include "core/Error.h"

#include <QString>

namespace tools::shimvfs {

namespace {

int xDelete(sqlite3_vfs *vfs, const char *name, int syncDir) {
    return underlying(vfs)->xDelete(underlying(vfs), name, syncDir);
}
int xAccess(sqlite3_vfs *vfs, const char *name, int flags, int *out) {
    return underlying(vfs)->xAccess(underlying(vfs), name, flags, out);
}
int xFullPathname(sqlite3_vfs *vfs, const char *name, int size, char *out) {
    return underlying(vfs)->xFullPathname(underlying(vfs), name, size, out);
}
int xRandomness(sqlite3_vfs *vfs, int size, char *out) {
    return underlying(vfs)->xRandomness(underlying(vfs), size, out);
}
int xSleep(sqlite3_vfs *vfs, int micro) {
    return underlying(vfs)->xSleep(underlying(vfs), micro);
}
int xCurrentTime(sqlite3_vfs *vfs, double *out) {
    return underlying(vfs)->xCurrentTime(underlying(vfs), out);
}
int xGetLastError(sqlite3_vfs *vfs, int size, char *out) {
    return underlying(vfs)->xGetLastError(underlying(vfs), size, out);
}
int xCurrentTimeInt64(sqlite3_vfs *vfs, sqlite3_int64 *out) {
    return underlying(vfs)->xCurrentTimeInt64(underlying(vfs), out);
}

} // namespace

sqlite3_vfs *registerShim(const char *name, int header, Open open) {
    sqlite3_vfs *base = sqlite3_vfs_find(nullptr);
    if (!base)
        throw core::Error(QStringLiteral("SQLite has no file system"));
    // Registered for the life of the process, as SQLite keeps the pointer.
    auto *shim = new sqlite3_vfs{};
    shim->iVersion = 2;
    shim->szOsFile = header + base->szOsFile;
    shim->mxPathname = base->mxPathname;
    shim->zName = name;
    shim->pAppData = base;
    shim->xOpen = open;
    shim->xDelete = xDelete;
    shim->xAccess = xAccess;
    shim->xFullPathname = xFullPathname;
    shim->xRandomness = xRandomness;
    shim->xSleep = xSleep;
    shim->xCurrentTime = xCurrentTime;
    shim->xGetLastError = xGetLastError;
    shim->xCurrentTimeInt64 = xCurrentTimeInt64;
    const int rc = sqlite3_vfs_register(shim, 0);
    if (rc != SQLITE_OK) {
        delete shim;
        throw core::Error(QString::fromUtf8(sqlite3_errstr(rc)));
    }
    return shim;
}

} // namespace tools::shimvfs

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

} // namespace tools::shimvfs

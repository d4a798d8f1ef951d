#pragma once

namespace tools {

// The system's SQLite file system, but a main database's pages are read
// through a mapping of the whole file: SQLite maps at most 2 GiB of it and
// reads every further page with a system call of its own.
class SourceVfs {
public:
    // The name to open a database with (registered on first use).
    static const char *name();
};

} // namespace tools

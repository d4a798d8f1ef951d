#pragma once

#include <QString>

namespace tools {

// A SQLite file system under which a database lives inside another file,
// starting at a byte offset: a backup writes its snapshot straight into its
// place in the archive, and verify reads it there, without copies.
class MemberVfs {
public:
    // The name to open such a database with (registered on first use).
    static const char *name();
    // The URI that opens the database at `offset` of `file`; read-only ones are
    // opened as immutable.
    static QString uri(const QString &file, qint64 offset, bool readOnly);
};

} // namespace tools

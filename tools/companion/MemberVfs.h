#pragma once

#include <QByteArray>
#include <QString>

namespace tools {

// A SQLite file system under which a database lives inside another file,
// starting at a byte offset: a backup writes its snapshot straight into its
// place in the archive, and verify reads it there, without copies. Pages
// written one after another go out in one system call.
class MemberVfs {
public:
    // The file control that writes out gathered pages (their errors surface
    // here): sqlite3_file_control(db, "main", MemberVfs::kFlush, nullptr).
    static constexpr int kFlush = 0x484C0001;

    // Sees every write to a member opened for writing, in the order SQLite
    // makes it (consecutive pages gathered), offsets from the member's start.
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void written(const QByteArray &bytes, qint64 at) = 0;
    };
    // The file control that sets the observer:
    // sqlite3_file_control(db, "main", MemberVfs::kObserve, observer).
    static constexpr int kObserve = 0x484C0002;

    // The name to open such a database with (registered on first use).
    static const char *name();
    // The URI that opens the database at `offset` of `file`; read-only ones are
    // opened as immutable.
    static QString uri(const QString &file, qint64 offset, bool readOnly);
};

} // namespace tools

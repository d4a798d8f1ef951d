#pragma once

#include "data/BlobDigests.h"
#include "data/Connection.h"
#include "data/EditBuffer.h"
#include "data/Error.h"
#include "data/LocateIndex.h"
#include "data/Notifier.h"
#include "data/Snapshot.h"
#include "data/TableObject.h"

#include <QPointer>

#include <map>
#include <memory>

namespace data {

class Statement;

struct TableObject::Private {
    explicit Private(TableObject *owner)
        : q(owner)
        , notifier(owner) {}

    TableObject *q;
    QPointer<Connection> shared;
    std::unique_ptr<Connection> own;
    QString connectionString;
    QString tableName;
    QList<Field *> fields;
    bool declared = false;
    State state = State::Inactive;

    Snapshot rows;
    // The version of the table the snapshot shows; a write of this table
    // object keeps it current when nothing else wrote meanwhile.
    Connection::Version readAt;
    mutable BlobDigests digests;
    int current = -1;
    bool bof = true;
    bool eof = true;

    EditBuffer buffer;
    // Where the cursor stood before an insertion, to return there on cancel.
    struct Position {
        int row = -1;
        bool bof = true;
        bool eof = true;
    } beforeInsert;

    Notifier notifier;

    mutable std::map<int, LocateIndex> locateIndexes;

    int fieldCount() const { return int(fields.size()); }
    int rowCount() const { return rows.rowCount(); }
    Connection *connection() const { return own ? own.get() : shared.data(); }
    sqlite3 *db() const;
    const QVariant &stored(int row, int field) const;

    // "<table object>: Cannot perform this operation on <what>".
    Error operationRefused(const char *what) const;
    void checkActive() const;
    void checkModifiable() const;
    QString fieldName(const QString &column) const;

    // SQL, in TableSql.cpp.
    void makeFieldsFromFile();
    QString selectList() const;
    Snapshot load(Connection::Version *version) const;
    bool readRow(qint64 key, int row);
    // Takes the digests of the row's blobs where none is kept yet, so that a
    // post or delete can tell them changed.
    void ensureDigests(int row);
    // Whether a post compares a blob's contents, not only its size.
    bool checksContent(int row, int field) const;
    // Around every write: the file made ready, and the snapshot's version
    // carried on past this table object's own write.
    Connection::Version beginWrite();
    void endWrite(const Connection::Version &before);
    void writeEdit();
    qint64 writeInsert();
    void deleteRow(int row);
    QByteArray readBlob(qint64 key, int field) const;
    // " AND col IS ?..." over every field's value in `row` as read.
    QString originalCriteria(int row) const;
    int bindOriginal(Statement &stmt, int first, int row) const;
    // Binds the edit buffer's changed values from 1 on; returns the next index.
    int bindChanged(Statement &stmt) const;

    void setState(State newState);

    void beginEditBuffer(bool insertRow);
    void invalidateIndexes() { locateIndexes.clear(); }
    // The text a locate index keeps for a row of a field.
    QString indexText(int row, int field) const;
    void updateIndexes(int row);
    // Keeps the indexes whose column reads the same in the new snapshot.
    void keepUnchangedIndexes(const Snapshot &newRows);
    void checkBrowseMode();
    void postPending();
    void cancelPending();
    // Makes row current with the given flags; reports a change of either.
    void goTo(int row, bool newBof, bool newEof);
    // A move to row that goes somewhere: both flags cleared.
    void moveTo(int row);
    int findKey(qint64 key) const { return rows.findKey(key, state == State::Insert); }
};

} // namespace data

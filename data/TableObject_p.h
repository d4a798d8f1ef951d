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

#include <functional>
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
    // Runs one write in a transaction of its own. othersWrote: the table
    // changed since the snapshot through another connection or table object,
    // so blob contents must be compared too. The snapshot's version carries
    // on past this table object's own write.
    void write(const std::function<void(bool othersWrote)> &statement);
    // The snapshot holds a blob of one byte or more in the row's field.
    bool hasBytes(int row, int field) const;
    void writeEdit();
    qint64 writeInsert();
    void deleteRow(int row);
    QByteArray readBlob(qint64 key, int field) const;
    // " AND col IS ?..." over every field's value in `row` as read; a blob
    // by its size and, where compareContent, by the digest of what was read.
    QString originalCriteria(int row, bool compareContent) const;
    int bindOriginal(Statement &stmt, int first, int row, bool compareContent) const;
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

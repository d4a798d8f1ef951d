#pragma once

#include "data/Connection.h"
#include "data/LocateIndex.h"
#include "data/TableObject.h"

#include <QPointer>

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace data {

struct TableObject::Private {
    explicit Private(TableObject *owner)
        : q(owner) {}

    TableObject *q;
    QPointer<Connection> shared;
    std::unique_ptr<Connection> own;
    QString connectionString;
    QString tableName;
    QList<Field *> fields;
    bool declared = false;
    State state = State::Inactive;

    // The snapshot: one key per row (-1 for a row being inserted) and the
    // stored values row after row.
    std::vector<qint64> keys;
    std::vector<QVariant> cells;
    int current = -1;
    bool bof = true;
    bool eof = true;

    // The row being edited or inserted.
    std::vector<QVariant> buffer;
    std::vector<bool> changed;
    std::vector<std::optional<QByteArray>> blobs;
    bool modified = false;
    int rowBeforeInsert = -1;
    bool bofBeforeInsert = true;
    bool eofBeforeInsert = true;

    int disableCount = 0;
    State stateAtDisable = State::Inactive;
    int rowAtDisable = -1;

    mutable std::map<int, LocateIndex> locateIndexes;

    int fieldCount() const { return int(fields.size()); }
    int rowCount() const { return int(keys.size()); }
    Connection *connection() const { return own ? own.get() : shared.data(); }
    sqlite3 *db() const;
    const QVariant &cell(int row, int field) const {
        return cells[size_t(row) * size_t(fieldCount()) + size_t(field)];
    }
    QVariant &cell(int row, int field) {
        return cells[size_t(row) * size_t(fieldCount()) + size_t(field)];
    }
    const QVariant &stored(int row, int field) const;

    void checkActive() const;
    void checkModifiable() const;
    QString fieldName(const QString &column) const;

    // SQL, in TableSql.cpp.
    void makeFieldsFromFile();
    QString selectList() const;
    void load(std::vector<qint64> &keys, std::vector<QVariant> &cells) const;
    bool readRow(qint64 key, int row);
    void writeEdit();
    qint64 writeInsert();
    void deleteRow(int row);
    QByteArray readBlob(qint64 key, int field) const;
    // " AND col IS ?..." over every field's value in `row` as read.
    QString originalCriteria() const;
    int bindOriginal(class Statement &stmt, int first, int row) const;
    // Binds the edit buffer's changed values from 1 on; returns the next index.
    int bindChanged(class Statement &stmt) const;

    // Notifications.
    void setState(State newState);
    void notifyData(Field *field);
    void notifyCurrent();

    void beginEditBuffer(bool insertRow);
    void dropEditBuffer();
    void invalidateIndexes() { locateIndexes.clear(); }
    // The text a locate index keeps for a row of a field.
    QString indexText(int row, int field) const;
    void updateIndexes(int row);
    // Keeps the indexes whose column reads the same in the new snapshot.
    void keepUnchangedIndexes(const std::vector<qint64> &newKeys,
                              const std::vector<QVariant> &newCells);
    void checkBrowseMode();
    void postPending();
    void cancelPending();
    // Makes row current with the given flags; reports a change of either.
    void goTo(int row, bool newBof, bool newEof);
    // A move to row that goes somewhere: both flags cleared.
    void moveTo(int row);
    int findKey(qint64 key) const;
};

} // namespace data

#pragma once

#include "data/Field.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

namespace data {

class Connection;

// A remembered row of a table object (its key); invalid when there was none.
struct Bookmark {
    qint64 key = -1;
    bool isValid() const { return key >= 0; }
    friend bool operator==(const Bookmark &, const Bookmark &) = default;
};

// One whole table of a database file, opened as a snapshot in key order:
// the key and every non-blob value of each row, and each blob's size. Blob
// bytes are read by key when asked for and never kept. Posting an edit is
// optimistic: a row that another connection changed or deleted since it was
// read is refused, never overwritten. Every refusal throws data::Error and
// leaves the table object as it was.
class TableObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString tableName READ tableName WRITE setTableName)
    Q_PROPERTY(bool active READ isActive WRITE setActive)
    Q_PROPERTY(State state READ state NOTIFY stateChanged)
    Q_PROPERTY(int recordCount READ recordCount)
public:
    enum class State { Inactive, Browse, Edit, Insert, Other };
    Q_ENUM(State)

    explicit TableObject(QObject *parent = nullptr);
    ~TableObject() override;

    // Either a shared connection, or a connection string of its own (then
    // the table object opens a connection of its own when it opens).
    void setConnection(Connection *connection);
    Connection *connection() const;
    void setConnectionString(const QString &connectionString);
    QString connectionString() const;

    QString tableName() const;
    void setTableName(const QString &name);

    // Declared fields, in order; only these columns are reachable. Without
    // declared fields, open() makes one field per column of the file. Fields
    // are declared while the table object is closed; name the table object
    // first (fields are named after it).
    Field *addField(const QString &column, Field::Type type, int size = 0);
    void clearFields();
    bool hasDeclaredFields() const;
    QList<Field *> fields() const;
    int fieldCount() const;
    Field *field(int index) const;
    // By column name (blanks kept), ignoring letter case; throws when absent.
    Field *fieldByName(const QString &column) const;
    Field *findField(const QString &column) const;

    // Opening an open table or closing a closed one does nothing. Closing
    // discards an unposted edit or insertion.
    void open();
    void close();
    bool isActive() const;
    void setActive(bool active);

    State state() const;
    bool isEditing() const { return state() == State::Edit || state() == State::Insert; }
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    // At the beginning: set by opening, first() and a backward move that
    // found nothing; cleared by any move that goes somewhere. At the end:
    // likewise with last() and forward moves. An empty table is at both.
    bool bof() const;
    bool eof() const;

    // Moves first post a modified edit or insertion and cancel one that
    // changed nothing.
    void first();
    void prior();
    void next();
    void last();
    // Moves n rows (back when negative), stopping on the last or first row;
    // returns the rows actually moved.
    int moveBy(int n);

    // edit() on an empty table starts a new row. A new row is appended.
    void edit();
    void insert();
    void post();
    void cancel();
    void remove();
    // Reads the rows again, staying on the same row where it still exists.
    void refresh();
    // The first row, in ascending case-insensitive order of the column (ties
    // by key), whose value begins with text, letter case ignored; nulls never
    // match and an empty text matches only an empty value. The text is a
    // plain prefix. Returns whether a row was found (then it is current).
    bool locate(const QString &column, const QString &text);
    // Builds what locate needs for the column ahead of the first search.
    void prepareLocate(const QString &column);

    Bookmark bookmark() const;
    bool bookmarkValid(const Bookmark &bookmark) const;
    // Throws when the row is no longer there.
    void gotoBookmark(const Bookmark &bookmark);

    // While disabled (nesting), the data sources report nothing; the last
    // enableControls() reports one data change.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const;

    bool isModified() const;
    bool canModify() const;

    // Row access for views: rows of the snapshot (with a row being inserted),
    // the current one, and any row's values without moving.
    int rowCount() const { return recordCount(); }
    int currentIndex() const;
    // Makes `row` current (a move).
    void moveTo(int row);
    QVariant value(int row, int fieldIndex) const;
    QString displayText(int row, int fieldIndex) const;
    bool isNull(int row, int fieldIndex) const;

    // For the fields: the value a field holds in the current row as stored
    // (QString, qlonglong, double; blob size), and its writing.
    QVariant storedValue(int fieldIndex) const;
    void setStoredValue(int fieldIndex, const QVariant &stored);
    QByteArray readBlob(int fieldIndex) const;
    void setBlob(int fieldIndex, const QByteArray &bytes);

signals:
    // For the data sources; none while controls are disabled (but
    // updateDataRequested, which comes before every post and before a
    // pending edit is posted or dropped by a move).
    void dataChanged(data::Field *field);
    void stateChanged();
    void updateDataRequested();

    // For item models.
    void rowsReset();
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void currentRowChanged(int row);

private:
    // The field an edit may change; throws on a closed table, a bad index or a read-only field.
    Field *modifiableField(int fieldIndex);

    struct Private;
    std::unique_ptr<Private> d;
    friend struct Private;
};

} // namespace data

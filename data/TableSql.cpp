// The SQL side of TableObject: reading the snapshot and writing rows.
#include "data/Error.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "data/TableObject_p.h"

#include <sqlite3.h>

namespace data {

namespace {

using Type = Field::Type;

QString columnText(sqlite3_stmt *stmt, int column) {
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
    return QString::fromUtf8(p, sqlite3_column_bytes(stmt, column));
}

// A value in the storage class the file holds it in.
QVariant nativeCell(sqlite3_stmt *stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT:
        return QVariant(columnText(stmt, column));
    case SQLITE_BLOB: {
        const auto *p = static_cast<const char *>(sqlite3_column_blob(stmt, column));
        return QVariant(QByteArray(p ? p : "", sqlite3_column_bytes(stmt, column)));
    }
    default:
        return QVariant();
    }
}

// A value as its field type keeps it: text for Text, Memo and DateTime, a
// double for Float, an integer for the rest (a blob's size). A value of
// another storage class, which other programs can write, is kept as the file
// holds it, so that it shows as what it is and a post still finds its row.
QVariant readCell(sqlite3_stmt *stmt, int column, Type type) {
    const int storage = sqlite3_column_type(stmt, column);
    switch (type) {
    case Type::Text:
    case Type::Memo:
    case Type::DateTime:
        if (storage == SQLITE_TEXT)
            return QVariant(columnText(stmt, column));
        break;
    case Type::Float:
        if (storage == SQLITE_FLOAT || storage == SQLITE_INTEGER)
            return QVariant(sqlite3_column_double(stmt, column));
        break;
    case Type::AutoIncrement:
    case Type::Currency:
    case Type::Boolean:
    case Type::Blob:
        if (storage == SQLITE_INTEGER)
            return QVariant(qlonglong(sqlite3_column_int64(stmt, column)));
        break;
    }
    return nativeCell(stmt, column);
}

const QString kUpdateRefused = QStringLiteral(
    "Row cannot be located for updating. Some values may have been changed since it was last read");
const QString kDeleteRefused = QStringLiteral(
    "Row cannot be located for deleting. Some values may have been changed since it was last read");

} // namespace

void TableObject::Private::makeFieldsFromFile() {
    Statement info(db(), QStringLiteral("PRAGMA table_info(") + Statement::quoted(tableName) + ')');
    struct Column {
        QString name;
        Type type;
        int size;
    };
    QList<Column> columns;
    while (info.step()) {
        Column c;
        c.name = info.text(1);
        c.type = Schema::fieldType(info.text(2), info.int64(5) != 0, &c.size);
        columns.append(c);
    }
    if (columns.isEmpty())
        throw Error(QStringLiteral("no such table: ") + tableName, SQLITE_ERROR);
    bool same = columns.size() == fields.size();
    for (int i = 0; same && i < columns.size(); ++i) {
        same = fields[i]->columnName() == columns[i].name && fields[i]->type() == columns[i].type &&
               fields[i]->size() == columns[i].size;
    }
    if (same)
        return;
    qDeleteAll(fields);
    fields.clear();
    for (const Column &c : std::as_const(columns)) {
        auto *f = new Field(q, fieldCount(), c.name, c.type, c.size);
        f->setObjectName(fieldName(c.name));
        fields.append(f);
    }
}

QString TableObject::Private::selectList() const {
    QStringList parts;
    for (const Field *f : fields) {
        const QString column = Statement::quoted(f->columnName());
        parts.append(f->isBlob() ? QStringLiteral("length(") + column + ')' : column);
    }
    return parts.join(QStringLiteral(", "));
}

Snapshot TableObject::Private::load(Connection::Version *version) const {
    const QString table = Statement::quoted(tableName);
    const int n = fieldCount();
    Snapshot loaded(n);
    // Both reads in one transaction, so the count fits the rows.
    Statement begin(db(), QStringLiteral("BEGIN"));
    begin.exec();
    try {
        Statement count(db(), QStringLiteral("SELECT count(*) FROM ") + table);
        count.step();
        loaded.reserve(size_t(count.int64(0)));
        *version = connection()->version(tableName);

        QString sql = QStringLiteral("SELECT rowid");
        if (n > 0)
            sql += QStringLiteral(", ") + selectList();
        sql += QStringLiteral(" FROM ") + table + QStringLiteral(" ORDER BY rowid");
        Statement select(db(), sql);
        std::vector<Type> types;
        for (const Field *f : fields)
            types.push_back(f->type());
        sqlite3_stmt *stmt = select.handle();
        while (select.step()) {
            loaded.appendRow(sqlite3_column_int64(stmt, 0),
                             [&](int f) { return readCell(stmt, f + 1, types[size_t(f)]); });
        }
    } catch (...) {
        sqlite3_exec(db(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    sqlite3_exec(db(), "COMMIT", nullptr, nullptr, nullptr);
    return loaded;
}

bool TableObject::Private::readRow(qint64 key, int row) {
    Statement select(db(), QStringLiteral("SELECT ") + selectList() + QStringLiteral(" FROM ") +
                               Statement::quoted(tableName) + QStringLiteral(" WHERE rowid = ?"));
    select.bind(1, key);
    if (!select.step())
        return false;
    for (int f = 0; f < fieldCount(); ++f)
        rows.cell(row, f) = readCell(select.handle(), f, fields[f]->type());
    return true;
}

bool TableObject::Private::hasBytes(int row, int field) const {
    const QVariant &size = rows.cell(row, field);
    return !size.isNull() && size.toLongLong() > 0;
}

QString TableObject::Private::originalCriteria(int row, bool compareContent) const {
    QString sql = QStringLiteral(" WHERE rowid = ?");
    for (const Field *f : fields) {
        if (f->type() == Type::AutoIncrement)
            continue;
        const QString column = Statement::quoted(f->columnName());
        if (!f->isBlob()) {
            sql += QStringLiteral(" AND ") + column + QStringLiteral(" IS ?");
            continue;
        }
        sql += QStringLiteral(" AND length(") + column + QStringLiteral(") IS ?");
        if (compareContent && hasBytes(row, f->index())) {
            sql += QStringLiteral(" AND ") + QLatin1String(BlobDigests::sqlFunction) + '(' +
                   column + QStringLiteral(") IS ?");
        }
    }
    return sql;
}

int TableObject::Private::bindOriginal(Statement &stmt, int first, int row,
                                       bool compareContent) const {
    int index = first;
    const qint64 key = rows.key(row);
    stmt.bind(index++, key);
    for (const Field *f : fields) {
        if (f->type() == Type::AutoIncrement)
            continue;
        stmt.bind(index++, rows.cell(row, f->index()));
        if (f->isBlob() && compareContent && hasBytes(row, f->index())) {
            // A blob never read cannot be vouched for: null matches none.
            const QByteArray *digest = digests.find(key, f->index());
            stmt.bindBlob(index++, digest ? *digest : QByteArray());
        }
    }
    return index;
}

void TableObject::Private::write(const std::function<void(bool othersWrote)> &statement) {
    Connection *c = connection();
    c->prepareToWrite();
    // Immediate: no other connection writes between the look at the version
    // and the statement.
    Statement(db(), QStringLiteral("BEGIN IMMEDIATE")).exec();
    Connection::Version before;
    try {
        before = c->version(tableName);
        statement(before != readAt);
        Statement(db(), QStringLiteral("COMMIT")).exec();
    } catch (...) {
        sqlite3_exec(db(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    c->noteWrite(tableName);
    const Connection::Version after = c->version(tableName);
    if (before == readAt && after.others == before.others)
        readAt = after;
}

int TableObject::Private::bindChanged(Statement &stmt) const {
    int index = 1;
    for (const Field *f : fields) {
        const int i = f->index();
        if (!buffer.isChanged(i))
            continue;
        if (f->isBlob())
            stmt.bindBlob(index++, buffer.blob(i).value_or(QByteArray()));
        else
            stmt.bind(index++, buffer.value(i));
    }
    return index;
}

void TableObject::Private::writeEdit() {
    QStringList sets;
    for (const Field *f : fields) {
        if (buffer.isChanged(f->index()))
            sets.append(Statement::quoted(f->columnName()) + QStringLiteral(" = ?"));
    }
    if (sets.isEmpty())
        return;
    write([&](bool othersWrote) {
        Statement update(db(), QStringLiteral("UPDATE ") + Statement::quoted(tableName) +
                                   QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) +
                                   originalCriteria(current, othersWrote));
        bindOriginal(update, bindChanged(update), current, othersWrote);
        if (update.exec() == 0)
            throw Error(kUpdateRefused);
    });
}

qint64 TableObject::Private::writeInsert() {
    QStringList columns;
    for (const Field *f : fields) {
        if (buffer.isChanged(f->index()))
            columns.append(Statement::quoted(f->columnName()));
    }
    QString sql = QStringLiteral("INSERT INTO ") + Statement::quoted(tableName);
    if (columns.isEmpty()) {
        sql += QStringLiteral(" DEFAULT VALUES");
    } else {
        QStringList marks(columns.size(), QStringLiteral("?"));
        sql += QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
               QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) + ')';
    }
    qint64 key = -1;
    write([&](bool) {
        Statement insert(db(), sql);
        bindChanged(insert);
        insert.exec();
        key = sqlite3_last_insert_rowid(db());
    });
    return key;
}

void TableObject::Private::deleteRow(int row) {
    write([&](bool othersWrote) {
        Statement remove(db(), QStringLiteral("DELETE FROM ") + Statement::quoted(tableName) +
                                   originalCriteria(row, othersWrote));
        bindOriginal(remove, 1, row, othersWrote);
        if (remove.exec() == 0)
            throw Error(kDeleteRefused);
    });
    digests.forgetRow(rows.key(row));
}

QByteArray TableObject::Private::readBlob(qint64 key, int field) const {
    Statement select(db(), QStringLiteral("SELECT ") +
                               Statement::quoted(fields[field]->columnName()) +
                               QStringLiteral(" FROM ") + Statement::quoted(tableName) +
                               QStringLiteral(" WHERE rowid = ?"));
    select.bind(1, key);
    if (!select.step())
        return {};
    return select.blob(0);
}

} // namespace data

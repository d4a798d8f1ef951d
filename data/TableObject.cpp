#include "data/TableObject.h"

#include "data/Error.h"
#include "data/TableObject_p.h"

#include <algorithm>

namespace data {

// ---- Private helpers ------------------------------------------------------

sqlite3 *TableObject::Private::db() const {
    Connection *c = connection();
    return c ? c->handle() : nullptr;
}

const QVariant &TableObject::Private::stored(int row, int field) const {
    static const QVariant null;
    if (row < 0 || row >= rowCount() || field < 0 || field >= fieldCount())
        return null;
    if (row == current && (state == State::Edit || state == State::Insert))
        return buffer.value(field);
    return rows.cell(row, field);
}

QString TableObject::Private::fieldName(const QString &column) const {
    QString bare = column;
    bare.remove(QLatin1Char(' '));
    return q->objectName() + bare;
}

Error TableObject::Private::operationRefused(const char *what) const {
    return Error(q->objectName() + QStringLiteral(": Cannot perform this operation on ") +
                 QLatin1String(what));
}

void TableObject::Private::checkActive() const {
    if (state == State::Inactive)
        throw operationRefused("a closed dataset");
}

void TableObject::Private::checkModifiable() const {
    if (!q->canModify())
        throw Error(q->objectName() + QStringLiteral(": Cannot modify a read-only dataset"));
}

void TableObject::Private::setState(State newState) {
    if (state == newState)
        return;
    state = newState;
    notifier.stateChanged();
}

void TableObject::Private::beginEditBuffer(bool insertRow) {
    const int n = fieldCount();
    std::vector<QVariant> values(static_cast<size_t>(n));
    if (!insertRow) {
        for (int f = 0; f < n; ++f)
            values[size_t(f)] = rows.cell(current, f);
    }
    buffer.begin(std::move(values));
}

void TableObject::Private::checkBrowseMode() {
    checkActive();
    if (state != State::Edit && state != State::Insert)
        return;
    emit q->updateDataRequested();
    if (buffer.isModified())
        postPending();
    else
        cancelPending();
}

void TableObject::Private::postPending() {
    const int row = current;
    const bool inserting = state == State::Insert;
    const qint64 key = inserting ? writeInsert() : (writeEdit(), rows.key(row));
    // Written: from here on nothing may fail the post.
    rows.setKey(row, key);
    for (int f = 0; f < fieldCount(); ++f) {
        rows.cell(row, f) = fields[f]->type() == Field::Type::AutoIncrement
                                ? QVariant(qlonglong(key))
                                : buffer.value(f);
        if (const auto &written = buffer.blob(f))
            digests.replace(key, f, BlobDigests::of(*written));
    }
    buffer.clear();
    try {
        readRow(key, row); // values as the file holds them
    } catch (const Error &) {
    }
    if (inserting) {
        bof = false;
        eof = false;
    }
    updateIndexes(row);
    setState(State::Browse);
    emit q->rowChanged(row);
    notifier.dataChanged(nullptr);
}

void TableObject::Private::cancelPending() {
    if (state == State::Edit) {
        buffer.clear();
        setState(State::Browse);
        emit q->rowChanged(current);
        notifier.dataChanged(nullptr);
        return;
    }
    if (state != State::Insert)
        return;
    const int row = current;
    rows.removeRow(row);
    buffer.clear();
    current = rowCount() == 0 ? -1 : std::clamp(beforeInsert.row, 0, rowCount() - 1);
    bof = beforeInsert.bof;
    eof = beforeInsert.eof;
    setState(State::Browse);
    emit q->rowRemoved(row);
    notifier.currentRowChanged();
    notifier.dataChanged(nullptr);
}

void TableObject::Private::goTo(int row, bool newBof, bool newEof) {
    const bool moved = row != current;
    if (!moved && newBof == bof && newEof == eof)
        return;
    current = row;
    bof = newBof;
    eof = newEof;
    if (moved)
        notifier.currentRowChanged();
    notifier.dataChanged(nullptr);
}

void TableObject::Private::moveTo(int row) {
    if (row == current)
        return;
    goTo(row, false, false);
}

// ---- TableObject ----------------------------------------------------------

TableObject::TableObject(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>(this)) {
    connect(this, &QObject::objectNameChanged, this, [this] {
        for (Field *f : std::as_const(d->fields))
            f->setObjectName(d->fieldName(f->columnName()));
    });
}

TableObject::~TableObject() {
    // Statements are never kept, so closing only drops the snapshot.
    d->state = State::Inactive;
}

void TableObject::setConnection(Connection *connection) {
    if (connection == d->shared && !d->own)
        return;
    close();
    if (d->shared)
        disconnect(d->shared, nullptr, this, nullptr);
    d->own.reset();
    d->connectionString.clear();
    d->shared = connection;
    if (connection)
        connect(connection, &Connection::aboutToClose, this, &TableObject::close);
}

Connection *TableObject::connection() const {
    return d->connection();
}

void TableObject::setConnectionString(const QString &connectionString) {
    close();
    if (d->shared)
        disconnect(d->shared, nullptr, this, nullptr);
    d->shared = nullptr;
    d->own = std::make_unique<Connection>();
    d->own->setConnectionString(connectionString);
    d->connectionString = connectionString;
}

QString TableObject::connectionString() const {
    if (d->own)
        return d->connectionString;
    return d->shared ? d->shared->connectionString() : QString();
}

QString TableObject::tableName() const {
    return d->tableName;
}

void TableObject::setTableName(const QString &name) {
    if (name == d->tableName)
        return;
    close();
    d->tableName = name;
}

Field *TableObject::addField(const QString &column, Field::Type type, int size) {
    if (isActive())
        throw d->operationRefused("an open dataset");
    if (!d->declared) {
        qDeleteAll(d->fields);
        d->fields.clear();
        d->declared = true;
    }
    auto *field =
        new Field(this, d->fieldCount(), column, type, type == Field::Type::Text ? size : 0);
    field->setObjectName(d->fieldName(column));
    d->fields.append(field);
    return field;
}

void TableObject::clearFields() {
    if (isActive())
        throw d->operationRefused("an open dataset");
    qDeleteAll(d->fields);
    d->fields.clear();
    d->declared = false;
}

bool TableObject::hasDeclaredFields() const {
    return d->declared;
}

QList<Field *> TableObject::fields() const {
    return d->fields;
}

int TableObject::fieldCount() const {
    return d->fieldCount();
}

Field *TableObject::field(int index) const {
    return d->fields.value(index);
}

Field *TableObject::findField(const QString &column) const {
    for (Field *f : std::as_const(d->fields)) {
        if (f->columnName().compare(column, Qt::CaseInsensitive) == 0)
            return f;
    }
    return nullptr;
}

Field *TableObject::fieldByName(const QString &column) const {
    if (Field *f = findField(column))
        return f;
    throw Error(objectName() + QStringLiteral(": Field '%1' not found").arg(column));
}

void TableObject::open() {
    if (isActive())
        return;
    if (d->tableName.isEmpty())
        throw Error(objectName() + QStringLiteral(": Missing table name"));
    Connection *c = d->connection();
    if (!c)
        throw Error(objectName() + QStringLiteral(": Missing Connection or ConnectionString"));
    c->open();
    if (!d->declared)
        d->makeFieldsFromFile();
    d->rows = d->load(&d->readAt);
    d->digests.clear();
    d->invalidateIndexes();
    d->current = d->rowCount() > 0 ? 0 : -1;
    d->bof = true;
    d->eof = d->rowCount() == 0;
    emit rowsReset();
    d->setState(State::Browse);
    d->notifier.currentRowChanged();
    d->notifier.dataChanged(nullptr);
}

void TableObject::close() {
    if (!isActive())
        return;
    d->buffer.clear();
    d->rows.clear();
    d->digests.clear();
    d->invalidateIndexes();
    d->current = -1;
    d->bof = true;
    d->eof = true;
    emit rowsReset();
    d->setState(State::Inactive);
    d->notifier.currentRowChanged();
    if (d->own)
        d->own->close();
}

bool TableObject::isActive() const {
    return d->state != State::Inactive;
}

void TableObject::setActive(bool active) {
    if (active)
        open();
    else
        close();
}

TableObject::State TableObject::state() const {
    return d->state;
}

int TableObject::recordCount() const {
    return d->rowCount();
}

bool TableObject::bof() const {
    return d->bof;
}

bool TableObject::eof() const {
    return d->eof;
}

void TableObject::first() {
    d->checkBrowseMode();
    if (d->rowCount() == 0)
        return;
    d->goTo(0, true, d->current == 0 ? d->eof : false);
}

void TableObject::last() {
    d->checkBrowseMode();
    const int lastRow = d->rowCount() - 1;
    if (lastRow < 0)
        return;
    d->goTo(lastRow, d->current == lastRow ? d->bof : false, true);
}

void TableObject::next() {
    moveBy(1);
}

void TableObject::prior() {
    moveBy(-1);
}

int TableObject::moveBy(int n) {
    d->checkBrowseMode();
    if (n == 0 || d->rowCount() == 0)
        return 0;
    const int target =
        int(std::clamp<qint64>(qint64(d->current) + n, 0, qint64(d->rowCount()) - 1));
    const int moved = target - d->current;
    bool newBof = moved != 0 ? false : d->bof;
    bool newEof = moved != 0 ? false : d->eof;
    if (moved != n)
        (n > 0 ? newEof : newBof) = true;
    d->goTo(target, newBof, newEof);
    return moved;
}

void TableObject::moveTo(int row) {
    d->checkBrowseMode();
    if (row < 0 || row >= d->rowCount())
        return;
    d->moveTo(row);
}

void TableObject::edit() {
    d->checkActive();
    if (isEditing())
        return;
    if (d->rowCount() == 0) {
        insert();
        return;
    }
    d->checkModifiable();
    d->beginEditBuffer(false);
    d->setState(State::Edit);
    d->notifier.dataChanged(nullptr);
}

void TableObject::insert() {
    d->checkBrowseMode();
    d->checkModifiable();
    d->beforeInsert = {d->current, d->bof, d->eof};
    const int row = d->rowCount();
    d->rows.appendEmptyRow(-1);
    d->current = row;
    d->beginEditBuffer(true);
    d->bof = false;
    d->eof = false;
    emit rowInserted(row);
    d->setState(State::Insert);
    d->notifier.currentRowChanged();
    d->notifier.dataChanged(nullptr);
}

void TableObject::post() {
    d->checkActive();
    if (!isEditing())
        return;
    emit updateDataRequested();
    d->postPending();
}

void TableObject::cancel() {
    d->checkActive();
    d->cancelPending();
}

void TableObject::remove() {
    d->checkActive();
    if (d->state == State::Insert) {
        d->cancelPending();
        return;
    }
    if (d->rowCount() == 0)
        throw d->operationRefused("an empty dataset");
    d->checkModifiable();
    const int row = d->current;
    d->deleteRow(row);
    d->buffer.clear();
    d->rows.removeRow(row);
    for (auto &[field, index] : d->locateIndexes)
        index.removeRow(row);
    const int n = d->rowCount();
    d->current = n == 0 ? -1 : std::min(row, n - 1);
    d->bof = n == 0;
    d->eof = n == 0;
    emit rowRemoved(row);
    d->setState(State::Browse);
    d->notifier.currentRowChanged();
    d->notifier.dataChanged(nullptr);
}

void TableObject::refresh() {
    d->checkBrowseMode();
    const qint64 key = d->current >= 0 ? d->rows.key(d->current) : -1;
    Connection::Version version;
    Snapshot newRows = d->load(&version);
    d->keepUnchangedIndexes(newRows);
    d->rows = std::move(newRows);
    d->readAt = version;
    d->digests.clear();
    const int n = d->rowCount();
    int row = d->findKey(key);
    if (row < 0)
        row = n == 0 ? -1 : std::clamp(d->current, 0, n - 1);
    d->current = row;
    d->bof = n == 0;
    d->eof = n == 0;
    emit rowsReset();
    d->notifier.currentRowChanged();
    d->notifier.dataChanged(nullptr);
}

bool TableObject::locate(const QString &column, const QString &text) {
    Field *f = fieldByName(column);
    d->checkBrowseMode();
    const int field = f->index();
    const int row = d->locateIndexes[field].find(
        text, d->rowCount(), [this, field](int r) { return d->indexText(r, field); });
    if (row < 0)
        return false;
    d->moveTo(row);
    return true;
}

void TableObject::prepareLocate(const QString &column) {
    if (!isActive())
        return;
    const int field = fieldByName(column)->index();
    LocateIndex &index = d->locateIndexes[field];
    if (!index.isBuilt())
        index.build(d->rowCount(), [this, field](int r) { return d->indexText(r, field); });
}

QString TableObject::Private::indexText(int row, int field) const {
    const QVariant &stored = rows.cell(row, field);
    if (stored.isNull())
        return QString();
    const Field::Type type = fields[field]->type();
    if ((type == Field::Type::Text || type == Field::Type::Memo) &&
        stored.typeId() == QMetaType::QString) {
        const QString text = stored.toString(); // shares the stored text
        return text.isNull() ? QString(QLatin1String("")) : text;
    }
    const QString text = fields[field]->textOf(stored);
    return text.isNull() ? QString(QLatin1String("")) : text;
}

void TableObject::Private::updateIndexes(int row) {
    for (auto &[field, index] : locateIndexes)
        index.setText(row, indexText(row, field));
}

void TableObject::Private::keepUnchangedIndexes(const Snapshot &newRows) {
    if (!newRows.sameKeys(rows)) {
        invalidateIndexes();
        return;
    }
    for (auto it = locateIndexes.begin(); it != locateIndexes.end();)
        it = newRows.sameColumn(rows, it->first) ? std::next(it) : locateIndexes.erase(it);
}

Bookmark TableObject::bookmark() const {
    if (d->current < 0)
        return {};
    return {d->rows.key(d->current)};
}

bool TableObject::bookmarkValid(const Bookmark &bookmark) const {
    return isActive() && d->findKey(bookmark.key) >= 0;
}

void TableObject::gotoBookmark(const Bookmark &bookmark) {
    d->checkBrowseMode();
    const int row = d->findKey(bookmark.key);
    if (row < 0)
        throw Error(objectName() + QStringLiteral(": Record not found"));
    d->moveTo(row);
}

void TableObject::disableControls() {
    d->notifier.disable();
}

void TableObject::enableControls() {
    d->notifier.enable();
}

bool TableObject::controlsDisabled() const {
    return d->notifier.isDisabled();
}

bool TableObject::isModified() const {
    return isEditing() && d->buffer.isModified();
}

bool TableObject::canModify() const {
    Connection *c = d->connection();
    return isActive() && c && c->isOpen() && !c->isReadOnly();
}

int TableObject::currentIndex() const {
    return d->current;
}

QVariant TableObject::value(int row, int fieldIndex) const {
    Field *f = field(fieldIndex);
    return f ? f->valueOf(d->stored(row, fieldIndex)) : QVariant();
}

QString TableObject::displayText(int row, int fieldIndex) const {
    Field *f = field(fieldIndex);
    return f ? f->textOf(d->stored(row, fieldIndex)) : QString();
}

bool TableObject::isNull(int row, int fieldIndex) const {
    return d->stored(row, fieldIndex).isNull();
}

Field *TableObject::modifiableField(int fieldIndex) {
    d->checkActive();
    Field *f = field(fieldIndex);
    if (!f)
        throw Error(objectName() + QStringLiteral(": Field index out of range"));
    f->checkModifiable();
    return f;
}

QVariant TableObject::storedValue(int fieldIndex) const {
    return d->stored(d->current, fieldIndex);
}

void TableObject::setStoredValue(int fieldIndex, const QVariant &stored) {
    Field *f = modifiableField(fieldIndex);
    if (f->isBlob()) {
        setBlob(fieldIndex, stored.toByteArray());
        return;
    }
    if (!isEditing())
        edit();
    d->buffer.set(fieldIndex, stored);
    emit rowChanged(d->current);
    d->notifier.dataChanged(f);
}

QByteArray TableObject::readBlob(int fieldIndex) const {
    if (d->current < 0 || fieldIndex < 0 || fieldIndex >= fieldCount())
        return {};
    if (isEditing() && d->buffer.blob(fieldIndex))
        return *d->buffer.blob(fieldIndex);
    const qint64 key = d->rows.key(d->current);
    if (key < 0 || d->stored(d->current, fieldIndex).isNull())
        return {};
    QByteArray bytes = d->readBlob(key, fieldIndex);
    // What is read here is what the user is shown: the edit builds on it.
    if (!bytes.isNull())
        d->digests.remember(key, fieldIndex, BlobDigests::of(bytes));
    return bytes;
}

void TableObject::setBlob(int fieldIndex, const QByteArray &bytes) {
    Field *f = modifiableField(fieldIndex);
    if (!isEditing())
        edit();
    d->buffer.setBlob(fieldIndex, bytes);
    emit rowChanged(d->current);
    d->notifier.dataChanged(f);
}

} // namespace data

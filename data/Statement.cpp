#include "data/Statement.h"

#include "data/Error.h"

#include <sqlite3.h>

namespace data {

Statement::Statement(sqlite3 *db, const QString &sql)
    : m_db(db) {
    if (!db)
        throw Error(QStringLiteral("Connection is not open"));
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        fail(db, rc);
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

void Statement::fail(sqlite3 *db, int rc) {
    throw Error(QString::fromUtf8(sqlite3_errmsg(db)), rc);
}

QString Statement::quoted(const QString &identifier) {
    QString copy = identifier;
    return QLatin1Char('"') + copy.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

void Statement::bind(int index, const QVariant &value) {
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::QString: {
            const QString s = value.toString();
            rc = sqlite3_bind_text16(m_stmt, index, s.utf16(), int(s.size() * sizeof(char16_t)),
                                     SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray:
            bindBlob(index, value.toByteArray());
            return;
        default:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        }
    }
    if (rc != SQLITE_OK)
        fail(m_db, rc);
}

void Statement::bindBlob(int index, const QByteArray &bytes) {
    int rc;
    if (bytes.isNull())
        rc = sqlite3_bind_null(m_stmt, index);
    else if (bytes.isEmpty())
        rc = sqlite3_bind_zeroblob(m_stmt, index, 0); // a null pointer would bind NULL
    else
        rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                 SQLITE_STATIC);
    if (rc != SQLITE_OK)
        fail(m_db, rc);
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    fail(m_db, rc);
}

int Statement::exec() {
    while (step()) {
    }
    return sqlite3_changes(m_db);
}

int Statement::columnType(int column) const {
    return sqlite3_column_type(m_stmt, column);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

qint64 Statement::int64(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(m_stmt, column);
}

QString Statement::text(int column) const {
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    const int n = sqlite3_column_bytes(m_stmt, column);
    return QString::fromUtf8(p, n);
}

QByteArray Statement::blob(int column) const {
    if (sqlite3_column_type(m_stmt, column) == SQLITE_NULL)
        return QByteArray();
    const auto *p = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
    const int n = sqlite3_column_bytes(m_stmt, column);
    if (n == 0)
        return QByteArray(""); // empty, not null
    return QByteArray(p, n);
}

} // namespace data

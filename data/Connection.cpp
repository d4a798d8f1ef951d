#include "data/Connection.h"

#include "data/Error.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

namespace data {

namespace {

const QString kDataSourceKey = QStringLiteral("Data Source=");
const QString kModeTail = QStringLiteral(";Mode=");

} // namespace

Connection::Connection(QObject *parent)
    : QObject(parent) {}

Connection::~Connection() {
    close();
}

QString Connection::providerName() {
    return QStringLiteral("SQLite3");
}

QString Connection::buildConnectionString(const QString &directory, const QString &fileName) {
    return QStringLiteral("Provider=") + providerName() +
           QStringLiteral(";User ID=Admin;Data Source=") + directory + QLatin1Char('/') + fileName +
           QStringLiteral(";Mode=Share Deny None;") +
           QStringLiteral("Persist Security Info=False;");
}

QString Connection::dataSourceOf(const QString &connectionString) {
    const qsizetype start = connectionString.indexOf(kDataSourceKey, 0, Qt::CaseInsensitive);
    if (start < 0)
        return {};
    const qsizetype from = start + kDataSourceKey.size();
    qsizetype end = connectionString.lastIndexOf(kModeTail, -1, Qt::CaseInsensitive);
    if (end < from) {
        // No mode piece after it: the value ends at the string's last ';'.
        end = connectionString.lastIndexOf(QLatin1Char(';'));
        if (end < from)
            end = connectionString.size();
    }
    return connectionString.mid(from, end - from);
}

void Connection::setConnectionString(const QString &connectionString) {
    if (connectionString == m_connectionString)
        return;
    close();
    m_connectionString = connectionString;
}

QString Connection::fileName() const {
    return dataSourceOf(m_connectionString);
}

void Connection::setConnectionTimeout(int seconds) {
    m_connectionTimeout = qMax(0, seconds);
}

void Connection::setCommandTimeout(int seconds) {
    m_commandTimeout = qMax(0, seconds);
    if (m_db)
        sqlite3_busy_timeout(m_db, m_commandTimeout * 1000);
}

void Connection::open() {
    if (m_db)
        return;
    const QString file = fileName();
    if (file.isEmpty())
        throw Error(QStringLiteral("The connection string names no Data Source"));
    // Never create: SQLite would make an empty database of a missing file.
    if (!QFileInfo(file).isFile()) {
        throw Error(QStringLiteral("Cannot open database '%1': %2")
                        .arg(file, QString::fromUtf8(sqlite3_errstr(SQLITE_CANTOPEN))),
                    SQLITE_CANTOPEN);
    }
    sqlite3 *db = nullptr;
    const QByteArray path = QDir::toNativeSeparators(file).toUtf8();
    int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    if (rc != SQLITE_OK) {
        const QString text =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw Error(QStringLiteral("Cannot open database '%1': %2").arg(file, text), rc);
    }
    auto fail = [&](int code) {
        const QString text = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close_v2(db);
        throw Error(QStringLiteral("Cannot open database '%1': %2").arg(file, text), code);
    };
    sqlite3_extended_result_codes(db, 0);
    sqlite3_busy_timeout(db, m_connectionTimeout * 1000);

    // Reading the schema proves the file is a database and not locked away.
    sqlite3_stmt *stmt = nullptr;
    rc = sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_schema WHERE type = 'table'", -1,
                            &stmt, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
    rc = sqlite3_step(stmt);
    const int tables = rc == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : 0;
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW)
        fail(rc);
    if (tables == 0) {
        // An empty file reads as an empty database; it is none of ours.
        sqlite3_close_v2(db);
        throw Error(QStringLiteral("Cannot open database '%1': %2")
                        .arg(file, QString::fromUtf8(sqlite3_errstr(SQLITE_NOTADB))),
                    SQLITE_NOTADB);
    }

    for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL"}) {
        rc = sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            fail(rc);
    }
    sqlite3_busy_timeout(db, m_commandTimeout * 1000);
    m_db = db;
    emit opened();
}

void Connection::close() {
    if (!m_db)
        return;
    emit aboutToClose();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool Connection::isReadOnly() const {
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

} // namespace data

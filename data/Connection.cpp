#include "data/Connection.h"

#include "data/BlobDigests.h"
#include "data/Error.h"
#include "data/Statement.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace data {

namespace {

const QString kDataSourceKey = QStringLiteral("Data Source=");
const QString kModeTail = QStringLiteral(";Mode=");

bool canWrite(const QByteArray &path) {
    return ::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) == 0;
}

// Writing needs the file and, for the journal beside it, its folder.
bool mayWrite(const QString &file) {
    return canWrite(QFile::encodeName(file)) &&
           canWrite(QFile::encodeName(QFileInfo(file).absolutePath()));
}

// The file header's read and write versions are 2 in write-ahead logging.
bool isWalFile(const QString &file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = f.read(20);
    return header.size() == 20 && header.at(18) == 2 && header.at(19) == 2;
}

// A read-only session neither creates nor changes a file. A file in
// rollback journal mode is read with ordinary locking. One in write-ahead
// logging needs its -wal and -shm files: when a writer keeps them, they are
// used; when there are none, no one writes the file now, and it is read as
// it lies (immutable), since a read-only reader would have to create them.
QByteArray readOnlyUri(const QString &file) {
    QByteArray uri = "file:" + QUrl::toPercentEncoding(file, "/") + "?mode=ro";
    if (isWalFile(file) && !(QFileInfo::exists(file + QStringLiteral("-wal")) &&
                             QFileInfo::exists(file + QStringLiteral("-shm"))))
        uri += "&immutable=1";
    return uri;
}

// An earlier read-only session of a careless program can leave -wal and -shm
// files as write-protected as the file was then; SQLite would open them
// read-only and refuse every write. Ours get the file's permissions back.
void repairSideFiles(const QString &file) {
    struct stat db;
    if (::stat(QFile::encodeName(file).constData(), &db) != 0)
        return;
    for (const char *suffix : {"-wal", "-shm"}) {
        const QByteArray side = QFile::encodeName(file) + suffix;
        struct stat st;
        if (::lstat(side.constData(), &st) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && !canWrite(side))
            ::chmod(side.constData(), db.st_mode & 0666);
    }
}

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
    int rc;
    if (mayWrite(file)) {
        repairSideFiles(file);
        rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    } else {
        rc = sqlite3_open_v2(readOnlyUri(file).constData(), &db,
                             SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    }
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
    // A double-quoted name is a name: one that matches no column is an error,
    // never a string that reads as the column's name.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    BlobDigests::installSqlFunction(db);

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

    rc = sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
    sqlite3_busy_timeout(db, m_commandTimeout * 1000);
    m_db = db;
    m_preparedToWrite = false;
    m_ownChanges = 0;
    m_writes.clear();
    emit opened();
}

void Connection::close() {
    if (!m_db)
        return;
    emit aboutToClose();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void Connection::prepareToWrite() {
    if (!m_db || m_preparedToWrite || isReadOnly())
        return;
    m_preparedToWrite = true;
    {
        Statement mode(m_db, QStringLiteral("PRAGMA journal_mode"));
        if (mode.step() && mode.text(0) == QLatin1String("wal"))
            return;
    }
    // Readers and a writer then get along. A file that another connection
    // holds open stays as it is for now and takes the write in its own mode.
    sqlite3_busy_timeout(m_db, qMin(m_commandTimeout, 1) * 1000);
    const qint64 before = dataVersion();
    if (sqlite3_exec(m_db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) == SQLITE_OK) {
        // Opening the log counts as a change of the file's data; it is ours.
        m_ownChanges += dataVersion() - before;
    }
    sqlite3_busy_timeout(m_db, m_commandTimeout * 1000);
}

qint64 Connection::dataVersion() const {
    Statement pragma(m_db, QStringLiteral("PRAGMA data_version"));
    pragma.step();
    return pragma.int64(0);
}

Connection::Version Connection::version(const QString &table) const {
    return {dataVersion() - m_ownChanges, m_writes.value(table)};
}

bool Connection::isReadOnly() const {
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

} // namespace data

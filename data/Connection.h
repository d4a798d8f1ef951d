#pragma once

#include <QHash>
#include <QObject>
#include <QString>

struct sqlite3;

namespace data {

// One open database file. The connection string has the shape
//   Provider=SQLite3;User ID=Admin;Data Source=<dir>/<file>;Mode=Share Deny None;Persist Security
//   Info=False;
// The Data Source is everything between "Data Source=" and the ";Mode=" that
// follows it, so a path holding ';' or '=' still names the right file.
// open() never creates a file: a missing file, a file that is not a database
// or a file locked by another connection fails with SQLite's text.
// Opening changes nothing in the file. A file that this process cannot write,
// or whose folder it cannot write, opens read-only without creating or
// leaving any file beside it. A writable file moves to write-ahead logging
// when it is first written (prepareToWrite).
class Connection : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString connectionString READ connectionString WRITE setConnectionString)
    Q_PROPERTY(int connectionTimeout READ connectionTimeout WRITE setConnectionTimeout)
    Q_PROPERTY(int commandTimeout READ commandTimeout WRITE setCommandTimeout)
    Q_PROPERTY(bool connected READ isOpen)
public:
    explicit Connection(QObject *parent = nullptr);
    ~Connection() override;

    // The engine named in the Provider piece.
    static QString providerName();
    // The connection string for `fileName` in `directory` (no trailing separator).
    static QString buildConnectionString(const QString &directory, const QString &fileName);
    // The Data Source of a connection string; empty when it has none.
    static QString dataSourceOf(const QString &connectionString);

    QString connectionString() const { return m_connectionString; }
    void setConnectionString(const QString &connectionString);
    // The file the connection string names.
    QString fileName() const;

    // Seconds to wait for a lock while opening (15 by default).
    int connectionTimeout() const { return m_connectionTimeout; }
    void setConnectionTimeout(int seconds);
    // Seconds a statement waits for another connection's lock (30 by default).
    int commandTimeout() const { return m_commandTimeout; }
    void setCommandTimeout(int seconds);

    // Opening an open connection or closing a closed one does nothing.
    void open();
    void close();
    bool isOpen() const { return m_db != nullptr; }
    bool isReadOnly() const;

    // Called before each write: the first one of a connection moves the file
    // to write-ahead logging, where it is not there yet and no other
    // connection stands in the way.
    void prepareToWrite();

    // How far the file's contents have come, as far as one table goes: the
    // commits of other connections, and this connection's writes to the
    // table. Equal versions mean the table is as it was.
    struct Version {
        qint64 others = 0;
        quint64 ownWrites = 0;
        friend bool operator==(const Version &, const Version &) = default;
    };
    Version version(const QString &table) const;
    // A table object of this connection wrote to the table.
    void noteWrite(const QString &table) { ++m_writes[table]; }

    // The SQLite handle, for the table objects of this layer; null when closed.
    sqlite3 *handle() const { return m_db; }

signals:
    void opened();
    void aboutToClose();

private:
    // PRAGMA data_version: changes with every commit of another connection.
    qint64 dataVersion() const;

    QString m_connectionString;
    int m_connectionTimeout = 15;
    int m_commandTimeout = 30;
    sqlite3 *m_db = nullptr;
    bool m_preparedToWrite = false;
    qint64 m_ownChanges = 0; // of the data version that are not other connections'
    QHash<QString, quint64> m_writes;
};

} // namespace data

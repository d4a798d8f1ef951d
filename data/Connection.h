#pragma once

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
class Connection : public QObject {
    Q_OBJECT
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

    // The SQLite handle, for the table objects of this layer; null when closed.
    sqlite3 *handle() const { return m_db; }

signals:
    void opened();
    void aboutToClose();

private:
    QString m_connectionString;
    int m_connectionTimeout = 15;
    int m_commandTimeout = 30;
    sqlite3 *m_db = nullptr;
};

} // namespace data

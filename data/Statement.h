#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace data {

// A prepared SQLite statement that finalizes itself. Every failure throws
// data::Error with SQLite's text.
class Statement {
public:
    Statement(sqlite3 *db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Binds a stored value (1-based): null, QString, integer, double, QByteArray.
    void bind(int index, const QVariant &value);
    void bindBlob(int index, const QByteArray &bytes);
    // True while a row is available; false when done.
    bool step();
    // Runs the statement to its end and returns the rows it changed.
    int exec();

    int columnType(int column) const;
    bool isNull(int column) const;
    qint64 int64(int column) const;
    double real(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;

    sqlite3_stmt *handle() const { return m_stmt; }

    [[noreturn]] static void fail(sqlite3 *db, int rc);
    static QString quoted(const QString &identifier);

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace data

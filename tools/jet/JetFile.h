#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace tools {

// One value of a Jet row, as the file keeps it.
struct JetValue {
    enum class Kind { Null, Boolean, Integer, Currency, Float, DateTime, Text, Binary };
    Kind kind = Kind::Null;
    qint64 integer = 0; // Boolean 0/1, Integer, Currency in ten-thousandths
    double real = 0;    // Float; DateTime as days since 1899-12-30
    QString text;
    QByteArray bytes;
    bool incomplete = false; // a long value whose pages ended early

    bool isNull() const { return kind == Kind::Null; }
};

// One column of a Jet table.
struct JetColumn {
    QString name;
    // What its values are; Null for a type this reader does not convert.
    JetValue::Kind kind = JetValue::Kind::Null;
    QString typeName; // "Text", "Currency", "OLE", ...
    int size = 0;     // characters of a Text column
    bool autoNumber = false;
};

struct JetTable {
    QString name;
    QList<JetColumn> columns;
    qint64 rowCount = 0;
};

// A Jet 3 or Jet 4 database (and an ACE one where the reader manages), read
// only, through libmdb. Every failure throws core::Error.
class JetFile {
public:
    explicit JetFile(const QString &path);
    ~JetFile();
    JetFile(const JetFile &) = delete;
    JetFile &operator=(const JetFile &) = delete;

    // True when the file starts with the signature of a Jet or ACE database.
    static bool hasSignature(const QString &path);

    QString path() const { return m_path; }
    // "Jet 3", "Jet 4", "ACE 12", ...
    QString formatName() const;
    // The Windows code page of the file's 8-bit texts.
    int codePage() const;
    // The user tables, in the file's catalogue order.
    QStringList tableNames() const;
    JetTable table(const QString &name) const;
    // Calls `row` with each row's values, in the table's columns' order.
    void readRows(const QString &name,
                  const std::function<void(const QList<JetValue> &)> &row) const;

private:
    struct Handle;
    QString m_path;
    std::unique_ptr<Handle> m_handle;
};

} // namespace tools

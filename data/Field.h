#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariant>

namespace data {

class TableObject;

// One column of a table object, reading and writing the current row.
// Its objectName() is the table object's name followed by the column name
// without blanks (ADOTable1ItemName).
class Field : public QObject {
    Q_OBJECT
public:
    enum class Type { AutoIncrement, Text, DateTime, Currency, Boolean, Float, Memo, Blob };
    Q_ENUM(Type)

    TableObject *table() const { return m_table; }
    // Position among the table object's fields.
    int index() const { return m_index; }
    // The column's name, blanks kept ("Mode lNumber").
    QString columnName() const { return m_column; }
    Type type() const { return m_type; }
    // Characters a Text column holds; 0 for other types.
    int size() const { return m_size; }
    bool isReadOnly() const { return m_type == Type::AutoIncrement; }
    // Throws "Field '<column>' cannot be modified" for a read-only field.
    void checkModifiable() const;
    bool isBlob() const { return m_type == Type::Blob; }

    // The current row's value: qlonglong (AutoIncrement), QString (Text, Memo),
    // QDateTime (DateTime), double (Currency, Float), bool (Boolean),
    // qlonglong byte count (Blob). A null value is an invalid QVariant.
    // No current row (closed or empty table) reads as null. A value that the
    // file holds in another storage class than the type's (a real number in a
    // currency column, text in a number column) reads and shows as what it
    // is: qlonglong, double, QString or QByteArray.
    QVariant value() const;
    bool isNull() const;
    // Setting a field of a row in Browse starts an edit; a read-only field,
    // a closed table or bad text throws. Text is cut to the column's width.
    void setValue(const QVariant &value);
    void clear() { setValue(QVariant()); }

    // Display text: dates in the short date format (time only when not
    // midnight), currency as a plain decimal, "True"/"False", floats as the
    // shortest text that reads back the same, null as empty.
    QString asString() const;
    // Reads text as the display does; empty text sets null.
    void setAsString(const QString &text);

    // Currency exactly, in ten-thousandths (12.5 is 125000).
    qint64 currencyUnits() const;
    void setCurrencyUnits(qint64 units);

    // Blob columns: the size needs no read; blob() reads the bytes by key each
    // time (a null value gives a null QByteArray, an empty one an empty one).
    qint64 blobSize() const;
    QByteArray blob() const;
    void setBlob(const QByteArray &bytes);

    // Conversions of a stored value (as the table object keeps it) to the
    // field's value and display text; the grid uses them for any row.
    QVariant valueOf(const QVariant &stored) const;
    QString textOf(const QVariant &stored) const;
    // The stored value for a value or a text; throws on bad input.
    QVariant storedFromValue(const QVariant &value) const;
    QVariant storedFromText(const QString &text) const;

private:
    friend class TableObject;
    Field(TableObject *table, int index, const QString &column, Type type, int size);

    TableObject *m_table;
    int m_index;
    QString m_column;
    Type m_type;
    int m_size;
};

} // namespace data

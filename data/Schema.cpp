#include "data/Schema.h"

#include <QRegularExpression>

namespace data {

namespace {

using T = Field::Type;

ColumnDef key(const char *name) {
    return {QString::fromUtf8(name), T::AutoIncrement, 0, true};
}
ColumnDef text(const char *name, int size) {
    return {QString::fromUtf8(name), T::Text, size, true};
}
ColumnDef col(const char *name, T type) {
    return {QString::fromUtf8(name), type, 0, true};
}

QList<TableDef> makeTables() {
    const QString main = QString::fromLatin1(Schema::mainFile);
    QList<TableDef> tables;
    tables.append(
        {main,
         QStringLiteral("Household Inventory"),
         {key("Household ID"), text("Room ID", 50), text("Item Name", 50), text("Item Type", 50),
          text("Description", 255), text("Manufacturer", 50), text("Mode lNumber", 50),
          text("Serial Number", 50), col("Date Purchased", T::DateTime),
          text("Place Purchased", 100), col("Purchase Price", T::Currency),
          col("Insured", T::Boolean), col("Photograph", T::Blob)},
         true});
    tables.append(
        {main,
         QStringLiteral("People"),
         {key("People ID"), text("Email Address", 50), text("Home Phone", 30),
          text("Work Phone", 30), text("Work Extension", 20), text("Cell Phone", 30),
          text("Fax Number", 30), col("Birthdate", T::DateTime),
          col("Date Last Talked To", T::DateTime), text("Nickname", 30), col("Notes", T::Memo),
          text("Hobbies", 255), col("Photograph", T::Blob), text("Title", 5),
          text("First Name", 50), text("Middle Ini", 5), text("Last Name", 50), text("Suffix", 5)},
         true});
    tables.append({main,
                   QStringLiteral("Diary"),
                   {key("DiaryID"), col("Notes", T::Memo), text("Password", 20)},
                   true});
    tables.append(
        {main,
         QStringLiteral("Privacy"),
         {key("Privacy ID"), col("Cash", T::Currency), text("Account Name", 50),
          text("Account Number", 30), text("Security Name", 50), text("Security Symbol", 20),
          text("Security Type", 30), col("Shares Owned", T::Float), text("Jewelries", 100),
          text("Secret Place", 50), text("Policy Type", 30), text("Policy Number", 30),
          col("Notes", T::Memo), col("Photograph", T::Blob)},
         true});
    // Help declares no fields: they are made from the file's columns.
    tables.append({main,
                   QStringLiteral("Help"),
                   {key("Help ID"), text("Topic", 50), col("Notes", T::Memo)},
                   false});
    TableDef idiom{QString::fromLatin1(Schema::idiomFile),
                   QStringLiteral("Idiom"),
                   {key("Idiom ID"), text("Phrase", 255)},
                   true};
    idiom.columns[0].declared = false;
    tables.append(idiom);
    return tables;
}

const QList<TableDef> &tables() {
    static const QList<TableDef> all = makeTables();
    return all;
}

QString quoted(const QString &identifier) {
    QString copy = identifier;
    return QLatin1Char('"') + copy.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

} // namespace

QString ColumnDef::fieldName(const QString &tableObjectName) const {
    QString bare = name;
    bare.remove(QLatin1Char(' '));
    return tableObjectName + bare;
}

const ColumnDef *TableDef::column(const QString &columnName) const {
    for (const ColumnDef &c : columns) {
        if (c.name.compare(columnName, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

QString TableDef::createStatement() const {
    // A blob in the middle of a row makes reading the columns after it slow:
    // blobs go last in the file, whatever their declared place.
    QStringList parts;
    QStringList blobs;
    for (const ColumnDef &c : columns) {
        QString part = quoted(c.name) + QLatin1Char(' ') + Schema::sqlType(c.type, c.size);
        (c.type == Field::Type::Blob ? blobs : parts).append(part);
    }
    parts += blobs;
    return QStringLiteral("CREATE TABLE ") + quoted(name) + QStringLiteral(" (") +
           parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

const TableDef &Schema::table(TableId id) {
    return tables().at(static_cast<int>(id));
}

QList<TableId> Schema::allTables() {
    return {TableId::HouseholdInventory,
            TableId::People,
            TableId::Diary,
            TableId::Privacy,
            TableId::Help,
            TableId::Idiom};
}

QList<TableId> Schema::tablesOf(const QString &fileName) {
    QList<TableId> result;
    for (TableId id : allTables()) {
        if (table(id).fileName == fileName)
            result.append(id);
    }
    return result;
}

QString Schema::sqlType(Field::Type type, int size) {
    switch (type) {
    case T::AutoIncrement:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case T::Text:
        return QStringLiteral("VARCHAR(%1)").arg(size);
    case T::DateTime:
        return QStringLiteral("DATETIME");
    case T::Currency:
        return QStringLiteral("CURRENCY");
    case T::Boolean:
        return QStringLiteral("BOOLEAN");
    case T::Float:
        return QStringLiteral("DOUBLE");
    case T::Memo:
        return QStringLiteral("TEXT");
    case T::Blob:
        return QStringLiteral("BLOB");
    }
    return {};
}

Field::Type Schema::fieldType(const QString &sqlType, bool primaryKey, int *size) {
    static const QRegularExpression widthPattern(QStringLiteral(R"(\(\s*(\d+)\s*\))"));
    const QString upper = sqlType.trimmed().toUpper();
    if (size)
        *size = 0;
    if (primaryKey && upper.startsWith(QLatin1String("INTEGER")))
        return T::AutoIncrement;
    if (upper.contains(QLatin1String("CHAR")) || upper.startsWith(QLatin1String("TEXT("))) {
        const auto match = widthPattern.match(upper);
        if (match.hasMatch()) {
            if (size)
                *size = match.captured(1).toInt();
            return T::Text;
        }
        return T::Memo;
    }
    if (upper.startsWith(QLatin1String("DATE")) || upper.startsWith(QLatin1String("TIME")))
        return T::DateTime;
    if (upper.startsWith(QLatin1String("CURRENCY")) || upper.startsWith(QLatin1String("MONEY")))
        return T::Currency;
    if (upper.startsWith(QLatin1String("BOOL")) || upper == QLatin1String("BIT"))
        return T::Boolean;
    if (upper.contains(QLatin1String("REAL")) || upper.contains(QLatin1String("FLOA")) ||
        upper.contains(QLatin1String("DOUB")))
        return T::Float;
    if (upper.contains(QLatin1String("BLOB")) || upper.isEmpty())
        return upper.isEmpty() ? T::Memo : T::Blob;
    if (upper.contains(QLatin1String("INT")))
        return T::Float; // a plain number column; no integer field type of our own
    return T::Memo;
}

} // namespace data

#pragma once

#include "data/Field.h"

#include <QList>
#include <QString>

namespace data {

// One column of a table in the file.
struct ColumnDef {
    QString name; // blanks kept: "Mode lNumber"
    Field::Type type;
    int size = 0;         // characters of a Text column
    bool declared = true; // reachable through a declared field object

    // The field object's name for a table object: "ADOTable1" + "ModelNumber".
    QString fieldName(const QString &tableObjectName) const;
};

// One table: its file, name and columns in declared order.
struct TableDef {
    QString fileName; // Schema::mainFile or Schema::idiomFile
    QString name;
    QList<ColumnDef> columns;
    bool declaresFields = true; // false: fields are made from the file's columns

    const ColumnDef *column(const QString &name) const;
    // CREATE TABLE statement: identifiers quoted, the blob column last.
    QString createStatement() const;
};

enum class TableId { HouseholdInventory, People, Diary, Privacy, Help, Idiom };

class Schema {
public:
    static constexpr const char *mainFile = "Hearthledger.mdb";
    static constexpr const char *idiomFile = "idioms.mdb";

    static const TableDef &table(TableId id);
    // The five tables of the main file, then Idiom.
    static QList<TableId> allTables();
    static QList<TableId> tablesOf(const QString &fileName);
    // The SQL column type that stands for a field type ("VARCHAR(50)", ...).
    static QString sqlType(Field::Type type, int size);
    // The field type a column of the file stands for (from its SQL type).
    static Field::Type fieldType(const QString &sqlType, bool primaryKey, int *size);
};

} // namespace data

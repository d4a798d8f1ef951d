#pragma once

#include "data/Schema.h"

#include <QObject>
#include <QString>

namespace data {

class Connection;
class TableObject;

// Table objects configured from the schema: table name and, where the table
// declares them, its field objects in declared order, named after the table
// object ("ADOTable1ItemName").
class TableFactory {
public:
    // Sets the table name and declares the fields (none when declareFields
    // is false or the table declares none). The table object must be closed.
    static void configure(TableObject *table, TableId id, bool declareFields = true);
    // A new table object named objectName, configured, on `connection`.
    static TableObject *create(TableId id, const QString &objectName, Connection *connection,
                               QObject *parent);
    // A new table object with a connection of its own to the file of `id` in
    // `directory` (the report forms' way).
    static TableObject *createOwnConnection(TableId id, const QString &objectName,
                                            const QString &directory, QObject *parent,
                                            bool declareFields = true);
};

} // namespace data

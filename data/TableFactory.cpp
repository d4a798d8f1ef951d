#include "data/TableFactory.h"

#include "data/Connection.h"
#include "data/TableObject.h"

namespace data {

void TableFactory::configure(TableObject *table, TableId id, bool declareFields) {
    const TableDef &def = Schema::table(id);
    table->close();
    table->clearFields();
    table->setTableName(def.name);
    if (!declareFields || !def.declaresFields)
        return;
    for (const ColumnDef &column : def.columns) {
        if (column.declared)
            table->addField(column.name, column.type, column.size);
    }
}

TableObject *TableFactory::create(TableId id, const QString &objectName, Connection *connection,
                                  QObject *parent) {
    auto *table = new TableObject(parent);
    table->setObjectName(objectName);
    configure(table, id);
    table->setConnection(connection);
    return table;
}

TableObject *TableFactory::createOwnConnection(TableId id, const QString &objectName,
                                               const QString &directory, QObject *parent,
                                               bool declareFields) {
    auto *table = new TableObject(parent);
    table->setObjectName(objectName);
    configure(table, id, declareFields);
    table->setConnectionString(
        Connection::buildConnectionString(directory, Schema::table(id).fileName));
    return table;
}

} // namespace data

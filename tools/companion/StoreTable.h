#pragma once

#include "data/Connection.h"
#include "data/Schema.h"
#include "data/TableObject.h"

#include <memory>

namespace tools {

// One table of a data folder opened through the data layer, as the program
// opens it: declared fields where the table declares them, rows in key order.
class StoreTable {
public:
    StoreTable(const QString &folder, data::TableId id);

    data::TableObject &table() { return *m_table; }
    // "household", "people", "diary", "privacy", "help", "idiom": the stem of
    // the files an export writes for the table.
    static QString stem(data::TableId id);

private:
    data::Connection m_connection;
    std::unique_ptr<data::TableObject> m_table;
};

} // namespace tools

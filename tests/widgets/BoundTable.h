#pragma once

#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/TableFactory.h"
#include "data/TableObject.h"
#include "tests/data/DataFixture.h"

#include <memory>

// One table of a fresh database, open, with a data source for bound widgets.
struct BoundTable {
    explicit BoundTable(data::TableId id) {
        tools::PrepareOptions options;
        options.helpTexts = false;
        fixture = std::make_unique<DataFixture>(options);
        connection = fixture->connect();
        table.reset(
            data::TableFactory::create(id, QStringLiteral("ADOTable"), connection.get(), nullptr));
        source.setDataSet(table.get());
    }
    QString stored(const QString &column) const { return table->fieldByName(column)->asString(); }

    std::unique_ptr<DataFixture> fixture;
    std::unique_ptr<data::Connection> connection;
    std::unique_ptr<data::TableObject> table;
    data::DataSource source;
};

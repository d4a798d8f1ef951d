#include "tools/companion/StoreTable.h"

#include "data/TableFactory.h"

namespace tools {

StoreTable::StoreTable(const QString &folder, data::TableId id) {
    const data::TableDef &def = data::Schema::table(id);
    m_connection.setConnectionString(data::Connection::buildConnectionString(folder, def.fileName));
    m_connection.open();
    m_table.reset(
        data::TableFactory::create(id, QStringLiteral("ExportTable"), &m_connection, nullptr));
    m_table->open();
}

QString StoreTable::stem(data::TableId id) {
    switch (id) {
    case data::TableId::HouseholdInventory:
        return QStringLiteral("household");
    case data::TableId::People:
        return QStringLiteral("people");
    case data::TableId::Diary:
        return QStringLiteral("diary");
    case data::TableId::Privacy:
        return QStringLiteral("privacy");
    case data::TableId::Help:
        return QStringLiteral("help");
    case data::TableId::Idiom:
        return QStringLiteral("idiom");
    }
    return QString();
}

} // namespace tools

#include "data/DataSource.h"

#include "data/TableObject.h"

namespace data {

DataSource::DataSource(QObject *parent)
    : QObject(parent) {}

DataSource::~DataSource() = default;

void DataSource::setDataSet(TableObject *table) {
    if (table == m_table)
        return;
    for (const auto &link : std::as_const(m_links))
        disconnect(link);
    m_links.clear();
    m_table = table;
    if (table) {
        m_links << connect(table, &TableObject::dataChanged, this, &DataSource::dataChange)
                << connect(table, &TableObject::stateChanged, this, &DataSource::stateChange)
                << connect(table, &TableObject::updateDataRequested, this, &DataSource::updateData);
    }
    emit dataSetChanged();
}

} // namespace data

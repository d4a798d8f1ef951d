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

void DataSource::addPendingEdit(PendingEdit *edit) {
    if (!m_pendingEdits.contains(edit))
        m_pendingEdits.append(edit);
}

void DataSource::removePendingEdit(PendingEdit *edit) {
    m_pendingEdits.removeAll(edit);
}

void DataSource::writePendingEdits() {
    // A copy: writing may bind or unbind controls.
    const QList<PendingEdit *> edits = m_pendingEdits;
    for (auto it = edits.crbegin(); it != edits.crend(); ++it)
        (*it)->writePending();
}

} // namespace data

#include "listreports/TableReportSource.h"

#include "data/Field.h"
#include "data/TableObject.h"
#include "platform/rtf/RtfReader.h"

#include <QTextDocument>

namespace listreports {

TableReportSource::TableReportSource(const data::TableObject &table)
    : m_table(table) {}

int TableReportSource::rowCount() const {
    return m_table.rowCount();
}

int TableReportSource::fieldIndex(const QString &column) const {
    auto found = m_fieldIndexes.constFind(column);
    if (found != m_fieldIndexes.constEnd())
        return *found;
    data::Field *field = m_table.findField(column);
    const int index = field ? field->index() : -1;
    m_fieldIndexes.insert(column, index);
    return index;
}

QString TableReportSource::displayText(int row, const QString &column) const {
    const int index = fieldIndex(column);
    if (index < 0)
        return QString();
    try {
        return m_table.displayText(row, index);
    } catch (const std::exception &) {
        return QString();
    }
}

void TableReportSource::fillRichText(int row, const QString &column,
                                     QTextDocument &document) const {
    const int index = fieldIndex(column);
    if (index < 0)
        return;
    platform::RtfReader reader;
    QTextCharFormat plain;
    plain.setFont(document.defaultFont());
    reader.setDefaultCharFormat(plain);
    reader.read(m_table.value(row, index).toString(), &document);
}

} // namespace listreports

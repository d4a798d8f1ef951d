#include "MemorySource.h"

#include <QTextDocument>

MemorySource::MemorySource(QStringList columns, QList<QStringList> rows)
    : m_columns(std::move(columns))
    , m_rows(std::move(rows))
    , m_rowCount(int(m_rows.size())) {}

MemorySource::MemorySource(int rowCount, Generator generator)
    : m_rowCount(rowCount)
    , m_generator(std::move(generator)) {}

void MemorySource::setRichText(const QString &column, QStringList html) {
    m_rich.insert(column, std::move(html));
}

QString MemorySource::displayText(int row, const QString &column) const {
    m_asked.insert(row);
    if (m_generator)
        return m_generator(row, column);
    const int index = int(m_columns.indexOf(column));
    return index < 0 ? QString() : m_rows.at(row).value(index);
}

void MemorySource::fillRichText(int row, const QString &column, QTextDocument &document) const {
    m_asked.insert(row);
    const QStringList html = m_rich.value(column);
    if (row < html.size())
        document.setHtml(html.at(row));
    else
        ReportSource::fillRichText(row, column, document);
}

#pragma once

#include "platform/reportengine/ReportSource.h"

#include <QHash>

namespace data {
class TableObject;
}

namespace listreports {

// A table object's rows as a report prints them: each value as the data
// layer shows it, memo columns read as rich text. A value that cannot be
// turned into text prints as nothing.
class TableReportSource : public reportengine::ReportSource {
public:
    explicit TableReportSource(const data::TableObject &table);

    int rowCount() const override;
    QString displayText(int row, const QString &column) const override;
    void fillRichText(int row, const QString &column, QTextDocument &document) const override;

private:
    int fieldIndex(const QString &column) const;

    const data::TableObject &m_table;
    mutable QHash<QString, int> m_fieldIndexes;
};

} // namespace listreports

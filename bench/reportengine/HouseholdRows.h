#pragma once

#include "platform/reportengine/ReportDefinition.h"
#include "platform/reportengine/ReportSource.h"

#include <QIODevice>

// Made-up household items, computed per row: nothing is held in memory.
class HouseholdRows : public reportengine::ReportSource {
public:
    explicit HouseholdRows(int rows)
        : m_rows(rows) {}

    int rowCount() const override { return m_rows; }
    QString displayText(int row, const QString &column) const override;

    // The ten printed columns, in order.
    static QStringList columns();
    static QStringList headings();
    // A list report of the items: A4 landscape, ten columns.
    static reportengine::ReportDefinition definition();
    // Diary-like notes: one rich-text record per row.
    static reportengine::ReportDefinition notesDefinition();

    // The same table as a flat OpenDocument text, for LibreOffice to lay out.
    void writeFlatOdt(QIODevice &device) const;

private:
    int m_rows;
};

#pragma once

#include "platform/report/ReportDefinition.h"
#include "platform/report/ReportSource.h"

#include <QIODevice>

// Made-up household items, computed per row: nothing is held in memory.
class HouseholdRows : public report::ReportSource {
public:
    explicit HouseholdRows(int rows)
        : m_rows(rows) {}

    int rowCount() const override { return m_rows; }
    QString displayText(int row, const QString &column) const override;

    // The ten printed columns, in order.
    static QStringList columns();
    static QStringList headings();
    // A list report of the items: A4 landscape, ten columns.
    static report::ReportDefinition definition();
    // Diary-like notes: one rich-text record per row.
    static report::ReportDefinition notesDefinition();

    // The same table as a flat OpenDocument text, for LibreOffice to lay out.
    void writeFlatOdt(QIODevice &device) const;

private:
    int m_rows;
};

#pragma once

#include <QString>

class QTextDocument;

namespace reportengine {

// The rows a report prints. A table object is adapted to it; the engine asks
// for the rows it lays out or draws and never copies them all.
class ReportSource {
public:
    virtual ~ReportSource() = default;

    virtual int rowCount() const = 0;
    // The value of a column at a row as it is displayed.
    virtual QString displayText(int row, const QString &column) const = 0;
    // Fills an empty document (default font and width already set) with the
    // rich text of a column at a row. By default the display text, plain.
    virtual void fillRichText(int row, const QString &column, QTextDocument &document) const;
};

} // namespace reportengine

#include "platform/report/ReportSource.h"

#include <QTextDocument>

namespace report {

void ReportSource::fillRichText(int row, const QString &column, QTextDocument &document) const {
    document.setPlainText(displayText(row, column));
}

} // namespace report

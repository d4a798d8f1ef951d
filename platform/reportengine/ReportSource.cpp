#include "platform/reportengine/ReportSource.h"

#include <QTextDocument>

namespace reportengine {

void ReportSource::fillRichText(int row, const QString &column, QTextDocument &document) const {
    document.setPlainText(displayText(row, column));
}

} // namespace reportengine

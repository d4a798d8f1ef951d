#include "platform/reportengine/ReportFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace reportengine {

QString titleFontFamily() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char *candidate : {"Kaushan Script", "Dancing Script", "Lobster"}) {
            const QString name = QString::fromLatin1(candidate);
            if (installed.contains(name, Qt::CaseInsensitive))
                return name;
        }
        QFont fallback(QStringLiteral("serif"));
        fallback.setStyleHint(QFont::Serif);
        return fallback.defaultFamily();
    }();
    return family;
}

} // namespace reportengine

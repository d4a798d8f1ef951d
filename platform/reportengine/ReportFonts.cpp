#include "platform/reportengine/ReportFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
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

qreal syntheticBoldWidth(const QFont &font) {
    if (font.weight() < QFont::DemiBold)
        return 0;
    const QFontInfo face(font);
    const int faceWeight = QFontDatabase::weight(face.family(), face.styleName());
    if (faceWeight < 0 || faceWeight >= QFont::DemiBold)
        return 0;
    // About as much as a bold face adds to a regular one's strokes.
    return face.pixelSize() / 20.0;
}

} // namespace reportengine

#include "FaceNames.h"

namespace platform {

QStringList facesFor(const QString &face) {
    // The classic dialog face and its relatives: a sans serif of Arial's
    // metrics where there is one, else the desktop's own sans serif.
    static const QStringList classicSans = {
        QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
        QStringLiteral("MS Shell Dlg"), QStringLiteral("MS Shell Dlg 2")};
    static const QStringList classicSansStandIns = {QStringLiteral("Microsoft Sans Serif"),
                                                    QStringLiteral("Liberation Sans"),
                                                    QStringLiteral("DejaVu Sans")};
    QStringList faces{face};
    if (classicSans.contains(face, Qt::CaseInsensitive)) {
        for (const QString &standIn : classicSansStandIns) {
            if (!faces.contains(standIn, Qt::CaseInsensitive))
                faces << standIn;
        }
    }
    return faces;
}

} // namespace platform

#pragma once

#include <QString>

class QFont;

namespace reportengine {

// The decorative display face for report titles, by family name, falling back
// to a face that every machine has when it is not installed.
QString titleFontFamily();

// The pen width that thickens the letters of a bold font whose face has no bold
// of its own, or 0 where the face is bold itself (or the font is not bold). The
// font's own thickening shows on screen only; printed and PDF pages carry the
// face's regular letters.
qreal syntheticBoldWidth(const QFont &font);

} // namespace reportengine

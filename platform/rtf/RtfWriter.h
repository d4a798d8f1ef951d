#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace platform {

// Writes a QTextDocument as RTF, 7-bit ASCII throughout. A character that its
// font's code page holds goes out in that page (\'xx, or \'xx\'yy for a
// double-byte page), which every RTF reader understands; any other character
// as \uN with "?" (written \'3f) for readers without Unicode. Each paragraph is
// written with its alignment, indents, spacing, tab stops, direction and page
// break, each run with face name, character set, pitch, family, size, colour,
// highlight and style, so that the reader gives back the same document and
// writing that again gives the same bytes. Attributes left unset in the
// document are taken from its default font. Sizes are written in half points
// from 2 to 1638 points: a size set in pixels (96 per inch) goes out as the
// nearest half point. Images and other objects are left out; a list item's
// mark (number or bullet) becomes text in front of it, and its list's indent
// its left indent.
class RtfWriter {
public:
    QByteArray write(const QTextDocument &document) const;
    // The same RTF as a memo column's text (see rtfToColumnText).
    QString writeColumnText(const QTextDocument &document) const;
};

} // namespace platform

#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace platform {

// Writes a QTextDocument as RTF: 7-bit ASCII, every other character as \'xx
// in its font's code page when that page has it, else as \uN with the
// code-page bytes (or "?") as fallback. Each paragraph is written with all its
// attributes (alignment, indents, spacing, tab stops) and each run with face
// name, character set, pitch, size, colour, highlight and style, so that the
// reader gives back the same document and writing that again gives the same
// bytes. Attributes left unset in the document are taken from its default font.
// Sizes are written in half points: a size set in pixels (96 per inch) goes
// out as the nearest half point. Images and other objects are left out.
class RtfWriter {
public:
    QByteArray write(const QTextDocument &document) const;
    // The same RTF as a memo column's text (see rtfToColumnText).
    QString writeColumnText(const QTextDocument &document) const;
};

} // namespace platform

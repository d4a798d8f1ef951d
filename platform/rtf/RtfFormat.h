#pragma once

#include <QByteArray>
#include <QString>
#include <QTextFormat>

// Shared vocabulary of the RTF reader and writer.
//
// A memo column holds RTF as text: each byte of the RTF is one character of
// the column's QString (Latin-1). The writer produces 7-bit ASCII only (every
// other character goes out as \'xx or \uN), so a page it wrote is the same
// text whichever 8-bit-clean encoding stores it. RTF that arrives in a QString
// with characters above U+00FF (someone stored the RTF through a Unicode
// editor) is read with those characters taken as they are.

namespace platform {

// Character attributes that Qt's formats do not carry, kept as user
// properties of QTextCharFormat (both ints).
enum RtfCharProperty {
    // The font's character set as in a font table: 0 ANSI, 1 default, 2 symbol,
    // 128 Shift-JIS, 161 Greek, 204 Cyrillic, 238 Eastern European...
    CharSetProperty = QTextFormat::UserProperty + 0x5200,
    // The font's pitch: 0 default, 1 fixed, 2 variable.
    PitchProperty = QTextFormat::UserProperty + 0x5201,
};

// True when the bytes start with "{\rtf" after optional white space (a UTF-8
// byte order mark in front is allowed too).
bool isRtf(const QByteArray &bytes);
bool isRtf(const QString &text);

// The column text that holds the given RTF bytes, and back. Characters above
// U+00FF in a column text become a private control word that the reader
// turns back into the character.
QString rtfToColumnText(const QByteArray &rtf);
QByteArray columnTextToRtf(const QString &text);

} // namespace platform

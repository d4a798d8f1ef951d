#pragma once

#include <QByteArray>
#include <QString>
#include <QTextCharFormat>

class QTextDocument;

namespace platform {

// Loads a stored text (RTF, plain text or nothing) into a QTextDocument.
//
// RTF is read leniently, as word processors do: unknown control words are
// ignored, unknown and non-text destinations (pictures, style sheets, document
// information, fields' instructions...) skipped, a document cut short ends
// where its bytes end. What a word processor draws besides the paragraphs
// becomes text: list numbers and bullets (from the list table) in front of
// their paragraphs, notes' text at the end with their marks, the text of text
// boxes as paragraphs where the boxes stand. 8-bit text is decoded through the code page that the
// font's \fcharset (or \cpg) or the document's \ansicpg names. Every input
// gives a document; time and memory grow linearly with its length.
class RtfReader {
public:
    RtfReader() = default;

    // The format of text that names no font, size, colour or style of its own,
    // and of plain-text values.
    void setDefaultCharFormat(const QTextCharFormat &format) { m_default = format; }
    const QTextCharFormat &defaultCharFormat() const { return m_default; }

    // Replaces the document's contents with the value: RTF when it is RTF
    // (see isRtf), else plain text (UTF-8 when the bytes are valid UTF-8,
    // else Windows-1252); an empty value gives an empty document.
    void read(const QByteArray &bytes, QTextDocument *document) const;
    // The same for a memo column's text (see columnTextToRtf).
    void read(const QString &columnText, QTextDocument *document) const;

    // Reads the bytes as RTF whatever they start with.
    void readRtf(const QByteArray &rtf, QTextDocument *document) const;
    void readPlainText(const QString &text, QTextDocument *document) const;

private:
    QTextCharFormat m_default;
};

} // namespace platform

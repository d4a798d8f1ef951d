#include "RtfDocumentBuilder.h"

#include <QTextDocument>

namespace platform::rtf {

namespace {

// Characters that must not reach a document as text: they would open blocks or
// frames of their own, or are not characters at all.
void sanitize(QString &text) {
    QChar *p = text.data();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c < 0xD800 && c != '\n' && c != '\r' && c != 0 && c != 0x2029)
            continue;
        if (c == '\n' || c == '\r' || c == 0x2029) {
            p[i] = QChar::LineSeparator;
        } else if (c == 0 || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC || c == 0xFFFE ||
                   c == 0xFFFF) {
            p[i] = QChar::ReplacementCharacter;
        } else if (QChar::isHighSurrogate(c)) {
            if (i + 1 < n && QChar::isLowSurrogate(p[i + 1].unicode()))
                ++i;
            else
                p[i] = QChar::ReplacementCharacter;
        } else if (QChar::isLowSurrogate(c)) {
            p[i] = QChar::ReplacementCharacter;
        }
    }
}

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument *document)
    : m_cursor(document) {
    m_cursor.beginEditBlock();
}

DocumentBuilder::~DocumentBuilder() {
    m_cursor.endEditBlock();
}

void DocumentBuilder::openBlock() {
    if (m_blockOpen)
        return;
    m_cursor.insertBlock();
    m_blockOpen = true;
    m_pageBreak = m_nextPageBreak;
    m_nextPageBreak = false;
}

void DocumentBuilder::insertText(const QString &text, const QTextCharFormat &format) {
    if (text.isEmpty())
        return;
    openBlock();
    QString clean = text;
    sanitize(clean);
    m_cursor.insertText(clean, format);
}

void DocumentBuilder::endParagraph(QTextBlockFormat format, const QTextCharFormat &charFormat) {
    openBlock();
    if (m_pageBreak)
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    m_cursor.setBlockFormat(format);
    m_cursor.setBlockCharFormat(charFormat);
    m_blockOpen = false;
}

void DocumentBuilder::finish(const QTextBlockFormat &format, const QTextCharFormat &charFormat) {
    if (m_blockOpen)
        endParagraph(format, charFormat);
}

} // namespace platform::rtf

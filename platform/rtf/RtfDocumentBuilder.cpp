#include "RtfDocumentBuilder.h"

#include <QTextDocument>

namespace platform::rtf {

void sanitize(QString &text) {
    const qsizetype n = text.size();
    const QChar *scan = text.constData();
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = scan[i].unicode();
        if (c < 0xD800 && c != '\n' && c != '\r' && c != 0 && c != 0x2029)
            ++i;
        else
            break;
    }
    if (i == n)
        return;
    QChar *p = text.data();
    for (; i < n; ++i) {
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

DocumentBuilder::DocumentBuilder(QTextDocument *document)
    : m_cursor(document) {
    m_cursor.beginEditBlock();
}

DocumentBuilder::~DocumentBuilder() {
    m_cursor.endEditBlock();
}

void DocumentBuilder::open() {
    if (m_open)
        return;
    m_open = true;
    m_pageBreak = m_nextPageBreak;
    m_nextPageBreak = false;
}

void DocumentBuilder::endRun(const QTextCharFormat &format) {
    const qsizetype start = m_runs.empty() ? 0 : m_runs.back().end;
    if (m_text.size() <= start)
        return;
    open();
    m_runs.push_back({m_text.size(), format});
}

void DocumentBuilder::endParagraph(QTextBlockFormat format, const QTextCharFormat &charFormat) {
    open();
    if (m_pageBreak)
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    if (m_first) {
        m_cursor.setBlockFormat(format);
        m_cursor.setBlockCharFormat(charFormat);
        m_first = false;
    } else {
        m_cursor.insertBlock(format, charFormat);
    }
    sanitize(m_text);
    qsizetype start = 0;
    for (const Run &run : m_runs) {
        m_cursor.insertText(QString::fromRawData(m_text.constData() + start, run.end - start),
                            run.format);
        start = run.end;
    }
    m_runs.clear();
    m_text.resize(0);
    m_open = false;
    m_pageBreak = false;
}

void DocumentBuilder::finish(const QTextBlockFormat &format, const QTextCharFormat &charFormat) {
    if (m_open)
        endParagraph(format, charFormat);
}

} // namespace platform::rtf

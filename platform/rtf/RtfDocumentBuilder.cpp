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
    if (m_para.open)
        return;
    m_para.open = true;
    m_para.pageBreak = m_nextPageBreak;
    m_nextPageBreak = false;
}

void DocumentBuilder::endRun(const QTextCharFormat &format) {
    const qsizetype start = m_para.runs.empty() ? 0 : m_para.runs.back().end;
    if (m_text.size() <= start)
        return;
    open();
    m_para.runs.push_back({m_text.size(), format});
}

QString DocumentBuilder::takeTextSince(size_t mark, QTextCharFormat *format) {
    if (mark >= m_para.runs.size())
        return QString();
    const qsizetype start = mark == 0 ? 0 : m_para.runs[mark - 1].end;
    if (format)
        *format = m_para.runs[mark].format;
    const QString taken = m_text.mid(start, m_para.runs.back().end - start);
    m_text.remove(start, taken.size());
    m_para.runs.resize(mark);
    return taken;
}

void DocumentBuilder::endParagraph(QTextBlockFormat format, const QTextCharFormat &charFormat,
                                   const QString &label) {
    open();
    if (m_para.pageBreak)
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    if (!label.isEmpty()) {
        const QTextCharFormat labelFormat =
            m_para.runs.empty() ? charFormat : m_para.runs.front().format;
        m_text.prepend(label);
        for (Run &run : m_para.runs)
            run.end += label.size();
        m_para.runs.insert(m_para.runs.begin(), Run{label.size(), labelFormat});
    }
    if (inNote())
        m_notes.push_back({format, charFormat, m_text, std::move(m_para.runs)});
    else
        insert(format, charFormat, m_text, m_para.runs);
    m_para.runs.clear();
    m_text.resize(0);
    m_para.open = false;
    m_para.pageBreak = false;
}

void DocumentBuilder::insert(QTextBlockFormat format, const QTextCharFormat &charFormat,
                             const QString &text, const std::vector<Run> &runs) {
    if (m_first) {
        m_cursor.setBlockFormat(format);
        m_cursor.setBlockCharFormat(charFormat);
        m_first = false;
    } else {
        m_cursor.insertBlock(format, charFormat);
    }
    QString clean = text;
    sanitize(clean);
    qsizetype start = 0;
    for (const Run &run : runs) {
        m_cursor.insertText(QString::fromRawData(clean.constData() + start, run.end - start),
                            run.format);
        start = run.end;
    }
}

void DocumentBuilder::dropEmptyParagraph() {
    if (m_para.runs.empty() && m_text.isEmpty())
        m_para.open = false;
}

void DocumentBuilder::beginNote() {
    m_interrupted.emplace_back(std::move(m_para), std::move(m_text));
    m_para = Gathering();
    m_text = QString();
}

void DocumentBuilder::endNote(const QTextBlockFormat &format, const QTextCharFormat &charFormat) {
    if (!inNote())
        return;
    if (!m_para.runs.empty())
        endParagraph(format, charFormat);
    m_para = std::move(m_interrupted.back().first);
    m_text = std::move(m_interrupted.back().second);
    m_interrupted.pop_back();
}

void DocumentBuilder::finish(const QTextBlockFormat &format, const QTextCharFormat &charFormat) {
    while (inNote())
        endNote(format, charFormat);
    if (m_para.open)
        endParagraph(format, charFormat);
    for (const Paragraph &note : m_notes)
        insert(note.format, note.charFormat, note.text, note.runs);
    m_notes.clear();
}

} // namespace platform::rtf

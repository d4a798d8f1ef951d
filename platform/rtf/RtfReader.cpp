#include "RtfReader.h"

#include "CodePage.h"
#include "RtfFormat.h"
#include "RtfParser.h"

#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

namespace platform {

namespace {

// Clears the document for a fresh load; undo history would only cost memory.
class LoadScope {
public:
    explicit LoadScope(QTextDocument *document)
        : m_document(document)
        , m_undo(document->isUndoRedoEnabled()) {
        m_document->setUndoRedoEnabled(false);
        m_document->clear();
    }
    ~LoadScope() {
        m_document->setUndoRedoEnabled(m_undo);
        m_document->setModified(false);
    }
    LoadScope(const LoadScope &) = delete;
    LoadScope &operator=(const LoadScope &) = delete;

private:
    QTextDocument *m_document;
    bool m_undo;
};

QString decodePlainText(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return CodePage(1252).decode(bytes);
}

} // namespace

void RtfReader::read(const QByteArray &bytes, QTextDocument *document) const {
    if (isRtf(bytes))
        readRtf(bytes, document);
    else
        readPlainText(decodePlainText(bytes), document);
}

void RtfReader::read(const QString &columnText, QTextDocument *document) const {
    if (isRtf(columnText))
        readRtf(columnTextToRtf(columnText), document);
    else
        readPlainText(columnText, document);
}

void RtfReader::readRtf(const QByteArray &rtf, QTextDocument *document) const {
    LoadScope scope(document);
    rtf::Parser parser(document, m_default);
    parser.parse(rtf.constData(), rtf.size());
}

void RtfReader::readPlainText(const QString &text, QTextDocument *document) const {
    LoadScope scope(document);
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.setBlockCharFormat(m_default);
    const QStringList lines = normalized.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(QTextBlockFormat(), m_default);
        QString line = lines.at(i);
        for (QChar &c : line) {
            const char16_t u = c.unicode();
            if (u == 0 || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1 || u == 0xFFFC)
                c = QChar::ReplacementCharacter;
        }
        cursor.insertText(line, m_default);
    }
    cursor.endEditBlock();
}

} // namespace platform

#pragma once

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

namespace platform::rtf {

// Fills a document paragraph by paragraph. A paragraph that is ended and
// followed by nothing is not created, so "text\par" is one paragraph. All of
// it is one edit block: the cursor lays nothing out while it inserts, which
// would make long paragraphs cost quadratic time.
class DocumentBuilder {
public:
    explicit DocumentBuilder(QTextDocument *document);
    ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder &) = delete;
    DocumentBuilder &operator=(const DocumentBuilder &) = delete;

    void insertText(const QString &text, const QTextCharFormat &format);
    void endParagraph(QTextBlockFormat format, const QTextCharFormat &charFormat);
    // The next paragraph starts on a new page.
    void breakPage() { m_nextPageBreak = true; }
    // Ends the last paragraph unless it was ended already.
    void finish(const QTextBlockFormat &format, const QTextCharFormat &charFormat);

private:
    void openBlock();

    QTextCursor m_cursor;
    bool m_blockOpen = true;
    bool m_pageBreak = false;
    bool m_nextPageBreak = false;
};

} // namespace platform::rtf

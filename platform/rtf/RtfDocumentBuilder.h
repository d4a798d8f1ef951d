#pragma once

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <vector>

class QTextDocument;

namespace platform::rtf {

// Fills a document paragraph by paragraph. A paragraph's text gathers in one
// buffer, split into runs of one format; at its end, when its format is known,
// it goes in behind one new block. A
// paragraph that is ended and followed by nothing is not created, so
// "text\par" is one paragraph. All of it is one edit block: the cursor lays
// nothing out while it inserts, which would cost quadratic time.
class DocumentBuilder {
public:
    explicit DocumentBuilder(QTextDocument *document);
    ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder &) = delete;
    DocumentBuilder &operator=(const DocumentBuilder &) = delete;

    // The current paragraph's text: append to it, then end the run.
    QString &text() { return m_text; }
    // The text appended since the last run ended has this format.
    void endRun(const QTextCharFormat &format);
    void endParagraph(QTextBlockFormat format, const QTextCharFormat &charFormat);
    // The next paragraph starts on a new page.
    void breakPage() { m_nextPageBreak = true; }
    // Ends the last paragraph unless it was ended already.
    void finish(const QTextBlockFormat &format, const QTextCharFormat &charFormat);

private:
    struct Run {
        qsizetype end;
        QTextCharFormat format;
    };

    void open();

    QTextCursor m_cursor;
    QString m_text;
    std::vector<Run> m_runs;
    bool m_first = true;
    bool m_open = true;
    bool m_pageBreak = false;
    bool m_nextPageBreak = false;
};

// Replaces what a document must not receive as text (characters that would
// open blocks or frames, unpaired surrogates) in place.
void sanitize(QString &text);

} // namespace platform::rtf

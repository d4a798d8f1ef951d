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
// it goes in behind one new block. A paragraph that is ended and followed by
// nothing is not created, so "text\par" is one paragraph. All of it is one
// edit block: the cursor lays nothing out while it inserts, which would cost
// quadratic time.
//
// Notes (footnotes, endnotes) interrupt a paragraph: their paragraphs are
// kept aside and go in at the end of the document, and the interrupted
// paragraph carries on after them.
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
    // True when the current paragraph has text in ended runs.
    bool hasText() const { return !m_para.runs.empty(); }
    // Where the current paragraph's ended runs stop; takeTextSince gives
    // back (and removes) what was ended after such a mark, and the format of
    // its first run.
    size_t mark() const { return m_para.runs.size(); }
    QString takeTextSince(size_t mark, QTextCharFormat *format);

    // Ends the paragraph; a label (a list item's number or bullet) goes in
    // front of its text, in the format of its first run.
    void endParagraph(QTextBlockFormat format, const QTextCharFormat &charFormat,
                      const QString &label = QString());
    // Forgets that a paragraph was begun when it has no text.
    void dropEmptyParagraph();
    // The next paragraph starts on a new page.
    void breakPage() { m_nextPageBreak = true; }

    void beginNote();
    // Ends the note's last paragraph unless it was ended already.
    void endNote(const QTextBlockFormat &format, const QTextCharFormat &charFormat);
    bool inNote() const { return !m_interrupted.empty(); }

    // Ends the last paragraph unless it was ended already, then adds the
    // notes' paragraphs.
    void finish(const QTextBlockFormat &format, const QTextCharFormat &charFormat);

private:
    struct Run {
        qsizetype end;
        QTextCharFormat format;
    };
    // A paragraph being gathered; its text is m_text.
    struct Gathering {
        std::vector<Run> runs;
        bool open = true;
        bool pageBreak = false;
    };
    struct Paragraph {
        QTextBlockFormat format;
        QTextCharFormat charFormat;
        QString text;
        std::vector<Run> runs;
    };

    void open();
    void insert(QTextBlockFormat format, const QTextCharFormat &charFormat, const QString &text,
                const std::vector<Run> &runs);

    QTextCursor m_cursor;
    QString m_text;
    Gathering m_para;
    bool m_first = true;
    bool m_nextPageBreak = false;
    // the paragraphs that notes interrupted, innermost last
    std::vector<std::pair<Gathering, QString>> m_interrupted;
    std::vector<Paragraph> m_notes;
};

// Replaces what a document must not receive as text (characters that would
// open blocks or frames, unpaired surrogates) in place.
void sanitize(QString &text);

} // namespace platform::rtf

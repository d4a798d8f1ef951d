#include "widgets/MemoText.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace widgets {

namespace {

constexpr int kContinuesProperty = QTextFormat::UserProperty + 1;

// The characters at which QTextCursor::insertText starts a new block ("\r\n" is one).
bool breaksParagraph(QChar c) {
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case QChar::ParagraphSeparator:
    case 0xfdd0: // beginning of frame
    case 0xfdd1: // end of frame
        return true;
    default:
        return false;
    }
}

bool hasLongParagraph(const QString &text) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (breaksParagraph(text.at(i)))
            start = i + 1;
        else if (i - start >= kLongParagraph)
            return true;
    }
    return false;
}

// Where a piece that starts at `from` ends: after a blank near its full length when
// there is one, and never inside a surrogate pair or before a combining mark.
qsizetype pieceEnd(const QString &text, qsizetype from, qsizetype paragraphEnd) {
    qsizetype end = from + kPieceLength;
    if (end >= paragraphEnd)
        return paragraphEnd;
    for (qsizetype i = end; i > end - kPieceLength / 10; --i) {
        if (text.at(i - 1).isSpace())
            return i;
    }
    while (end > from + 1 && (text.at(end).isLowSurrogate() || text.at(end).isMark()))
        --end;
    return end;
}

// What toPlainText() makes of a document's characters.
void toPlain(QString &text) {
    for (QChar &c : text) {
        switch (c.unicode()) {
        case 0xfdd0:
        case 0xfdd1:
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
            c = u'\n';
            break;
        case QChar::Nbsp:
            c = u' ';
            break;
        default:
            break;
        }
    }
}

// Removes from `text`, the document's characters from position `offset` on, the
// separators before continuing pieces.
void dropPieceBreaks(const QTextDocument *document, QString &text, int offset) {
    qsizetype out = -1;
    qsizetype in = 0;
    for (QTextBlock block = document->findBlock(offset); block.isValid(); block = block.next()) {
        const qsizetype at = qsizetype(block.position()) - 1 - offset;
        if (at >= text.size())
            break;
        if (at < 0 || !continuesParagraph(block))
            continue;
        if (out >= 0) {
            QChar *chars = text.data();
            out = std::copy(chars + in, chars + at, chars + out) - chars;
        } else {
            out = at;
        }
        in = at + 1;
    }
    if (out < 0)
        return;
    QChar *chars = text.data();
    out = std::copy(chars + in, chars + text.size(), chars + out) - chars;
    text.truncate(out);
}

} // namespace

void setMemoText(QPlainTextEdit *edit, const QString &text) {
    if (!hasLongParagraph(text)) {
        edit->setPlainText(text);
        return;
    }
    edit->setPlainText(QString());
    QTextDocument *document = edit->document();
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextBlockFormat continues;
    continues.setProperty(kContinuesProperty, true);
    QTextCursor cursor(document);
    // One edit block: the layout hears of one change instead of one per piece.
    cursor.beginEditBlock();
    qsizetype pending = 0; // the text not inserted yet starts here
    qsizetype start = 0;   // the current paragraph starts here
    const qsizetype size = text.size();
    for (qsizetype i = 0; i <= size; ++i) {
        if (i < size && !breaksParagraph(text.at(i)))
            continue;
        if (i - start > kLongParagraph) {
            cursor.insertText(text.mid(pending, start - pending));
            for (qsizetype from = start; from < i;) {
                if (from > start)
                    cursor.insertBlock(continues);
                const qsizetype end = pieceEnd(text, from, i);
                cursor.insertText(text.mid(from, end - from));
                from = end;
            }
            if (i < size) {
                // A new block would inherit the mark of the piece before.
                cursor.insertBlock(QTextBlockFormat());
                if (text.at(i) == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
                    ++i;
            }
            pending = i + 1;
        }
        start = i + 1;
    }
    if (pending < size)
        cursor.insertText(text.mid(pending));
    cursor.endEditBlock();
    document->setUndoRedoEnabled(undo);
    document->setModified(false);
    edit->moveCursor(QTextCursor::Start);
}

QString memoText(const QTextDocument *document) {
    QString text = document->toPlainText();
    dropPieceBreaks(document, text, 0);
    return text;
}

QString memoSelection(const QTextCursor &cursor) {
    QString text = cursor.selectedText();
    toPlain(text);
    dropPieceBreaks(cursor.document(), text, cursor.selectionStart());
    return text;
}

bool memoShows(const QTextDocument *document, const QString &text) {
    qsizetype length = document->characterCount() - 1;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        length -= continuesParagraph(block) ? 1 : 0;
    return length == text.size() && memoText(document) == text;
}

bool continuesParagraph(const QTextBlock &block) {
    return block.blockFormat().boolProperty(kContinuesProperty);
}

bool holdsPieces(const QTextDocument *document) {
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (continuesParagraph(block))
            return true;
    }
    return false;
}

int memoPosition(const QTextDocument *document, int documentPosition) {
    int breaks = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.position() > documentPosition)
            break;
        breaks += continuesParagraph(block) ? 1 : 0;
    }
    return documentPosition - breaks;
}

int documentPosition(const QTextDocument *document, int memoPosition) {
    int breaks = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.position() - 1 - breaks >= memoPosition)
            break;
        breaks += continuesParagraph(block) ? 1 : 0;
    }
    return memoPosition + breaks;
}

} // namespace widgets

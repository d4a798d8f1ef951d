#pragma once

#include <QString>

class QPlainTextEdit;
class QTextBlock;
class QTextCursor;
class QTextDocument;

namespace widgets {

// How a memo holds its text. A paragraph is laid out whole, and one without
// blanks wraps in time that grows with the square of its length; so a paragraph
// longer than kLongParagraph characters is held in pieces of about kPieceLength,
// each piece after the first a block marked as continuing its paragraph. The
// text read back leaves those breaks out. Other text is held as setPlainText()
// holds it.
constexpr int kLongParagraph = 10000;
constexpr int kPieceLength = 4000;

void setMemoText(QPlainTextEdit *edit, const QString &text);
// The text as toPlainText() gives it, without the breaks between pieces.
QString memoText(const QTextDocument *document);
QString memoSelection(const QTextCursor &cursor);
// True when the document's text is memoText(document)'s: cheap when the lengths differ.
bool memoShows(const QTextDocument *document, const QString &text);

// The block is a piece that continues the paragraph of the block before.
bool continuesParagraph(const QTextBlock &block);
bool holdsPieces(const QTextDocument *document);

// Positions in memoText() and in the document.
int memoPosition(const QTextDocument *document, int documentPosition);
int documentPosition(const QTextDocument *document, int memoPosition);

} // namespace widgets

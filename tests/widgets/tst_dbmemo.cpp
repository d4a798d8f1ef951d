#include "tests/widgets/BoundTable.h"
#include "widgets/DBMemo.h"
#include "widgets/FieldLink.h"
#include "widgets/MemoText.h"

#include <QApplication>
#include <QClipboard>
#include <QTextBlock>
#include <QtTest>

using namespace widgets;

class TestDBMemo : public QObject {
    Q_OBJECT
private slots:
    void longParagraphsAreHeldInShortBlocks_data();
    void longParagraphsAreHeldInShortBlocks();
    void editsAcrossPiecesReachTheField();
};

namespace {

QString letters(int length) {
    QString text;
    for (int i = 0; i < length; ++i)
        text += QChar(u'a' + i % 26);
    return text;
}

QString repeated(const QString &unit, int times) {
    QString text;
    for (int i = 0; i < times; ++i)
        text += unit;
    return text;
}

QTextCursor cursorAt(QPlainTextEdit &memo, int position) {
    QTextCursor cursor(memo.document());
    cursor.setPosition(position);
    memo.setTextCursor(cursor);
    return cursor;
}

QTextBlock continuingBlock(const QTextDocument *document, int which) {
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (continuesParagraph(block) && which-- == 0)
            return block;
    }
    return {};
}

} // namespace

void TestDBMemo::longParagraphsAreHeldInShortBlocks_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("short lines") << QStringLiteral("Likes tea\nand\u00a0cake\u2028too");
    QTest::newRow("as long as allowed") << letters(kLongParagraph);
    QTest::newRow("unbroken") << letters(25000);
    QTest::newRow("words") << repeated(QStringLiteral("tea and cake "), 3000);
    QTest::newRow("among short lines") << QStringLiteral("first\r\n") + letters(12000) +
                                              QStringLiteral("\r\n\rlast\n") +
                                              letters(kLongParagraph + 1) + QStringLiteral("\n");
    QTest::newRow("surrogate pairs") << repeated(QStringLiteral("\U0001F600"), 9000);
    QTest::newRow("combining marks") << repeated(QStringLiteral("e\u0301"), 9000);
}

// The text read back is what a plain text edit gives back; no block is long.
void TestDBMemo::longParagraphsAreHeldInShortBlocks() {
    QFETCH(QString, text);
    QPlainTextEdit plain;
    plain.setPlainText(text);
    const QString expected = plain.toPlainText();

    DBMemo memo;
    setMemoText(&memo, text);
    const QTextDocument *document = memo.document();
    QCOMPARE(memoText(document), expected);
    QVERIFY(memoShows(document, expected));
    QVERIFY(!memoShows(document, expected + QLatin1Char('x')));
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString piece = block.text();
        QVERIFY2(piece.size() <= kLongParagraph, qPrintable(QString::number(piece.size())));
        if (continuesParagraph(block)) {
            QVERIFY(!piece.front().isLowSurrogate() && !piece.front().isMark());
            QVERIFY(!block.previous().text().back().isHighSurrogate());
        }
    }

    // Selections and positions count the text's characters, not the breaks.
    const int from = int(expected.size()) / 3;
    const int to = int(expected.size()) - 7;
    QTextCursor selection(memo.document());
    selection.setPosition(documentPosition(document, from));
    selection.setPosition(documentPosition(document, to), QTextCursor::KeepAnchor);
    QCOMPARE(memoSelection(selection), expected.mid(from, to - from));
    QCOMPARE(memoPosition(document, selection.position()), to);
}

void TestDBMemo::editsAcrossPiecesReachTheField() {
    BoundTable people(data::TableId::People);
    QString expected = QStringLiteral("Notes:\n") + letters(25000) + QStringLiteral("\nend");
    people.fixture->exec(
        QStringLiteral("INSERT INTO \"People\" (\"First Name\", \"Notes\") VALUES ('Ann', ?)"),
        {expected});
    people.table->open();
    DBMemo memo;
    memo.setDataSource(&people.source);
    memo.setDataField(QStringLiteral("Notes"));
    memo.show();
    const QTextDocument *document = memo.document();
    QVERIFY(document->blockCount() > 3);

    // Backspace at the start of a piece removes the character before it.
    const int first = continuingBlock(document, 0).position();
    int at = memoPosition(document, first);
    cursorAt(memo, first);
    QTest::keyClick(&memo, Qt::Key_Backspace);
    expected.remove(at - 1, 1);
    QCOMPARE(memoText(document), expected);
    QCOMPARE(people.table->state(), data::TableObject::State::Edit);

    // Delete at the end of a piece removes the character after it.
    const int second = continuingBlock(document, 1).position();
    at = memoPosition(document, second - 1);
    cursorAt(memo, second - 1);
    QTest::keyClick(&memo, Qt::Key_Delete);
    expected.remove(at, 1);
    QCOMPARE(memoText(document), expected);

    // Enter inside a piece starts a paragraph; a paste with a line break lands whole.
    const int third = continuingBlock(document, 2).position() + 10;
    at = memoPosition(document, third);
    cursorAt(memo, third);
    QTest::keyClick(&memo, Qt::Key_Return);
    expected.insert(at, QLatin1Char('\n'));
    QCOMPARE(memoText(document), expected);
    at += 500;
    cursorAt(memo, documentPosition(document, at));
    QApplication::clipboard()->setText(QStringLiteral("tea\r\ncake"));
    memo.paste();
    expected.insert(at, QStringLiteral("tea\ncake"));
    QCOMPARE(memoText(document), expected);
    QCOMPARE(memoPosition(document, memo.textCursor().position()), at + 8);

    // A copy across pieces holds the text's own characters.
    QTextCursor selection = cursorAt(memo, documentPosition(document, 3000));
    selection.setPosition(documentPosition(document, 13000), QTextCursor::KeepAnchor);
    memo.setTextCursor(selection);
    memo.copy();
    QCOMPARE(QApplication::clipboard()->text(), expected.mid(3000, 10000));

    memo.link()->writePending();
    QCOMPARE(people.stored(QStringLiteral("Notes")), expected);
}

QTEST_MAIN(TestDBMemo)
#include "tst_dbmemo.moc"

#include "RtfTestSupport.h"

#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace platform;

namespace {

QByteArray repeated(const QByteArray &piece, int times) {
    return piece.repeated(times);
}

QByteArray rtf(const QByteArray &body) {
    return "{\\rtf1\\ansi " + body + "}";
}

} // namespace

class TestRtfBadInput : public QObject {
    Q_OBJECT
private slots:
    void anyBytesGiveADocument_data();
    void anyBytesGiveADocument();
    void randomBytes_data();
    void randomBytes();
    void deepNestingKeepsOuterFormatting();
    void hostileSizesAreBounded();
    void listLabelsAreBounded();
    void frameMarkersNeverReachTheDocument();
};

void TestRtfBadInput::anyBytesGiveADocument_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text"); // null: not checked

    QTest::newRow("deep nesting, never closed")
        << ("{\\rtf1 " + repeated("{", 200000) + "deep") << QStringLiteral("deep");
    QTest::newRow("deep nesting of destinations")
        << rtf(repeated("{\\*\\x ", 100000) + "gone" + repeated("}", 100000) + "kept")
        << QStringLiteral("kept");
    QTest::newRow("deep nesting of \\upr")
        << rtf(repeated("{\\upr{a}{\\*\\ud ", 50000) + "u" + repeated("}}", 50000) + "v")
        << QString();
    QTest::newRow("huge \\bin") << rtf("a\\bin2147483647 xyz") << QStringLiteral("a");
    QTest::newRow("overflowing \\bin") << rtf("a\\bin99999999999999999 xyz") << QStringLiteral("a");
    QTest::newRow("negative \\bin") << rtf("a\\bin-5 xyz") << QStringLiteral("axyz");
    QTest::newRow("\\bin cut short") << QByteArray("{\\rtf1 a\\bin10 xy") << QStringLiteral("a");
    QTest::newRow("unterminated group")
        << QByteArray("{\\rtf1 {\\b bold") << QStringLiteral("bold");
    QTest::newRow("unterminated destination")
        << QByteArray("{\\rtf1 a{\\*\\x b") << QStringLiteral("a");
    QTest::newRow("unterminated font table")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial") << QStringLiteral("");
    QTest::newRow("braces after the end") << QByteArray("{\\rtf1 a}}}} b{") << QStringLiteral("a");
    QTest::newRow("only the magic") << QByteArray("{\\rtf") << QStringLiteral("");
    QTest::newRow("bogus \\u values")
        << rtf("\\u99999999999?\\u-99999?\\u70000?\\u?x\\u")
        << QStringLiteral("\uFFFD?\uFFFD\uFFFD?x"); // the 11th digit is text, skipped as fallback
    QTest::newRow("lone surrogates")
        << rtf("\\u-10179?a\\u-8704?b\\u55357?") << QStringLiteral("\uFFFDa\uFFFDb\uFFFD");
    QTest::newRow("huge \\uc") << rtf("{\\uc2147483647\\u1078 rest}more")
                               << QStringLiteral("жmore");
    QTest::newRow("negative \\uc") << rtf("\\uc-3\\u1078 x") << QStringLiteral("жx");
    QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a");
    QTest::newRow("hex cut short") << QByteArray("{\\rtf1 a\\'4") << QStringLiteral("a\u0004");
    QTest::newRow("hex without digits") << rtf("a\\'zz") << QStringLiteral("azz");
    QTest::newRow("long control word")
        << rtf("\\" + repeated("a", 1000000) + " x") << QStringLiteral("x");
    QTest::newRow("long parameter")
        << rtf("\\fs" + repeated("9", 20) + " x") << QStringLiteral("9999999999 x");
    QTest::newRow("many fonts") << ("{\\rtf1{\\fonttbl" + repeated("{\\f1 F;}", 100000) +
                                    "}\\f1 x}")
                                << QStringLiteral("x");
    QTest::newRow("many colours") << ("{\\rtf1{\\colortbl" + repeated("\\red1;", 100000) +
                                      "}\\cf99999 x}")
                                  << QStringLiteral("x");
    QTest::newRow("many tab stops")
        << rtf(repeated("\\tx100", 100000) + "x\\par") << QStringLiteral("x");
    QTest::newRow("many paragraphs") << rtf(repeated("\\par", 100000)) << QString();
    QTest::newRow("many formatting changes") << rtf(repeated("\\b a\\b0 b", 50000)) << QString();
    QTest::newRow("double-byte lead at the end")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 x;}}\\f0 \\'82}")
        << QStringLiteral("\uFFFD");
    QTest::newRow("star alone") << rtf("a\\*") << QStringLiteral("a");
    QTest::newRow("notes nested deep, never closed")
        << rtf("a" + repeated("{\\footnote b", 100000)) << QString();
    QTest::newRow("text boxes nested deep")
        << rtf("a" + repeated("{\\shptxt b", 50000) + repeated("}", 50000) + "c") << QString();
    QTest::newRow("odd list tables")
        << ("{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'ff\\'00\\'09;}}" +
            repeated("{\\listlevel\\levelnfc-7\\levelfollow9}", 20) +
            "\\listid-5}{\\list}}{\\*\\listoverridetable{\\listoverride\\listid-5\\ls-1" +
            repeated("{\\lfolevel\\levelstartat-9}", 20) +
            "}{\\ls2}}\\ls-1\\ilvl2147483647 x\\par\\ls2 y\\par\\ls-1\\ilvl-3 z}")
        << QString();
    QTest::newRow("nul and control bytes")
        << rtf(QByteArray("a\0b\x01\x1f\x7f", 6) + "\\'00c") << QStringLiteral("ab\u007F\uFFFDc");
    QTest::newRow("every byte value") << []() -> QByteArray {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        return "{\\rtf1\\ansi " + all + "}";
    }() << QString();
}

void TestRtfBadInput::anyBytesGiveADocument() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const auto document = rtftest::read(bytes);
    if (!text.isNull())
        QCOMPARE(document->toPlainText(), text);
    // Nothing grows faster than the input: a character needs a byte, a
    // paragraph at least two.
    QVERIFY(document->characterCount() <= bytes.size() + 1);
    QVERIFY(document->blockCount() <= bytes.size() / 2 + 1);

    // Whatever was read, the writer settles on it.
    const QByteArray written = RtfWriter().write(*document);
    QCOMPARE(RtfWriter().write(*rtftest::read(written)), written);
}

void TestRtfBadInput::randomBytes_data() {
    QTest::addColumn<QByteArray>("alphabet");
    QTest::newRow("any byte") << QByteArray();
    QTest::newRow("rtf syntax") << QByteArray("{}\\\\\\*'0123456789abcdef-; \r\n");
    QTest::newRow("rtf words") << QByteArray(
        "{}\\\\\\\\\\'uucbinparfsfonttblcolortblredpardplain*0129-; ");
}

void TestRtfBadInput::randomBytes() {
    QFETCH(QByteArray, alphabet);
    for (quint32 seed = 1; seed <= 40; ++seed) {
        const QByteArray noise = rtftest::randomBytes(seed, 2000 + int(seed) * 100, alphabet);
        for (const QByteArray &bytes : {noise, QByteArray("{\\rtf1 " + noise)}) {
            const auto document = rtftest::read(bytes);
            QVERIFY(document->characterCount() <= bytes.size() + 1);
            const QByteArray written = RtfWriter().write(*document);
            QCOMPARE(RtfWriter().write(*rtftest::read(written)), written);
        }
    }
}

void TestRtfBadInput::deepNestingKeepsOuterFormatting() {
    // Past the tracked depth groups share one state; once they close, the
    // formatting of the outer groups is back.
    const QByteArray bytes =
        rtf("{\\i outer " + repeated("{\\b ", 5000) + "inner" + repeated("}", 5000) + " after}end");
    const auto document = rtftest::read(bytes);
    QCOMPARE(document->toPlainText(), QStringLiteral("outer inner afterend"));
    QTextCursor cursor(document.get());
    cursor.setPosition(document->find("inner").selectionStart() + 1);
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
    cursor.setPosition(document->find("after").selectionStart() + 1);
    QVERIFY(cursor.charFormat().fontWeight() != QFont::Bold);
    QVERIFY(cursor.charFormat().fontItalic());
    cursor.setPosition(document->find("end").selectionStart() + 1);
    QVERIFY(!cursor.charFormat().fontItalic());
}

void TestRtfBadInput::hostileSizesAreBounded() {
    const auto document =
        rtftest::read(rtf("\\li2147483647\\ri-2147483648\\fi99999999\\sb-5\\sa2147483647"
                          "\\tx2147483647\\fs2147483647\\deftab0 x\\par"));
    const QTextBlockFormat block = document->begin().blockFormat();
    QCOMPARE(block.leftMargin(), 2112.0); // 22 inches
    QCOMPARE(block.rightMargin(), -2112.0);
    QCOMPARE(block.textIndent(), 2112.0);
    QCOMPARE(block.topMargin(), 0.0);
    QCOMPARE(block.bottomMargin(), 2112.0);
    QCOMPARE(block.tabPositions().value(0).position, 2112.0);
    QTextCursor cursor(document.get());
    cursor.setPosition(1);
    QCOMPARE(cursor.charFormat().fontPointSize(), 1638.0);
    QCOMPARE(document->defaultTextOption().tabStopDistance(), 48.0);
    document->setTextWidth(600);
    QVERIFY(document->size().height() > 0); // lays out
}

void TestRtfBadInput::listLabelsAreBounded() {
    // A level text of nothing but numbers, counted in letters from a large
    // start: each paragraph's label stays short, whatever the list says.
    const QByteArray bytes =
        "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc3\\levelstartat780{\\leveltext\\'40" +
        repeated("\\'00", 64) +
        ";}}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\\ls1 " +
        repeated("\\par", 20000) + "}";
    const auto document = rtftest::read(bytes);
    QCOMPARE(document->blockCount(), 20000);
    QVERIFY(document->begin().text().startsWith(QString(30, QChar('Z'))));
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        QVERIFY(block.text().size() <= 65);
}

void TestRtfBadInput::frameMarkersNeverReachTheDocument() {
    // Characters that QTextDocument reserves for frames and objects, and line
    // ends, arrive as \uN: they must not open frames or blocks.
    const auto document = rtftest::read(rtf("a\\u-560?b\\u-559?c\\u-4?d\\u10?e\\u13?f\\u8233?g"));
    QCOMPARE(document->blockCount(), 1);
    QCOMPARE(document->rootFrame()->childFrames().size(), 0);
    QCOMPARE(document->toRawText(), QStringLiteral("a\uFFFDb\uFFFDc\uFFFDd\u2028e\u2028f\u2028g"));
}

QTEST_MAIN(TestRtfBadInput)
#include "tst_rtfbadinput.moc"

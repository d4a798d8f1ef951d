#include "RtfTestSupport.h"

#include "platform/rtf/RtfFormat.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>

using namespace platform;

namespace {

struct CharCase {
    const char *name;
    QString text;
    std::function<void(QTextCharFormat &)> apply;
};

const QList<CharCase> &charCases() {
    static const QList<CharCase> cases = {
        {"bold", "bold", [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); }},
        {"demibold", "demi", [](QTextCharFormat &f) { f.setFontWeight(QFont::DemiBold); }},
        {"italic", "italic", [](QTextCharFormat &f) { f.setFontItalic(true); }},
        {"underline", "ul", [](QTextCharFormat &f) { f.setFontUnderline(true); }},
        {"dashed underline", "ul",
         [](QTextCharFormat &f) { f.setUnderlineStyle(QTextCharFormat::DashUnderline); }},
        {"dotted underline", "ul",
         [](QTextCharFormat &f) { f.setUnderlineStyle(QTextCharFormat::DotLine); }},
        {"dash-dot underline", "ul",
         [](QTextCharFormat &f) { f.setUnderlineStyle(QTextCharFormat::DashDotLine); }},
        {"dash-dot-dot underline", "ul",
         [](QTextCharFormat &f) { f.setUnderlineStyle(QTextCharFormat::DashDotDotLine); }},
        {"wave underline", "ul",
         [](QTextCharFormat &f) { f.setUnderlineStyle(QTextCharFormat::WaveUnderline); }},
        {"strike-out", "strike", [](QTextCharFormat &f) { f.setFontStrikeOut(true); }},
        {"colour", "red", [](QTextCharFormat &f) { f.setForeground(QColor(0x12, 0x34, 0x56)); }},
        {"black", "black", [](QTextCharFormat &f) { f.setForeground(Qt::black); }},
        {"highlight", "hi", [](QTextCharFormat &f) { f.setBackground(QColor(255, 255, 0)); }},
        {"face", "mono", [](QTextCharFormat &f) { f.setFontFamilies({"Courier New"}); }},
        {"face with odd characters", "odd",
         [](QTextCharFormat &f) { f.setFontFamilies({"A;B{C}\\D"}); }},
        {"face outside the code page", "x",
         [](QTextCharFormat &f) { f.setFontFamilies({QStringLiteral("Шрифт 字体")}); }},
        {"face in its charset", "x",
         [](QTextCharFormat &f) {
             f.setFontFamilies({QStringLiteral("ＭＳ 明朝")});
             f.setProperty(CharSetProperty, 128);
         }},
        {"size", "big", [](QTextCharFormat &f) { f.setFontPointSize(20); }},
        {"half point size", "half", [](QTextCharFormat &f) { f.setFontPointSize(10.5); }},
        {"superscript", "sup",
         [](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); }},
        {"subscript", "sub",
         [](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); }},
        {"all capitals", "caps",
         [](QTextCharFormat &f) { f.setFontCapitalization(QFont::AllUppercase); }},
        {"small capitals", "scaps",
         [](QTextCharFormat &f) { f.setFontCapitalization(QFont::SmallCaps); }},
        {"cyrillic charset", QStringLiteral("Привет"),
         [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 204); }},
        {"japanese charset", QStringLiteral("日本語ｱ"),
         [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 128); }},
        {"symbol charset", QStringLiteral("\u00B7\u00E0"),
         [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 2); }},
        {"default charset", "x", [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 1); }},
        {"fixed pitch", "x", [](QTextCharFormat &f) { f.setProperty(PitchProperty, 1); }},
        {"variable pitch", "x", [](QTextCharFormat &f) { f.setProperty(PitchProperty, 2); }},
        {"serif family", "x", [](QTextCharFormat &f) { f.setFontStyleHint(QFont::Serif); }},
        {"sans family", "x", [](QTextCharFormat &f) { f.setFontStyleHint(QFont::SansSerif); }},
        {"modern family", "x", [](QTextCharFormat &f) { f.setFontStyleHint(QFont::TypeWriter); }},
        {"script family", "x", [](QTextCharFormat &f) { f.setFontStyleHint(QFont::Cursive); }},
        {"decorative family", "x",
         [](QTextCharFormat &f) { f.setFontStyleHint(QFont::Decorative); }},
        {"everything at once", QStringLiteral("all Ωμέγα"),
         [](QTextCharFormat &f) {
             f.setFontFamilies({"Tahoma"});
             f.setFontPointSize(13.5);
             f.setFontWeight(QFont::Bold);
             f.setFontItalic(true);
             f.setUnderlineStyle(QTextCharFormat::WaveUnderline);
             f.setFontStrikeOut(true);
             f.setForeground(QColor(200, 10, 20));
             f.setBackground(QColor(0, 0, 128));
             f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
             f.setFontCapitalization(QFont::SmallCaps);
             f.setProperty(CharSetProperty, 161);
             f.setProperty(PitchProperty, 2);
             f.setFontStyleHint(QFont::SansSerif);
         }},
    };
    return cases;
}

struct BlockCase {
    const char *name;
    std::function<void(QTextBlockFormat &)> apply;
};

const QList<BlockCase> &blockCases() {
    static const QList<BlockCase> cases = {
        {"centred", [](QTextBlockFormat &f) { f.setAlignment(Qt::AlignHCenter); }},
        {"right", [](QTextBlockFormat &f) { f.setAlignment(Qt::AlignRight); }},
        {"justified", [](QTextBlockFormat &f) { f.setAlignment(Qt::AlignJustify); }},
        {"left margin", [](QTextBlockFormat &f) { f.setLeftMargin(96); }},
        {"right margin", [](QTextBlockFormat &f) { f.setRightMargin(40); }},
        {"hanging indent",
         [](QTextBlockFormat &f) {
             f.setLeftMargin(48);
             f.setTextIndent(-24);
         }},
        {"spacing",
         [](QTextBlockFormat &f) {
             f.setTopMargin(12);
             f.setBottomMargin(6);
         }},
        {"tab stops",
         [](QTextBlockFormat &f) {
             f.setTabPositions({QTextOption::Tab(48, QTextOption::LeftTab),
                                QTextOption::Tab(200, QTextOption::RightTab),
                                QTextOption::Tab(300, QTextOption::CenterTab),
                                QTextOption::Tab(400, QTextOption::DelimiterTab, QChar('.'))});
         }},
        {"right to left", [](QTextBlockFormat &f) { f.setLayoutDirection(Qt::RightToLeft); }},
        {"page break",
         [](QTextBlockFormat &f) { f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore); }},
    };
    return cases;
}

QByteArray write(const QTextDocument &document) {
    return RtfWriter().write(document);
}

// Writes, reads back and writes again: the documents must describe the same
// and the second writing must give the same bytes.
void checkRoundTrip(const QTextDocument &original) {
    const QByteArray first = write(original);
    for (const char byte : first)
        QVERIFY2(uchar(byte) < 0x80, "the RTF is 7-bit");
    const auto reread = rtftest::read(first);
    QCOMPARE(rtftest::describe(*reread), rtftest::describe(original));
    const QByteArray second = write(*reread);
    QCOMPARE(second, first);
    QCOMPARE(rtftest::describe(*rtftest::read(second)), rtftest::describe(*reread));
}

} // namespace

class TestRtfRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void characterAttributes_data();
    void characterAttributes();
    void paragraphAttributes_data();
    void paragraphAttributes();
    void text_data();
    void text();
    void emptyDocument();
    void emptyParagraphsKeepTheirFormat();
    void unformattedTextTakesTheDefaultFont();
    void pixelSizesRoundToHalfPoints();
    void codePageEscapes();
    void fallbacksCarryTheText();
    void foreignRtfSettles();
    void pastedHtmlKeepsItsText();
    void columnText();

private:
    QFont m_defaultFont;
};

void TestRtfRoundTrip::initTestCase() {
    m_defaultFont = QFont(QStringLiteral("MS Sans Serif"));
    m_defaultFont.setPointSizeF(8.5);
}

void TestRtfRoundTrip::characterAttributes_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < charCases().size(); ++i)
        QTest::newRow(charCases().at(i).name) << i;
}

void TestRtfRoundTrip::characterAttributes() {
    QFETCH(int, index);
    const CharCase &c = charCases().at(index);
    QTextDocument document;
    document.setDefaultFont(m_defaultFont);
    QTextCursor cursor(&document);
    QTextCharFormat plain;
    plain.setFontFamilies({"Arial"});
    plain.setFontPointSize(10);
    QTextCharFormat format = plain;
    c.apply(format);
    cursor.insertText("before ", plain);
    cursor.insertText(c.text, format);
    cursor.insertText(" after", plain);
    cursor.insertBlock(QTextBlockFormat(), format);
    cursor.insertText(c.text, format);
    checkRoundTrip(document);

    // what was set comes back as set
    const auto reread = rtftest::read(write(document));
    QTextCursor probe(reread.get());
    probe.setPosition(8);
    const QTextCharFormat back = probe.charFormat();
    for (const int property :
         {int(QTextFormat::FontWeight), int(QTextFormat::FontItalic),
          int(QTextFormat::TextUnderlineStyle), int(QTextFormat::FontStrikeOut),
          int(QTextFormat::ForegroundBrush), int(QTextFormat::BackgroundBrush),
          int(QTextFormat::FontFamilies), int(QTextFormat::FontPointSize),
          int(QTextFormat::TextVerticalAlignment), int(QTextFormat::FontCapitalization),
          int(CharSetProperty), int(PitchProperty), int(QTextFormat::FontStyleHint)}) {
        if (format.hasProperty(property) && property != QTextFormat::FontWeight)
            QCOMPARE(back.property(property), format.property(property));
    }
}

void TestRtfRoundTrip::paragraphAttributes_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < blockCases().size(); ++i)
        QTest::newRow(blockCases().at(i).name) << i;
}

void TestRtfRoundTrip::paragraphAttributes() {
    QFETCH(int, index);
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("first\tparagraph");
    QTextBlockFormat format;
    blockCases().at(index).apply(format);
    cursor.insertBlock(format);
    cursor.insertText("second\tparagraph with a format");
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText("third");
    checkRoundTrip(document);
    const auto reread = rtftest::read(write(document));
    QCOMPARE(reread->begin().next().blockFormat(), format);
}

void TestRtfRoundTrip::text_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QStringLiteral("Plain ASCII text: 0-9 ~!@#$%^&*()_+|`-=[];',./<>?\"");
    QTest::newRow("rtf syntax") << QStringLiteral("{braces} \\backslash\\ \\par {\\rtf1} \\'41");
    QTest::newRow("leading and doubled blanks") << QStringLiteral("  two  blanks   three ");
    QTest::newRow("digits after words") << QStringLiteral("\t1\u2028"
                                                          "2\u00A0"
                                                          "3 -4");
    QTest::newRow("tab, line break, special spaces")
        << QStringLiteral("a\tb\u2028c\u00A0d\u00ADe\u2011f");
    QTest::newRow("windows-1252") << QStringLiteral("Café crème — “quoted” ‘single’ … € † ‰ Œ ž");
    QTest::newRow("latin-1 upper half") << QStringLiteral("¡¢£¤¥¦§¨©ª«¬®¯°±²³´µ¶·¸¹º»¼½¾¿ÀÿÞß");
    QTest::newRow("greek and cyrillic") << QStringLiteral("Καλημέρα κόσμε · Привет, мир");
    QTest::newRow("cjk") << QStringLiteral("日本語のテキスト 中文 한국어 ｶﾀｶﾅ");
    QTest::newRow("right to left") << QStringLiteral("שלום עולם مرحبا بالعالم");
    QTest::newRow("thai and vietnamese") << QStringLiteral("สวัสดีครับ Tiếng Việt");
    QTest::newRow("above u+8000") << QStringLiteral("\uF0B7\uFFFD\uFF21\u8000\u7FFF");
    QTest::newRow("outside the basic plane") << QStringLiteral("😀 𝄞 𠀀");
    QTest::newRow("combining marks") << QStringLiteral("e\u0301 a\u0308 n\u0303");
    QTest::newRow("control characters") << QStringLiteral("a\u0001b\u001Fc\u007Fd\u0080e");
}

void TestRtfRoundTrip::text() {
    QFETCH(QString, text);
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(text);
    cursor.insertBlock();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(text, bold);
    checkRoundTrip(document);
    QCOMPARE(rtftest::read(write(document))->toRawText(), document.toRawText());
}

void TestRtfRoundTrip::emptyDocument() {
    QTextDocument document;
    checkRoundTrip(document);
    const auto reread = rtftest::read(write(document));
    QVERIFY(reread->isEmpty());
    QCOMPARE(reread->blockCount(), 1);
}

void TestRtfRoundTrip::emptyParagraphsKeepTheirFormat() {
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat big;
    big.setFontPointSize(24);
    QTextCharFormat small;
    small.setFontPointSize(6);
    cursor.setBlockCharFormat(big);
    cursor.insertBlock(QTextBlockFormat(), small);
    cursor.insertText("x", big);
    cursor.insertBlock(QTextBlockFormat(), small);
    cursor.insertBlock(QTextBlockFormat(), big);
    QCOMPARE(document.blockCount(), 4);
    checkRoundTrip(document);
    const auto reread = rtftest::read(write(document));
    QCOMPARE(reread->blockCount(), 4);
    QCOMPARE(reread->begin().charFormat().fontPointSize(), 24.0);
    QCOMPARE(reread->lastBlock().previous().charFormat().fontPointSize(), 6.0);
}

void TestRtfRoundTrip::unformattedTextTakesTheDefaultFont() {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Comic Sans MS"), 14));
    document.setPlainText(QStringLiteral("unformatted\nlines"));
    const QByteArray rtf = write(document);
    QVERIFY(rtf.contains("Comic Sans MS;"));
    QVERIFY(rtf.contains("\\fs28"));
    checkRoundTrip(document);
}

void TestRtfRoundTrip::pixelSizesRoundToHalfPoints() {
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat thirteen;
    thirteen.setProperty(QTextFormat::FontPixelSize, 13); // 9.75 points
    QTextCharFormat eleven;
    eleven.setProperty(QTextFormat::FontPixelSize, 11); // 8.25 points
    cursor.insertText("thirteen", thirteen);
    cursor.insertText("eleven", eleven);
    const QByteArray first = write(document);
    QVERIFY(first.contains("\\fs20 thirteen"));
    QVERIFY(first.contains("\\fs17 eleven"));
    const auto reread = rtftest::read(first);
    QCOMPARE(write(*reread), first);
}

void TestRtfRoundTrip::codePageEscapes() {
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat japanese;
    japanese.setProperty(CharSetProperty, 128);
    QTextCharFormat cyrillic;
    cyrillic.setProperty(CharSetProperty, 204);
    cursor.insertText(QStringLiteral("é€ж"));
    cursor.insertText(QStringLiteral("ж"), cyrillic);
    cursor.insertText(QStringLiteral("あｱą"), japanese);
    const QByteArray rtf = write(document);
    // characters of the font's code page in that page (double-byte ones as
    // byte pairs), others as \uN with "?" for readers without Unicode
    QVERIFY2(rtf.contains("\\'e9\\'80\\u1078\\'3f\\f1\\'e6"), rtf.constData());
    QVERIFY2(rtf.contains("\\f2\\'82\\'a0\\'b1\\u261\\'3f"), rtf.constData());
    QVERIFY(rtf.contains("\\fcharset204"));
    QVERIFY(rtf.contains("\\fcharset128"));
}

void TestRtfRoundTrip::fallbacksCarryTheText() {
    // A reader that ignores \uN reads the code-page fallbacks: for text that
    // its fonts' code pages hold, it gets the same text.
    const QList<QPair<int, QString>> samples = {
        {0, QStringLiteral("Café € “x”")},     {238, QStringLiteral("Příliš žluťoučký")},
        {204, QStringLiteral("Съешь же ещё")}, {161, QStringLiteral("Γειά σου")},
        {162, QStringLiteral("Ağaç")},         {222, QStringLiteral("ภาษาไทย")},
        {128, QStringLiteral("日本語ｶﾅ")},     {134, QStringLiteral("简体中文")},
        {129, QStringLiteral("한국어")},       {136, QStringLiteral("繁體中文")},
    };
    QTextDocument document;
    QTextCursor cursor(&document);
    for (const auto &[charset, text] : samples) {
        QTextCharFormat format;
        format.setProperty(CharSetProperty, charset);
        cursor.insertText(text, format);
        cursor.insertBlock();
    }
    QString rtf = QString::fromLatin1(write(document));
    rtf.remove(QRegularExpression(QStringLiteral("\\\\u-?[0-9]+")));
    QCOMPARE(rtftest::read(rtf.toLatin1())->toPlainText(), document.toPlainText());
}

void TestRtfRoundTrip::foreignRtfSettles() {
    // Foreign RTF read once: writing, reading and writing again changes nothing.
    const QByteArray foreign =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}"
        "{\\f1\\fswiss\\fprq2 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}"
        "\\viewkind4\\uc1\\pard\\li720\\qc\\f0\\fs17 \\'cf\\'f0\\'e8 \\cf1\\b\\f1 b\\par "
        "\\pard\\tx1000\\ul\\i x\\tab y\\u8364?\\par\\par}";
    const auto first = rtftest::read(foreign);
    checkRoundTrip(*first);
}

void TestRtfRoundTrip::pastedHtmlKeepsItsText() {
    // What a paste can bring into the editor: tables, lists, images, links.
    // Paragraphs, characters and list marks (as text) are kept; images are not.
    QTextDocument document;
    document.setHtml(QStringLiteral(
        "<h1>Title</h1><p>Text with <a href='x'>a link</a> and <img src='none.png'> "
        "an image.</p><ul><li>one</li><li>two</li></ul>"
        "<table><tr><td>a1</td><td>a2</td></tr><tr><td>b1</td><td>b2</td></tr></table>"
        "<p>end</p>"));
    const QByteArray rtf = write(document);
    const auto reread = rtftest::read(rtf);
    QString expected = document.toPlainText();
    expected.remove(QChar::ObjectReplacementCharacter);
    expected.replace(QStringLiteral("one"), QStringLiteral("\u2022\tone"));
    expected.replace(QStringLiteral("two"), QStringLiteral("\u2022\ttwo"));
    QCOMPARE(reread->toPlainText(), expected);
    QTextCursor item = reread->find(QStringLiteral("two"));
    QCOMPARE(item.blockFormat().leftMargin(), document.indentWidth());
    QCOMPARE(reread->blockCount(), document.blockCount());
    QCOMPARE(write(*reread), rtf);
}

void TestRtfRoundTrip::columnText() {
    QTextDocument document;
    document.setPlainText(QStringLiteral("Κείμενο"));
    const QString column = RtfWriter().writeColumnText(document);
    QVERIFY(isRtf(column));
    QTextDocument back;
    RtfReader().read(column, &back);
    QCOMPARE(back.toPlainText(), document.toPlainText());
    QCOMPARE(column.toLatin1(), write(document));
}

QTEST_MAIN(TestRtfRoundTrip)
#include "tst_rtfroundtrip.moc"

#include "RtfTestSupport.h"

#include "platform/rtf/RtfFormat.h"
#include "platform/rtf/RtfReader.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace platform;

namespace {

// The format of the first character of the first occurrence of text.
QTextCharFormat formatOf(const QTextDocument &document, const QString &text) {
    const QTextCursor found = document.find(text);
    if (found.isNull())
        return {};
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

QStringList blockTexts(const QTextDocument &document) {
    QStringList texts;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        texts << b.text();
    return texts;
}

QString family(const QTextCharFormat &format) {
    return format.fontFamilies().toStringList().value(0);
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void detectsRtf_data();
    void detectsRtf();
    void emptyAndPlainValues();
    void plainBytesDecoding_data();
    void plainBytesDecoding();
    void richEditOutput();
    void officeSuiteOutput();
    void skippedDestinations();
    void wordProcessorPages();
    void unicodeFallbacks_data();
    void unicodeFallbacks();
    void codePages_data();
    void codePages();
    void fontTable();
    void colourTable();
    void paragraphAttributes();
    void paragraphEnds_data();
    void paragraphEnds();
    void defaultFormat();
    void specialCharacters();
    void columnText();
};

void TestRtfReader::detectsRtf_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("rtf");
    QTest::newRow("plain") << QByteArray("{rtf1 hello}") << false;
    QTest::newRow("rtf") << QByteArray("{\\rtf1 hello}") << true;
    QTest::newRow("leading white space") << QByteArray(" \r\n\t{\\rtf1}") << true;
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF{\\rtf1}") << true;
    QTest::newRow("text before") << QByteArray("x{\\rtf1}") << false;
    QTest::newRow("cut short") << QByteArray("{\\rt") << false;
    QTest::newRow("upper case") << QByteArray("{\\RTF1}") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestRtfReader::detectsRtf() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, rtf);
    QCOMPARE(isRtf(bytes), rtf);
    QCOMPARE(isRtf(QString::fromLatin1(bytes)), rtf);
}

void TestRtfReader::emptyAndPlainValues() {
    QTextCharFormat base;
    base.setFontFamilies({QStringLiteral("MS Sans Serif")});
    base.setProperty(QTextFormat::FontPixelSize, 13);
    RtfReader reader;
    reader.setDefaultCharFormat(base);

    QTextDocument document;
    document.setPlainText(QStringLiteral("old contents"));
    reader.read(QByteArray(), &document);
    QVERIFY(document.isEmpty());
    QCOMPARE(document.blockCount(), 1);

    reader.read(QString(), &document);
    QVERIFY(document.isEmpty());

    reader.read(QStringLiteral("First line\r\nSecond {\\b line}\rThird"), &document);
    QCOMPARE(blockTexts(document), QStringList({"First line", "Second {\\b line}", "Third"}));
    const QTextCharFormat format = formatOf(document, QStringLiteral("Second"));
    QCOMPARE(family(format), QStringLiteral("MS Sans Serif"));
    QCOMPARE(format.intProperty(QTextFormat::FontPixelSize), 13);
    QVERIFY(!format.hasProperty(QTextFormat::FontWeight));
    QVERIFY(!document.isModified());
}

void TestRtfReader::plainBytesDecoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("abc") << QStringLiteral("abc");
    QTest::newRow("utf-8") << QByteArray("Caf\xC3\xA9 \xE2\x82\xAC") << QStringLiteral("Café €");
    QTest::newRow("windows-1252") << QByteArray("Caf\xE9 \x80") << QStringLiteral("Café €");
}

void TestRtfReader::plainBytesDecoding() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(rtftest::read(bytes)->toPlainText(), text);
}

void TestRtfReader::richEditOutput() {
    // What a Windows rich-edit control streams out, terminating NUL included.
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans "
        "Serif;}{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}{\\f2\\fnil\\fcharset204 Tahoma;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs17 Caf\\'e9 \\cf1\\b red bold\\cf0\\b0  "
        "\\i\\f1\\fs24 arial\\i0\\f0\\fs17\\par\r\n"
        "\\pard\\qc\\ul under\\ulnone  \\strike strike\\strike0\\tab \\cf2 green\\cf0\\par\r\n"
        "\\f2\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\f0\\par\r\n"
        "}\r\n";
    const auto document = rtftest::read(rtf + QByteArray(1, '\0'));
    QCOMPARE(blockTexts(*document),
             QStringList({"Café red bold arial", "under strike\tgreen", "Привет"}));

    const QTextCharFormat plain = formatOf(*document, "Caf");
    QCOMPARE(family(plain), QStringLiteral("MS Sans Serif"));
    QCOMPARE(plain.fontPointSize(), 8.5);
    QCOMPARE(plain.intProperty(CharSetProperty), 0);
    QVERIFY(!plain.hasProperty(PitchProperty));
    QVERIFY(plain.foreground().style() == Qt::NoBrush);

    const QTextCharFormat red = formatOf(*document, "red bold");
    QCOMPARE(red.foreground().color(), QColor(255, 0, 0));
    QCOMPARE(red.fontWeight(), int(QFont::Bold));

    const QTextCharFormat arial = formatOf(*document, "arial");
    QCOMPARE(family(arial), QStringLiteral("Arial"));
    QCOMPARE(arial.fontPointSize(), 12.0);
    QVERIFY(arial.fontItalic());
    QCOMPARE(arial.intProperty(PitchProperty), 2);
    QCOMPARE(arial.fontStyleHint(), QFont::SansSerif);

    QCOMPARE(formatOf(*document, "under").underlineStyle(), QTextCharFormat::SingleUnderline);
    QVERIFY(!formatOf(*document, "strike").fontUnderline());
    QVERIFY(formatOf(*document, "strike").fontStrikeOut());
    QCOMPARE(formatOf(*document, "green").foreground().color(), QColor(0, 128, 0));
    QCOMPARE(formatOf(*document, QStringLiteral("Привет")).intProperty(CharSetProperty), 204);

    QCOMPARE(document->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(document->begin().next().blockFormat().alignment(), Qt::AlignHCenter);
    // \qc stays in force until the next \pard
    QCOMPARE(document->lastBlock().blockFormat().alignment(), Qt::AlignHCenter);
}

void TestRtfReader::officeSuiteOutput() {
    const QByteArray rtf =
        "{\\rtf1\\ansi\\deff3\\adeflang1025\n"
        "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}"
        "{\\f3\\froman\\fprq2\\fcharset0 Liberation Serif{\\*\\falt Times New Roman};}"
        "{\\f4\\fmodern\\fprq1\\fcharset0 Liberation Mono{\\*\\panose 02070309020205020404};}}\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\n"
        "{\\stylesheet{\\s0\\snext0\\f3\\fs24 Normal;}{\\s1\\sbasedon0\\snext1\\b\\fs48 Heading "
        "1;}{\\*\\cs15\\snext15 Footnote Characters;}}\n"
        "{\\*\\generator LibreOffice/7.4}{\\info{\\title A title}{\\author Someone}"
        "{\\creatim\\yr2024\\mo1\\dy2}}\n"
        "{\\*\\pgdsctbl{\\pgdsc0\\pgdscuse451 Default Page Style;}}\n"
        "\\pard\\plain \\s1\\sb240\\sa120\\b\\fs48{\\loch\nHeading}\n"
        "\\par \\pard\\plain \\s0{\\loch\nPlain }{\\loch\\b\\loch\nbold}{\\loch\n and "
        "}{\\hich\\af4\\loch\\cf2\\f4\\loch\nmono}\n"
        "\\par \\pard\\plain {\\loch\nGreek \\u922\\'3f\\u945\\'3f, "
        "dash \\u8212\\'97, emoji \\uc0 \\u55357\\uc1 \\u56832\\'3f.}\n"
        "\\par \\pard\\plain {\\listtext\\pard\\plain \\u8226\\'95\\tab}\\ls1 "
        "{\\loch\nItem}\n"
        "\\par \\pard\\plain {\\pict\\pngblip\\picw10\\pich10 89504e470d0a1a0a0000}"
        "{\\*\\shppict{\\pict\\bin4 {}}}}}picture"
        "{\\field{\\*\\fldinst HYPERLINK \"https://example.org\"}{\\fldrslt {\\ul link}}}"
        "{\\super\\chftn}{\\footnote\\pard {\\super\\chftn} footnote text}\\line "
        "after{\\*\\bkmkstart mark}{\\*\\bkmkend mark}{\\super\\chftn}\n"
        "\\par \\trowd\\cellx1000\\cellx2000\\pard\\intbl c11\\cell c12\\cell\\row\n"
        "\\par \\pard\\plain\\page next page\n"
        "\\par }";
    const auto document = rtftest::read(rtf);
    QCOMPARE(
        blockTexts(*document),
        QStringList({"Heading", "Plain bold and mono", QStringLiteral("Greek Κα, dash —, emoji 😀."),
                     QStringLiteral("•\tItem"), QStringLiteral("picturelink1\u2028after2"), "c11",
                     "c12", QString(), QString(), "next page", "1 footnote text"}));

    const QTextCharFormat heading = formatOf(*document, "Heading");
    QCOMPARE(family(heading), QStringLiteral("Liberation Serif"));
    QCOMPARE(heading.fontPointSize(), 24.0);
    QCOMPARE(heading.fontWeight(), int(QFont::Bold));
    QCOMPARE(heading.fontStyleHint(), QFont::Serif);
    QCOMPARE(document->begin().blockFormat().topMargin(), 16.0);
    QCOMPARE(document->begin().blockFormat().bottomMargin(), 8.0);

    QCOMPARE(formatOf(*document, "Plain").fontWeight(), int(QFont::Normal));
    QCOMPARE(formatOf(*document, "bold").fontWeight(), int(QFont::Bold));
    // a group's formatting ends with the group
    QVERIFY(formatOf(*document, "and").fontWeight() != QFont::Bold);
    const QTextCharFormat mono = formatOf(*document, "mono");
    QCOMPARE(family(mono), QStringLiteral("Liberation Mono"));
    QCOMPARE(mono.intProperty(PitchProperty), 1);
    QCOMPARE(mono.foreground().color(), QColor(0, 0, 255));
    QCOMPARE(formatOf(*document, "link").underlineStyle(), QTextCharFormat::SingleUnderline);
    QCOMPARE(formatOf(*document, "1").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    const QTextBlock nextPage = document->find("next page").block();
    QVERIFY(!(nextPage.previous().blockFormat().pageBreakPolicy() &
              QTextFormat::PageBreak_AlwaysBefore));
    QVERIFY(nextPage.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
}

void TestRtfReader::skippedDestinations() {
    // Unknown destinations marked \* vanish with their groups; unknown words
    // elsewhere are ignored but their group's text stays; \upr takes its \ud.
    const QByteArray rtf = "{\\rtf1\\ansi {\\*\\unknowndest {nested} text}visible "
                           "{\\unknownword kept} {\\upr{ansi version}{\\*\\ud{unicode "
                           "\\u8364?}}} {\\header head}{\\object{\\objdata 0102}{\\result "
                           "r}}{\\*\\themedata 01}end}";
    QCOMPARE(rtftest::read(rtf)->toPlainText(), QStringLiteral("visible kept unicode € end"));
}

void TestRtfReader::wordProcessorPages() {
    // List labels come from the list table in the format of their paragraph's
    // text; a note's text goes to the end with its mark and leaves the
    // paragraph that refers to it whole; a text box's paragraphs stand where
    // the box stood, in their own format; a page cut short inside a note
    // keeps what came before.
    const QByteArray rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc2\\levelstartat3{\\leveltext\\'03(\\'00);}}"
        "\\listid7}}{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}\n"
        "\\pard\\ls1\\f0\\b Bold item\\par\\pard\\ls1\\b0 Plain item\\par\\pard "
        "See{\\super\\chftn{\\footnote\\pard\\plain{\\super\\chftn} Note \\b bold\\b0 .}} "
        "here.\\par "
        "Above {\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 202}}{\\shptxt\\pard\\f1 In the "
        "box\\par}}"
        "{\\shprslt{\\*\\do\\dptxbx{\\dptxbxtext\\pard In the box\\par}}}}below.\\par "
        "Cut{\\footnote unfinished";
    const auto document = rtftest::read(rtf);
    QCOMPARE(blockTexts(*document),
             QStringList({"(iii)\tBold item", "(iv)\tPlain item", "See1 here.", "Above ",
                          "In the box", "below.", "Cut", "1 Note bold.", "unfinished"}));
    QCOMPARE(formatOf(*document, "(iii)").fontWeight(), int(QFont::Bold));
    QCOMPARE(formatOf(*document, "(iv)").fontWeight(), int(QFont::Normal));
    QCOMPARE(family(formatOf(*document, "In the box")), QStringLiteral("Courier New"));
    QCOMPARE(formatOf(*document, "bold").fontWeight(), int(QFont::Bold));
    QCOMPARE(formatOf(*document, " here").fontWeight(), int(QFont::Normal));
}

void TestRtfReader::unicodeFallbacks_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("uc1 question mark") << QByteArray("\\u1078?x") << QStringLiteral("жx");
    QTest::newRow("uc1 hex fallback") << QByteArray("\\u1078\\'e6x") << QStringLiteral("жx");
    QTest::newRow("uc2 double byte")
        << QByteArray("\\uc2\\u12354\\'82\\'a0x") << QStringLiteral("あx");
    QTest::newRow("uc0") << QByteArray("\\uc0\\u1078 x") << QStringLiteral("жx");
    QTest::newRow("negative") << QByteArray("\\u-3913?") << QStringLiteral("\uF0B7");
    QTest::newRow("surrogate pair") << QByteArray("\\u-10179?\\u-8704?") << QStringLiteral("😀");
    QTest::newRow("fallback ends at group end")
        << QByteArray("{\\uc3\\u1078?}xyz") << QStringLiteral("жxyz");
    QTest::newRow("uc scoped to group")
        << QByteArray("{\\uc2 a}\\u1078?x") << QStringLiteral("aжx");
    QTest::newRow("control word counts as one")
        << QByteArray("\\u1078\\tab x") << QStringLiteral("жx");
    QTest::newRow("out of range") << QByteArray("\\u99999?x") << QStringLiteral("\uFFFDx");
    QTest::newRow("lone surrogate") << QByteArray("\\u-10179?x") << QStringLiteral("\uFFFDx");
}

void TestRtfReader::unicodeFallbacks() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(rtftest::read("{\\rtf1\\ansi " + rtf + "}")->toPlainText(), text);
}

void TestRtfReader::codePages_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    const auto charset = [](int number, const QByteArray &body) -> QByteArray {
        return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
               "{\\f1\\fnil\\fcharset" +
               QByteArray::number(number) + " Other;}}\\f1 " + body + "\\f0 .}";
    };
    const auto ansicpg = [](int number, const QByteArray &body) -> QByteArray {
        return "{\\rtf1\\ansi\\ansicpg" + QByteArray::number(number) + " " + body + "}";
    };
    QTest::newRow("cp1250") << ansicpg(1250, "\\'9e\\'9a\\'e8\\'f8") << QStringLiteral("žščř");
    QTest::newRow("cp1251 by charset")
        << charset(204, "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2") << QStringLiteral("Привет.");
    QTest::newRow("cp1251 raw bytes")
        << charset(204, "\xcf\xf0\xe8\xe2\xe5\xf2") << QStringLiteral("Привет.");
    QTest::newRow("cp1253") << ansicpg(1253, "\\'c1\\'e8\\'de\\'ed\\'e1")
                            << QStringLiteral("Αθήνα");
    QTest::newRow("cp1254") << charset(162, "\\'fe\\'f0\\'dd") << QStringLiteral("şğİ.");
    QTest::newRow("cp1255") << charset(177, "\\'f9\\'ec\\'e5\\'ed") << QStringLiteral("שלום.");
    QTest::newRow("cp1256") << charset(178, "\\'e3\\'d1\\'cd\\'c8\\'c7")
                            << QStringLiteral("مرحبا.");
    QTest::newRow("cp1257") << charset(186, "\\'e0\\'f0") << QStringLiteral("ąš.");
    QTest::newRow("cp1258 combining") << charset(163, "Vi\\'d2t") << QStringLiteral("Vi\u0309t.");
    QTest::newRow("cp874") << charset(222, "\\'ca\\'c7\\'d1\\'ca\\'b4\\'d5")
                           << QStringLiteral("สวัสดี.");
    QTest::newRow("cp932 hex pairs")
        << charset(128, "\\'82\\'a0\\'83\\'41") << QStringLiteral("あア.");
    QTest::newRow("cp932 literal trail byte")
        << charset(128, "\\'82\\'a0\\'83A") << QStringLiteral("あア.");
    QTest::newRow("cp932 single-byte katakana")
        << charset(128, "\\'b1\\'b2") << QStringLiteral("ｱｲ.");
    QTest::newRow("cp932 by ansicpg") << ansicpg(932, "\\'82\\'a0") << QStringLiteral("あ");
    QTest::newRow("cp936") << charset(134, "\\'d6\\'d0\\'ce\\'c4") << QStringLiteral("中文.");
    QTest::newRow("cp949") << charset(129, "\\'c7\\'d1\\'b1\\'db") << QStringLiteral("한글.");
    QTest::newRow("cp950") << charset(136, "\\'a4\\'a4\\'a4\\'e5") << QStringLiteral("中文.");
    QTest::newRow("lead byte cut by a control word")
        << charset(128, "\\'82\\b\\'a0") << QStringLiteral("\uFFFD\uFFFD.");
    QTest::newRow("cpg overrides charset")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0\\cpg1251 X;}}\\f0\\'e6}")
        << QStringLiteral("ж");
    QTest::newRow("unknown ansicpg falls back to 1252")
        << ansicpg(12345, "\\'e9") << QStringLiteral("é");
    QTest::newRow("undefined byte") << ansicpg(1253, "\\'aa") << QStringLiteral("\uFFFD");
}

void TestRtfReader::codePages() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(rtftest::read(rtf)->toPlainText(), text);
}

void TestRtfReader::fontTable() {
    // Entries with and without groups, a name in a double-byte code page, a
    // name given through \u, a font number that the table lacks.
    const QByteArray rtf = "{\\rtf1\\ansi\\deff1{\\fonttbl\\f0\\fswiss Helvetica;"
                           "{\\f1\\froman\\fcharset128\\fprq1 \\'82\\'6c\\'82\\'72 "
                           "\\'96\\'be\\'92\\'a9;}{\\f2\\fnil \\u1040?ri\\'00al\\'09;}}"
                           "default \\f0 helv \\f2 uni \\f9 missing}";
    QTextCharFormat base;
    base.setFontFamilies({QStringLiteral("Base")});
    const auto document = rtftest::read(rtf, base);
    QCOMPARE(family(formatOf(*document, "default")), QStringLiteral("ＭＳ 明朝"));
    QCOMPARE(formatOf(*document, "default").intProperty(CharSetProperty), 128);
    QCOMPARE(formatOf(*document, "default").intProperty(PitchProperty), 1);
    QCOMPARE(family(formatOf(*document, "helv")), QStringLiteral("Helvetica"));
    QCOMPARE(family(formatOf(*document, "uni")), QStringLiteral("Аrial"));
    QCOMPARE(family(formatOf(*document, "missing")), QStringLiteral("Base"));
    QVERIFY(!formatOf(*document, "missing").hasProperty(CharSetProperty));
}

void TestRtfReader::colourTable() {
    // \cfN indexes the table from 0; an entry without colour is "automatic".
    const QByteArray rtf = "{\\rtf1{\\colortbl\\red255\\green0\\blue0;;\\red0\\green0\\blue255;}"
                           "\\cf0 red \\cf1 auto \\cf2\\highlight0 blue \\highlight2\\cf9 missing}";
    const auto document = rtftest::read(rtf);
    QCOMPARE(formatOf(*document, "red").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatOf(*document, "auto").foreground().style(), Qt::NoBrush);
    QCOMPARE(formatOf(*document, "blue").foreground().color(), QColor(0, 0, 255));
    QCOMPARE(formatOf(*document, "blue").background().style(), Qt::NoBrush);
    QCOMPARE(formatOf(*document, "missing").foreground().style(), Qt::NoBrush);
    QCOMPARE(formatOf(*document, "missing").background().color(), QColor(0, 0, 255));
}

void TestRtfReader::paragraphAttributes() {
    const QByteArray rtf = "{\\rtf1\\ansi\\deftab360 \\pard\\li1440\\ri720\\fi-360\\sb60\\sa120"
                           "\\tx720\\tqr\\tx2880\\tqc\\tx4320\\tqdec\\tx5760\\qj one\\par "
                           "\\pard\\rtlpar\\qr two\\par \\pard three\\par}";
    const auto document = rtftest::read(rtf);
    QCOMPARE(document->blockCount(), 3);
    const QTextBlockFormat one = document->begin().blockFormat();
    QCOMPARE(one.alignment(), Qt::AlignJustify);
    QCOMPARE(one.leftMargin(), 96.0);
    QCOMPARE(one.rightMargin(), 48.0);
    QCOMPARE(one.textIndent(), -24.0);
    QCOMPARE(one.topMargin(), 4.0);
    QCOMPARE(one.bottomMargin(), 8.0);
    const QList<QTextOption::Tab> tabs = one.tabPositions();
    QCOMPARE(tabs.size(), 4);
    QCOMPARE(tabs.at(0), QTextOption::Tab(48, QTextOption::LeftTab));
    QCOMPARE(tabs.at(1), QTextOption::Tab(192, QTextOption::RightTab));
    QCOMPARE(tabs.at(2), QTextOption::Tab(288, QTextOption::CenterTab));
    QCOMPARE(tabs.at(3), QTextOption::Tab(384, QTextOption::DelimiterTab, QChar('.')));
    const QTextBlockFormat two = document->begin().next().blockFormat();
    QCOMPARE(two.layoutDirection(), Qt::RightToLeft);
    QCOMPARE(two.alignment(), Qt::AlignRight);
    QCOMPARE(two.leftMargin(), 0.0);
    QVERIFY(two.tabPositions().isEmpty());
    QCOMPARE(document->lastBlock().blockFormat(), QTextBlockFormat());
    QCOMPARE(document->defaultTextOption().tabStopDistance(), 24.0);
}

void TestRtfReader::paragraphEnds_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("blocks");
    QTest::newRow("nothing") << QByteArray("") << QStringList({""});
    QTest::newRow("one ended") << QByteArray("a\\par") << QStringList({"a"});
    QTest::newRow("one open") << QByteArray("a") << QStringList({"a"});
    QTest::newRow("empty line at end") << QByteArray("a\\par\\par") << QStringList({"a", ""});
    QTest::newRow("empty only") << QByteArray("\\par") << QStringList({""});
    QTest::newRow("two empty") << QByteArray("\\par\\par") << QStringList({"", ""});
    QTest::newRow("formatting after the end")
        << QByteArray("a\\par\\pard\\plain\\b ") << QStringList({"a"});
    QTest::newRow("escaped line end") << QByteArray("a\\\nb") << QStringList({"a", "b"});
    QTest::newRow("raw line ends ignored") << QByteArray("a\r\nb\rc\nd") << QStringList({"abcd"});
}

void TestRtfReader::paragraphEnds() {
    QFETCH(QByteArray, body);
    QFETCH(QStringList, blocks);
    QCOMPARE(blockTexts(*rtftest::read("{\\rtf1\\ansi " + body + "}")), blocks);
}

void TestRtfReader::defaultFormat() {
    QTextCharFormat base;
    base.setFontFamilies({QStringLiteral("MS Sans Serif")});
    base.setProperty(QTextFormat::FontPixelSize, 13);
    base.setForeground(QColor(1, 2, 3));
    const QByteArray rtf = "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}"
                           "bare \\fs20\\cf1 sized \\plain reset \\b\\cf0 auto}";
    const auto document = rtftest::read(rtf, base);
    const QTextCharFormat bare = formatOf(*document, "bare");
    QCOMPARE(family(bare), QStringLiteral("MS Sans Serif"));
    QCOMPARE(bare.intProperty(QTextFormat::FontPixelSize), 13);
    QCOMPARE(bare.foreground().color(), QColor(1, 2, 3));
    const QTextCharFormat sized = formatOf(*document, "sized");
    QCOMPARE(sized.fontPointSize(), 10.0);
    QVERIFY(!sized.hasProperty(QTextFormat::FontPixelSize));
    QCOMPARE(sized.foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatOf(*document, "reset"), bare);
    QCOMPARE(formatOf(*document, "auto").foreground().color(), QColor(1, 2, 3));
    QCOMPARE(formatOf(*document, "auto").fontWeight(), int(QFont::Bold));
}

void TestRtfReader::specialCharacters() {
    const QByteArray rtf = "{\\rtf1\\ansi a\\{b\\}c\\\\d\\~e\\-f\\_g\\emdash\\endash\\bullet"
                           "\\lquote\\rquote\\ldblquote\\rdblquote\\emspace\\enspace\\qmspace"
                           "\\zwj\\zwnj\\ltrmark\\rtlmark\\line h\\tab i}";
    QCOMPARE(rtftest::read(rtf)->begin().text(),
             QStringLiteral("a{b}c\\d\u00A0e\u00ADf\u2011g—–•‘’“”\u2003\u2002\u2005"
                            "\u200D\u200C\u200E\u200F\u2028h\ti"));
}

void TestRtfReader::columnText() {
    // RTF handed over as a column's text: bytes are Latin-1 characters, and
    // characters beyond that (stored by a Unicode-aware tool) are kept.
    const QString column = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252 Caf\u00E9 \u20AC\u4E2D "
                                          "\\'80}");
    QTextDocument document;
    RtfReader().read(column, &document);
    QCOMPARE(document.toPlainText(), QStringLiteral("Café €中 €"));

    const QByteArray bytes("{\\rtf1 \\'e9\x01\xff}");
    QCOMPARE(columnTextToRtf(rtfToColumnText(bytes)), bytes);
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"

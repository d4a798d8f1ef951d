#include "RtfPeerFixtures.h"

#include "platform/rtf/RtfFormat.h"

#include <QTextCursor>

using namespace platform;

namespace rtftest {

// A document with the fonts, code pages and attributes the program uses.
void buildSample(QTextDocument &document) {
    QTextCursor cursor(&document);
    QTextCharFormat base;
    base.setFontFamilies({"MS Sans Serif"});
    base.setFontPointSize(10);
    const auto add = [&](const QString &text, auto change) {
        QTextCharFormat format = base;
        change(format);
        cursor.insertText(text, format);
    };
    const auto plain = [](QTextCharFormat &) {};
    add("Plain, ", plain);
    add("bold", [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); });
    add(", ", plain);
    add("italic", [](QTextCharFormat &f) { f.setFontItalic(true); });
    add(", ", plain);
    add("underlined", [](QTextCharFormat &f) { f.setFontUnderline(true); });
    add(", ", plain);
    add("struck", [](QTextCharFormat &f) { f.setFontStrikeOut(true); });
    add(", ", plain);
    add("red", [](QTextCharFormat &f) { f.setForeground(QColor(255, 0, 0)); });
    add(", ", plain);
    add("courier", [](QTextCharFormat &f) {
        f.setFontFamilies({"Courier New"});
        f.setProperty(PitchProperty, 1);
        f.setFontPointSize(14);
    });
    add(".", plain);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centred, base);
    add(QStringLiteral("Café crème — “quoted” ‘single’ … € 100 {braces} \\backslash\\"), plain);
    cursor.insertBlock(QTextBlockFormat(), base);
    add(QStringLiteral("Tab\tseparated, line\u2028break, no\u00A0break"), plain);
    cursor.insertBlock(QTextBlockFormat(), base);
    add(QStringLiteral("Ελληνικά "),
        [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 161); });
    add(QStringLiteral("Русский "),
        [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 204); });
    add(QStringLiteral("Čeština "),
        [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 238); });
    add(QStringLiteral("ภาษาไทย "),
        [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 222); });
    add(QStringLiteral("日本語ｶﾅ "),
        [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 128); });
    add(QStringLiteral("简体中文 "),
        [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 134); });
    add(QStringLiteral("한국어 "), [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 129); });
    add(QStringLiteral("繁體中文"),
        [](QTextCharFormat &f) { f.setProperty(CharSetProperty, 136); });
    cursor.insertBlock(QTextBlockFormat(), base);
    add(QStringLiteral("עברית العربية Tiếng Việt 😀 𝄞 ☺"), plain);
    cursor.insertBlock(QTextBlockFormat(), base);
    cursor.insertBlock(QTextBlockFormat(), base);
    add(QStringLiteral("After an empty line."), plain);
}

const char kHtmlFixture[] = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Fixture</title></head><body>
<h1>Heading one</h1>
<p>Plain <b>bold</b> <i>italic</i> <u>under</u> <s>strike</s>
<font color="#ff0000" face="Courier New">red courier</font> <span style="font-size:18pt">big</span>
<sup>sup</sup> <sub>sub</sub> {braces} \backslash\</p>
<p align="center">Καλημέρα κόσμε — Привет мир — 日本語のテキスト — 한국어 — 中文 — עברית — ไทย — 😀</p>
<p>Line one<br>line two&nbsp;with&nbsp;no-break spaces</p>
<ul><li>item one</li><li>item two</li></ul>
<ol><li>first</li><li>second</li></ol>
<p>Café crème “quoted” … €</p>
</body></html>
)";

const char kFodtFixture[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:xlink="http://www.w3.org/1999/xlink"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
<office:font-face-decls>
 <style:font-face style:name="Courier New" svg:font-family="'Courier New'"
  style:font-family-generic="modern" style:font-pitch="fixed"/>
</office:font-face-decls>
<office:automatic-styles>
 <style:style style:name="T1" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style>
 <style:style style:name="T2" style:family="text"><style:text-properties fo:color="#ff0000"
  style:font-name="Courier New" fo:font-size="14pt"/></style:style>
 <style:style style:name="T3" style:family="text"><style:text-properties fo:font-style="italic"
  style:text-underline-style="solid" style:text-underline-width="auto"
  style:text-underline-color="font-color"/></style:style>
 <style:style style:name="P1" style:family="paragraph"><style:paragraph-properties fo:text-align="center"/></style:style>
 <style:style style:name="P2" style:family="paragraph"><style:paragraph-properties fo:break-before="page"/></style:style>
 <style:style style:name="P3" style:family="paragraph"><style:paragraph-properties
  fo:margin-left="1in" fo:text-indent="-0.25in"><style:tab-stops><style:tab-stop
  style:position="2in" style:type="right"/></style:tab-stops></style:paragraph-properties></style:style>
</office:automatic-styles>
<office:body><office:text>
<text:p text:style-name="P1">Tab<text:tab/>separated, line<text:line-break/>break,
 <text:span text:style-name="T1">bold</text:span> <text:span text:style-name="T2">red mono</text:span>
 <text:span text:style-name="T3">italic under</text:span>.</text:p>
<text:p text:style-name="P3">Indented<text:tab/>right tab; spaces:<text:s text:c="3"/>three; soft&#xAD;hyphen; hard&#x2011;hyphen</text:p>
<text:p>Footnote here<text:note text:id="n1" text:note-class="footnote"><text:note-citation>1</text:note-citation><text:note-body><text:p>The note</text:p></text:note-body></text:note> done.</text:p>
<text:p>Link: <text:a xlink:type="simple" xlink:href="https://example.org/">example</text:a>.</text:p>
<text:p>Scripts: Ελληνικά Кириллица 日本語 中文 한국어 עברית العربية ไทย Tiếng Việt 😀 𝄞</text:p>
<text:p/>
<table:table table:name="T"><table:table-column table:number-columns-repeated="2"/>
 <table:table-row><table:table-cell><text:p>c11</text:p></table:table-cell><table:table-cell><text:p>c12</text:p></table:table-cell></table:table-row>
 <table:table-row><table:table-cell><text:p>c21</text:p></table:table-cell><table:table-cell><text:p>c22</text:p></table:table-cell></table:table-row>
</table:table>
<text:p text:style-name="P2">After a page break {braces} \backslash\</text:p>
</office:text></office:body></office:document>
)";

// Lists as a word processor writes them when it leaves out the list text: the
// numbers and bullets come from the list table alone.
const char kListTableRtf[] = R"({\rtf1\ansi\ansicpg1252\deff0
{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fbidi\froman\fcharset2 Symbol;}{\f2\fbidi\fmodern\fcharset0 Courier New;}{\f3\fbidi\fnil\fcharset2 Wingdings;}}
{\*\listtable
{\list\listtemplateid1\listhybrid
{\listlevel\levelnfc0\levelnfcn0\leveljc0\leveljcn0\levelfollow0\levelstartat1{\leveltext\leveltemplateid11\'02\'00.;}{\levelnumbers\'01;}\fi-360\li720}
{\listlevel\levelnfc4\levelnfcn4\leveljc0\leveljcn0\levelfollow0\levelstartat1{\leveltext\leveltemplateid12\'02\'01);}{\levelnumbers\'01;}\fi-360\li1440}
{\listlevel\levelnfc2\levelnfcn2\leveljc2\leveljcn2\levelfollow0\levelstartat1{\leveltext\leveltemplateid13\'06\'00.\'01.\'02.;}{\levelnumbers\'01\'03\'05;}\fi-180\li2160}
{\listname ;}\listid100}
{\list\listtemplateid2\listhybrid
{\listlevel\levelnfc23\levelnfcn23\leveljc0\leveljcn0\levelfollow0\levelstartat1{\leveltext\leveltemplateid21\'01\u-3913 ?;}{\levelnumbers;}\f1\fi-360\li720}
{\listlevel\levelnfc23\levelnfcn23\leveljc0\leveljcn0\levelfollow0\levelstartat1{\leveltext\leveltemplateid22\'01o;}{\levelnumbers;}\f2\fi-360\li1440}
{\listlevel\levelnfc23\levelnfcn23\leveljc0\leveljcn0\levelfollow0\levelstartat1{\leveltext\leveltemplateid23\'01\u-3929 ?;}{\levelnumbers;}\f3\fi-360\li2160}
{\listname ;}\listid200}
{\list\listtemplateid3
{\listlevel\levelnfc1\levelnfcn1\leveljc0\leveljcn0\levelfollow1\levelstartat4{\leveltext\'02\'00.;}{\levelnumbers\'01;}\fi-360\li720}
{\listlevel\levelnfc3\levelnfcn3\leveljc0\leveljcn0\levelfollow0\levelstartat1{\leveltext\'03(\'01);}{\levelnumbers\'02;}\fi-360\li1440}
{\listname ;}\listid300}}
{\*\listoverridetable{\listoverride\listid100\listoverridecount0\ls1}{\listoverride\listid200\listoverridecount0\ls2}{\listoverride\listid300\listoverridecount0\ls3}}
\pard\plain\f0\fs20 Numbered, as a word processor writes it without list text:\par
\pard\plain\ls1\ilvl0\fi-360\li720\f0\fs20 First step\par
\pard\plain\ls1\ilvl0\fi-360\li720\f0\fs20 Second step\par
\pard\plain\ls1\ilvl1\fi-360\li1440\f0\fs20 a detail\par
\pard\plain\ls1\ilvl1\fi-360\li1440\f0\fs20 another detail\par
\pard\plain\ls1\ilvl2\fi-180\li2160\f0\fs20 a fine point\par
\pard\plain\ls1\ilvl2\fi-180\li2160\f0\fs20 a finer point\par
\pard\plain\ls1\ilvl0\fi-360\li720\f0\fs20 Third step\par
\pard\plain\ls1\ilvl1\fi-360\li1440\f0\fs20 counting again from a\par
\pard\plain\f0\fs20 Bullets:\par
\pard\plain\ls2\ilvl0\fi-360\li720\f0\fs20 Round\par
\pard\plain\ls2\ilvl1\fi-360\li1440\f0\fs20 Hollow\par
\pard\plain\ls2\ilvl2\fi-360\li2160\f0\fs20 Square\par
\pard\plain\ls2\ilvl0\fi-360\li720\f0\fs20 Round again\par
{\listtext\pard\plain\f0\fs20 IV\tab}\pard\plain\ls3\ilvl0\fi-360\li720\f0\fs20 Chapter four, with its list text\par
\pard\plain\ls3\ilvl1\fi-360\li1440\f0\fs20 Part A\par
\pard\plain\ls3\ilvl1\fi-360\li1440\f0\fs20 Part B\par
\pard\plain\ls3\ilvl0\fi-360\li720\f0\fs20 Chapter five\par
\pard\plain\f0\fs20 The first list carries on:\par
\pard\plain\ls1\ilvl0\fi-360\li720\f0\fs20 Fourth step\par
}
)";

// Footnotes and text boxes, a shape's text given twice (as the shape's and as
// the old drawing object's that readers without shapes show) and an old
// drawing object's text box.
const char kNotesAndBoxesRtf[] = R"({\rtf1\ansi\ansicpg1252\deff0
{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fcharset0 Times New Roman;}}
{\stylesheet{\f0\fs20 Normal;}{\*\cs16\super footnote reference;}{\s15\f0\fs16 footnote text;}}
\pard\plain\f0\fs20 A page pasted from a word processor.\par
\pard\plain\f0\fs20 Here is a claim{\cs16\super\chftn{\footnote\pard\plain\s15\f0\fs16{\cs16\super\chftn} See the \b first\b0  source.}} and the sentence goes on.\par
\pard\plain\f0\fs20{\shp{\*\shpinst\shpleft0\shptop0\shpright3000\shpbottom800\shpbxcolumn\shpbypara\shpwr2\shpz0{\sp{\sn shapeType}{\sv 202}}{\sp{\sn fFilled}{\sv 0}}{\shptxt\pard\plain\f1\fs20 A box at the start\par\pard\plain\f1\fs20 of its paragraph\par}}{\shprslt{\*\do\dobxcolumn\dobypara\dptxbx{\dptxbxtext\pard\plain\f1\fs20 A box at the start\par\pard\plain\f1\fs20 of its paragraph\par}\dpx0\dpy0\dpxsize3000\dpysize800}}}The paragraph that holds it.\par
\pard\plain\f0\fs20 Two notes in a row{\cs16\super\chftn{\footnote\pard\plain\s15\f0\fs16{\cs16\super\chftn} Second note, first paragraph.\par\pard\plain\s15\f0\fs16 Second note, second paragraph.}} and{\cs16\super\chftn{\footnote\pard\plain\s15\f0\fs16{\cs16\super\chftn} Third note.}} done.\par
\pard\plain\f0\fs20 Words before {\shp{\*\shpinst\shpleft0\shptop0\shpright2000\shpbottom600\shpbxcolumn\shpbypara\shpwr3\shpz1{\sp{\sn shapeType}{\sv 202}}{\shptxt\pard\plain\f0\fs20 Boxed words\par}}{\shprslt{\*\do\dobxcolumn\dobypara\dptxbx{\dptxbxtext\pard\plain\f0\fs20 Boxed words\par}\dpx0\dpy0\dpxsize2000\dpysize600}}}words after.\par
\pard\plain\f0\fs20 An old drawing object:{\*\do\dobxcolumn\dobypara\dodhgt8193\dptxbx\dptxbxmar20{\dptxbxtext\pard\plain\f0\fs20 Old box text\par}\dpx0\dpy0\dpxsize2000\dpysize600}\par
\pard\plain\f0\fs20 The end.\par
}
)";

} // namespace rtftest

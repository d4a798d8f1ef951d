// The control words of the text itself: character and paragraph formatting,
// breaks and special characters.

#include "RtfParser.h"

namespace platform::rtf {

namespace {

constexpr int kMaxTabs = 64;

int twips(const Token &t) {
    return t.hasParam ? qBound(-kMaxTwips, t.param, kMaxTwips) : 0;
}

qint8 toggle(const Token &t) {
    return (t.hasParam && t.param == 0) ? 0 : 1;
}

} // namespace

void Parser::handleBodyWord(Keyword keyword, const Token &t) {
    CharState &c = m_g.chr;
    ParaState &p = m_g.para;
    switch (keyword) {
    case Keyword::Plain:
        c = CharState();
        break;
    case Keyword::F:
        c.font = t.hasParam ? t.param : 0;
        break;
    case Keyword::Fs:
        c.halfPoints = t.hasParam ? qBound(kMinHalfPoints, t.param, kMaxHalfPoints) : 24;
        break;
    case Keyword::B:
        c.bold = toggle(t);
        break;
    case Keyword::I:
        c.italic = toggle(t);
        break;
    case Keyword::Strike:
        c.strike = toggle(t);
        break;
    case Keyword::Ul:
    case Keyword::UlDotted:
    case Keyword::UlDash:
    case Keyword::UlDashDot:
    case Keyword::UlDashDotDot:
    case Keyword::UlWave:
        if (!toggle(t)) {
            c.underline = QTextCharFormat::NoUnderline;
            break;
        }
        c.underline = keyword == Keyword::UlDotted       ? QTextCharFormat::DotLine
                      : keyword == Keyword::UlDash       ? QTextCharFormat::DashUnderline
                      : keyword == Keyword::UlDashDot    ? QTextCharFormat::DashDotLine
                      : keyword == Keyword::UlDashDotDot ? QTextCharFormat::DashDotDotLine
                      : keyword == Keyword::UlWave       ? QTextCharFormat::WaveUnderline
                                                         : QTextCharFormat::SingleUnderline;
        break;
    case Keyword::UlNone:
        c.underline = QTextCharFormat::NoUnderline;
        break;
    case Keyword::Cf:
        c.color = t.hasParam ? qMax(0, t.param) : -1;
        break;
    case Keyword::Highlight:
    case Keyword::Cb:
        c.background = t.hasParam ? qMax(0, t.param) : 0;
        break;
    case Keyword::Super:
        c.valign = QTextCharFormat::AlignSuperScript;
        break;
    case Keyword::Sub:
        c.valign = QTextCharFormat::AlignSubScript;
        break;
    case Keyword::NoSuperSub:
        c.valign = QTextCharFormat::AlignNormal;
        break;
    case Keyword::Up:
        c.valign = (!t.hasParam || t.param > 0) ? QTextCharFormat::AlignSuperScript
                                                : QTextCharFormat::AlignNormal;
        break;
    case Keyword::Dn:
        c.valign = (!t.hasParam || t.param > 0) ? QTextCharFormat::AlignSubScript
                                                : QTextCharFormat::AlignNormal;
        break;
    case Keyword::Caps:
        c.caps = toggle(t) ? QFont::AllUppercase : QFont::MixedCase;
        break;
    case Keyword::SCaps:
        c.caps = toggle(t) ? QFont::SmallCaps : QFont::MixedCase;
        break;
    case Keyword::Pard:
        p = ParaState();
        return;
    case Keyword::Ql:
        p.align = 0;
        return;
    case Keyword::Qc:
        p.align = 1;
        return;
    case Keyword::Qr:
        p.align = 2;
        return;
    case Keyword::Qj:
        p.align = 3;
        return;
    case Keyword::Li:
        p.left = twips(t);
        return;
    case Keyword::Ri:
        p.right = twips(t);
        return;
    case Keyword::Fi:
        p.first = twips(t);
        return;
    case Keyword::Sb:
        p.before = qMax(0, twips(t));
        return;
    case Keyword::Sa:
        p.after = qMax(0, twips(t));
        return;
    case Keyword::Tqr:
        p.nextTabType = QTextOption::RightTab;
        return;
    case Keyword::Tqc:
        p.nextTabType = QTextOption::CenterTab;
        return;
    case Keyword::TqDec:
        p.nextTabType = QTextOption::DelimiterTab;
        return;
    case Keyword::Tx:
        if (p.tabs.size() < kMaxTabs) {
            const QChar delimiter =
                p.nextTabType == QTextOption::DelimiterTab ? QChar('.') : QChar();
            p.tabs.append(
                QTextOption::Tab(qMax(0, twips(t)) / kTwipsPerPixel, p.nextTabType, delimiter));
        }
        p.nextTabType = QTextOption::LeftTab;
        return;
    case Keyword::RtlPar:
        p.rtl = true;
        return;
    case Keyword::LtrPar:
        p.rtl = false;
        return;
    case Keyword::PageBb:
        p.pageBreakBefore = toggle(t);
        return;
    case Keyword::Ls:
        p.list = t.hasParam ? t.param : -1;
        return;
    case Keyword::Ilvl:
        p.level = t.hasParam ? t.param : 0;
        return;
    case Keyword::Par:
    case Keyword::Sect:
    case Keyword::Cell: // table cells become paragraphs of their own
        endParagraph();
        return;
    case Keyword::Page:
        endParagraph();
        m_builder.breakPage();
        return;
    case Keyword::Line:
        appendChar(QChar::LineSeparator);
        return;
    case Keyword::Tab:
        appendChar('\t');
        return;
    case Keyword::FootnoteMark: {
        // In a note, the mark repeats the number of the note's reference.
        const int value = m_noteNumbers.empty() ? ++m_footnotes : m_noteNumbers.back();
        const QString number = QString::number(value);
        for (const QChar digit : number)
            appendChar(digit.unicode());
        return;
    }
    case Keyword::EmDash:
        appendChar(0x2014);
        return;
    case Keyword::EnDash:
        appendChar(0x2013);
        return;
    case Keyword::EmSpace:
        appendChar(0x2003);
        return;
    case Keyword::EnSpace:
        appendChar(0x2002);
        return;
    case Keyword::QmSpace:
        appendChar(0x2005);
        return;
    case Keyword::Bullet:
        appendChar(0x2022);
        return;
    case Keyword::LQuote:
        appendChar(0x2018);
        return;
    case Keyword::RQuote:
        appendChar(0x2019);
        return;
    case Keyword::LDblQuote:
        appendChar(0x201C);
        return;
    case Keyword::RDblQuote:
        appendChar(0x201D);
        return;
    case Keyword::Zwj:
        appendChar(0x200D);
        return;
    case Keyword::Zwnj:
        appendChar(0x200C);
        return;
    case Keyword::LtrMark:
        appendChar(0x200E);
        return;
    case Keyword::RtlMark:
        appendChar(0x200F);
        return;
    default:
        return;
    }
    m_charDirty = true;
}

} // namespace platform::rtf

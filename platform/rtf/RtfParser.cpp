#include "RtfParser.h"

#include "RtfFormat.h"

#include <QTextDocument>

#include <algorithm>

namespace platform::rtf {

namespace {

constexpr int kMaxUc = 1000;

} // namespace

size_t Parser::CharStateHash::operator()(const CharState &s) const {
    const auto mix = [](quint64 x) {
        x ^= x >> 30;
        x *= 0xbf58476d1ce4e5b9ULL;
        x ^= x >> 27;
        x *= 0x94d049bb133111ebULL;
        return x ^ (x >> 31);
    };
    const quint64 a = quint64(quint32(s.font)) << 32 | quint32(s.halfPoints);
    const quint64 b = quint64(quint32(s.color)) << 32 | quint32(s.background);
    const quint64 c = quint64(quint8(s.bold)) | quint64(quint8(s.italic)) << 8 |
                      quint64(quint8(s.strike)) << 16 | quint64(quint8(s.underline)) << 24 |
                      quint64(quint8(s.valign)) << 32 | quint64(quint8(s.caps)) << 40;
    return size_t(mix(a ^ mix(b ^ mix(c))));
}

Parser::Parser(QTextDocument *document, const QTextCharFormat &defaultFormat)
    : m_document(document)
    , m_builder(document)
    , m_default(defaultFormat)
    , m_tables(defaultFormat)
    , m_lists(m_tables) {}

Parser::~Parser() = default;

void Parser::parse(const char *data, qsizetype size) {
    Lexer lexer(data, size);
    Token t;
    bool started = false;
    bool finished = false;
    while (!finished) {
        lexer.next(t);
        if (t.type == Token::End)
            break;
        if (m_skipDepth > 0) {
            if (t.type == Token::GroupOpen) {
                ++m_skipDepth;
            } else if (t.type == Token::GroupClose && --m_skipDepth == 0) {
                finished = closesDocument();
                if (!finished)
                    closeGroup();
            }
            continue;
        }
        const bool star = m_star;
        m_star = false;
        switch (t.type) {
        case Token::GroupOpen:
            if (started) {
                openGroup();
            } else {
                started = true;
                m_stack.push_back(m_g);
            }
            break;
        case Token::GroupClose:
            if (started) {
                finished = closesDocument();
                if (!finished)
                    closeGroup();
            }
            break;
        case Token::Word:
            if (!started)
                break;
            if (star) {
                flushPending();
                const Keyword keyword = lookupKeyword(t.word);
                if (keyword == Keyword::Ud && m_g.inUpr) {
                    m_g.dest = m_g.uprDest;
                    m_g.inUpr = false;
                } else if (m_ucSkip > 0 || !handleDestination(keyword)) {
                    enterSkip();
                }
                break;
            }
            handleWord(t);
            break;
        case Token::Symbol:
            if (!started)
                break;
            if (m_ucSkip > 0) {
                --m_ucSkip;
                break;
            }
            switch (t.symbol) {
            case '*':
                m_star = true;
                break;
            case '\\':
            case '{':
            case '}':
                if (m_g.dest == Dest::Body)
                    appendChar(char16_t(t.symbol));
                else if (m_g.dest == Dest::FontTable)
                    m_tables.fontByte(t.symbol);
                break;
            case '~':
                appendChar(0x00A0);
                break;
            case '-':
                appendChar(0x00AD);
                break;
            case '_':
                appendChar(0x2011);
                break;
            case '\r':
            case '\n':
                if (m_g.dest == Dest::Body)
                    endParagraph();
                break;
            default:
                break;
            }
            break;
        case Token::Hex:
            if (started)
                handleHex(t.hex);
            break;
        case Token::Text:
            if (started)
                handleText(t.data, t.size);
            break;
        case Token::Binary:
            if (m_ucSkip > 0)
                --m_ucSkip;
            break;
        case Token::End:
            break;
        }
    }
    // A document cut short ends where its bytes end.
    while (!m_spans.empty())
        endSpan();
    flushRun();
    ensureRun();
    m_builder.finish(blockFormat(), m_run->format);
    QTextOption option = m_document->defaultTextOption();
    option.setTabStopDistance(m_defTab / kTwipsPerPixel);
    m_document->setDefaultTextOption(option);
}

bool Parser::closesDocument() const {
    return m_untracked == 0 && m_stack.size() == 1;
}

void Parser::openGroup() {
    flushPending();
    m_ucSkip = 0;
    if (m_stack.size() >= size_t(kMaxGroupDepth)) {
        ++m_untracked;
        if (m_g.dest == Dest::Skip)
            m_skipDepth = 1;
        return;
    }
    m_stack.push_back(m_g);
    const Group &parent = m_stack.back();
    if (parent.dest == Dest::Upr) {
        m_g.dest = Dest::Skip;
        m_g.inUpr = true;
        m_g.uprDest = parent.uprDest;
    } else if (parent.dest == Dest::Skip) {
        m_skipDepth = 1;
    }
}

void Parser::closeGroup() {
    flushPending();
    m_ucSkip = 0;
    if (m_untracked > 0) {
        --m_untracked;
        return;
    }
    if (m_stack.empty())
        return;
    while (!m_spans.empty() && m_spans.back().depth >= m_stack.size())
        endSpan();
    const Dest dest = m_g.dest;
    m_g = std::move(m_stack.back());
    m_stack.pop_back();
    m_charDirty = true;
    if (dest == Dest::FontTable) {
        if (m_tables.fontOpen() && m_stack.size() < m_tables.fontDepth())
            m_tables.endFont();
        if (m_g.dest != Dest::FontTable) {
            m_tables.endFont();
            invalidateRuns();
        }
    } else if (dest == Dest::ColorTable && m_g.dest != Dest::ColorTable) {
        m_tables.endColors();
        invalidateRuns();
    }
}

void Parser::enterSkip() {
    m_skipDepth = 1;
}

// The destinations read for their text or tables, also when marked \*;
// false for any other word.
bool Parser::handleDestination(Keyword keyword) {
    if (m_g.dest == Dest::Skip || m_g.dest == Dest::Upr)
        return false;
    const bool body = m_g.dest == Dest::Body;
    switch (keyword) {
    case Keyword::ListTable:
        m_g.dest = Dest::ListTable;
        return true;
    case Keyword::ListOverrideTable:
        m_g.dest = Dest::ListOverrides;
        return true;
    case Keyword::LevelText:
        if (m_g.dest != Dest::ListTable)
            return false;
        m_g.dest = Dest::LevelText;
        m_lists.beginLevelText();
        return true;
    case Keyword::Shape:
        if (!body && m_g.dest != Dest::Shape)
            return false;
        m_g.dest = Dest::Shape;
        return true;
    case Keyword::ShapeText:
    case Keyword::TextBoxText:
        if (!body && m_g.dest != Dest::Shape)
            return false;
        m_g.dest = Dest::Body;
        beginSpan(Span::Box);
        return true;
    case Keyword::Footnote:
        if (!body)
            return false;
        beginSpan(Span::Note);
        return true;
    case Keyword::ListText:
        if (!body)
            return false;
        beginSpan(Span::ListText);
        return true;
    default:
        return false;
    }
}

void Parser::beginSpan(Span::Kind kind) {
    ensureRun();
    flushRun();
    if (m_untracked > 0)
        return;
    Span span{kind, m_stack.size()};
    switch (kind) {
    case Span::Note:
        m_noteNumbers.push_back(m_footnotes);
        m_builder.beginNote();
        break;
    case Span::Box:
        // The box's paragraphs stand where the box stood: the paragraph
        // around it ends before them and goes on after them.
        if (m_builder.hasText()) {
            endParagraph();
            m_splitRemainder = true;
        }
        break;
    case Span::ListText:
        span.mark = m_builder.mark();
        break;
    }
    m_spans.push_back(span);
}

void Parser::endSpan() {
    const Span span = m_spans.back();
    ensureRun();
    flushRun();
    switch (span.kind) {
    case Span::Note:
        m_builder.endNote(blockFormat(), m_run->format);
        m_noteNumbers.pop_back();
        break;
    case Span::Box:
        if (m_builder.hasText())
            endParagraph();
        break;
    case Span::ListText:
        m_listLabel = m_builder.takeTextSince(span.mark, nullptr);
        m_hasListLabel = true;
        break;
    }
    m_spans.pop_back();
}

bool Parser::inBox() const {
    return std::any_of(m_spans.begin(), m_spans.end(),
                       [](const Span &span) { return span.kind == Span::Box; });
}

void Parser::handleWord(const Token &t) {
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    flushPending();
    const Keyword keyword = lookupKeyword(t.word);
    if (m_g.dest == Dest::Skip || m_g.dest == Dest::Upr)
        return;
    switch (keyword) {
    case Keyword::FontTable:
        m_g.dest = Dest::FontTable;
        return;
    case Keyword::ColorTable:
        m_g.dest = Dest::ColorTable;
        m_tables.beginColors();
        return;
    case Keyword::Skip:
    case Keyword::FieldInstruction:
        enterSkip();
        return;
    case Keyword::ListTable:
    case Keyword::ListOverrideTable:
    case Keyword::LevelText:
    case Keyword::Shape:
    case Keyword::ShapeText:
    case Keyword::TextBoxText:
    case Keyword::Footnote:
    case Keyword::ListText:
        if (!handleDestination(keyword))
            enterSkip();
        return;
    case Keyword::Upr:
        m_g.uprDest = m_g.dest;
        m_g.dest = Dest::Upr;
        return;
    case Keyword::Uc:
        m_g.uc = t.hasParam ? qBound(0, t.param, kMaxUc) : 1;
        return;
    case Keyword::U:
    case Keyword::LiteralUnit: {
        if (!t.hasParam)
            return;
        const char16_t unit = (t.param >= -32768 && t.param <= 65535)
                                  ? char16_t(t.param < 0 ? t.param + 65536 : t.param)
                                  : char16_t(0xFFFD);
        if (m_g.dest == Dest::Body) {
            appendChar(unit);
        } else if (m_g.dest == Dest::FontTable) {
            m_tables.fontUnit(unit);
        } else if (m_g.dest == Dest::LevelText) {
            m_lists.levelTextUnit(unit);
        }
        if (keyword == Keyword::U)
            m_ucSkip = m_g.uc;
        return;
    }
    case Keyword::Ansi:
    case Keyword::Mac:
    case Keyword::Pc:
    case Keyword::Pca:
    case Keyword::AnsiCpg: {
        const int cp = keyword == Keyword::Mac                       ? 10000
                       : keyword == Keyword::Pc                      ? 437
                       : keyword == Keyword::Pca                     ? 850
                       : (keyword == Keyword::AnsiCpg && t.hasParam) ? CodePage::supported(t.param)
                                                                     : 1252;
        invalidateRuns();
        m_tables.setDocumentCodePage(cp > 0 ? cp : 1252);
        return;
    }
    case Keyword::Deff:
        invalidateRuns();
        m_deff = t.hasParam ? t.param : -1;
        return;
    case Keyword::DefTab:
        if (t.hasParam && t.param > 0)
            m_defTab = qMin(t.param, kMaxTwips);
        return;
    default:
        break;
    }
    switch (m_g.dest) {
    case Dest::Body:
        handleBodyWord(keyword, t);
        break;
    case Dest::FontTable:
        if (keyword == Keyword::F)
            m_tables.beginFont(t.hasParam ? t.param : 0, m_stack.size());
        else
            m_tables.fontWord(keyword, t);
        break;
    case Dest::ColorTable:
        m_tables.colorWord(keyword, t);
        break;
    case Dest::ListTable:
        m_lists.listWord(keyword, t);
        break;
    case Dest::ListOverrides:
        m_lists.overrideWord(keyword, t);
        break;
    default:
        break;
    }
}

void Parser::handleText(const char *data, qsizetype size) {
    if (m_ucSkip > 0) {
        const qsizetype skipped = qMin<qsizetype>(m_ucSkip, size);
        m_ucSkip -= int(skipped);
        data += skipped;
        size -= skipped;
    }
    if (size <= 0)
        return;
    switch (m_g.dest) {
    case Dest::Body:
        appendBytes(data, size);
        break;
    case Dest::FontTable:
        m_tables.fontText(data, size);
        break;
    case Dest::ColorTable:
        m_tables.colorText(data, size);
        break;
    case Dest::LevelText:
        m_lists.levelTextBytes(data, size);
        break;
    default:
        break;
    }
}

void Parser::handleHex(uchar byte) {
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    if (m_g.dest == Dest::Body) {
        ensureRun();
        if (m_run->codePage->isSingleByte())
            m_run->codePage->decodeAppend(reinterpret_cast<const char *>(&byte), 1,
                                          m_builder.text());
        else
            m_pending.append(char(byte));
    } else if (m_g.dest == Dest::FontTable) {
        m_tables.fontByte(char(byte));
    } else if (m_g.dest == Dest::LevelText) {
        m_lists.levelTextBytes(reinterpret_cast<const char *>(&byte), 1);
    }
}

void Parser::appendBytes(const char *data, qsizetype size) {
    ensureRun();
    const CodePage *cp = m_run->codePage;
    const bool single = cp->isSingleByte();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= size; ++i) {
        if (i < size && uchar(data[i]) >= 0x20)
            continue;
        if (i > start) {
            if (single)
                cp->decodeAppend(data + start, i - start, m_builder.text());
            else
                m_pending.append(data + start, i - start);
        }
        if (i < size && data[i] == '\t') {
            flushPending();
            m_builder.text().append(QChar('\t'));
        }
        start = i + 1;
    }
}

void Parser::appendChar(char16_t c) {
    if (m_g.dest != Dest::Body)
        return;
    ensureRun();
    flushPending();
    m_builder.text().append(QChar(c));
}

void Parser::flushPending() {
    if (m_pending.isEmpty())
        return;
    m_run->codePage->decodeAppend(m_pending.constData(), m_pending.size(), m_builder.text());
    m_pending.clear();
}

void Parser::flushRun() {
    flushPending();
    if (m_runValid)
        m_builder.endRun(m_run->format);
}

void Parser::ensureRun() {
    if (!m_charDirty && m_runValid)
        return;
    m_charDirty = false;
    if (m_runValid && m_runState == m_g.chr)
        return;
    flushRun();
    m_runState = m_g.chr;
    m_run = &runFor(m_runState);
    m_runValid = true;
}

void Parser::endParagraph() {
    ensureRun();
    flushRun();
    // A list paragraph gets the label that its list gives it; the label of
    // a \listtext group serves where the document defines no such list.
    QString label;
    bool labelled = false;
    if (m_g.para.list >= 0) {
        if (std::optional<QString> generated = m_lists.nextLabel(m_g.para.list, m_g.para.level)) {
            label = *generated;
            labelled = true;
        }
    }
    if (!labelled && m_hasListLabel)
        label = m_listLabel;
    m_hasListLabel = false;
    m_listLabel.clear();
    if (m_splitRemainder && !inBox()) {
        // what a text box left of its paragraph is a paragraph only with text
        m_splitRemainder = false;
        if (!m_builder.hasText() && label.isEmpty()) {
            m_builder.dropEmptyParagraph();
            return;
        }
    }
    m_builder.endParagraph(blockFormat(), m_run->format, label);
}

const Parser::Run &Parser::runFor(const CharState &s) {
    const auto found = m_runs.find(s);
    if (found != m_runs.end())
        return found->second;
    Run run;
    QTextCharFormat &f = run.format;
    const int fontNumber = s.font >= 0 ? s.font : m_deff;
    const Tables::Font *font = m_tables.font(fontNumber);
    f = font ? m_tables.formatOf(fontNumber) : m_default;
    if (s.halfPoints > 0) {
        f.clearProperty(QTextFormat::FontPixelSize);
        f.setFontPointSize(s.halfPoints / 2.0);
    }
    if (s.bold >= 0)
        f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    if (s.italic >= 0)
        f.setFontItalic(s.italic);
    if (s.strike >= 0)
        f.setFontStrikeOut(s.strike);
    if (s.underline >= 0)
        f.setUnderlineStyle(QTextCharFormat::UnderlineStyle(s.underline));
    if (s.valign >= 0)
        f.setVerticalAlignment(QTextCharFormat::VerticalAlignment(s.valign));
    if (s.caps >= 0)
        f.setFontCapitalization(QFont::Capitalization(s.caps));
    if (const QColor *color = m_tables.color(s.color))
        f.setForeground(*color);
    if (const QColor *background = s.background > 0 ? m_tables.color(s.background) : nullptr)
        f.setBackground(*background);
    run.codePage = m_tables.codePage(m_tables.codePageOf(font));
    return m_runs.emplace(s, std::move(run)).first->second;
}

QTextBlockFormat Parser::blockFormat() const {
    const ParaState &p = m_g.para;
    QTextBlockFormat f;
    if (p.align == 1)
        f.setAlignment(Qt::AlignHCenter);
    else if (p.align == 2)
        f.setAlignment(Qt::AlignRight);
    else if (p.align == 3)
        f.setAlignment(Qt::AlignJustify);
    if (p.left)
        f.setLeftMargin(p.left / kTwipsPerPixel);
    if (p.right)
        f.setRightMargin(p.right / kTwipsPerPixel);
    if (p.first)
        f.setTextIndent(p.first / kTwipsPerPixel);
    if (p.before)
        f.setTopMargin(p.before / kTwipsPerPixel);
    if (p.after)
        f.setBottomMargin(p.after / kTwipsPerPixel);
    if (!p.tabs.isEmpty())
        f.setTabPositions(p.tabs);
    if (p.rtl)
        f.setLayoutDirection(Qt::RightToLeft);
    if (p.pageBreakBefore)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return f;
}

void Parser::invalidateRuns() {
    flushRun();
    m_runs.clear();
    m_runValid = false;
}

} // namespace platform::rtf

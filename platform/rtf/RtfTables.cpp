#include "RtfTables.h"

#include "FaceNames.h"
#include "RtfFormat.h"

namespace platform::rtf {

void Tables::beginFont(int number, size_t depth) {
    endFont();
    m_fontOpen = true;
    m_fontNumber = number;
    m_fontDepth = depth;
    m_font = Font();
    m_fontBytes.clear();
}

void Tables::fontWord(Keyword keyword, const Token &t) {
    if (!m_fontOpen)
        return;
    switch (keyword) {
    case Keyword::FCharset:
        m_font.charset = t.hasParam ? qBound(0, t.param, 255) : 0;
        break;
    case Keyword::FPrq:
        m_font.pitch = t.hasParam ? qBound(0, t.param, 2) : 0;
        break;
    case Keyword::Cpg:
        m_font.codePage = t.hasParam ? CodePage::supported(t.param) : 0;
        break;
    case Keyword::FNil:
    case Keyword::FTech:
        m_font.hasHint = false;
        break;
    case Keyword::FRoman:
    case Keyword::FSwiss:
    case Keyword::FModern:
    case Keyword::FScript:
    case Keyword::FDecor:
        m_font.hasHint = true;
        m_font.hint = keyword == Keyword::FRoman    ? QFont::Serif
                      : keyword == Keyword::FSwiss  ? QFont::SansSerif
                      : keyword == Keyword::FModern ? QFont::TypeWriter
                      : keyword == Keyword::FScript ? QFont::Cursive
                                                    : QFont::Decorative;
        break;
    default:
        break;
    }
}

void Tables::fontText(const char *data, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] == ';')
            endFont();
        else if (m_fontOpen)
            m_fontBytes.append(data[i]);
    }
}

void Tables::fontByte(char byte) {
    if (m_fontOpen)
        m_fontBytes.append(byte);
}

void Tables::fontUnit(char16_t unit) {
    if (!m_fontOpen)
        return;
    m_font.face += codePage(codePageOf(&m_font))->decode(m_fontBytes);
    m_fontBytes.clear();
    m_font.face += QChar(unit);
}

void Tables::endFont() {
    if (!m_fontOpen)
        return;
    m_font.face += codePage(codePageOf(&m_font))->decode(m_fontBytes);
    m_font.face.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
    m_font.face = m_font.face.trimmed();
    m_fonts.insert(m_fontNumber, m_font);
    m_fontFormats.remove(m_fontNumber);
    m_fontOpen = false;
    m_fontBytes.clear();
}

const Tables::Font *Tables::font(int number) const {
    const auto found = m_fonts.constFind(number);
    return found != m_fonts.constEnd() ? &*found : nullptr;
}

const QTextCharFormat &Tables::formatOf(int number) {
    auto found = m_fontFormats.find(number);
    if (found != m_fontFormats.end())
        return *found;
    QTextCharFormat f = m_default;
    if (const Font *entry = font(number)) {
        if (!entry->face.isEmpty())
            f.setFontFamilies(facesFor(entry->face));
        if (entry->charset >= 0)
            f.setProperty(CharSetProperty, entry->charset);
        if (entry->pitch >= 0)
            f.setProperty(PitchProperty, entry->pitch);
        if (entry->hasHint)
            f.setFontStyleHint(entry->hint);
    }
    return *m_fontFormats.insert(number, f);
}

void Tables::beginColors() {
    m_colors.clear();
    m_rgbGiven = false;
    m_rgb[0] = m_rgb[1] = m_rgb[2] = 0;
}

void Tables::colorWord(Keyword keyword, const Token &t) {
    if (keyword != Keyword::Red && keyword != Keyword::Green && keyword != Keyword::Blue)
        return;
    const int index = keyword == Keyword::Red ? 0 : keyword == Keyword::Green ? 1 : 2;
    m_rgb[index] = t.hasParam ? qBound(0, t.param, 255) : 0;
    m_rgbGiven = true;
}

void Tables::colorText(const char *data, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] == ';')
            endColor();
    }
}

void Tables::endColors() {
    if (m_rgbGiven)
        endColor();
}

void Tables::endColor() {
    if (m_rgbGiven)
        m_colors.append(QColor(m_rgb[0], m_rgb[1], m_rgb[2]));
    else
        m_colors.append(std::nullopt); // "automatic"
    m_rgb[0] = m_rgb[1] = m_rgb[2] = 0;
    m_rgbGiven = false;
}

const QColor *Tables::color(int index) const {
    if (index < 0 || index >= m_colors.size() || !m_colors.at(index))
        return nullptr;
    return &*m_colors.at(index);
}

int Tables::codePageOf(const Font *font) const {
    if (!font)
        return m_documentCodePage;
    if (font->codePage > 0)
        return font->codePage;
    const int cp = CodePage::forCharset(font->charset);
    return cp > 0 ? cp : m_documentCodePage;
}

const CodePage *Tables::codePage(int number) {
    auto &slot = m_codePages[number];
    if (!slot)
        slot = std::make_unique<CodePage>(number);
    return slot.get();
}

} // namespace platform::rtf

#include "RtfWriter.h"

#include "CodePage.h"
#include "RtfFormat.h"
#include "RtfPrivate.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <charconv>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace platform {

namespace {

constexpr int kDocumentCodePage = 1252;
using rtf::kMaxHalfPoints;
using rtf::kMaxTwips;
using rtf::kMinHalfPoints;

int toTwips(qreal pixels) {
    return qBound(-kMaxTwips, qRound(pixels * rtf::kTwipsPerPixel), kMaxTwips);
}

struct FontKey {
    QString face;
    int charset = -1;
    int pitch = -1;
    int hint = -1; // -1 none, else QFont::StyleHint
    bool operator==(const FontKey &) const = default;
};

size_t qHash(const FontKey &k, size_t seed) {
    return qHashMulti(seed, k.face, k.charset, k.pitch, k.hint);
}

struct Props {
    int font = -1;
    int halfPoints = -1;
    int color = 0;
    int background = 0;
    int underline = QTextCharFormat::NoUnderline;
    int valign = QTextCharFormat::AlignNormal;
    int caps = QFont::MixedCase;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool operator==(const Props &) const = default;
};

int styleHintOf(const QTextCharFormat &format) {
    if (!format.hasProperty(QTextFormat::FontStyleHint))
        return -1;
    switch (format.fontStyleHint()) {
    case QFont::Serif:
    case QFont::SansSerif:
    case QFont::TypeWriter:
    case QFont::Cursive:
    case QFont::Decorative:
        return format.fontStyleHint();
    default:
        return -1;
    }
}

const char *familyWord(int hint) {
    switch (hint) {
    case QFont::Serif:
        return "\\froman";
    case QFont::SansSerif:
        return "\\fswiss";
    case QFont::TypeWriter:
        return "\\fmodern";
    case QFont::Cursive:
        return "\\fscript";
    case QFont::Decorative:
        return "\\fdecor";
    default:
        return "\\fnil";
    }
}

const char *underlineWord(int style) {
    switch (style) {
    case QTextCharFormat::SingleUnderline:
        return "\\ul";
    case QTextCharFormat::DashUnderline:
        return "\\uldash";
    case QTextCharFormat::DotLine:
        return "\\uld";
    case QTextCharFormat::DashDotLine:
        return "\\uldashd";
    case QTextCharFormat::DashDotDotLine:
        return "\\uldashdd";
    case QTextCharFormat::WaveUnderline:
        return "\\ulwave";
    default:
        return nullptr;
    }
}

// The mark of a list item as the editor draws it, and the tab that parts it
// from the item's text; empty outside lists.
QString listLabel(const QTextBlock &block) {
    const QTextList *list = block.textList();
    if (!list)
        return QString();
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
        return QStringLiteral("\u2022\t");
    case QTextListFormat::ListCircle:
        return QStringLiteral("\u25E6\t");
    case QTextListFormat::ListSquare:
        return QStringLiteral("\u25AA\t");
    default:
        return list->itemText(block) + QLatin1Char('\t');
    }
}

class Writer {
public:
    explicit Writer(const QTextDocument &document)
        : m_document(document)
        , m_defaultFont(document.defaultFont()) {}

    QByteArray write();

private:
    Props propsOf(const QTextCharFormat &format);
    int fontIndex(const FontKey &key);
    int colorIndex(const QBrush &brush);
    const CodePage *codePage(int number);
    const CodePage *fontCodePage(int font);

    static void number(std::string &out, int value) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        out.append(digits, end);
    }
    void word(const char *w) {
        m_out.append(w);
        m_space = true;
    }
    void word(const char *w, int value) {
        m_out.append(w);
        number(m_out, value);
        m_space = true;
    }
    void literal(char c) {
        if (m_space)
            m_out.push_back(' ');
        m_space = false;
        m_out.push_back(c);
    }
    static void hex(std::string &out, uchar byte);
    const Props &propsAt(int formatIndex, const QTextCharFormat &format);
    void writeParagraphFormat(const QTextBlock &block);
    void changeTo(const Props &p);
    void writeText(QStringView text, const CodePage *cp);
    void writeUnit(char32_t c, QStringView units, const CodePage *cp);
    void writeFontName(const QString &face, const CodePage *cp, std::string &out);

    const QTextDocument &m_document;
    QFont m_defaultFont;
    std::string m_out;
    bool m_space = false;
    Props m_cur;
    QHash<FontKey, int> m_fontIndex;
    QList<FontKey> m_fonts;
    QHash<QRgb, int> m_colorIndex;
    QList<QRgb> m_colors;
    std::map<int, std::unique_ptr<CodePage>> m_codePages;
    QHash<int, Props> m_propsByFormat; // by the document's format index
    // code page and UTF-16 unit to the page's bytes (length in the top byte),
    // 0 when the page lacks the character
    QHash<quint32, quint32> m_encoded;
};

QByteArray Writer::write() {
    m_out.reserve(size_t(m_document.characterCount()) * 2 + 1024);
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        word("\\pard");
        writeParagraphFormat(block);
        word("\\plain");
        m_cur = Props();
        // A list item's mark becomes text, in the format of the item's text.
        QString label = listLabel(block);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const Props props = propsAt(fragment.charFormatIndex(), fragment.charFormat());
            changeTo(props);
            writeText(std::exchange(label, QString()), fontCodePage(props.font));
            writeText(fragment.text(), fontCodePage(props.font));
        }
        changeTo(propsAt(block.charFormatIndex(), block.charFormat()));
        writeText(label, fontCodePage(m_cur.font));
        word("\\par");
        m_out.push_back('\n');
        m_space = false;
    }

    std::string out = "{\\rtf1\\ansi\\ansicpg";
    number(out, kDocumentCodePage);
    out += "\\deff0\\deftab";
    number(out, qBound(1, toTwips(m_document.defaultTextOption().tabStopDistance()), kMaxTwips));
    out += "\\uc1\n{\\fonttbl";
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        const FontKey &font = m_fonts.at(i);
        out += "{\\f";
        number(out, int(i));
        out += familyWord(font.hint);
        if (font.charset >= 0) {
            out += "\\fcharset";
            number(out, font.charset);
        }
        if (font.pitch >= 0) {
            out += "\\fprq";
            number(out, font.pitch);
        }
        out += ' ';
        writeFontName(font.face, fontCodePage(int(i)), out);
        out += ";}";
    }
    out += "}\n{\\colortbl;";
    for (const QRgb rgb : std::as_const(m_colors)) {
        out += "\\red";
        number(out, qRed(rgb));
        out += "\\green";
        number(out, qGreen(rgb));
        out += "\\blue";
        number(out, qBlue(rgb));
        out += ';';
    }
    out += "}\n";
    out += m_out;
    out += "}\n";
    return QByteArray(out.data(), qsizetype(out.size()));
}

const Props &Writer::propsAt(int formatIndex, const QTextCharFormat &format) {
    auto found = m_propsByFormat.constFind(formatIndex);
    if (found == m_propsByFormat.constEnd())
        found = m_propsByFormat.insert(formatIndex, propsOf(format));
    return *found;
}

Props Writer::propsOf(const QTextCharFormat &format) {
    const QFont font = format.font().resolve(m_defaultFont);
    Props p;
    FontKey key;
    key.face = font.family();
    const QVariant charset = format.property(CharSetProperty);
    if (charset.isValid())
        key.charset = qBound(0, charset.toInt(), 255);
    const QVariant pitch = format.property(PitchProperty);
    if (pitch.isValid())
        key.pitch = qBound(0, pitch.toInt(), 2);
    key.hint = styleHintOf(format);
    p.font = fontIndex(key);

    qreal points = font.pointSizeF();
    if (points <= 0)
        points = font.pixelSize() * 0.75;
    p.halfPoints = qBound(kMinHalfPoints, qRound(points * 2), kMaxHalfPoints);
    p.bold = font.weight() >= QFont::DemiBold;
    p.italic = font.italic();
    p.strike = font.strikeOut();
    if (format.hasProperty(QTextFormat::TextUnderlineStyle))
        p.underline = format.underlineStyle();
    else
        p.underline =
            font.underline() ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline;
    if (!underlineWord(p.underline))
        p.underline = QTextCharFormat::NoUnderline;
    const int valign = format.verticalAlignment();
    if (valign == QTextCharFormat::AlignSuperScript || valign == QTextCharFormat::AlignSubScript)
        p.valign = valign;
    const int caps = font.capitalization();
    if (caps == QFont::AllUppercase || caps == QFont::SmallCaps)
        p.caps = caps;
    p.color = colorIndex(format.foreground());
    p.background = colorIndex(format.background());
    return p;
}

int Writer::fontIndex(const FontKey &key) {
    const auto found = m_fontIndex.constFind(key);
    if (found != m_fontIndex.constEnd())
        return *found;
    const int index = int(m_fonts.size());
    m_fonts.append(key);
    m_fontIndex.insert(key, index);
    return index;
}

int Writer::colorIndex(const QBrush &brush) {
    if (brush.style() == Qt::NoBrush)
        return 0;
    const QRgb rgb = brush.color().rgb() & 0xFFFFFF;
    const auto found = m_colorIndex.constFind(rgb);
    if (found != m_colorIndex.constEnd())
        return *found;
    m_colors.append(rgb);
    const int index = int(m_colors.size()); // entry 0 is "automatic"
    m_colorIndex.insert(rgb, index);
    return index;
}

const CodePage *Writer::codePage(int number) {
    auto &slot = m_codePages[number];
    if (!slot)
        slot = std::make_unique<CodePage>(number);
    return slot.get();
}

const CodePage *Writer::fontCodePage(int font) {
    const int charset = (font >= 0 && font < m_fonts.size()) ? m_fonts.at(font).charset : -1;
    const int cp = CodePage::forCharset(charset);
    return codePage(cp > 0 ? cp : kDocumentCodePage);
}

void Writer::writeParagraphFormat(const QTextBlock &block) {
    const QTextBlockFormat format = block.blockFormat();
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        word("\\qc");
    else if (align & Qt::AlignJustify)
        word("\\qj");
    else if (align & Qt::AlignRight)
        word("\\qr");
    const int indent =
        format.indent() + (block.textList() ? block.textList()->format().indent() : 0);
    const int left = toTwips(format.leftMargin() + indent * m_document.indentWidth());
    if (left)
        word("\\li", left);
    if (const int right = toTwips(format.rightMargin()))
        word("\\ri", right);
    if (const int first = toTwips(format.textIndent()))
        word("\\fi", first);
    if (const int before = qMax(0, toTwips(format.topMargin())))
        word("\\sb", before);
    if (const int after = qMax(0, toTwips(format.bottomMargin())))
        word("\\sa", after);
    const QList<QTextOption::Tab> tabs = format.tabPositions();
    for (qsizetype i = 0; i < tabs.size() && i < 64; ++i) {
        const QTextOption::Tab &tab = tabs.at(i);
        if (tab.type == QTextOption::RightTab)
            word("\\tqr");
        else if (tab.type == QTextOption::CenterTab)
            word("\\tqc");
        else if (tab.type == QTextOption::DelimiterTab)
            word("\\tqdec");
        word("\\tx", qMax(0, toTwips(tab.position)));
    }
    if (format.layoutDirection() == Qt::RightToLeft)
        word("\\rtlpar");
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        word("\\pagebb");
}

void Writer::changeTo(const Props &p) {
    if (p == m_cur)
        return;
    const Props c = m_cur;
    if (p.font != c.font)
        word("\\f", p.font);
    if (p.halfPoints != c.halfPoints)
        word("\\fs", p.halfPoints);
    if (p.bold != c.bold)
        word(p.bold ? "\\b" : "\\b0");
    if (p.italic != c.italic)
        word(p.italic ? "\\i" : "\\i0");
    if (p.underline != c.underline)
        word(p.underline == QTextCharFormat::NoUnderline ? "\\ulnone" : underlineWord(p.underline));
    if (p.strike != c.strike)
        word(p.strike ? "\\strike" : "\\strike0");
    if (p.color != c.color)
        word("\\cf", p.color);
    if (p.background != c.background)
        word("\\highlight", p.background);
    if (p.valign != c.valign) {
        word(p.valign == QTextCharFormat::AlignSuperScript ? "\\super"
             : p.valign == QTextCharFormat::AlignSubScript ? "\\sub"
                                                           : "\\nosupersub");
    }
    if (p.caps != c.caps) {
        if (c.caps == QFont::AllUppercase)
            word("\\caps0");
        else if (c.caps == QFont::SmallCaps)
            word("\\scaps0");
        if (p.caps == QFont::AllUppercase)
            word("\\caps");
        else if (p.caps == QFont::SmallCaps)
            word("\\scaps");
    }
    m_cur = p;
}

void Writer::hex(std::string &out, uchar byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    const char escape[4] = {'\\', '\'', kDigits[byte >> 4], kDigits[byte & 15]};
    out.append(escape, 4);
}

void Writer::writeText(QStringView text, const CodePage *cp) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c < 0x7F) {
            if (c == '\\' || c == '{' || c == '}') {
                m_out.push_back('\\');
                m_out.push_back(char(c));
                m_space = false;
            } else {
                literal(char(c));
            }
            continue;
        }
        switch (c) {
        case '\t':
            word("\\tab");
            continue;
        case 0x2028:
            word("\\line");
            continue;
        case 0x00A0:
            m_out += "\\~";
            m_space = false;
            continue;
        case 0x00AD:
            m_out += "\\-";
            m_space = false;
            continue;
        case 0xFFFC: // an object: images are not written
        case 0x2029:
            continue;
        default:
            break;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            writeUnit(c, text.mid(i, 1), nullptr);
            writeUnit(text[i + 1].unicode(), text.mid(i + 1, 1), nullptr);
            ++i;
            continue;
        }
        writeUnit(c, text.mid(i, 1), cp);
    }
}

void Writer::writeUnit(char32_t c, QStringView units, const CodePage *cp) {
    // A character that the font's code page holds goes out in that page, as
    // every RTF reader understands it; any other as \uN with "?" for readers
    // that do not know \uN.
    if (cp) {
        const quint32 key = (quint32(cp->number()) << 16) | quint32(units[0].unicode());
        auto found = m_encoded.constFind(key);
        if (found == m_encoded.constEnd()) {
            const QByteArray bytes = cp->encode(units);
            quint32 value = 0;
            if ((bytes.size() == 1 || bytes.size() == 2) && uchar(bytes[0]) >= 0x80 &&
                cp->decode(bytes) == units) {
                value = quint32(bytes.size()) << 24 | quint32(uchar(bytes[0])) << 8 |
                        (bytes.size() == 2 ? quint32(uchar(bytes[1])) : 0);
            }
            found = m_encoded.insert(key, value);
        }
        if (const quint32 value = *found) {
            hex(m_out, uchar(value >> 8));
            if ((value >> 24) == 2)
                hex(m_out, uchar(value));
            m_space = false;
            return;
        }
    }
    word("\\u", c > 0x7FFF ? int(c) - 0x10000 : int(c));
    hex(m_out, '?');
    m_space = false;
}

void Writer::writeFontName(const QString &face, const CodePage *cp, std::string &out) {
    for (qsizetype i = 0; i < face.size(); ++i) {
        const char16_t c = face[i].unicode();
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}' && c != ';') {
            out.push_back(char(c));
            continue;
        }
        const QByteArray bytes = cp->encode(QStringView(face).mid(i, 1));
        if (bytes.size() == 1 && cp->decode(bytes) == face.mid(i, 1)) {
            hex(out, uchar(bytes[0]));
        } else {
            out += "\\u";
            number(out, c > 0x7FFF ? int(c) - 0x10000 : int(c));
            hex(out, '?');
        }
    }
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument &document) const {
    return Writer(document).write();
}

QString RtfWriter::writeColumnText(const QTextDocument &document) const {
    return rtfToColumnText(write(document));
}

} // namespace platform

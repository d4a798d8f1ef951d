#pragma once

#include "CodePage.h"
#include "RtfKeywords.h"
#include "RtfPrivate.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextCharFormat>

#include <map>
#include <memory>
#include <optional>

namespace platform::rtf {

// The font and colour tables of a document being read, and the code pages
// that its 8-bit text is decoded with.
class Tables {
public:
    struct Font {
        QString face;
        int charset = -1; // -1 when the table gives none
        int pitch = -1;
        int codePage = 0; // from \cpg; 0 when not given
        QFont::StyleHint hint = QFont::AnyStyle;
        bool hasHint = false;
    };

    explicit Tables(const QTextCharFormat &defaultFormat)
        : m_default(defaultFormat) {}

    // Font table: an entry starts with \fN and ends with ";" or with the group
    // it started in (depth: the number of groups open around \fN).
    void beginFont(int number, size_t depth);
    bool fontOpen() const { return m_fontOpen; }
    size_t fontDepth() const { return m_fontDepth; }
    void fontWord(Keyword keyword, const Token &token);
    void fontText(const char *data, qsizetype size);
    void fontByte(char byte); // an escaped byte of the name, never its end
    void fontUnit(char16_t unit);
    void endFont();
    const Font *font(int number) const;
    // The default format with the font, made when a text first uses it.
    const QTextCharFormat &formatOf(int number);

    // Colour table: entries end with ";"; index 0 is the first (an entry
    // without colour, usually the first, means "automatic" and gives null).
    void beginColors();
    void colorWord(Keyword keyword, const Token &token);
    void colorText(const char *data, qsizetype size);
    void endColors();
    const QColor *color(int index) const;

    void setDocumentCodePage(int number) { m_documentCodePage = number; }
    // The code page of a font's text (the document's when font is null).
    int codePageOf(const Font *font) const;
    const CodePage *codePage(int number);

private:
    void endColor();

    QTextCharFormat m_default;
    int m_documentCodePage = 1252;
    std::map<int, std::unique_ptr<CodePage>> m_codePages;

    QHash<int, Font> m_fonts;
    QHash<int, QTextCharFormat> m_fontFormats;
    bool m_fontOpen = false;
    int m_fontNumber = 0;
    size_t m_fontDepth = 0;
    Font m_font;
    QByteArray m_fontBytes;

    QList<std::optional<QColor>> m_colors;
    int m_rgb[3] = {0, 0, 0};
    bool m_rgbGiven = false;
};

} // namespace platform::rtf

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <memory>

namespace platform {

// A Windows code page, converted through the C library's iconv. Single-byte
// pages keep a 256-entry table built from the converter at first use.
class CodePage {
public:
    // A number the converter does not know falls back to 1252.
    explicit CodePage(int number);
    ~CodePage();
    CodePage(const CodePage &) = delete;
    CodePage &operator=(const CodePage &) = delete;

    int number() const { return m_number; }
    bool isSingleByte() const { return m_singleByte; }

    // Undecodable bytes become U+FFFD.
    void decodeAppend(const char *data, qsizetype size, QString &out) const;
    QString decode(const QByteArray &bytes) const;
    // The character (one code point, given as one or two UTF-16 units) in
    // this page, or an empty array when the page has no such character.
    QByteArray encode(QStringView character) const;

    // The number itself when the reader supports that page, else 0.
    static int supported(int number);
    // The code page for an RTF \fcharset number; 0 means "the document's".
    static int forCharset(int charset);
    // The code page that bytes are identical to Unicode code points in, used
    // for symbol fonts.
    static constexpr int kLatin1 = 28591;

private:
    class Converter;
    int m_number;
    bool m_singleByte = false;
    std::array<char16_t, 256> m_table{};
    std::unique_ptr<Converter> m_decoder;
    std::unique_ptr<Converter> m_encoder;
};

} // namespace platform

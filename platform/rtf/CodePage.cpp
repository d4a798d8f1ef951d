#include "CodePage.h"

#include <QSysInfo>

#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

const char *unicodeName() {
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

QByteArray iconvName(int number) {
    switch (number) {
    case 10000:
        return "MACINTOSH";
    case 1361:
        return "JOHAB";
    case 20866:
        return "KOI8-R";
    case 65001:
        return "UTF-8";
    case CodePage::kLatin1:
        return "ISO-8859-1";
    default:
        return "CP" + QByteArray::number(number);
    }
}

} // namespace

class CodePage::Converter {
public:
    Converter(const char *to, const char *from)
        : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (isValid())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool isValid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    void reset() const { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

    // One step of iconv; returns errno, or 0 when all input was taken.
    int convert(const char *&in, size_t &inLeft, char *&out, size_t &outLeft) const {
        char *src = const_cast<char *>(in);
        const size_t r = iconv(m_cd, &src, &inLeft, &out, &outLeft);
        in = src;
        return r == static_cast<size_t>(-1) ? errno : 0;
    }
    // Writes out what a stateful converter still holds.
    void flush(char *&out, size_t &outLeft) const { iconv(m_cd, nullptr, nullptr, &out, &outLeft); }

private:
    iconv_t m_cd;
};

CodePage::CodePage(int number)
    : m_number(number) {
    m_decoder = std::make_unique<Converter>(unicodeName(), iconvName(number).constData());
    if (!m_decoder->isValid()) {
        m_number = 1252;
        m_decoder = std::make_unique<Converter>(unicodeName(), "CP1252");
    }
    m_encoder = std::make_unique<Converter>(iconvName(m_number).constData(), unicodeName());

    // A page is single-byte when no byte alone is the start of a longer sequence.
    m_singleByte = true;
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const char *in = &byte;
        size_t inLeft = 1;
        char16_t units[4] = {};
        char *out = reinterpret_cast<char *>(units);
        size_t outLeft = sizeof units;
        m_decoder->reset();
        const int err = m_decoder->convert(in, inLeft, out, outLeft);
        if (err == 0)
            m_decoder->flush(out, outLeft);
        const size_t produced = (sizeof units - outLeft) / sizeof(char16_t);
        if (err == EINVAL) {
            m_singleByte = false;
            break;
        }
        m_table[b] = (err == 0 && produced == 1) ? units[0] : char16_t(0xFFFD);
    }
}

CodePage::~CodePage() = default;

void CodePage::decodeAppend(const char *data, qsizetype size, QString &out) const {
    if (size <= 0)
        return;
    if (m_singleByte) {
        const qsizetype start = out.size();
        out.resize(start + size);
        QChar *dst = out.data() + start;
        for (qsizetype i = 0; i < size; ++i)
            dst[i] = QChar(m_table[uchar(data[i])]);
        return;
    }
    const qsizetype start = out.size();
    qsizetype capacity = size + 8;
    out.resize(start + capacity);
    const char *in = data;
    size_t inLeft = size_t(size);
    qsizetype written = 0;
    m_decoder->reset();
    while (true) {
        char *dst = reinterpret_cast<char *>(out.data() + start + written);
        size_t outLeft = size_t(capacity - written) * sizeof(char16_t);
        const size_t before = outLeft;
        int err = m_decoder->convert(in, inLeft, dst, outLeft);
        if (err == 0)
            m_decoder->flush(dst, outLeft);
        written += qsizetype((before - outLeft) / sizeof(char16_t));
        if (err == 0)
            break;
        if (err == E2BIG) {
            capacity = capacity * 2 + 8;
            out.resize(start + capacity);
            continue;
        }
        // A byte that starts no character, or a character cut short.
        if (written >= capacity) {
            capacity = capacity * 2 + 8;
            out.resize(start + capacity);
        }
        out[start + written++] = QChar(0xFFFD);
        if (err != EILSEQ || inLeft <= 1)
            break;
        ++in;
        --inLeft;
        m_decoder->reset();
    }
    out.resize(start + written);
}

QString CodePage::decode(const QByteArray &bytes) const {
    QString out;
    decodeAppend(bytes.constData(), bytes.size(), out);
    return out;
}

QByteArray CodePage::encode(QStringView character) const {
    if (character.isEmpty() || character.size() > 2)
        return {};
    const char *in = reinterpret_cast<const char *>(character.utf16());
    size_t inLeft = size_t(character.size()) * sizeof(char16_t);
    char buffer[16];
    char *out = buffer;
    size_t outLeft = sizeof buffer;
    m_encoder->reset();
    if (m_encoder->convert(in, inLeft, out, outLeft) != 0)
        return {};
    m_encoder->flush(out, outLeft);
    return QByteArray(buffer, qsizetype(sizeof buffer - outLeft));
}

int CodePage::supported(int number) {
    switch (number) {
    case 437:
    case 850:
    case 852:
    case 866:
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
    case 1250:
    case 1251:
    case 1252:
    case 1253:
    case 1254:
    case 1255:
    case 1256:
    case 1257:
    case 1258:
    case 1361:
    case 10000:
    case 20866:
    case 28591:
    case 65001:
        return number;
    default:
        return 0;
    }
}

int CodePage::forCharset(int charset) {
    switch (charset) {
    case 2: // symbol
        return kLatin1;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default: // 0 ANSI, 1 default and anything unknown
        return 0;
    }
}

} // namespace platform

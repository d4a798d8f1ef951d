#include "RtfFormat.h"

#include "RtfPrivate.h"

namespace platform {

namespace {

template <class Char> qsizetype rtfStart(const Char *data, qsizetype size) {
    qsizetype i = 0;
    if (size >= 3 && uint(data[0]) == 0xEF && uint(data[1]) == 0xBB && uint(data[2]) == 0xBF)
        i = 3;
    else if (size >= 1 && uint(data[0]) == 0xFEFF)
        i = 1;
    while (i < size && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n' ||
                        data[i] == '\f' || data[i] == '\v'))
        ++i;
    static constexpr char kMagic[] = "{\\rtf";
    for (int k = 0; k < 5; ++k) {
        if (i + k >= size || uint(data[i + k]) != uint(uchar(kMagic[k])))
            return -1;
    }
    return i;
}

} // namespace

bool isRtf(const QByteArray &bytes) {
    return rtfStart(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size()) >= 0;
}

bool isRtf(const QString &text) {
    return rtfStart(reinterpret_cast<const char16_t *>(text.utf16()), text.size()) >= 0;
}

QString rtfToColumnText(const QByteArray &rtf) {
    return QString::fromLatin1(rtf);
}

QByteArray columnTextToRtf(const QString &text) {
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() <= 0xFF) {
            out.append(char(c.unicode()));
        } else {
            out.append('\\').append(rtf::kLiteralUnitWord).append(QByteArray::number(c.unicode()));
            out.append(' ');
        }
    }
    return out;
}

} // namespace platform

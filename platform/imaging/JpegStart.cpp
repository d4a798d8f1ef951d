#include "platform/imaging/JpegStart.h"

#include <climits>
#include <cstring>

namespace platform {

int jpegStartsInBlob(const QByteArray &blob) {
    const auto *data = reinterpret_cast<const unsigned char *>(blob.constData());
    // The result is a 32-bit offset: a marker beyond its range cannot be reported.
    const qsizetype size = qMin<qsizetype>(blob.size(), qsizetype(INT_MAX) + 1);
    qsizetype pos = 0;
    while (pos + 1 < size) {
        const void *hit = std::memchr(data + pos, 0xFF, size_t(size - 1 - pos));
        if (!hit)
            break;
        pos = static_cast<const unsigned char *>(hit) - data;
        if (data[pos + 1] == 0xD8)
            return int(pos);
        ++pos;
    }
    return -1;
}

} // namespace platform

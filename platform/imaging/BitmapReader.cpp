#include "platform/imaging/BitmapReader.h"

#include "core/Error.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstring>

namespace platform {

namespace {

constexpr qint64 kFileHeaderSize = 14;

[[noreturn]] void notValid() {
    throw core::Error(QStringLiteral("Bitmap image is not valid"));
}

quint16 u16(const uchar *p) {
    return qFromLittleEndian<quint16>(p);
}

quint32 u32(const uchar *p) {
    return qFromLittleEndian<quint32>(p);
}

// Reads exactly `size` bytes at `pos`, or fails.
bool readAt(QIODevice *device, qint64 pos, uchar *out, qint64 size) {
    if (!device->seek(pos))
        return false;
    qint64 done = 0;
    while (done < size) {
        const qint64 n = device->read(reinterpret_cast<char *>(out) + done, size - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Sequential bytes of the run-length data, read in blocks; -1 at the end.
class ByteSource {
public:
    ByteSource(QIODevice *device, qint64 pos, qint64 size)
        : m_device(device)
        , m_pos(pos)
        , m_left(size)
        , m_buffer(64 * 1024) {}

    int next() {
        if (m_at == m_end && !refill())
            return -1;
        return m_buffer[m_at++];
    }

private:
    bool refill() {
        const qint64 n = std::min<qint64>(m_left, qint64(m_buffer.size()));
        if (n <= 0 || !readAt(m_device, m_pos, m_buffer.data(), n))
            return false;
        m_pos += n;
        m_left -= n;
        m_at = 0;
        m_end = size_t(n);
        return true;
    }

    QIODevice *m_device;
    qint64 m_pos;
    qint64 m_left;
    std::vector<uchar> m_buffer;
    size_t m_at = 0;
    size_t m_end = 0;
};

} // namespace

BitmapReader::BitmapReader(QIODevice *device)
    : m_device(device) {
    parse();
}

void BitmapReader::parse() {
    m_fileSize = m_device->size();
    uchar head[kFileHeaderSize + 64] = {};
    if (m_fileSize < kFileHeaderSize + 12 || !readAt(m_device, 0, head, kFileHeaderSize + 4))
        notValid();
    if (head[0] != 'B' || head[1] != 'M')
        notValid();
    const qint64 offBits = u32(head + 10);
    const qint64 infoSize = u32(head + 14);
    const bool core = infoSize == 12;
    const bool os2 = infoSize == 16 || infoSize == 64;
    const bool windows =
        infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 || infoSize == 124;
    if (!core && !os2 && !windows)
        notValid();
    const qint64 headerBytes = std::min<qint64>(infoSize, 64);
    if (kFileHeaderSize + infoSize > m_fileSize ||
        !readAt(m_device, kFileHeaderSize, head + kFileHeaderSize, headerBytes))
        notValid();
    const uchar *info = head + kFileHeaderSize;

    qint64 width = 0;
    qint64 height = 0;
    int planes = 0;
    quint32 compression = 0;
    qint64 sizeImage = 0;
    qint64 coloursUsed = 0;
    if (core) {
        width = u16(info + 4);
        height = u16(info + 6);
        planes = u16(info + 8);
        m_bitsPerPixel = u16(info + 10);
    } else {
        width = qint32(u32(info + 4));
        height = qint32(u32(info + 8));
        planes = u16(info + 12);
        m_bitsPerPixel = u16(info + 14);
        if (infoSize >= 40) {
            compression = u32(info + 16);
            sizeImage = u32(info + 20);
            coloursUsed = u32(info + 32);
        }
    }
    m_topDown = height < 0;
    height = std::abs(height);
    if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension || planes != 1)
        notValid();
    m_width = int(width);
    m_height = int(height);

    const int bpp = m_bitsPerPixel;
    int maskCount = 0;
    switch (compression) {
    case 0:
        m_compression = Compression::None;
        if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
            notValid();
        if (core && bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24)
            notValid();
        break;
    case 1:
        m_compression = Compression::Rle8;
        if (bpp != 8)
            notValid();
        break;
    case 2:
        m_compression = Compression::Rle4;
        if (bpp != 4)
            notValid();
        break;
    case 3: // bit fields; in OS/2 headers, Huffman coding
    case 6: // bit fields with alpha
        if (!windows || (bpp != 16 && bpp != 32))
            notValid();
        m_compression = Compression::BitFields;
        maskCount = compression == 6 ? 4 : 3;
        break;
    default:
        notValid();
    }
    const bool runLength = m_compression == Compression::Rle8 || m_compression == Compression::Rle4;
    if (runLength && (m_topDown || width * height > kMaxRlePixels))
        notValid();

    qint64 tablePos = kFileHeaderSize + infoSize;
    if (m_compression == Compression::BitFields) {
        if (infoSize == 40) {
            readMasks(tablePos, maskCount);
            tablePos += 4 * maskCount;
        } else {
            readMasks(kFileHeaderSize + 40, 3);
        }
    } else if (bpp == 16) {
        m_channels = {Channel{0x7C00, 10, 31}, Channel{0x03E0, 5, 31}, Channel{0x001F, 0, 31}};
    } else if (bpp == 32) {
        m_channels = {Channel{0xFF0000, 16, 255}, Channel{0xFF00, 8, 255}, Channel{0xFF, 0, 255}};
    }

    if (offBits < tablePos || offBits >= m_fileSize)
        notValid();
    m_dataOffset = offBits;

    if (bpp <= 8) {
        const qint64 maxColours = qint64(1) << bpp;
        if (coloursUsed > maxColours)
            notValid();
        const qint64 count = coloursUsed ? coloursUsed : maxColours;
        const int entrySize = core ? 3 : 4;
        // Writers that leave out unused entries end the palette where the pixels begin.
        const qint64 room = (offBits - tablePos) / entrySize;
        if (room < 1)
            notValid();
        readPalette(tablePos, int(std::min(count, room)), entrySize);
    }

    if (runLength) {
        m_dataSize = m_fileSize - m_dataOffset;
        if (sizeImage > 0)
            m_dataSize = std::min(m_dataSize, sizeImage);
        unpackRle();
    } else {
        m_stride = ((width * bpp + 31) / 32) * 4;
        const qint64 rowBytes = (width * bpp + 7) / 8;
        // The last row's padding may be missing.
        if (m_dataOffset + m_stride * (height - 1) + rowBytes > m_fileSize)
            notValid();
        m_dataSize = m_fileSize - m_dataOffset;
    }
}

void BitmapReader::readMasks(qint64 pos, int count) {
    uchar masks[16];
    if (pos + 4 * count > m_fileSize || !readAt(m_device, pos, masks, 4 * count))
        notValid();
    const quint32 limit = m_bitsPerPixel == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (int c = 0; c < 3; ++c) {
        const quint32 mask = u32(masks + 4 * c);
        Channel channel;
        if (mask != 0) {
            channel.mask = mask;
            channel.shift = std::countr_zero(mask);
            const quint32 bits = mask >> channel.shift;
            if (mask > limit || (bits & (bits + 1)) != 0) // beyond the pixel, or not contiguous
                notValid();
            channel.max = bits;
        }
        m_channels[size_t(c)] = channel;
    }
}

void BitmapReader::readPalette(qint64 pos, int count, int entrySize) {
    if (count <= 0)
        return;
    std::vector<uchar> table(size_t(count) * size_t(entrySize));
    if (pos + qint64(table.size()) > m_fileSize ||
        !readAt(m_device, pos, table.data(), qint64(table.size())))
        notValid();
    for (int i = 0; i < count; ++i) {
        const uchar *entry = table.data() + i * entrySize;
        m_palette[size_t(i) * 3] = entry[2];
        m_palette[size_t(i) * 3 + 1] = entry[1];
        m_palette[size_t(i) * 3 + 2] = entry[0];
    }
}

// Runs, literal runs, line ends and jumps; pixels not reached keep colour index 0, and
// runs past the right edge are cut off. Data that ends early ends the picture.
void BitmapReader::unpackRle() {
    const qint64 width = m_width;
    m_indices.assign(size_t(width * m_height), 0);
    const bool four = m_compression == Compression::Rle4;
    ByteSource in(m_device, m_dataOffset, m_dataSize);
    qint64 x = 0;
    qint64 line = 0; // from the bottom
    auto put = [&](int index) {
        if (x < width)
            m_indices[size_t((m_height - 1 - line) * width + x)] = uchar(index);
        ++x;
    };
    for (;;) {
        const int count = in.next();
        const int value = in.next();
        if (value < 0)
            return;
        if (count > 0) {
            for (int i = 0; i < count && x < width; ++i)
                put(four ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            if (++line >= m_height)
                return;
        } else if (value == 1) { // end of bitmap
            return;
        } else if (value == 2) { // jump
            const int dx = in.next();
            const int dy = in.next();
            if (dy < 0)
                return;
            x = std::min(x + dx, width);
            line += dy;
            if (line >= m_height)
                return;
        } else { // literal pixels, padded to a 16-bit boundary
            const int bytes = four ? (value + 1) / 2 : value;
            int pixel = 0;
            for (int i = 0; i < bytes; ++i) {
                const int b = in.next();
                if (b < 0)
                    return;
                if (four) {
                    put(b >> 4);
                    if (++pixel < value)
                        put(b & 15);
                    ++pixel;
                } else {
                    put(b);
                }
            }
            x = std::min(x, width);
            if (bytes % 2 != 0 && in.next() < 0)
                return;
        }
    }
}

void BitmapReader::convertIndices(const uchar *indices, uchar *rgb) const {
    for (int i = 0; i < m_width; ++i, rgb += 3)
        std::memcpy(rgb, &m_palette[size_t(indices[i]) * 3], 3);
}

void BitmapReader::convertRow(const uchar *src, uchar *rgb) const {
    switch (m_bitsPerPixel) {
    case 1:
        for (int i = 0; i < m_width; ++i, rgb += 3)
            std::memcpy(rgb, &m_palette[size_t((src[i >> 3] >> (7 - (i & 7))) & 1) * 3], 3);
        return;
    case 4:
        for (int i = 0; i < m_width; ++i, rgb += 3) {
            const int index = (i & 1) ? src[i >> 1] & 15 : src[i >> 1] >> 4;
            std::memcpy(rgb, &m_palette[size_t(index) * 3], 3);
        }
        return;
    case 8:
        convertIndices(src, rgb);
        return;
    case 24:
        for (int i = 0; i < m_width; ++i, src += 3, rgb += 3) {
            rgb[0] = src[2];
            rgb[1] = src[1];
            rgb[2] = src[0];
        }
        return;
    default:
        break;
    }
    const bool wide = m_bitsPerPixel == 32;
    for (int i = 0; i < m_width; ++i, rgb += 3) {
        const quint32 pixel = wide ? u32(src + 4 * i) : u16(src + 2 * i);
        for (size_t c = 0; c < 3; ++c) {
            const Channel &ch = m_channels[c];
            const quint64 v = (pixel & ch.mask) >> ch.shift;
            rgb[c] = ch.max == 0     ? 0
                     : ch.max == 255 ? uchar(v)
                                     : uchar((v * 255 + ch.max / 2) / ch.max);
        }
    }
}

void BitmapReader::readRows(int y, int count, uchar *rgb, qsizetype stride) {
    Q_ASSERT(y >= 0 && count >= 0 && y + count <= m_height);
    if (!m_indices.empty()) {
        for (int i = 0; i < count; ++i)
            convertIndices(&m_indices[size_t(y + i) * size_t(m_width)], rgb + i * stride);
        return;
    }
    if (count == 0)
        return;
    // The rows lie next to each other in the file, in one order or the other.
    const qint64 first = m_topDown ? y : m_height - y - count;
    const qint64 start = m_dataOffset + first * m_stride;
    const qint64 length = std::min(qint64(count) * m_stride, m_fileSize - start);
    m_raw.resize(size_t(qint64(count) * m_stride));
    if (!readAt(m_device, start, m_raw.data(), length))
        throw core::Error(QStringLiteral("Stream read error"));
    for (int i = 0; i < count; ++i) {
        const qint64 row = m_topDown ? i : count - 1 - i;
        convertRow(m_raw.data() + row * m_stride, rgb + i * stride);
    }
}

QImage BitmapReader::toImage() {
    QImage image(m_width, m_height, QImage::Format_RGB888);
    if (image.isNull())
        throw std::bad_alloc();
    constexpr int kBatch = 16;
    for (int y = 0; y < m_height; y += kBatch)
        readRows(y, std::min(kBatch, m_height - y), image.scanLine(y), image.bytesPerLine());
    return image;
}

} // namespace platform

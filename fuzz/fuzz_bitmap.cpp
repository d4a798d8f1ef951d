// libFuzzer target for the bitmap reader and the conversion to JPEG. Every input is read
// as a bitmap file. When it is one, a band of rows read on its own must equal the same
// rows of the whole picture, and its conversion (which reads the rows in batches) must give
// the same JPEG bytes as the conversion of a plain 24-bit bitmap of the whole picture.

#include "core/Error.h"
#include "platform/imaging/BitmapReader.h"
#include "platform/imaging/BmpToJpg.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QtEndian>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Larger pictures are only parsed: converting each twice would slow the search.
constexpr qint64 kMaxPixels = 1 << 20;

[[noreturn]] void fail(const char *what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// A top-down 24-bit bitmap file of `image` (RGB888).
QByteArray plainBitmap(const QImage &image) {
    const qsizetype stride = (qsizetype(image.width()) * 3 + 3) & ~qsizetype(3);
    QByteArray file(54 + stride * image.height(), '\0');
    auto *out = reinterpret_cast<uchar *>(file.data());
    out[0] = 'B';
    out[1] = 'M';
    qToLittleEndian<quint32>(quint32(file.size()), out + 2);
    qToLittleEndian<quint32>(54, out + 10);
    qToLittleEndian<quint32>(40, out + 14);
    qToLittleEndian<qint32>(image.width(), out + 18);
    qToLittleEndian<qint32>(-image.height(), out + 22);
    qToLittleEndian<quint16>(1, out + 26);
    qToLittleEndian<quint16>(24, out + 28);
    for (int y = 0; y < image.height(); ++y) {
        const uchar *rgb = image.constScanLine(y);
        uchar *bgr = out + 54 + y * stride;
        for (int x = 0; x < image.width(); ++x) {
            bgr[3 * x] = rgb[3 * x + 2];
            bgr[3 * x + 1] = rgb[3 * x + 1];
            bgr[3 * x + 2] = rgb[3 * x];
        }
    }
    return file;
}

QByteArray converted(const QByteArray &bitmap) {
    QBuffer buffer;
    buffer.setData(bitmap);
    buffer.open(QIODevice::ReadOnly);
    return platform::bitmapToJpeg(&buffer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImage whole;
    try {
        platform::BitmapReader reader(&buffer);
        if (qint64(reader.width()) * reader.height() > kMaxPixels)
            return 0;
        whole = reader.toImage();
    } catch (const core::Error &) {
        return 0;
    }

    // A band from the middle, read by a reader of its own.
    const int top = whole.height() / 3;
    const int count = std::max(1, whole.height() / 3);
    std::vector<uchar> band(size_t(count) * size_t(whole.width()) * 3);
    try {
        platform::BitmapReader reader(&buffer);
        reader.readRows(top, count, band.data(), qsizetype(whole.width()) * 3);
    } catch (const core::Error &) {
        fail("a band fails where the whole picture is read");
    }
    for (int i = 0; i < count; ++i)
        if (std::memcmp(band.data() + size_t(i) * size_t(whole.width()) * 3,
                        whole.constScanLine(top + i), size_t(whole.width()) * 3) != 0)
            fail("a band differs from the whole picture");

    QByteArray ours;
    QByteArray plain;
    try {
        ours = converted(bytes);
        plain = converted(plainBitmap(whole));
    } catch (const core::Error &e) {
        std::fprintf(stderr, "%s: ", e.what());
        fail("the conversion fails where the whole picture is read");
    }
    if (ours != plain)
        fail("the conversion differs from that of the whole picture");
    return 0;
}

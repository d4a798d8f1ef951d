#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

#include <array>
#include <vector>

// Windows bitmap files written by the tests, field by field, so that each kind and each
// lie of a header can be made on purpose.
namespace fixtures {

struct BmpSpec {
    int infoSize = 40; // 12 is the OS/2 core header
    int bitsPerPixel = 24;
    int compression = 0; // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    bool topDown = false;
    QList<QRgb> palette;            // bitsPerPixel <= 8
    int coloursUsed = -1;           // -1: the palette's size
    std::array<quint32, 3> masks{}; // bit fields: red, green, blue
    quint32 pixelsPerMetre = 2835;
};

// `pixels` holds, top row first, a colour index (up to 8 bits per pixel), a raw pixel
// value (16 and 32 bits) or an RGB value (24 bits) per pixel. Run-length bitmaps are
// encoded with runs, literal runs, line ends and an end mark.
QByteArray buildBmp(const BmpSpec &shape, int width, int height,
                    const std::vector<quint32> &pixels);

// Offsets of the fields every test may want to falsify.
constexpr int kOffBitsAt = 10;
constexpr int kInfoSizeAt = 14;
constexpr int kWidthAt = 18;
constexpr int kHeightAt = 22;
constexpr int kPlanesAt = 26;
constexpr int kBitCountAt = 28;
constexpr int kCompressionAt = 30;
constexpr int kColoursUsedAt = 46;

void putU16(QByteArray &bytes, int at, quint16 value);
void putU32(QByteArray &bytes, int at, quint32 value);

} // namespace fixtures

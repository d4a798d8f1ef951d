#include "core/Error.h"
#include "platform/imaging/BitmapReader.h"
#include "tests/platform/imaging/BmpBuilder.h"

#include <QBuffer>
#include <QtTest>

#include <random>

using fixtures::BmpSpec;
using platform::BitmapReader;

Q_DECLARE_METATYPE(BmpSpec)

class TestBitmapReader : public QObject {
    Q_OBJECT
private slots:
    void kinds_data();
    void kinds();
    void rowsInBatches();
    void runLengthJumpsAndLineEnds();
    void lyingHeaders_data();
    void lyingHeaders();
    void damagedFilesNeverCrash();
};

namespace {

const QString kNotValid = QStringLiteral("Bitmap image is not valid");

QList<QRgb> palette(int count, quint32 seed) {
    std::mt19937 random(seed);
    QList<QRgb> colours;
    for (int i = 0; i < count; ++i)
        colours << qRgb(int(random() % 256), int(random() % 256), int(random() % 256));
    return colours;
}

// Indices with runs and busy stretches, so that run-length files use both kinds of run.
std::vector<quint32> indices(int width, int height, int colours, quint32 seed) {
    std::mt19937 random(seed);
    std::vector<quint32> pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[size_t(y * width + x)] = ((x / 6 + y) % 3 == 0) ? quint32(random() % colours)
                                                                   : quint32((x / 6 + y) % colours);
    return pixels;
}

std::vector<quint32> values(int width, int height, quint32 limit, quint32 seed) {
    std::mt19937 random(seed);
    std::vector<quint32> pixels(size_t(width) * size_t(height));
    for (auto &p : pixels)
        p = limit == 0 ? quint32(random()) : quint32(random() % limit);
    return pixels;
}

quint8 channel(quint32 pixel, quint32 mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const double max = double(mask >> shift);
    return quint8(std::lround(double((pixel & mask) >> shift) * 255.0 / max));
}

// What the reader must give for `pixels`, worked out from the file's description.
QImage expected(const BmpSpec &shape, int width, int height, const std::vector<quint32> &pixels) {
    QImage image(width, height, QImage::Format_RGB888);
    std::array<quint32, 3> masks = shape.masks;
    if (shape.compression != 3)
        masks = shape.bitsPerPixel == 16 ? std::array<quint32, 3>{0x7C00, 0x03E0, 0x001F}
                                         : std::array<quint32, 3>{0xFF0000, 0xFF00, 0xFF};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const quint32 p = pixels[size_t(y * width + x)];
            QRgb rgb = 0;
            if (shape.bitsPerPixel <= 8)
                rgb = p < quint32(shape.palette.size()) ? shape.palette[int(p)] : qRgb(0, 0, 0);
            else if (shape.bitsPerPixel == 24)
                rgb = p;
            else
                rgb = qRgb(channel(p, masks[0]), channel(p, masks[1]), channel(p, masks[2]));
            image.setPixel(x, y, rgb | 0xFF000000);
        }
    }
    return image;
}

QImage read(const QByteArray &file) {
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    BitmapReader reader(&buffer);
    return reader.toImage();
}

QString errorReading(const QByteArray &file) {
    try {
        read(file);
    } catch (const core::Error &e) {
        return e.text();
    }
    return QString();
}

} // namespace

void TestBitmapReader::kinds_data() {
    QTest::addColumn<BmpSpec>("shape");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<std::vector<quint32>>("pixels");

    auto indexed = [](const char *name, int infoSize, int bpp, int compression, bool topDown,
                      int colours, int width, int height) {
        BmpSpec shape;
        shape.infoSize = infoSize;
        shape.bitsPerPixel = bpp;
        shape.compression = compression;
        shape.topDown = topDown;
        shape.palette = palette(colours, quint32(bpp * 7 + compression));
        QTest::newRow(name) << shape << width << height
                            << indices(width, height, colours, quint32(width));
    };
    indexed("1 bit", 40, 1, 0, false, 2, 37, 11);
    indexed("1 bit top-down", 40, 1, 0, true, 2, 9, 5);
    indexed("4 bits", 40, 4, 0, false, 16, 13, 7);
    indexed("4 bits, short palette", 40, 4, 0, false, 5, 21, 6);
    indexed("8 bits", 40, 8, 0, false, 256, 31, 9);
    indexed("8 bits top-down, short palette", 40, 8, 0, true, 40, 30, 8);
    indexed("8 bits, version 5 header", 124, 8, 0, false, 100, 17, 17);
    indexed("RLE8", 40, 8, 1, false, 200, 67, 23);
    indexed("RLE4", 40, 4, 2, false, 16, 67, 23);
    indexed("RLE4, odd width", 40, 4, 2, false, 11, 33, 5);
    indexed("OS/2 1 bit", 12, 1, 0, false, 2, 19, 3);
    indexed("OS/2 8 bits", 12, 8, 0, false, 256, 23, 4);

    auto direct = [](const char *name, int infoSize, int bpp, int compression, bool topDown,
                     std::array<quint32, 3> masks, quint32 limit) {
        BmpSpec shape;
        shape.infoSize = infoSize;
        shape.bitsPerPixel = bpp;
        shape.compression = compression;
        shape.topDown = topDown;
        shape.masks = masks;
        QTest::newRow(name) << shape << 29 << 13 << values(29, 13, limit, quint32(bpp + infoSize));
    };
    direct("24 bits", 40, 24, 0, false, {}, 0x1000000);
    direct("24 bits top-down", 40, 24, 0, true, {}, 0x1000000);
    direct("24 bits, version 4 header", 108, 24, 0, false, {}, 0x1000000);
    direct("OS/2 24 bits", 12, 24, 0, false, {}, 0x1000000);
    direct("16 bits 5-5-5", 40, 16, 0, false, {}, 0x10000);
    direct("16 bits 5-6-5", 40, 16, 3, false, {0xF800, 0x07E0, 0x001F}, 0x10000);
    direct("16 bits 4-4-4 top-down", 56, 16, 3, true, {0x0F00, 0x00F0, 0x000F}, 0x10000);
    direct("32 bits, alpha ignored", 40, 32, 0, false, {}, 0);
    direct("32 bits fields", 40, 32, 3, false, {0xFF, 0xFF00, 0xFF0000}, 0);
    direct("32 bits 10-10-10", 124, 32, 3, false, {0x3FF00000, 0xFFC00, 0x3FF}, 0);
    direct("32 bits without blue", 108, 32, 3, true, {0xFF000000, 0xFF0000, 0}, 0);
}

void TestBitmapReader::kinds() {
    QFETCH(BmpSpec, shape);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(std::vector<quint32>, pixels);
    const QByteArray file = fixtures::buildBmp(shape, width, height, pixels);
    QCOMPARE(read(file), expected(shape, width, height, pixels));
}

void TestBitmapReader::rowsInBatches() {
    for (const bool topDown : {false, true}) {
        BmpSpec shape;
        shape.topDown = topDown;
        const auto pixels = values(10, 9, 0x1000000, 5);
        QBuffer buffer;
        buffer.setData(fixtures::buildBmp(shape, 10, 9, pixels));
        buffer.open(QIODevice::ReadOnly);
        BitmapReader reader(&buffer);
        const QImage all = expected(shape, 10, 9, pixels);
        QImage rows(10, 4, QImage::Format_RGB888);
        reader.readRows(3, 4, rows.bits(), rows.bytesPerLine());
        QCOMPARE(rows, all.copy(0, 3, 10, 4));
        reader.readRows(8, 1, rows.bits(), rows.bytesPerLine());
        QCOMPARE(rows.copy(0, 0, 10, 1), all.copy(0, 8, 10, 1));
    }
}

void TestBitmapReader::runLengthJumpsAndLineEnds() {
    // 6 x 3, bottom row first: a run, a jump, runs cut at the edge, an early end.
    BmpSpec shape;
    shape.bitsPerPixel = 8;
    shape.compression = 1;
    shape.palette = {qRgb(1, 1, 1), qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200)};
    QByteArray file = fixtures::buildBmp(shape, 6, 3, std::vector<quint32>(18, 0));
    const int offBits = 14 + 40 + 4 * 4;
    file.truncate(offBits);
    const char stream[] = {3, 1,          // bottom row: 1 1 1
                           0, 2, 1, 1,    // jump right 1, up 1: to x 4 of the middle row
                           9, 2,          // 2 2, the rest cut off at the edge
                           0, 0,          // line end: top row
                           0, 3, 3, 1, 2, // literal 3 1 2, padded
                           0, 0, 1};      // end of bitmap
    file.append(stream, sizeof stream);
    fixtures::putU32(file, 34, quint32(sizeof stream));
    const QImage image = read(file);
    const QList<QRgb> expect = {
        shape.palette[3], shape.palette[1], shape.palette[2], shape.palette[0], shape.palette[0],
        shape.palette[0], shape.palette[0], shape.palette[0], shape.palette[0], shape.palette[0],
        shape.palette[2], shape.palette[2], shape.palette[1], shape.palette[1], shape.palette[1],
        shape.palette[0], shape.palette[0], shape.palette[0]};
    for (int i = 0; i < 18; ++i)
        QCOMPARE(image.pixel(i % 6, i / 6), expect[i] | 0xFF000000);
}

void TestBitmapReader::lyingHeaders_data() {
    QTest::addColumn<QByteArray>("file");
    BmpSpec rgb;
    const QByteArray good = fixtures::buildBmp(rgb, 20, 10, values(20, 10, 0x1000000, 1));
    BmpSpec indexedSpec;
    indexedSpec.bitsPerPixel = 8;
    indexedSpec.palette = palette(256, 2);
    const QByteArray indexed = fixtures::buildBmp(indexedSpec, 20, 10, indices(20, 10, 256, 3));
    BmpSpec rleSpec = indexedSpec;
    rleSpec.compression = 1;
    const QByteArray rle = fixtures::buildBmp(rleSpec, 20, 10, indices(20, 10, 256, 3));
    BmpSpec fieldsSpec;
    fieldsSpec.bitsPerPixel = 16;
    fieldsSpec.compression = 3;
    fieldsSpec.masks = {0xF800, 0x07E0, 0x001F};
    const QByteArray fields = fixtures::buildBmp(fieldsSpec, 20, 10, values(20, 10, 0x10000, 4));

    auto with32 = [](QByteArray file, int at, quint32 value) {
        fixtures::putU32(file, at, value);
        return file;
    };
    auto with16 = [](QByteArray file, int at, quint16 value) {
        fixtures::putU16(file, at, value);
        return file;
    };
    using namespace fixtures;
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("file header only") << good.left(14);
    QTest::newRow("info header cut") << good.left(30);
    QTest::newRow("not BM") << QByteArray("BA") + good.mid(2);
    QTest::newRow("info size 0") << with32(good, kInfoSizeAt, 0);
    QTest::newRow("info size 41") << with32(good, kInfoSizeAt, 41);
    QTest::newRow("info size beyond file") << with32(good, kInfoSizeAt, 124);
    QTest::newRow("width 0") << with32(good, kWidthAt, 0);
    QTest::newRow("width negative") << with32(good, kWidthAt, quint32(-20));
    QTest::newRow("height 0") << with32(good, kHeightAt, 0);
    QTest::newRow("height minimal int") << with32(good, kHeightAt, 0x80000000u);
    QTest::newRow("width 70000") << with32(good, kWidthAt, 70000);
    QTest::newRow("huge, no data") << with32(with32(good, kWidthAt, 65000), kHeightAt, 65000);
    QTest::newRow("one row too many") << with32(good, kHeightAt, 11);
    QTest::newRow("pixels cut short") << good.left(good.size() - 70);
    QTest::newRow("planes 2") << with16(good, kPlanesAt, 2);
    QTest::newRow("2 bits") << with16(good, kBitCountAt, 2);
    QTest::newRow("0 bits") << with16(good, kBitCountAt, 0);
    QTest::newRow("JPEG inside") << with32(good, kCompressionAt, 4);
    QTest::newRow("PNG inside") << with32(good, kCompressionAt, 5);
    QTest::newRow("RLE8 with 24 bits") << with32(good, kCompressionAt, 1);
    QTest::newRow("fields with 24 bits") << with32(good, kCompressionAt, 3);
    QTest::newRow("pixel offset beyond file")
        << with32(good, kOffBitsAt, quint32(good.size() + 10));
    QTest::newRow("pixel offset 0") << with32(good, kOffBitsAt, 0);
    QTest::newRow("pixel offset huge") << with32(good, kOffBitsAt, 0xFFFFFFF0u);
    QTest::newRow("palette count 1000") << with32(indexed, kColoursUsedAt, 1000);
    QTest::newRow("palette count huge") << with32(indexed, kColoursUsedAt, 0xFFFFFFFFu);
    QTest::newRow("no room for a palette") << with32(indexed, kOffBitsAt, 54);
    QTest::newRow("RLE top-down") << with32(rle, kHeightAt, quint32(-10));
    QTest::newRow("RLE of a billion pixels")
        << with32(with32(rle, kWidthAt, 40000), kHeightAt, 40000);
    QTest::newRow("masks cut off") << fields.left(14 + 40 + 6);
    QTest::newRow("mask not contiguous") << with32(fields, 54, 0xF00F);
    QTest::newRow("mask beyond 16 bits") << with32(fields, 54, 0x1F0000);
}

void TestBitmapReader::lyingHeaders() {
    QFETCH(QByteArray, file);
    QCOMPARE(errorReading(file), kNotValid);
}

void TestBitmapReader::damagedFilesNeverCrash() {
    BmpSpec rle4;
    rle4.bitsPerPixel = 4;
    rle4.compression = 2;
    rle4.palette = palette(16, 9);
    BmpSpec rle8 = rle4;
    rle8.bitsPerPixel = 8;
    rle8.compression = 1;
    BmpSpec fields;
    fields.infoSize = 124;
    fields.bitsPerPixel = 32;
    fields.compression = 3;
    fields.masks = {0xFF0000, 0xFF00, 0xFF};
    BmpSpec core;
    core.infoSize = 12;
    core.bitsPerPixel = 4;
    core.palette = palette(16, 10);
    const QList<QByteArray> bases = {
        fixtures::buildBmp(rle4, 40, 20, indices(40, 20, 16, 1)),
        fixtures::buildBmp(rle8, 40, 20, indices(40, 20, 16, 2)),
        fixtures::buildBmp(fields, 40, 20, values(40, 20, 0, 3)),
        fixtures::buildBmp(core, 40, 20, indices(40, 20, 16, 4)),
    };
    std::mt19937 random(12345);
    int valid = 0;
    for (int round = 0; round < 4000; ++round) {
        QByteArray file = bases[round % bases.size()];
        const int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i) {
            // Mostly the headers, sometimes the pixel data.
            const int span = random() % 4 == 0 ? int(file.size()) : 80;
            file[int(random() % quint32(span))] = char(random() % 256);
        }
        if (random() % 5 == 0)
            file.truncate(int(random() % quint32(file.size())));
        QBuffer buffer;
        buffer.setData(file);
        buffer.open(QIODevice::ReadOnly);
        try {
            BitmapReader reader(&buffer);
            std::vector<uchar> row(size_t(reader.width()) * 3);
            reader.readRows(0, 1, row.data(), 0);
            reader.readRows(reader.height() - 1, 1, row.data(), 0);
            ++valid;
        } catch (const core::Error &e) {
            QVERIFY2(e.text() == kNotValid || e.text() == QStringLiteral("Stream read error"),
                     qPrintable(e.text()));
        }
    }
    QVERIFY(valid > 0);
}

QTEST_APPLESS_MAIN(TestBitmapReader)
#include "tst_bitmapreader.moc"

#include "core/Error.h"
#include "platform/imaging/JpegPicture.h"
#include "tests/platform/imaging/ImagingFixtures.h"

#include <QtTest>

#include <jerror.h>
#include <jpeglib.h>

using platform::JpegPicture;

class TestJpegPicture : public QObject {
    Q_OBJECT
private slots:
    void header_data();
    void header();
    void regionsMatchFullDecode_data();
    void regionsMatchFullDecode();
    void streamAfterOffset();
    void copiesShareDecodedPixels();
    void cmykShownAsRgb();
    void headerRejected_data();
    void headerRejected();
    void damagedDataFailsWhenDecoded_data();
    void damagedDataFailsWhenDecoded();
    void damagedEndFailsWhenReadToTheBottom();
    void truncatedStreamFillsGrey();
    void declaredSizeAgainstDecoderMemory_data();
    void declaredSizeAgainstDecoderMemory();
};

namespace {

QString errorOf(int code) {
    return QStringLiteral("JPEG error #%1").arg(code);
}

QImage greyOf(const QImage &image) {
    return image.convertToFormat(QImage::Format_Grayscale8);
}

// Regions that exercise every alignment against the 8- and 16-pixel block grid, the
// picture's edges, and the centre seen through the small and large controls.
QList<QRect> testRegions(QSize size) {
    QList<QRect> regions;
    const int w = size.width();
    const int h = size.height();
    auto centred = [&](int cw, int ch) {
        return QRect((w - cw) / 2, (h - ch) / 2, cw, ch) & QRect(QPoint(), size);
    };
    regions << centred(169, 193) << centred(169, 225) << centred(681, 433);
    for (int x = 0; x < 18; ++x)
        regions << QRect(x + 15, (x * 7) % 23 + 9, 21 + x % 5, 17 + x % 3);
    regions << QRect(0, 0, 5, 5) << QRect(w - 7, h - 9, 7, 9) << QRect(w - 1, 0, 1, h)
            << QRect(0, h - 1, w, 1) << QRect(w / 2 + 1, 0, w - w / 2 - 1, h / 3);
    QList<QRect> inside;
    for (const QRect &region : regions)
        if (!(region & QRect(QPoint(), size)).isEmpty())
            inside << (region & QRect(QPoint(), size));
    return inside;
}

} // namespace

void TestJpegPicture::header_data() {
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("space");
    QTest::addColumn<bool>("progressive");
    const QImage photo = fixtures::photoLike(301, 199);
    fixtures::JpegOptions progressive;
    progressive.progressive = true;
    QTest::newRow("colour") << fixtures::encodeJpeg(photo) << QSize(301, 199)
                            << int(JpegPicture::ColourSpace::Colour) << false;
    QTest::newRow("grey progressive")
        << fixtures::encodeJpeg(greyOf(photo), progressive) << QSize(301, 199)
        << int(JpegPicture::ColourSpace::Grey) << true;
    QImage cmyk(13, 7, QImage::Format_ARGB32);
    cmyk.fill(qRgba(10, 20, 30, 40));
    QTest::newRow("cmyk") << fixtures::encodeJpeg(cmyk) << QSize(13, 7)
                          << int(JpegPicture::ColourSpace::Cmyk) << false;
}

void TestJpegPicture::header() {
    QFETCH(QByteArray, jpeg);
    QFETCH(QSize, size);
    QFETCH(int, space);
    QFETCH(bool, progressive);
    const JpegPicture picture(jpeg);
    QCOMPARE(picture.size(), size);
    QCOMPARE(int(picture.colourSpace()), space);
    QCOMPARE(picture.isProgressive(), progressive);
}

void TestJpegPicture::regionsMatchFullDecode_data() {
    QTest::addColumn<QByteArray>("jpeg");
    auto add = [](const char *name, const QImage &image, fixtures::JpegOptions options) {
        QTest::newRow(name) << fixtures::encodeJpeg(image, options);
    };
    const QImage photo = fixtures::photoLike(733, 517, 3);
    const QImage odd = fixtures::photoLike(301, 199, 4);
    fixtures::JpegOptions o420;
    fixtures::JpegOptions o422;
    o422.vSamp = 1;
    fixtures::JpegOptions o440;
    o440.hSamp = 1;
    fixtures::JpegOptions o444;
    o444.hSamp = o444.vSamp = 1;
    fixtures::JpegOptions progressive;
    progressive.progressive = true;
    fixtures::JpegOptions restarts;
    restarts.restartInterval = 3;
    fixtures::JpegOptions progressiveRestarts = progressive;
    progressiveRestarts.restartInterval = 2;
    fixtures::JpegOptions progressive444 = o444;
    progressive444.progressive = true;

    add("baseline 4:2:0", photo, o420);
    add("baseline 4:2:2", photo, o422);
    add("baseline 4:4:0", photo, o440);
    add("baseline 4:4:4", photo, o444);
    add("greyscale", greyOf(photo), o444);
    add("progressive 4:2:0", photo, progressive);
    add("progressive 4:4:4", photo, progressive444);
    add("progressive greyscale", greyOf(photo), progressive);
    add("restart markers", photo, restarts);
    add("progressive with restart markers", photo, progressiveRestarts);
    add("odd size 4:2:0", odd, o420);
    add("odd size progressive", odd, progressive);
    add("tiny", fixtures::photoLike(3, 2), o420);

    // An incomplete progressive stream is shown with block smoothing, which reaches
    // across block columns.
    const QByteArray full = fixtures::encodeJpeg(photo, progressive);
    QTest::newRow("progressive cut short") << full.left(full.size() / 3);
    const QByteArray fullGrey = fixtures::encodeJpeg(greyOf(odd), progressive);
    QTest::newRow("progressive greyscale cut short") << fullGrey.left(fullGrey.size() / 2);
}

void TestJpegPicture::regionsMatchFullDecode() {
    QFETCH(QByteArray, jpeg);
    const QImage reference = fixtures::decodeJpeg(jpeg);
    QVERIFY(!reference.isNull());

    const QImage whole = JpegPicture(jpeg).toImage();
    QCOMPARE(whole, reference);

    for (const QRect &region : testRegions(reference.size())) {
        const JpegPicture picture(jpeg); // fresh: nothing decoded yet
        const JpegPicture::Pixels pixels = picture.pixels(region);
        const QRect covered(pixels.origin, pixels.image.size());
        QVERIFY2(covered.contains(region), qPrintable(QStringLiteral("region %1,%2 %3x%4")
                                                          .arg(region.x())
                                                          .arg(region.y())
                                                          .arg(region.width())
                                                          .arg(region.height())));
        QCOMPARE(pixels.image.copy(region.translated(-pixels.origin)), reference.copy(region));
    }
}

void TestJpegPicture::streamAfterOffset() {
    const QByteArray jpeg = fixtures::encodeJpeg(fixtures::photoLike(40, 30));
    const QByteArray blob = QByteArray(78, 'x') + jpeg;
    const JpegPicture picture(blob, 78);
    QCOMPARE(picture.size(), QSize(40, 30));
    QCOMPARE(picture.toImage(), fixtures::decodeJpeg(jpeg));
}

void TestJpegPicture::copiesShareDecodedPixels() {
    const QByteArray jpeg = fixtures::encodeJpeg(fixtures::photoLike(900, 700));
    const JpegPicture picture(jpeg);
    const JpegPicture copy = picture; // what a second control holds
    const QRect small((900 - 169) / 2, (700 - 193) / 2, 169, 193);
    const QRect large((900 - 681) / 2, (700 - 433) / 2, 681, 433);
    const auto first = picture.pixels(small);
    QCOMPARE(copy.pixels(small).image.cacheKey(), first.image.cacheKey());
    // A larger region replaces the kept pixels by ones covering both.
    const auto wider = copy.pixels(large);
    QVERIFY(QRect(wider.origin, wider.image.size()).contains(large));
    QCOMPARE(picture.pixels(small).image.cacheKey(), wider.image.cacheKey());
    const QImage reference = fixtures::decodeJpeg(jpeg);
    QCOMPARE(wider.image.copy(large.translated(-wider.origin)), reference.copy(large));
}

void TestJpegPicture::cmykShownAsRgb() {
    // Adobe's CMYK files hold the inks inverted: 255 is no ink.
    QImage inks(16, 16, QImage::Format_ARGB32);
    inks.fill(qRgba(255, 55, 255, 200)); // C, M, Y, K stored
    const JpegPicture picture(fixtures::encodeJpeg(inks));
    const QImage shown = picture.toImage();
    QCOMPARE(shown.format(), QImage::Format_RGB888);
    const QRgb centre = shown.pixel(8, 8);
    QVERIFY2(qAbs(qRed(centre) - 200) <= 3 && qAbs(qGreen(centre) - 43) <= 3 &&
                 qAbs(qBlue(centre) - 200) <= 3,
             qPrintable(QString::number(centre, 16)));
}

void TestJpegPicture::headerRejected_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("code");
    const QByteArray jpeg = fixtures::encodeJpeg(fixtures::photoLike(64, 48));
    QTest::newRow("garbage") << QByteArray("BM6\x00\x00\x00 this is a bitmap", 24)
                             << int(JERR_NO_SOI);
    QTest::newRow("empty") << QByteArray() << int(JERR_INPUT_EMPTY);
    QTest::newRow("stub") << QByteArray("\xFF\xD8\xFF\xD9", 4) << int(JERR_NO_IMAGE);
    QByteArray noFrame = jpeg;
    const qsizetype sof = noFrame.indexOf("\xFF\xC0");
    QVERIFY(sof > 0);
    noFrame[sof + 1] = char(0xC3); // lossless: not supported
    QTest::newRow("unsupported process") << noFrame << int(JERR_SOF_UNSUPPORTED);
    QTest::newRow("header cut short") << jpeg.left(100) << int(JERR_NO_IMAGE);
}

void TestJpegPicture::headerRejected() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, code);
    try {
        JpegPicture picture(bytes);
        QFAIL("no error");
    } catch (const core::Error &e) {
        QCOMPARE(e.text(), errorOf(code));
    }
}

void TestJpegPicture::damagedDataFailsWhenDecoded_data() {
    QTest::addColumn<QByteArray>("jpeg");
    const QImage photo = fixtures::photoLike(640, 480, 7);

    // A marker no decoder knows, between the scans of a progressive picture.
    fixtures::JpegOptions progressive;
    progressive.progressive = true;
    QByteArray betweenScans = fixtures::encodeJpeg(photo, progressive);
    const qsizetype secondScan =
        betweenScans.indexOf("\xFF\xDA", betweenScans.indexOf("\xFF\xDA") + 2);
    QVERIFY(secondScan > 0);
    betweenScans.insert(secondScan, QByteArray("\xFF\x02\x00\x04\x00\x00", 6));
    QTest::newRow("progressive") << betweenScans;

    // The same marker in the middle of a baseline picture's data, above the centre.
    QByteArray inData = fixtures::encodeJpeg(photo);
    const qsizetype scan = inData.indexOf("\xFF\xDA");
    inData.replace(scan + (inData.size() - scan) / 4, 6, QByteArray("\xFF\x02\x00\x04\x00\x00", 6));
    QTest::newRow("baseline") << inData;
}

void TestJpegPicture::damagedDataFailsWhenDecoded() {
    QFETCH(QByteArray, jpeg);
    const JpegPicture picture(jpeg); // the header is sound
    const QRect centre((640 - 169) / 2, (480 - 193) / 2, 169, 193);
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            picture.pixels(centre);
            QFAIL("no error");
        } catch (const core::Error &e) {
            QCOMPARE(e.text(), errorOf(JERR_UNKNOWN_MARKER));
        }
    }
}

void TestJpegPicture::damagedEndFailsWhenReadToTheBottom() {
    // An unknown marker after the last scan's data: only a decode that reaches the
    // bottom meets it.
    const QByteArray sound = fixtures::encodeJpeg(fixtures::photoLike(300, 200, 8));
    QVERIFY(sound.endsWith("\xFF\xD9"));
    QByteArray jpeg = sound;
    jpeg.insert(jpeg.size() - 2, QByteArray("\xFF\x02\x00\x04\x00\x00", 6));
    const JpegPicture picture(jpeg);
    try {
        picture.toImage();
        QFAIL("no error");
    } catch (const core::Error &e) {
        QCOMPARE(e.text(), errorOf(JERR_UNKNOWN_MARKER));
    }
    const QRect centre((300 - 169) / 2, 0, 169, 193); // one row short of the bottom
    const auto pixels = JpegPicture(jpeg).pixels(centre);
    QCOMPARE(pixels.image.copy(centre.translated(-pixels.origin)),
             fixtures::decodeJpeg(sound).copy(centre));
}

void TestJpegPicture::truncatedStreamFillsGrey() {
    const QByteArray jpeg = fixtures::encodeJpeg(fixtures::photoLike(320, 480, 9));
    const QByteArray cut = jpeg.left(jpeg.size() * 6 / 10);
    const JpegPicture picture(cut);
    const QImage whole = picture.toImage();
    QCOMPARE(whole, fixtures::decodeJpeg(cut));
    // The rows past the end of the data are plain grey.
    const QImage bottom = whole.copy(0, 470, 320, 10);
    for (int y = 0; y < bottom.height(); ++y)
        for (int x = 0; x < bottom.width(); ++x)
            QCOMPARE(bottom.pixel(x, y), qRgb(128, 128, 128));
    const QRect centre((320 - 169) / 2, (480 - 193) / 2, 169, 193);
    const auto pixels = JpegPicture(cut).pixels(centre);
    QCOMPARE(pixels.image.copy(centre.translated(-pixels.origin)), whole.copy(centre));
}

void TestJpegPicture::declaredSizeAgainstDecoderMemory_data() {
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<int>("sampling"); // of luma: 1 is 4:4:4, 2 is 4:2:0
    QTest::addColumn<QSize>("declared");
    QTest::addColumn<bool>("shown");
    // Small files whose frame claims more: a progressive picture keeps the coefficients of
    // all it declares.
    QTest::newRow("progressive 4:4:4 19200x10353") << true << 1 << QSize(19200, 10353) << false;
    QTest::newRow("progressive 4:2:0 19200x10353") << true << 2 << QSize(19200, 10353) << false;
    QTest::newRow("progressive 65000x65000") << true << 2 << QSize(65000, 65000) << false;
    // What cameras write must still show.
    QTest::newRow("progressive 4:4:4 6000x4000") << true << 1 << QSize(6000, 4000) << true;
    QTest::newRow("progressive 4:2:0 8000x6000") << true << 2 << QSize(8000, 6000) << true;
    // A single interleaved scan is decoded a few rows at a time, whatever its size.
    QTest::newRow("baseline 65500x65500") << false << 2 << QSize(65500, 65500) << true;
}

void TestJpegPicture::declaredSizeAgainstDecoderMemory() {
    QFETCH(bool, progressive);
    QFETCH(int, sampling);
    QFETCH(QSize, declared);
    QFETCH(bool, shown);
    fixtures::JpegOptions options;
    options.progressive = progressive;
    options.hSamp = sampling;
    options.vSamp = sampling;
    const QByteArray jpeg = fixtures::withDeclaredSize(
        fixtures::encodeJpeg(fixtures::photoLike(64, 64), options), declared);
    QVERIFY(!jpeg.isEmpty());
    // Refused from the header, before the decoder takes any memory for the picture.
    if (!shown) {
        try {
            JpegPicture picture(jpeg);
            QFAIL("no error");
        } catch (const core::Error &e) {
            QCOMPARE(e.text(), errorOf(JERR_NO_BACKING_STORE));
        }
        return;
    }
    // Accepted pictures decode within the decoder's own limit. The data, laid out for 64x64
    // pixels, fills the first blocks of the top row; the rest is missing (grey).
    const JpegPicture picture(jpeg);
    QCOMPARE(picture.size(), declared);
    const QRect centre((declared.width() - 169) / 2, (declared.height() - 193) / 2, 169, 193);
    const auto pixels = picture.pixels(centre);
    QCOMPARE(pixels.image.pixel(centre.center() - pixels.origin), qRgb(128, 128, 128));
    const QImage corner = JpegPicture(jpeg).pixels(QRect(0, 0, 64, 64)).image;
    QVERIFY(corner.pixel(10, 3) != qRgb(128, 128, 128));
}

QTEST_APPLESS_MAIN(TestJpegPicture)
#include "tst_jpegpicture.moc"

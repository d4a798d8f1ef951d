#include "core/Error.h"
#include "platform/imaging/BmpToJpg.h"
#include "tests/platform/imaging/BmpBuilder.h"
#include "tests/platform/imaging/ImagingFixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csetjmp>
#include <csignal>
#include <random>

#include <jpeglib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using fixtures::BmpSpec;

Q_DECLARE_METATYPE(BmpSpec)

class TestBmpToJpg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void kinds_data();
    void kinds();
    void encodingSettings();
    void sameStreamAsCjpeg();
    void namesResolveAgainstWorkingDirectory();
    void replacesExistingFile();
    void failures_data();
    void failures();
    void neverWritesThroughLinks_data();
    void neverWritesThroughLinks();
    void failedWriteKeepsTheOldFile();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

// Pictures that survive JPEG well: smooth shading, and flat 16 x 16 tiles for palettes.
QImage smooth(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgb(40 + x * 150 / width, 60 + y * 120 / height,
                                200 - (x + y) * 100 / (width + height)));
    return image;
}

std::vector<quint32> tiles(int width, int height, int colours) {
    std::vector<quint32> pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[size_t(y * width + x)] = quint32((x / 16 * 7 + y / 16 * 3) % colours);
    return pixels;
}

QList<QRgb> greys(int count) {
    QList<QRgb> colours;
    for (int i = 0; i < count; ++i)
        colours << qRgb(30 + i * 200 / count, 60 + i * 150 / count, 220 - i * 180 / count);
    return colours;
}

struct Difference {
    int max = 0;
    double mean = 0;
};

// Compares all pixels, or with `tileInterior` only those two pixels or more inside the
// 16 x 16 tiles, away from the colour steps that chroma subsampling blurs.
Difference compare(const QImage &a, const QImage &b, bool tileInterior) {
    Difference d;
    qint64 sum = 0;
    qint64 count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (tileInterior && (x % 16 < 2 || x % 16 > 13 || y % 16 < 2 || y % 16 > 13))
                continue;
            ++count;
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (int diff : {qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                             qAbs(qBlue(p) - qBlue(q))}) {
                d.max = qMax(d.max, diff);
                sum += diff;
            }
        }
    d.mean = double(sum) / (3.0 * double(count));
    return d;
}

QByteArray readAll(const QString &name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct JpegFacts {
    bool ok = false;
    int components = 0;
    J_COLOR_SPACE space = JCS_UNKNOWN;
    bool jfif = false;
    bool progressive = false;
    bool baseline = false;
    int hSamp = 0;
    int vSamp = 0;
    std::array<int, 64> luminance{};
    std::array<int, 64> chrominance{};
};

struct FactsError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

bool readFacts(const QByteArray &jpeg, JpegFacts *facts) {
    jpeg_decompress_struct cinfo;
    FactsError err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = [](j_common_ptr c) {
        std::longjmp(reinterpret_cast<FactsError *>(c->err)->jump, 1);
    };
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    facts->components = cinfo.num_components;
    facts->space = cinfo.jpeg_color_space;
    facts->jfif = cinfo.saw_JFIF_marker;
    facts->progressive = cinfo.progressive_mode;
    facts->hSamp = cinfo.comp_info[0].h_samp_factor;
    facts->vSamp = cinfo.comp_info[0].v_samp_factor;
    for (int i = 0; i < 64; ++i) {
        facts->luminance[size_t(i)] = cinfo.quant_tbl_ptrs[0]->quantval[i];
        facts->chrominance[size_t(i)] = cinfo.quant_tbl_ptrs[1]->quantval[i];
    }
    jpeg_destroy_decompress(&cinfo);
    facts->baseline = jpeg.contains("\xFF\xC0");
    facts->ok = true;
    return true;
}

// The example tables of the JPEG standard (natural order) scaled to quality 90.
std::array<int, 64> scaledTable(const std::array<int, 64> &base) {
    std::array<int, 64> table{};
    for (size_t i = 0; i < 64; ++i)
        table[i] = std::clamp((base[i] * 20 + 50) / 100, 1, 255);
    return table;
}

} // namespace

void TestBmpToJpg::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestBmpToJpg::write(const QString &name, const QByteArray &bytes) const {
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestBmpToJpg::kinds_data() {
    QTest::addColumn<QByteArray>("bmp");
    QTest::addColumn<QImage>("source");
    QTest::addColumn<bool>("tiled");

    auto indexed = [](const char *name, int infoSize, int bpp, int compression, bool topDown) {
        BmpSpec shape;
        shape.infoSize = infoSize;
        shape.bitsPerPixel = bpp;
        shape.compression = compression;
        shape.topDown = topDown;
        shape.palette = greys(1 << std::min(bpp, 5));
        const auto pixels = tiles(90, 70, int(shape.palette.size()));
        QImage source(90, 70, QImage::Format_RGB888);
        for (int i = 0; i < 90 * 70; ++i)
            source.setPixel(i % 90, i / 90, shape.palette[int(pixels[size_t(i)])]);
        QTest::newRow(name) << fixtures::buildBmp(shape, 90, 70, pixels) << source << true;
    };
    indexed("1 bit", 40, 1, 0, false);
    indexed("4 bits top-down", 40, 4, 0, true);
    indexed("8 bits", 40, 8, 0, false);
    indexed("RLE8", 40, 8, 1, false);
    indexed("RLE4", 40, 4, 2, false);
    indexed("OS/2 8 bits", 12, 8, 0, false);

    auto direct = [](const char *name, int infoSize, int bpp, int compression, bool topDown,
                     std::array<quint32, 3> masks) {
        const QImage source = smooth(101, 67);
        BmpSpec shape;
        shape.infoSize = infoSize;
        shape.bitsPerPixel = bpp;
        shape.compression = compression;
        shape.topDown = topDown;
        shape.masks = masks;
        std::vector<quint32> pixels;
        QImage shown(source.size(), QImage::Format_RGB888);
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x) {
                const QRgb c = source.pixel(x, y);
                if (bpp == 24) {
                    pixels.push_back(c & 0xFFFFFF);
                } else if (bpp == 32) {
                    pixels.push_back(0x80000000u | (quint32(qRed(c)) << 16) |
                                     (quint32(qGreen(c)) << 8) | quint32(qBlue(c)));
                } else { // 5-6-5
                    pixels.push_back(quint32(qRed(c) >> 3) << 11 | quint32(qGreen(c) >> 2) << 5 |
                                     quint32(qBlue(c) >> 3));
                }
            }
        QTest::newRow(name) << fixtures::buildBmp(shape, source.width(), source.height(), pixels)
                            << source << false;
    };
    direct("24 bits", 40, 24, 0, false, {});
    direct("24 bits top-down", 124, 24, 0, true, {});
    direct("OS/2 24 bits", 12, 24, 0, false, {});
    direct("32 bits", 40, 32, 0, false, {});
    direct("16 bits fields", 40, 16, 3, false, {0xF800, 0x07E0, 0x001F});
}

void TestBmpToJpg::kinds() {
    QFETCH(QByteArray, bmp);
    QFETCH(QImage, source);
    QFETCH(bool, tiled);
    write(QStringLiteral("in.bmp"), bmp);
    platform::bmpToJpg(path(QStringLiteral("in.bmp")), path(QStringLiteral("out.JPG")));
    const QImage decoded = fixtures::decodeJpeg(readAll(path(QStringLiteral("out.JPG"))));
    QCOMPARE(decoded.size(), source.size());
    const Difference d = compare(decoded, source, tiled);
    // 5-6-5 pixels lose up to 7 levels before the JPEG encoding starts.
    QVERIFY2(d.max <= 16 && d.mean < 2.5,
             qPrintable(QStringLiteral("max %1 mean %2").arg(d.max).arg(d.mean)));
}

void TestBmpToJpg::encodingSettings() {
    BmpSpec shape;
    write(QStringLiteral("a.bmp"),
          fixtures::buildBmp(shape, 64, 48, std::vector<quint32>(64 * 48, 0x336699)));
    platform::bmpToJpg(path(QStringLiteral("a.bmp")), path(QStringLiteral("a.JPG")));
    JpegFacts facts;
    QVERIFY(readFacts(readAll(path(QStringLiteral("a.JPG"))), &facts));
    QCOMPARE(facts.components, 3);
    QCOMPARE(facts.space, JCS_YCbCr);
    QVERIFY(facts.jfif);
    QVERIFY(facts.baseline);
    QVERIFY(!facts.progressive);
    QCOMPARE(facts.hSamp, 2);
    QCOMPARE(facts.vSamp, 2);
    // Natural-order example tables (Annex K), to be found scaled to quality 90.
    const std::array<int, 64> luminance = {
        16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
        14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
        18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
        49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    std::array<int, 64> chrominance;
    chrominance.fill(99);
    const int chromaTop[4][4] = {
        {17, 18, 24, 47}, {18, 21, 26, 66}, {24, 26, 56, 99}, {47, 66, 99, 99}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            chrominance[size_t(r * 8 + c)] = chromaTop[r][c];
    QCOMPARE(facts.luminance, scaledTable(luminance));
    QCOMPARE(facts.chrominance, scaledTable(chrominance));
}

void TestBmpToJpg::sameStreamAsCjpeg() {
    const QString cjpeg = QStandardPaths::findExecutable(QStringLiteral("cjpeg"));
    if (cjpeg.isEmpty())
        QSKIP("cjpeg (libjpeg-turbo-progs) is not installed");
    BmpSpec shape;
    shape.pixelsPerMetre = 0; // else cjpeg copies the resolution into the JFIF header
    const QImage photo = fixtures::photoLike(203, 117);
    std::vector<quint32> pixels;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            pixels.push_back(photo.pixel(x, y) & 0xFFFFFF);
    write(QStringLiteral("p.bmp"),
          fixtures::buildBmp(shape, photo.width(), photo.height(), pixels));
    platform::bmpToJpg(path(QStringLiteral("p.bmp")), path(QStringLiteral("p.JPG")));
    QProcess process;
    process.start(cjpeg, {QStringLiteral("-quality"), QStringLiteral("90"), QStringLiteral("-dct"),
                          QStringLiteral("float"), QStringLiteral("-baseline"),
                          path(QStringLiteral("p.bmp"))});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(readAll(path(QStringLiteral("p.JPG"))), process.readAllStandardOutput());
}

void TestBmpToJpg::namesResolveAgainstWorkingDirectory() {
    BmpSpec shape;
    write(QStringLiteral("house.bmp"),
          fixtures::buildBmp(shape, 8, 8, std::vector<quint32>(64, 0xFF0000)));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    platform::bmpToJpg(QStringLiteral("house.bmp"), QStringLiteral("house.JPG"));
    QDir::setCurrent(previous);
    QVERIFY(QFile::exists(path(QStringLiteral("house.JPG"))));
    QVERIFY(QFile::exists(path(QStringLiteral("house.bmp"))));
}

void TestBmpToJpg::replacesExistingFile() {
    BmpSpec shape;
    write(QStringLiteral("a.bmp"),
          fixtures::buildBmp(shape, 8, 8, std::vector<quint32>(64, 0x00FF00)));
    write(QStringLiteral("a.JPG"), QByteArray(100000, 'x'));
    QByteArray lying = readAll(path(QStringLiteral("a.bmp")));
    fixtures::putU32(lying, fixtures::kWidthAt, 9);
    write(QStringLiteral("lie.bmp"), lying);
    QVERIFY_THROWS_EXCEPTION(core::Error, platform::bmpToJpg(path(QStringLiteral("lie.bmp")),
                                                             path(QStringLiteral("a.JPG"))));
    QCOMPARE(readAll(path(QStringLiteral("a.JPG"))), QByteArray(100000, 'x'));

    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadUser |
                             QFileDevice::WriteUser;
    QVERIFY(QFile::setPermissions(path(QStringLiteral("a.JPG")), permissions));
    platform::bmpToJpg(path(QStringLiteral("a.bmp")), path(QStringLiteral("a.JPG")));
    const QByteArray written = readAll(path(QStringLiteral("a.JPG")));
    QVERIFY(written.startsWith("\xFF\xD8"));
    QVERIFY(written.size() < 2000);
    QVERIFY(!fixtures::decodeJpeg(written).isNull());
    QCOMPARE(QFile::permissions(path(QStringLiteral("a.JPG"))), permissions);
    QCOMPARE(
        QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList({QStringLiteral("a.bmp"), QStringLiteral("a.JPG"), QStringLiteral("lie.bmp")}));
}

void TestBmpToJpg::failures_data() {
    QTest::addColumn<QString>("bmpName");
    QTest::addColumn<QByteArray>("bmpBytes"); // written unless null
    QTest::addColumn<QString>("jpgName");
    QTest::addColumn<QString>("error");
    BmpSpec shape;
    const QByteArray good = fixtures::buildBmp(shape, 8, 8, std::vector<quint32>(64, 0x0000FF));
    QByteArray lying = good;
    fixtures::putU32(lying, fixtures::kHeightAt, 5000);

    QTest::newRow("missing bitmap") << "gone.bmp" << QByteArray() << "gone.JPG"
                                    << "Cannot open file %1/gone.bmp";
    QTest::newRow("folder for a bitmap") << "folder.bmp" << QByteArray() << "folder.JPG"
                                         << "Cannot open file %1/folder.bmp";
    QTest::newRow("not a bitmap") << "text.bmp" << QByteArray("hello, world") << "text.JPG"
                                  << "Bitmap image is not valid";
    QTest::newRow("lying bitmap") << "lie.bmp" << lying << "lie.JPG"
                                  << "Bitmap image is not valid";
    QTest::newRow("empty bitmap") << "empty.bmp" << QByteArray("") << "empty.JPG"
                                  << "Bitmap image is not valid";
    QTest::newRow("named pipe for a bitmap") << "pipe.bmp" << QByteArray() << "pipe.JPG"
                                             << "Cannot open file %1/pipe.bmp";
    QTest::newRow("link to a device for a bitmap") << "zero.bmp" << QByteArray() << "zero.JPG"
                                                   << "Cannot open file %1/zero.bmp";
    QTest::newRow("no such folder for the JPEG") << "a.bmp" << good << "nowhere/a.JPG"
                                                 << "Cannot create file %1/nowhere/a.JPG";
    QTest::newRow("folder in the JPEG's place") << "b.bmp" << good << "folder.JPG"
                                                << "Cannot create file %1/folder.JPG";
}

void TestBmpToJpg::failures() {
    QFETCH(QString, bmpName);
    QFETCH(QByteArray, bmpBytes);
    QFETCH(QString, jpgName);
    QFETCH(QString, error);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.bmp")));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.JPG")));
    QCOMPARE(mkfifo(QFile::encodeName(path(QStringLiteral("pipe.bmp"))).constData(), 0600), 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("zero.bmp"))));
    if (!bmpBytes.isNull())
        write(bmpName, bmpBytes);
    const QStringList before =
        QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    try {
        platform::bmpToJpg(path(bmpName), path(jpgName));
        QFAIL("no error");
    } catch (const core::Error &e) {
        QCOMPARE(e.text(), error.contains(QLatin1String("%1")) ? error.arg(m_dir->path()) : error);
    }
    // Nothing was written.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

void TestBmpToJpg::neverWritesThroughLinks_data() {
    QTest::addColumn<QString>("kind"); // of what holds the JPEG file's name
    QTest::newRow("link to a file") << "file link";
    QTest::newRow("link to nothing") << "dangling link";
    QTest::newRow("link to a folder") << "folder link";
    QTest::newRow("named pipe") << "pipe";
}

void TestBmpToJpg::neverWritesThroughLinks() {
    QFETCH(QString, kind);
    BmpSpec shape;
    write(QStringLiteral("house.bmp"),
          fixtures::buildBmp(shape, 8, 8, std::vector<quint32>(64, 0x123456)));
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("target.jpg"));
    const QString jpg = path(QStringLiteral("house.JPG"));
    if (kind == QLatin1String("file link")) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("the target's own bytes");
    }
    if (kind == QLatin1String("folder link"))
        QVERIFY(QDir(elsewhere.path()).mkdir(QStringLiteral("target.jpg")));
    if (kind == QLatin1String("pipe"))
        QCOMPARE(mkfifo(QFile::encodeName(jpg).constData(), 0600), 0);
    else
        QVERIFY(QFile::link(target, jpg));
    const QStringList before =
        QDir(m_dir->path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    const QStringList targetsBefore =
        QDir(elsewhere.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);

    try {
        platform::bmpToJpg(path(QStringLiteral("house.bmp")), jpg);
        QFAIL("no error");
    } catch (const core::Error &e) {
        QCOMPARE(e.text(), QStringLiteral("Cannot create file %1").arg(jpg));
    }
    // The name keeps what it was, nothing is written where it leads, no file is left over.
    const QFileInfo after(jpg);
    if (kind == QLatin1String("pipe")) {
        struct stat status {};
        QCOMPARE(lstat(QFile::encodeName(jpg).constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
    } else {
        QCOMPARE(after.symLinkTarget(), target);
    }
    if (kind == QLatin1String("file link"))
        QCOMPARE(readAll(target), QByteArray("the target's own bytes"));
    QCOMPARE(QDir(m_dir->path())
                 .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
             before);
    QCOMPARE(QDir(elsewhere.path())
                 .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
             targetsBefore);
}

void TestBmpToJpg::failedWriteKeepsTheOldFile() {
    // A bitmap whose JPEG stream is far larger than the files this process may write.
    const QImage photo = fixtures::photoLike(300, 200, 5);
    std::vector<quint32> pixels;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            pixels.push_back(photo.pixel(x, y) & 0xFFFFFF);
    BmpSpec shape;
    write(QStringLiteral("a.bmp"),
          fixtures::buildBmp(shape, photo.width(), photo.height(), pixels));
    write(QStringLiteral("a.JPG"), QByteArray(3000, 'x'));
    const QStringList before =
        QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    try {
        platform::bmpToJpg(path(QStringLiteral("a.bmp")), path(QStringLiteral("a.JPG")));
    } catch (const core::Error &e) {
        error = e.text();
    }
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(error, QStringLiteral("Stream write error"));
    QCOMPARE(readAll(path(QStringLiteral("a.JPG"))), QByteArray(3000, 'x'));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             before);
}

QTEST_APPLESS_MAIN(TestBmpToJpg)
#include "tst_bmptojpg.moc"

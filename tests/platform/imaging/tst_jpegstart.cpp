#include "platform/imaging/JpegStart.h"

#include <QtTest>

class TestJpegStart : public QObject {
    Q_OBJECT
private slots:
    void offsets_data();
    void offsets();
    void largeBlobs();
};

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (int v : values)
        result.append(char(v));
    return result;
}

// A JPEG file's first bytes, as a blob that holds only a picture starts.
const QByteArray kJpegHead = bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0});

} // namespace

void TestJpegStart::offsets_data() {
    QTest::addColumn<QByteArray>("blob");
    QTest::addColumn<int>("offset");

    QByteArray junk;
    for (int i = 0; i < 78; ++i)
        junk.append(char((i * 37 + 11) % 251)); // no 0xFF at all
    QByteArray junkWithLoneFF = junk;
    junkWithLoneFF[10] = char(0xFF);
    junkWithLoneFF[40] = char(0xFF);
    junkWithLoneFF[41] = char(0xFF);

    QTest::newRow("plain file") << kJpegHead << 0;
    QTest::newRow("78 bytes of junk first") << junk + kJpegHead << 78;
    QTest::newRow("junk with lone 0xFF bytes") << junkWithLoneFF + kJpegHead << 78;
    QTest::newRow("FF FF D8") << bytes({0xFF, 0xFF, 0xD8, 0xFF}) << 1;
    QTest::newRow("run of FF") << bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xD8}) << 3;
    QTest::newRow("FF 00 FF D8") << bytes({0xFF, 0x00, 0xFF, 0xD8}) << 2;
    QTest::newRow("D8 before FF") << bytes({0xD8, 0xFF, 0xD8}) << 1;
    QTest::newRow("only FF last") << bytes({0x42, 0x4D, 0x00, 0xD8, 0xFF}) << -1;
    QTest::newRow("FF D9 is no start") << bytes({0xFF, 0xD9, 0xFF, 0xC0}) << -1;
    QTest::newRow("single FF") << bytes({0xFF}) << -1;
    QTest::newRow("single byte") << bytes({0xD8}) << -1;
    QTest::newRow("empty") << QByteArray() << -1;
    QTest::newRow("marker is the last pair") << bytes({1, 2, 3, 0xFF, 0xD8}) << 3;
}

void TestJpegStart::offsets() {
    QFETCH(QByteArray, blob);
    QFETCH(int, offset);
    QCOMPARE(platform::jpegStartsInBlob(blob), offset);
}

void TestJpegStart::largeBlobs() {
    // A bitmap-like blob of a few megabytes, full of 0xFF runs but without the pair.
    QByteArray blob(4 * 1024 * 1024, char(0xFF));
    for (qsizetype i = 0; i < blob.size(); i += 3)
        blob[i] = char(0x10);
    QCOMPARE(platform::jpegStartsInBlob(blob), -1);
    blob[blob.size() - 1] = char(0xD8);
    blob[blob.size() - 2] = char(0xFF);
    QCOMPARE(platform::jpegStartsInBlob(blob), int(blob.size() - 2));
}

QTEST_APPLESS_MAIN(TestJpegStart)
#include "tst_jpegstart.moc"

#include "MemorySource.h"
#include "PdfText.h"
#include "ReportFixtures.h"

#include "core/Clock.h"
#include "core/Error.h"
#include "platform/reportengine/PreparedReport.h"
#include "platform/reportengine/ReportEngine.h"
#include "platform/reportengine/ReportOutput.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <functional>

using namespace reportengine;

namespace {
MemorySource listRows(int count) {
    return MemorySource(count, [](int row, const QString &column) {
        return column == QLatin1String("Long") ? QStringLiteral("Supercalifragilistic")
                                               : column + QString::number(row);
    });
}

MemorySource notesRows() {
    MemorySource source(QStringList{}, {QStringList{}, QStringList{}});
    QString html;
    for (int i = 0; i < 70; ++i)
        html += QStringLiteral("<p>Line %1 <b>bold</b> <span style='font-size:14pt;color:#c00'>"
                               "big</span> <i>italic words</i> that run on</p>")
                    .arg(i);
    source.setRichText(QStringLiteral("Notes"), {QStringLiteral("<h2>First</h2>"), html});
    return source;
}

// Share of pixels that differ clearly between two images of one size.
double differingShare(const QImage &a, const QImage &b) {
    if (a.size() != b.size())
        return 1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            if (std::abs(qGray(p[col]) - qGray(q[col])) > 96)
                ++differing;
        }
    }
    return double(differing) / (qint64(x.width()) * x.height());
}

QByteArray readAll(const QString &fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &fileName, const QByteArray &bytes) {
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Offsets in a saved file: magic, version, size id, orientation, width, height, count.
constexpr int kVersionOffset = 8;
constexpr int kCountOffset = 8 + 4 + 4 + 4 + 8 + 8;
constexpr int kFirstPageOffset = kCountOffset + 4 + 4 + 16;

void putUInt32(QByteArray &bytes, int offset, quint32 value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((value >> (24 - 8 * i)) & 0xff);
}
} // namespace

class TestPreparedReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void replaysTheSamePages_data();
    void replaysTheSamePages();
    void loadedReportExportsTheSamePdf();
    void savingFinishesTheLayout();
    void damagedFileRefused_data();
    void damagedFileRefused();
    void unwritableFileRefused();

private:
    QString savedList(int rows);

    QTemporaryDir m_dir;
};

void TestPreparedReport::initTestCase() {
    core::Clock::setSource([] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); });
}

void TestPreparedReport::cleanupTestCase() {
    core::Clock::setSource({});
}

QString TestPreparedReport::savedList(int rows) {
    MemorySource source = listRows(rows);
    ReportEngine engine(fixtures::listDefinition(), source);
    const QString fileName = m_dir.filePath(QStringLiteral("list%1.hlr").arg(rows));
    PreparedReport::save(engine, fileName);
    return fileName;
}

void TestPreparedReport::replaysTheSamePages_data() {
    QTest::addColumn<bool>("notes");
    QTest::addColumn<int>("dotsPerInch");
    QTest::newRow("list, 72 dpi") << false << 72;
    QTest::newRow("list, 150 dpi") << false << 150;
    QTest::newRow("rich text, 96 dpi") << true << 96;
}

void TestPreparedReport::replaysTheSamePages() {
    QFETCH(bool, notes);
    QFETCH(int, dotsPerInch);
    MemorySource source = notes ? notesRows() : listRows(70);
    ReportEngine engine(notes ? fixtures::notesDefinition() : fixtures::listDefinition(), source);
    const QString fileName = m_dir.filePath(QStringLiteral("replay.hlr"));
    PreparedReport::save(engine, fileName);

    PreparedReport loaded(fileName);
    QVERIFY(loaded.isComplete());
    QVERIFY(engine.pageCount() >= 2);
    QCOMPARE(loaded.pageCount(), engine.pageCount());
    QCOMPARE(loaded.paperSize(), engine.paperSize());
    QCOMPARE(loaded.pageLayout().orientation(), engine.pageLayout().orientation());
    for (int page = 0; page < engine.pageCount(); ++page) {
        const QImage live = engine.pageImage(page, dotsPerInch);
        const QImage replayed = loaded.pageImage(page, dotsPerInch);
        const double share = differingShare(live, replayed);
        QVERIFY2(
            share < 0.005,
            qPrintable(QStringLiteral("page %1 differs in %2 %").arg(page + 1).arg(share * 100)));
    }
    // The measure tells different pages apart.
    QVERIFY(differingShare(engine.pageImage(0, dotsPerInch), loaded.pageImage(1, dotsPerInch)) >
            0.01);
}

void TestPreparedReport::loadedReportExportsTheSamePdf() {
    MemorySource source = listRows(50);
    ReportEngine engine(fixtures::listDefinition(), source);
    const QString saved = m_dir.filePath(QStringLiteral("pdf.hlr"));
    PreparedReport::save(engine, saved);
    PreparedReport loaded(saved);
    exportPdf(engine, m_dir.filePath(QStringLiteral("live.pdf")));
    exportPdf(loaded, m_dir.filePath(QStringLiteral("loaded.pdf")));
    const PdfText live = PdfText::read(m_dir.filePath(QStringLiteral("live.pdf")));
    const PdfText replayed = PdfText::read(m_dir.filePath(QStringLiteral("loaded.pdf")));
    QVERIFY(live.words.size() > 100);
    QCOMPARE(replayed.pageSizes, live.pageSizes);
    QCOMPARE(replayed.words.size(), live.words.size());
    for (const PdfWord &word : live.words) {
        const QList<PdfWord> same = replayed.find(word.text, word.page);
        QVERIFY2(std::any_of(same.begin(), same.end(),
                             [&](const PdfWord &other) {
                                 return std::abs(other.box.left() - word.box.left()) < 0.3 &&
                                        std::abs(other.box.top() - word.box.top()) < 0.3;
                             }),
                 qPrintable(word.text));
    }
}

void TestPreparedReport::savingFinishesTheLayout() {
    MemorySource source = listRows(5000);
    ReportEngine engine(fixtures::listDefinition(), source);
    QVERIFY(!engine.isComplete());
    const QString fileName = m_dir.filePath(QStringLiteral("long.hlr"));
    PreparedReport::save(engine, fileName);
    QVERIFY(engine.isComplete());
    QCOMPARE(PreparedReport(fileName).pageCount(), engine.pageCount());
}

void TestPreparedReport::damagedFileRefused_data() {
    QTest::addColumn<std::function<void(QByteArray &)>>("damage");
    QTest::addColumn<QString>("message");
    using Damage = std::function<void(QByteArray &)>;
    const QString damaged = QStringLiteral("is damaged and cannot be shown");
    const QString notPrepared = QStringLiteral("is not a prepared report");
    QTest::newRow("empty") << Damage([](QByteArray &b) { b.clear(); }) << notPrepared;
    QTest::newRow("other file") << Damage([](QByteArray &b) { b = "%PDF-1.4 hello"; })
                                << notPrepared;
    QTest::newRow("newer version")
        << Damage([](QByteArray &b) { putUInt32(b, kVersionOffset, 99); })
        << QStringLiteral("was written by a newer version");
    QTest::newRow("cut in the header") << Damage([](QByteArray &b) { b.truncate(20); }) << damaged;
    QTest::newRow("cut in a page")
        << Damage([](QByteArray &b) { b.chop(b.size() / 3); }) << damaged;
    QTest::newRow("byte changed in a page") << Damage([](QByteArray &b) {
        b[kFirstPageOffset + 100] = char(b[kFirstPageOffset + 100] ^ 0x5a);
    }) << damaged;
    QTest::newRow("bytes added") << Damage([](QByteArray &b) { b.append("junk"); }) << damaged;
    QTest::newRow("no pages") << Damage([](QByteArray &b) { putUInt32(b, kCountOffset, 0); })
                              << damaged;
    QTest::newRow("more pages than stored")
        << Damage([](QByteArray &b) { putUInt32(b, kCountOffset, 1000); }) << damaged;
    QTest::newRow("huge page length")
        << Damage([](QByteArray &b) { putUInt32(b, kCountOffset + 4, 0xfffffff0u); }) << damaged;
}

void TestPreparedReport::damagedFileRefused() {
    QFETCH(std::function<void(QByteArray &)>, damage);
    QFETCH(QString, message);
    const QByteArray good = readAll(savedList(60));
    QVERIFY(good.size() > kFirstPageOffset + 200);
    QByteArray bytes = good;
    damage(bytes);
    const QString fileName = m_dir.filePath(QStringLiteral("damaged.hlr"));
    writeAll(fileName, bytes);
    try {
        PreparedReport loaded(fileName);
        QFAIL("a damaged file was accepted");
    } catch (const core::Error &error) {
        QVERIFY2(error.text().contains(message), qPrintable(error.text()));
        QVERIFY(error.text().contains(QStringLiteral("damaged.hlr")));
    }
}

void TestPreparedReport::unwritableFileRefused() {
    MemorySource source = listRows(3);
    ReportEngine engine(fixtures::listDefinition(), source);
    const QString fileName = m_dir.filePath(QStringLiteral("missing/folder/x.hlr"));
    QVERIFY_THROWS_EXCEPTION(core::Error, PreparedReport::save(engine, fileName));
    QVERIFY_THROWS_EXCEPTION(core::Error, PreparedReport{fileName});
    QVERIFY_THROWS_EXCEPTION(core::Error,
                             exportPdf(engine, m_dir.filePath(QStringLiteral("missing/x.pdf"))));
}

QTEST_MAIN(TestPreparedReport)
#include "tst_preparedreport.moc"

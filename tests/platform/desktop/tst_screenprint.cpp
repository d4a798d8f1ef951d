#include "core/Error.h"
#include "platform/desktop/ScreenCapture.h"
#include "platform/desktop/ScreenPrint.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using platform::printStretched;

namespace {

constexpr int kDpi = 50;
constexpr double kPointsPerMm = 72.0 / 25.4;

// A screen-sized picture cut unevenly: a quarter of the width and three quarters
// of the height, so that a stretch shows where each cut lands on the page.
const QColor kTopLeft(220, 20, 20), kTopRight(20, 20, 220), kBottomLeft(20, 180, 20),
    kBottomRight(230, 200, 20);

QImage screenLikeImage() {
    QImage image(1024, 768, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 256, 576, kTopLeft);
    painter.fillRect(256, 0, 768, 576, kTopRight);
    painter.fillRect(0, 576, 256, 192, kBottomLeft);
    painter.fillRect(256, 576, 768, 192, kBottomRight);
    return image;
}

bool near(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 &&
           qAbs(a.blue() - b.blue()) < 40;
}

QString run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The first page of a PDF as pixels at kDpi.
QImage rasterise(const QString &pdf, const QString &prefix) {
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".ppm"));
}

// The first x from left in row y (or y from top in column x) where the colour
// stops being `from`.
int firstChangeInRow(const QImage &page, int y, int x0, int x1, QColor from) {
    for (int x = x0; x < x1; ++x)
        if (!near(page.pixelColor(x, y), from))
            return x;
    return -1;
}
int firstChangeInColumn(const QImage &page, int x, int y0, int y1, QColor from) {
    for (int y = y0; y < y1; ++y)
        if (!near(page.pixelColor(x, y), from))
            return y;
    return -1;
}

} // namespace

class TestScreenPrint : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fillsPrintableArea_data();
    void fillsPrintableArea();
    void emptyImagePrintsNothing();
    void printerThatCannotBeginThrows_data();
    void printerThatCannotBeginThrows();
    void captureIsTheScreenAtItsPixelSize();

private:
    QTemporaryDir m_dir;
};

void TestScreenPrint::initTestCase() {
    QVERIFY(m_dir.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("poppler-utils (pdftoppm, pdfinfo) are missing");
}

void TestScreenPrint::fillsPrintableArea_data() {
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::addColumn<bool>("fullPage");
    QTest::addColumn<QMarginsF>("margins"); // millimetres
    QTest::addColumn<QMarginsF>("blank");   // what stays white, millimetres

    const QMarginsF none;
    const QMarginsF uneven(20, 10, 5, 30);
    QTest::newRow("A4 portrait, no margins")
        << QPageSize::A4 << QPageLayout::Portrait << false << none << none;
    QTest::newRow("A4 portrait, uneven margins")
        << QPageSize::A4 << QPageLayout::Portrait << false << uneven << uneven;
    QTest::newRow("A4 landscape, uneven margins")
        << QPageSize::A4 << QPageLayout::Landscape << false << uneven << uneven;
    QTest::newRow("Letter, full page over margins")
        << QPageSize::Letter << QPageLayout::Portrait << true << uneven << none;
}

// One page; the picture reaches every edge of the printable area, and its cuts
// fall at the same fractions of the area's width and height: stretched, not fitted.
void TestScreenPrint::fillsPrintableArea() {
    QFETCH(QPageSize::PageSizeId, paper);
    QFETCH(QPageLayout::Orientation, orientation);
    QFETCH(bool, fullPage);
    QFETCH(QMarginsF, margins);
    QFETCH(QMarginsF, blank);

    const QString pdf = m_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(paper));
        printer.setPageOrientation(orientation);
        printer.setPageMargins(margins, QPageLayout::Millimeter);
        printer.setFullPage(fullPage);
        printStretched(screenLikeImage(), printer);
    }

    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    QSizeF paperMm = QPageSize(paper).size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape)
        paperMm.transpose();
    const auto pageSize =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    QVERIFY2(pageSize.hasMatch(), qPrintable(info));
    QVERIFY(qAbs(pageSize.captured(1).toDouble() - paperMm.width() * kPointsPerMm) < 1);
    QVERIFY(qAbs(pageSize.captured(2).toDouble() - paperMm.height() * kPointsPerMm) < 1);

    const QImage page =
        rasterise(pdf, m_dir.filePath(QStringLiteral("page-%1").arg(QTest::currentDataTag())));
    QVERIFY(!page.isNull());
    const double pxPerMm = kDpi / 25.4;
    QVERIFY(qAbs(page.width() - paperMm.width() * pxPerMm) <= 1);
    const QRectF area(blank.left() * pxPerMm, blank.top() * pxPerMm,
                      (paperMm.width() - blank.left() - blank.right()) * pxPerMm,
                      (paperMm.height() - blank.top() - blank.bottom()) * pxPerMm);
    const int left = qCeil(area.left()) + 1, right = qFloor(area.right()) - 2;
    const int top = qCeil(area.top()) + 1, bottom = qFloor(area.bottom()) - 2;

    // Corners of the area: each holds its quarter's colour.
    QVERIFY(near(page.pixelColor(left, top), kTopLeft));
    QVERIFY(near(page.pixelColor(right, top), kTopRight));
    QVERIFY(near(page.pixelColor(left, bottom), kBottomLeft));
    QVERIFY(near(page.pixelColor(right, bottom), kBottomRight));
    // Outside the area: white, where there is room to look.
    if (blank.left() >= 2)
        QVERIFY(near(page.pixelColor(qFloor(area.left()) - 2, top), Qt::white));
    if (blank.bottom() >= 2)
        QVERIFY(near(page.pixelColor(right, qCeil(area.bottom()) + 2), Qt::white));

    // The cuts: a quarter of the area's width, three quarters of its height.
    const int cutX = firstChangeInRow(page, top + 5, left, right, kTopLeft);
    const int cutY = firstChangeInColumn(page, left + 2, top, bottom, kTopLeft);
    QVERIFY2(qAbs(cutX - (area.left() + area.width() / 4)) <= 1.5,
             qPrintable(QStringLiteral("cut at x %1 of %2").arg(cutX).arg(area.width())));
    QVERIFY2(qAbs(cutY - (area.top() + area.height() * 3 / 4)) <= 1.5,
             qPrintable(QStringLiteral("cut at y %1 of %2").arg(cutY).arg(area.height())));
}

void TestScreenPrint::emptyImagePrintsNothing() {
    const QString pdf = m_dir.filePath(QStringLiteral("empty.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    try {
        printStretched(QImage(), printer);
        QFAIL("an empty picture was printed");
    } catch (const core::Error &error) {
        QVERIFY(!error.text().isEmpty());
    }
    QVERIFY(!QFile::exists(pdf));
}

void TestScreenPrint::printerThatCannotBeginThrows_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("expected");
    const QString unwritable = QStringLiteral("/nonexistent-folder/screen.pdf");
    QTest::newRow("unwritable file")
        << unwritable << QStringLiteral("Printing on \"%1\" could not begin").arg(unwritable);
    QTest::newRow("no output at all")
        << QString() << QStringLiteral("There is no printer to print on");
}

void TestScreenPrint::printerThatCannotBeginThrows() {
    QFETCH(QString, fileName);
    QFETCH(QString, expected);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    try {
        printStretched(screenLikeImage(), printer);
        QFAIL("printing reported no error");
    } catch (const core::Error &error) {
        QCOMPARE(error.text(), expected);
    }
}

void TestScreenPrint::captureIsTheScreenAtItsPixelSize() {
    QScreen *screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    const QImage image = platform::captureScreen();
    QCOMPARE(image.size(), screen->geometry().size() * screen->devicePixelRatio());
    QCOMPARE(image.devicePixelRatio(), 1.0);
}

QTEST_MAIN(TestScreenPrint)
#include "tst_screenprint.moc"

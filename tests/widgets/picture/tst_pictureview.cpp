#include "tests/platform/imaging/ImagingFixtures.h"
#include "tests/support/ModalAnswerer.h"
#include "widgets/PictureView.h"

#include <QSignalSpy>
#include <QtTest>

using platform::JpegPicture;
using widgets::PictureView;

class TestPictureView : public QObject {
    Q_OBJECT
private slots:
    void origin_data();
    void origin();
    void drawsCentredAtNaturalSize_data();
    void drawsCentredAtNaturalSize();
    void keepsPictureUntilReplaced();
    void eachControlShowsItsOwnPart();
    void singleClick();
    void damagedDataReportedAfterPaint();
};

namespace {

const QRgb kBackground = qRgb(255, 0, 255);

QImage render(PictureView &view) {
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(kBackground);
    view.render(&image, QPoint(), QRegion(), QWidget::RenderFlags()); // no window background
    return image;
}

// The picture as the control must show it: the reference decode at `origin`, the
// background around it.
QImage expectedView(QSize control, const QImage &reference) {
    const QPoint origin = PictureView::pictureOrigin(control, reference.size());
    QImage image(control, QImage::Format_RGB32);
    image.fill(kBackground);
    for (int y = 0; y < control.height(); ++y)
        for (int x = 0; x < control.width(); ++x) {
            const QPoint p = QPoint(x, y) - origin;
            if (reference.rect().contains(p))
                image.setPixel(x, y, reference.pixel(p));
        }
    return image;
}

QByteArray damaged() {
    // A marker no decoder knows in the data, above the middle of the picture.
    QByteArray jpeg = fixtures::encodeJpeg(fixtures::photoLike(400, 300, 5));
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    jpeg.replace(scan + (jpeg.size() - scan) / 5, 6, QByteArray("\xFF\x02\x00\x04\x00\x00", 6));
    return jpeg;
}

} // namespace

void TestPictureView::origin_data() {
    QTest::addColumn<QSize>("control");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("wide picture, small image")
        << QSize(169, 193) << QSize(300, 100) << QPoint(-65, 46);
    QTest::newRow("smaller picture") << QSize(169, 225) << QSize(100, 100) << QPoint(34, 62);
    QTest::newRow("photo in the large image")
        << QSize(681, 433) << QSize(4000, 3000) << QPoint(-1659, -1283);
    QTest::newRow("odd excess truncates toward zero")
        << QSize(10, 10) << QSize(13, 15) << QPoint(-1, -2);
    QTest::newRow("same size") << QSize(169, 193) << QSize(169, 193) << QPoint(0, 0);
}

void TestPictureView::origin() {
    QFETCH(QSize, control);
    QFETCH(QSize, picture);
    QFETCH(QPoint, origin);
    QCOMPARE(PictureView::pictureOrigin(control, picture), origin);
}

void TestPictureView::drawsCentredAtNaturalSize_data() {
    QTest::addColumn<QSize>("control");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("grey");
    QTest::newRow("300 x 100 in 169 x 193") << QSize(169, 193) << QSize(300, 100) << false;
    QTest::newRow("small picture") << QSize(169, 225) << QSize(61, 47) << false;
    QTest::newRow("large photo, large image") << QSize(681, 433) << QSize(1203, 917) << false;
    QTest::newRow("greyscale") << QSize(169, 193) << QSize(250, 251) << true;
}

void TestPictureView::drawsCentredAtNaturalSize() {
    QFETCH(QSize, control);
    QFETCH(QSize, picture);
    QFETCH(bool, grey);
    QImage source = fixtures::photoLike(picture.width(), picture.height(), 2);
    if (grey)
        source = source.convertToFormat(QImage::Format_Grayscale8);
    const QByteArray jpeg = fixtures::encodeJpeg(source);
    PictureView view;
    view.resize(control);
    view.setPicture(JpegPicture(jpeg));
    const QImage reference = fixtures::decodeJpeg(jpeg).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(render(view), expectedView(control, reference));
}

void TestPictureView::keepsPictureUntilReplaced() {
    const QByteArray first = fixtures::encodeJpeg(fixtures::photoLike(200, 220, 1));
    const QByteArray second = fixtures::encodeJpeg(fixtures::photoLike(150, 90, 2));
    PictureView view;
    view.resize(169, 193);
    QVERIFY(view.picture().isNull());
    QCOMPARE(render(view), expectedView(view.size(), QImage()));
    view.setPicture(JpegPicture(first));
    const QImage shownFirst = render(view);
    QCOMPARE(render(view), shownFirst);
    view.setPicture(JpegPicture(second));
    QCOMPARE(render(view), expectedView(view.size(), fixtures::decodeJpeg(second).convertToFormat(
                                                         QImage::Format_RGB32)));
}

void TestPictureView::eachControlShowsItsOwnPart() {
    // The small and the large image of a page get the same picture.
    const QByteArray jpeg = fixtures::encodeJpeg(fixtures::photoLike(1000, 800, 3));
    const JpegPicture picture(jpeg);
    PictureView small;
    PictureView large;
    small.resize(169, 193);
    large.resize(681, 433);
    small.setPicture(picture);
    large.setPicture(picture);
    const QImage reference = fixtures::decodeJpeg(jpeg).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(render(small), expectedView(small.size(), reference));
    QCOMPARE(render(large), expectedView(large.size(), reference));
    QCOMPARE(render(small), expectedView(small.size(), reference));
}

void TestPictureView::singleClick() {
    PictureView view;
    view.resize(169, 193);
    QSignalSpy clicks(&view, &PictureView::clicked);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(20, 30));
    QCOMPARE(clicks.size(), 1);
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(20, 30));
    QCOMPARE(clicks.size(), 1);
    // Pressed on the control, released elsewhere: no click.
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(20, 30));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(400, 30));
    QCOMPARE(clicks.size(), 1);
}

void TestPictureView::damagedDataReportedAfterPaint() {
    ModalAnswerer answerer;
    const JpegPicture picture(damaged()); // the header is sound
    PictureView small;
    PictureView large;
    small.resize(169, 193);
    large.resize(681, 433);
    small.setPicture(picture);
    large.setPicture(picture);

    const QImage shown = render(small);
    QVERIFY(answerer.boxes().isEmpty()); // not from inside the paint
    QTRY_COMPARE(answerer.texts(), QStringList{QStringLiteral("JPEG error #68.")});
    QCOMPARE(answerer.boxes().first().icon, QMessageBox::Critical);
    QCOMPARE(shown, expectedView(small.size(), QImage())); // nothing drawn

    // Painting again does not report again; the other control reports its own failure.
    render(small);
    render(large);
    QTRY_COMPARE(answerer.texts().size(), 2);
    QTest::qWait(50);
    QCOMPARE(answerer.texts().size(), 2);

    // Put in anew, the picture is tried anew.
    small.setPicture(picture);
    render(small);
    QTRY_COMPARE(answerer.texts().size(), 3);
}

QTEST_MAIN(TestPictureView)
#include "tst_pictureview.moc"

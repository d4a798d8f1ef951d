#include "MemorySource.h"
#include "PdfText.h"
#include "ReportFixtures.h"

#include "platform/reportengine/PageView.h"
#include "platform/reportengine/PreparedReport.h"
#include "platform/reportengine/ReportEngine.h"
#include "platform/reportengine/ReportPreview.h"
#include "tests/support/ModalAnswerer.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace reportengine;

namespace {
MemorySource listRows(int count) {
    return MemorySource(count, [](int row, const QString &column) -> QString {
        return column + QString::number(row);
    });
}

QAction *action(const ReportPreview &preview, const char *name) {
    return preview.findChild<QAction *>(QString::fromLatin1(name));
}

int viewDpiFor(const ReportPreview &preview) {
    return preview.pageView()->dotsPerInch();
}
} // namespace

class TestReportPreview : public QObject {
    Q_OBJECT

private slots:
    void windowAndFirstPage();
    void navigation();
    void showsTheCurrentPage();
    void zoom();
    void firstPageBeforeLayoutEnds();
    void execReturnsWhenClosed();
    void previewEndsWithItsParent();
    void loadAndSavePrepared();
    void damagedFileGivesMessage();
    void printFromPreview();
    void printerSetupCancelled();

private:
    QTemporaryDir m_dir;
};

void TestReportPreview::windowAndFirstPage() {
    MemorySource source = listRows(300);
    ReportEngine engine(fixtures::listDefinition(), source);
    ReportPreview preview(engine);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(preview.objectName(), QStringLiteral("ReportPreview"));
    QVERIFY(preview.isWindow());
    QVERIFY(!preview.isMaximized());
    QCOMPARE(preview.currentPage(), 0);
    QTRY_VERIFY(engine.isComplete());
    QVERIFY(engine.pageCount() > 5);
    auto *box = preview.findChild<QSpinBox *>(QStringLiteral("pageNumberBox"));
    QVERIFY(box);
    QTRY_COMPARE(box->maximum(), engine.pageCount());
}

void TestReportPreview::navigation() {
    MemorySource source = listRows(300);
    ReportEngine engine(fixtures::listDefinition(), source);
    engine.completeLayout();
    const int last = engine.pageCount() - 1;
    ReportPreview preview(engine);
    preview.show();
    QAction *first = action(preview, "firstPageAction");
    QAction *prior = action(preview, "priorPageAction");
    QAction *next = action(preview, "nextPageAction");
    QAction *lastAction = action(preview, "lastPageAction");
    QVERIFY(first && prior && next && lastAction);
    QVERIFY(!first->isEnabled() && !prior->isEnabled() && next->isEnabled());

    next->trigger();
    QCOMPARE(preview.currentPage(), 1);
    next->trigger();
    QCOMPARE(preview.currentPage(), 2);
    prior->trigger();
    QCOMPARE(preview.currentPage(), 1);
    lastAction->trigger();
    QCOMPARE(preview.currentPage(), last);
    QVERIFY(!next->isEnabled() && !lastAction->isEnabled() && prior->isEnabled());
    first->trigger();
    QCOMPARE(preview.currentPage(), 0);

    auto *box = preview.findChild<QSpinBox *>(QStringLiteral("pageNumberBox"));
    box->setValue(4);
    QCOMPARE(preview.currentPage(), 3);
    QCOMPARE(box->value(), 4);
    box->setValue(last + 50); // beyond the end: the spin box keeps to the range
    QCOMPARE(preview.currentPage(), last);

    // Keys work as the buttons do.
    preview.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&preview));
    preview.setCurrentPage(2);
    QTest::keyClick(&preview, Qt::Key_PageDown);
    QCOMPARE(preview.currentPage(), 3);
    QTest::keyClick(&preview, Qt::Key_PageUp);
    QCOMPARE(preview.currentPage(), 2);
}

void TestReportPreview::showsTheCurrentPage() {
    MemorySource source = listRows(120);
    ReportEngine engine(fixtures::listDefinition(), source);
    ReportPreview preview(engine);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QTRY_VERIFY(engine.isComplete());
    preview.setCurrentPage(2);
    PageView *view = preview.pageView();
    view->repaint();
    QVERIFY(!view->image().isNull());
    QCOMPARE(view->image(), engine.pageImage(2, view->dotsPerInch() * view->devicePixelRatioF()));
    QVERIFY(view->image() != engine.pageImage(1, view->dotsPerInch()));
}

void TestReportPreview::zoom() {
    MemorySource source = listRows(100);
    ReportEngine engine(fixtures::listDefinition(QPageLayout::Portrait), source);
    ReportPreview preview(engine);
    preview.resize(900, 600);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    auto *scroll = preview.findChild<QScrollArea *>(QStringLiteral("pageScrollArea"));
    QVERIFY(scroll);

    action(preview, "fullSizeAction")->trigger();
    QCOMPARE(preview.zoom(), ReportPreview::Zoom::FullSize);
    const int screenDpi = int(std::floor(preview.screen()->logicalDotsPerInchX()));
    QCOMPARE(viewDpiFor(preview), screenDpi);
    QCOMPARE(preview.pageView()->pagePixels().width(), int(std::lround(210 / 25.4 * screenDpi)));

    action(preview, "fitWidthAction")->trigger();
    QCOMPARE(preview.zoom(), ReportPreview::Zoom::FitWidth);
    const int viewportWidth = scroll->viewport()->width();
    QTRY_VERIFY(preview.pageView()->width() <= viewportWidth);
    QVERIFY2(preview.pageView()->pagePixels().width() > viewportWidth - 60,
             qPrintable(QStringLiteral("%1 in %2")
                            .arg(preview.pageView()->pagePixels().width())
                            .arg(viewportWidth)));
    QVERIFY(preview.pageView()->height() > scroll->viewport()->height());

    action(preview, "fitPageAction")->trigger();
    QCOMPARE(preview.zoom(), ReportPreview::Zoom::FitPage);
    QVERIFY(preview.pageView()->height() <= scroll->viewport()->height());
    QVERIFY(preview.pageView()->width() <= scroll->viewport()->width());
    QVERIFY(preview.pageView()->pagePixels().height() > scroll->viewport()->height() - 60);
    const int fitted = viewDpiFor(preview);

    // Fitting follows the window's size.
    preview.resize(900, 1000);
    QTRY_VERIFY(viewDpiFor(preview) > fitted);
}

void TestReportPreview::firstPageBeforeLayoutEnds() {
    // Thousands of rich-text records take far longer than one slice of layout.
    const int records = 20000;
    MemorySource source(records, [](int row, const QString &) {
        return QStringLiteral("Note number %1 with a few words").arg(row);
    });
    ReportEngine engine(fixtures::notesDefinition(), source);
    ReportPreview preview(engine);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QTRY_VERIFY(engine.pageCount() >= 1);
    QTRY_COMPARE(preview.currentPage(), 0);
    QVERIFY(!engine.isComplete());
    // The window keeps laying out while it is shown, a slice at a time.
    const int before = engine.pageCount();
    QTRY_VERIFY(engine.pageCount() > before);
    QVERIFY(!engine.isComplete());
    preview.pageView()->repaint();
    QVERIFY(!preview.pageView()->image().isNull());
    preview.close();
}

void TestReportPreview::execReturnsWhenClosed() {
    MemorySource source = listRows(10);
    ReportEngine engine(fixtures::listDefinition(), source);
    ReportPreview preview(engine);
    bool wasShown = false;
    bool wasMaximized = true;
    QTimer::singleShot(50, &preview, [&] {
        wasShown = preview.isVisible();
        wasMaximized = preview.isMaximized();
        action(preview, "closePreviewAction")->trigger();
    });
    preview.exec();
    QVERIFY(wasShown);
    QVERIFY(!wasMaximized);
    QVERIFY(!preview.isVisible());
}

void TestReportPreview::previewEndsWithItsParent() {
    MemorySource source = listRows(10);
    ReportEngine engine(fixtures::listDefinition(), source);
    auto *parent = new QWidget;
    QPointer<ReportPreview> shown;
    bool found = false;
    QTimer::singleShot(50, parent, [&] {
        shown = parent->findChild<ReportPreview *>();
        found = shown && shown->isVisible();
        delete parent; // e.g. the main window going away while the preview is open
    });
    ReportPreview::preview(engine, parent);
    QVERIFY(found);
    QVERIFY(shown.isNull());
}

void TestReportPreview::loadAndSavePrepared() {
    MemorySource source = listRows(200);
    ReportEngine engine(fixtures::listDefinition(), source);
    ReportPreview preview(engine);
    const QString fileName = m_dir.filePath(QStringLiteral("saved.hlr"));
    preview.savePrepared(fileName);
    QVERIFY(QFile::exists(fileName));

    MemorySource other = listRows(2);
    ReportEngine small(fixtures::listDefinition(), other);
    ReportPreview second(small);
    QCOMPARE(second.pages().pageCount(), 1);
    second.loadPrepared(fileName);
    QVERIFY(qobject_cast<PreparedReport *>(&second.pages()));
    QCOMPARE(second.pages().pageCount(), engine.pageCount());
    second.lastPage();
    QCOMPARE(second.currentPage(), engine.pageCount() - 1);
}

void TestReportPreview::damagedFileGivesMessage() {
    const QString fileName = m_dir.filePath(QStringLiteral("broken.hlr"));
    {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("HLREPORT\0\0\0\1garbage", 19);
    }
    MemorySource source = listRows(100);
    ReportEngine engine(fixtures::listDefinition(), source);
    ReportPreview preview(engine);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QTRY_VERIFY(engine.isComplete());

    ModalAnswerer answerer;
    answerer.setDialogHandler([&](QWidget *modal) {
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            dialog->selectFile(fileName);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    action(preview, "loadReportAction")->trigger();
    QCOMPARE(answerer.boxes().size(), 1);
    QVERIFY2(answerer.lastText().contains(QStringLiteral("is damaged")),
             qPrintable(answerer.lastText()));
    QVERIFY(answerer.lastText().endsWith(QLatin1Char('.')));
    // The report shown before stays.
    QCOMPARE(&preview.pages(), &engine);
    QCOMPARE(preview.pages().pageCount(), engine.pageCount());
}

void TestReportPreview::printFromPreview() {
    MemorySource source = listRows(150);
    ReportEngine engine(fixtures::listDefinition(), source);
    ReportPreview preview(engine);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    const QString output = m_dir.filePath(QStringLiteral("printed.pdf"));
    bool asked = false;
    ModalAnswerer answerer;
    answerer.setDialogHandler([&](QWidget *modal) {
        if (auto *dialog = qobject_cast<QPrintDialog *>(modal)) {
            asked = true;
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(output);
            dialog->done(QDialog::Accepted);
        }
    });
    action(preview, "printAction")->trigger();
    QVERIFY(asked);
    QVERIFY(answerer.boxes().isEmpty());
    QVERIFY(engine.isComplete());
    QCOMPARE(pdfInfoPages(output), engine.pageCount());
    const PdfText pdf = PdfText::read(output);
    QCOMPARE(pdf.pageSizes.value(0).toSize(), QSize(297, 210));

    // Printing the page in view.
    preview.setCurrentPage(3);
    answerer.setDialogHandler([&](QWidget *modal) {
        if (auto *dialog = qobject_cast<QPrintDialog *>(modal)) {
            dialog->printer()->setPrintRange(QPrinter::CurrentPage);
            dialog->done(QDialog::Accepted);
        }
    });
    action(preview, "printAction")->trigger();
    QCOMPARE(pdfInfoPages(output), 1);
    const PdfText current = PdfText::read(output);
    QCOMPARE(current.find(QStringLiteral("Page")).size(), 1);
    QCOMPARE(current.find(QStringLiteral("4")).size(), 1);
}

void TestReportPreview::printerSetupCancelled() {
    MemorySource source = listRows(5);
    ReportEngine engine(fixtures::listDefinition(), source);
    ReportPreview preview(engine);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    ModalAnswerer answerer; // rejects the page setup dialog
    action(preview, "printerSetupAction")->trigger();
    QVERIFY(answerer.boxes().isEmpty());
    QVERIFY(preview.isVisible());
}

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"

// The main window on a real X display: the system-wide hot keys sent with
// xdotool as another program would.
#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/TableObject.h"
#include "platform/desktop/GlobalHotKeys.h"
#include "platform/reportengine/ReportPreview.h"
#include "records/HouseholdPage.h"
#include "tests/data/DataFixture.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/DBEdit.h"
#include "widgets/PageControl.h"

#include <QApplication>
#include <QProcess>
#include <QtTest>

using widgets::Page;

namespace {

bool pressKeys(const char *keys) {
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("key"), QString::fromLatin1(keys)}) == 0;
}

int previewsShown() {
    int shown = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *preview = qobject_cast<reportengine::ReportPreview *>(widget);
            preview && preview->isVisible()) {
            ++shown;
            preview->close();
        }
    }
    return shown;
}

} // namespace

class TestWindowXvfb : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void hotKeysShowHidePrintAndExit();
};

void TestWindowXvfb::initTestCase() {
    if (!platform::GlobalHotKeys::isAvailable())
        QSKIP("no X display (runs under xvfb-run)");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is missing");
}

void TestWindowXvfb::hotKeysShowHidePrintAndExit() {
    DataFixture fixture;
    fixture.addItem(QStringLiteral("Lamp"));
    app::TForm1 form(fixture.directory());
    named<QTimer>(form, "Timer1")->stop();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const auto ids = form.hotKeyIds();
    QVERIFY(ids[0] != 0 && ids[0] != ids[1]);

    QVERIFY(pressKeys("ctrl+Down"));
    QTRY_VERIFY(!form.isVisible());
    QVERIFY(pressKeys("ctrl+u"));
    QTRY_VERIFY(form.isVisible());

    // Print Screen brings up the page's list report, and nothing on Utilities.
    pageControl(form)->setCurrentPage(Page::Utilities);
    QVERIFY(pressKeys("Print"));
    QTest::qWait(300);
    QCOMPARE(app::lifetime::adoptedCount(), 0);
    pageControl(form)->setCurrentPage(Page::Household);
    int previews = 0;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] { previews += previewsShown(); });
    closer.start(20);
    QVERIFY(pressKeys("Print"));
    QTRY_COMPARE(previews, 1);
    QCOMPARE(app::lifetime::adoptedCount(), 1);

    // In the program's own field Ctrl+X ends the program instead of cutting.
    widgets::DBEdit *name = named<widgets::DBEdit>(form, "DBEdit3");
    form.activateWindow();
    name->setFocus();
    name->selectAll();
    QVERIFY(pressKeys("ctrl+x"));
    QTRY_VERIFY(app::lifetime::terminateRequested());
    QCOMPARE(name->text(), QStringLiteral("Lamp"));
    QVERIFY(!named<data::TableObject>(form, "ADOTable1")->isActive());
    app::lifetime::destroyAdopted();
    app::lifetime::reset();
}

QTEST_MAIN(TestWindowXvfb)
#include "tst_windowxvfb.moc"

#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "listreports/ListReport.h"
#include "platform/reportengine/ReportPages.h"
#include "platform/reportengine/ReportPreview.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using widgets::Page;

namespace {

// Closes the preview window once its layout is complete, and remembers what it held.
class PreviewCloser : public QObject {
public:
    PreviewCloser() {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *preview = qobject_cast<reportengine::ReportPreview *>(widget);
                if (!preview || !preview->isVisible() || !preview->pages().isComplete())
                    continue;
                ++previews;
                pages = preview->pages().pageCount();
                maximised = preview->isMaximized();
                preview->close();
            }
        });
        m_timer.start(10);
    }
    int previews = 0;
    int pages = 0;
    bool maximised = false;

private:
    QTimer m_timer;
};

} // namespace

class TestPrintCommand : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        app::lifetime::destroyAdopted();
        app::lifetime::reset();
    }
    void eachPageHasItsReport();
    void utilitiesPrintsNothing();
    void secondUseMakesSecondReport();
    void unpostedEditDoesNotReachTheReport();
    void missingTableEndsTheProgram();
};

void TestPrintCommand::eachPageHasItsReport() {
    DataFixture fixture;
    app::TForm1 form(fixture.directory());
    const QList<QPair<Page, const char *>> pages = {{Page::Household, "QRListForm"},
                                                    {Page::People, "QRListForm2"},
                                                    {Page::Diary, "QRListForm3"},
                                                    {Page::Privacy, "QRListForm4"},
                                                    {Page::Help, "QRListForm5"}};
    for (const auto &[page, name] : pages) {
        pageControl(form)->setCurrentPage(page);
        if (page == Page::Diary || page == Page::Privacy)
            named<QPushButton>(form, "OKpassword")->click(); // no password set
        PreviewCloser closer;
        const int before = app::lifetime::adoptedCount();
        form.Print1Click(); // returns when the preview has closed
        QCOMPARE(closer.previews, 1);
        QVERIFY(!closer.maximised);
        QCOMPARE(app::lifetime::adoptedCount(), before + 1);
    }
    QCOMPARE(form.latestReport(Page::Household)->objectName(), QStringLiteral("QRListForm"));
    QCOMPARE(form.latestReport(Page::Diary)->objectName(), QStringLiteral("QRListForm3"));
    QCOMPARE(form.latestReport(Page::Help)->objectName(), QStringLiteral("QRListForm5"));
    QCOMPARE(form.latestReport(Page::Privacy)->table()->tableName(), QStringLiteral("Privacy"));
    QCOMPARE(form.latestReport(Page::People)->table()->tableName(), QStringLiteral("People"));
}

void TestPrintCommand::utilitiesPrintsNothing() {
    DataFixture fixture;
    app::TForm1 form(fixture.directory());
    pageControl(form)->setCurrentPage(Page::Utilities);
    QVERIFY(named<QToolButton>(form, "ToolPrint")->isEnabled());
    ModalAnswerer boxes;
    PreviewCloser closer;
    named<QToolButton>(form, "ToolPrint")->click();
    QCOMPARE(closer.previews, 0);
    QCOMPARE(app::lifetime::adoptedCount(), 0);
    QVERIFY(boxes.boxes().isEmpty());
}

void TestPrintCommand::secondUseMakesSecondReport() {
    DataFixture fixture;
    fixture.addItem(QStringLiteral("Lamp"));
    app::TForm1 form(fixture.directory());
    pageControl(form)->setCurrentPage(Page::Household);
    PreviewCloser closer;
    named<QAction>(form, "Print1")->trigger();
    listreports::ListReport *first = form.latestReport(Page::Household);
    fixture.addItem(QStringLiteral("Desk"));
    named<QAction>(form, "Print1")->trigger();
    QCOMPARE(closer.previews, 2);
    QVERIFY(form.latestReport(Page::Household) != first);
    QCOMPARE(first->table()->recordCount(), 1); // kept, with its table open
    QVERIFY(first->table()->isActive());
    QCOMPARE(form.latestReport(Page::Household)->table()->recordCount(), 2);
}

void TestPrintCommand::unpostedEditDoesNotReachTheReport() {
    DataFixture fixture;
    fixture.addItem(QStringLiteral("Lamp"));
    fixture.addItem(QStringLiteral("Desk"));
    app::TForm1 form(fixture.directory());
    pageControl(form)->setCurrentPage(Page::Household);
    named<data::TableObject>(form, "ADOTable1")->last();
    named<data::TableObject>(form, "ADOTable1")
        ->fieldByName(QStringLiteral("Item Name"))
        ->setAsString("Chair");
    PreviewCloser closer;
    form.Print1Click();
    data::TableObject *table = form.latestReport(Page::Household)->table();
    QCOMPARE(table->recordCount(), 2);
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row)
        names << table->displayText(row, table->fieldByName(QStringLiteral("Item Name"))->index());
    QCOMPARE(names, QStringList({"Lamp", "Desk"}));
    QCOMPARE(named<data::TableObject>(form, "ADOTable1")->state(), data::TableObject::State::Edit);
}

void TestPrintCommand::missingTableEndsTheProgram() {
    DataFixture fixture;
    app::TForm1 form(fixture.directory());
    fixture.exec(QStringLiteral("DROP TABLE \"People\""));
    pageControl(form)->setCurrentPage(Page::People);
    ModalAnswerer boxes;
    PreviewCloser closer;
    form.Print1Click();
    QCOMPARE(closer.previews, 0);
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(boxes.boxes()[0].icon, QMessageBox::NoIcon);
    QVERIFY2(boxes.lastText().contains(QLatin1String("no such table")),
             qPrintable(boxes.lastText()));
    QVERIFY(app::lifetime::terminateRequested());
}

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"

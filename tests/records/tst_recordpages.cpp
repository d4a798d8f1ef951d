#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "records/HouseholdPage.h"
#include "records/PeoplePage.h"
#include "records/RecordRoutines.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBNavigator.h"
#include "widgets/PageControl.h"
#include "widgets/PictureView.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

using widgets::Page;

using widgets::DBNavigator;

namespace {

QByteArray jpegOf(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

QList<bool> enabledButtons(DBNavigator *navigator) {
    QList<bool> result;
    for (int i = 0; i < DBNavigator::ButtonCount; ++i)
        result << navigator->button(DBNavigator::Button(i))->isEnabled();
    return result;
}

} // namespace

class TestRecordPages : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { app::lifetime::reset(); }
    void navigatorEnablingFollowsFlags();
    void countRefreshesAfterPostOnly();
    void changedRecordIsPostedBeforeMoving();
    void cancelledDeleteKeepsRecord();
    void pictureFollowsNavigatorNotGrid();
    void blobWithoutMarkerReportsStreamReadError();
    void routinesDoNothingOnPagesWithoutTable();
    void jpegStartOffsets_data();
    void jpegStartOffsets();
};

void TestRecordPages::navigatorEnablingFollowsFlags() {
    DataFixture fixture;
    {
        app::TForm1 form(fixture.directory());
        DBNavigator *nav = named<widgets::DBNavigator>(form, "DBNavigator1");
        // Empty table: no moves, no delete; insert, edit and refresh stay.
        QCOMPARE(enabledButtons(nav),
                 QList<bool>({false, false, false, false, true, false, true, false, false, true}));
    }
    for (const char *name : {"Lamp", "Ladder", "Kettle"})
        fixture.addItem(QString::fromLatin1(name));
    app::TForm1 form(fixture.directory());
    DBNavigator *nav = named<widgets::DBNavigator>(form, "DBNavigator1");
    QCOMPARE(enabledButtons(nav),
             QList<bool>({false, false, true, true, true, true, true, false, false, true}));
    nav->clickButton(DBNavigator::nbNext);
    nav->clickButton(DBNavigator::nbNext);
    // On the last record after stepping onto it, Next and Last stay enabled...
    QCOMPARE(named<data::TableObject>(form, "ADOTable1")->currentIndex(), 2);
    QVERIFY(nav->button(DBNavigator::nbNext)->isEnabled());
    // ...and one more Next stays there and disables them.
    nav->clickButton(DBNavigator::nbNext);
    QCOMPARE(named<data::TableObject>(form, "ADOTable1")->currentIndex(), 2);
    QVERIFY(!nav->button(DBNavigator::nbNext)->isEnabled());
    QVERIFY(!nav->button(DBNavigator::nbLast)->isEnabled());
    QVERIFY(nav->button(DBNavigator::nbFirst)->isEnabled());

    named<widgets::DBEdit>(form, "DBEdit2")->setFocus();
    nav->clickButton(DBNavigator::nbEdit);
    QCOMPARE(enabledButtons(nav).mid(4), QList<bool>({true, true, false, true, true, true}));
}

void TestRecordPages::countRefreshesAfterPostOnly() {
    DataFixture fixture;
    for (int i = 0; i < 5; ++i)
        fixture.addItem(QStringLiteral("Item %1").arg(i));
    app::TForm1 form(fixture.directory());
    ModalAnswerer boxes;
    QLineEdit *count = named<QLineEdit>(form, "Edit1");
    QCOMPARE(count->text(), QString()); // nothing fills it until the page is entered
    pageControl(form)->setCurrentPage(Page::Household);
    QCOMPARE(count->text(), QStringLiteral("5"));

    DBNavigator *nav = named<widgets::DBNavigator>(form, "DBNavigator1");
    nav->clickButton(DBNavigator::nbInsert);
    named<data::TableObject>(form, "ADOTable1")
        ->fieldByName(QStringLiteral("Item Name"))
        ->setAsString(QStringLiteral("New"));
    QCOMPARE(count->text(), QStringLiteral("5"));
    nav->clickButton(DBNavigator::nbPost);
    QCOMPARE(count->text(), QStringLiteral("6"));

    count->setText(QStringLiteral("typed"));
    nav->clickButton(DBNavigator::nbDelete); // answered OK
    QCOMPARE(boxes.lastText(), QStringLiteral("Delete record?"));
    QCOMPARE(boxes.boxes().last().title, QStringLiteral("Confirm"));
    QCOMPARE(named<data::TableObject>(form, "ADOTable1")->recordCount(), 5);
    QCOMPARE(count->text(), QStringLiteral("typed"));
    nav->clickButton(DBNavigator::nbRefresh);
    QCOMPARE(count->text(), QStringLiteral("typed"));
}

void TestRecordPages::changedRecordIsPostedBeforeMoving() {
    DataFixture fixture;
    const qint64 first = fixture.addItem(QStringLiteral("Lamp"));
    fixture.addItem(QStringLiteral("Ladder"));
    app::TForm1 form(fixture.directory());
    pageControl(form)->setCurrentPage(Page::Household);
    form.show();
    widgets::DBEdit *room = named<widgets::DBEdit>(form, "DBEdit2");
    room->setFocus();
    QTest::keyClicks(room, QStringLiteral("Attic"));
    QCOMPARE(named<data::TableObject>(form, "ADOTable1")->state(), data::TableObject::State::Edit);
    named<widgets::DBNavigator>(form, "DBNavigator1")->clickButton(DBNavigator::nbNext);
    QCOMPARE(named<data::TableObject>(form, "ADOTable1")->state(),
             data::TableObject::State::Browse);
    QCOMPARE(fixture
                 .scalar(QStringLiteral("SELECT \"Room ID\" FROM \"Household Inventory\" "
                                        "WHERE \"Household ID\" = ?"),
                         {first})
                 .toString(),
             QStringLiteral("Attic"));
    QCOMPARE(room->text(), QString());
}

void TestRecordPages::cancelledDeleteKeepsRecord() {
    DataFixture fixture;
    fixture.addItem(QStringLiteral("Lamp"));
    app::TForm1 form(fixture.directory());
    pageControl(form)->setCurrentPage(Page::Household);
    int handled = -1;
    connect(named<widgets::DBNavigator>(form, "DBNavigator1"), &DBNavigator::click, this,
            [&](DBNavigator::Button b) { handled = b; });
    ModalAnswerer boxes;
    boxes.queue(QMessageBox::Cancel);
    named<widgets::DBNavigator>(form, "DBNavigator1")->clickButton(DBNavigator::nbDelete);
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Delete record?")});
    QCOMPARE(named<data::TableObject>(form, "ADOTable1")->recordCount(), 1);
    QCOMPARE(handled, int(DBNavigator::nbDelete));
    QCOMPARE(fixture.scalar(QStringLiteral("SELECT COUNT(*) FROM \"Household Inventory\"")),
             QVariant(qlonglong(1)));
}

void TestRecordPages::pictureFollowsNavigatorNotGrid() {
    DataFixture fixture;
    fixture.addItem(QStringLiteral("With picture"), jpegOf({300, 100}, Qt::red));
    fixture.addItem(QStringLiteral("Without"));
    fixture.addItem(QStringLiteral("Another picture"), jpegOf({20, 30}, Qt::blue));
    app::TForm1 form(fixture.directory());
    pageControl(form)->setCurrentPage(Page::Household);
    form.IsImage();
    records::HouseholdPage *page = named<records::HouseholdPage>(form, "Household");
    QVERIFY(page->NoPicture1->isHidden());
    QCOMPARE(page->ADOImage1->picture().size(), QSize(300, 100));
    QCOMPARE(named<widgets::PictureView>(form, "ADOImage2")->picture().size(), QSize(300, 100));
    QCOMPARE(widgets::PictureView::pictureOrigin(page->ADOImage1->size(), QSize(300, 100)),
             QPoint(-65, 46));

    page->DBNavigator1->clickButton(DBNavigator::nbNext);
    QVERIFY(!page->NoPicture1->isHidden());
    // The images keep the last picture.
    QCOMPARE(page->ADOImage1->picture().size(), QSize(300, 100));

    // A move through the grid refreshes nothing.
    page->DBGrid1->setCurrentIndex(page->DBGrid1->model()->index(2, 1));
    QCOMPARE(named<data::TableObject>(form, "ADOTable1")->currentIndex(), 2);
    QVERIFY(!page->NoPicture1->isHidden());

    page->DBNavigator1->clickButton(DBNavigator::nbFirst);
    QVERIFY(page->NoPicture1->isHidden());
    page->DBNavigator1->clickButton(DBNavigator::nbLast);
    QCOMPARE(page->ADOImage1->picture().size(), QSize(20, 30));
}

void TestRecordPages::blobWithoutMarkerReportsStreamReadError() {
    DataFixture fixture;
    fixture.addItem(QStringLiteral("Good"), jpegOf({40, 40}, Qt::green));
    fixture.addItem(QStringLiteral("Bitmap"), QByteArray("BM\x10\x00 not a jpeg", 15));
    fixture.addItem(QStringLiteral("Damaged"), QByteArray("\xFF\xD8\xFF\x00garbage", 12));
    app::TForm1 form(fixture.directory());
    pageControl(form)->setCurrentPage(Page::Household);
    form.IsImage();
    ModalAnswerer boxes;
    records::HouseholdPage *page = named<records::HouseholdPage>(form, "Household");
    page->DBNavigator1->clickButton(DBNavigator::nbNext);
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Stream read error.")});
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Critical);
    QVERIFY(page->NoPicture1->isHidden());
    QCOMPARE(page->ADOImage1->picture().size(), QSize(40, 40));
    QCOMPARE(named<data::TableObject>(form, "ADOTable1")->currentIndex(),
             1); // the move itself stays done

    boxes.clear();
    page->DBNavigator1->clickButton(DBNavigator::nbNext);
    QCOMPARE(boxes.texts().size(), 1);
    QVERIFY2(boxes.lastText().startsWith(QStringLiteral("JPEG error #")),
             qPrintable(boxes.lastText()));
    QCOMPARE(page->ADOImage1->picture().size(), QSize(40, 40));
}

void TestRecordPages::routinesDoNothingOnPagesWithoutTable() {
    DataFixture fixture;
    fixture.addItem(QStringLiteral("Without"));
    app::TForm1 form(fixture.directory());
    pageControl(form)->setCurrentPage(Page::Household);
    form.IsImage();
    QVERIFY(!named<QLabel>(form, "NoPicture1")->isHidden());
    for (Page page : {Page::Diary, Page::Utilities, Page::Help}) {
        pageControl(form)->setCurrentPage(page);
        named<QLineEdit>(form, "Edit1")->setText(QStringLiteral("kept"));
        form.NumberOfRecords();
        form.IsImage();
        QCOMPARE(named<QLineEdit>(form, "Edit1")->text(), QStringLiteral("kept"));
        QVERIFY(named<QLabel>(form, "NoPicture1")->isHidden()); // only hidden, never shown
    }
}

void TestRecordPages::jpegStartOffsets_data() {
    QTest::addColumn<QByteArray>("blob");
    QTest::addColumn<int>("offset");
    const QByteArray jpeg = jpegOf({8, 8}, Qt::white);
    QTest::newRow("plain file") << jpeg << 0;
    QTest::newRow("78 bytes of header") << QByteArray(78, 'x') + jpeg << 78;
    QTest::newRow("run of FF") << QByteArray("\xFF\xFF\xD8", 3) << 1;
    QTest::newRow("FF 00 FF D8") << QByteArray("\xFF\x00\xFF\xD8", 4) << 2;
    QTest::newRow("only FF last") << QByteArray("abc\xFF", 4) << -1;
    QTest::newRow("one byte") << QByteArray("\xFF", 1) << -1;
    QTest::newRow("empty") << QByteArray() << -1;
}

void TestRecordPages::jpegStartOffsets() {
    QFETCH(QByteArray, blob);
    QFETCH(int, offset);
    DataFixture fixture;
    fixture.addItem(QStringLiteral("x"), blob);
    app::TForm1 form(fixture.directory());
    QCOMPARE(
        records::RecordRoutines::JpegStartsInBlob(
            named<data::TableObject>(form, "ADOTable1")->fieldByName(QStringLiteral("Photograph"))),
        offset);
}

QTEST_MAIN(TestRecordPages)
#include "tst_recordpages.moc"

#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/TableObject.h"
#include "records/EnlargedView.h"
#include "records/HouseholdPage.h"
#include "records/NameSearch.h"
#include "records/PeoplePage.h"
#include "tests/data/DataFixture.h"
#include "tests/platform/imaging/ImagingFixtures.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBNavigator.h"
#include "widgets/PageControl.h"
#include "widgets/PictureView.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using widgets::Page;

using widgets::DBNavigator;

namespace {

QByteArray jpegOf(QSize size, quint32 seed = 1) {
    return fixtures::encodeJpeg(fixtures::photoLike(size.width(), size.height(), seed)
                                    .convertToFormat(QImage::Format_RGB888));
}

// The items: Lamp (300 x 200), Ladder (no picture), Kettle (50 x 40).
const QSize kLamp(300, 200);
const QSize kKettle(50, 40);

} // namespace

class TestEnlargedView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void partsLieOnTheWindowAndStartHidden();
    void openAndGoBack_data();
    void openAndGoBack();
    void emptyBlobReportsErrorWithViewOpen_data();
    void emptyBlobReportsErrorWithViewOpen();
    void viewNavigatorKeepsLargePictureForRecordWithout();
    void lastThenGoBackShowsLastRecordEverywhere();
    void zoomOutIsGoBack();
    void zoomInWhileOpenReloadsLargePictureOnly();
    void zoomInOnOtherPages();
    void privatePictureStaysCoveredBehindThePassword();
    void searchWhileOpenShowsLargePicture();

private:
    void openForm(Page page);
    QList<QWidget *> viewParts() const;
    QList<bool> hiddenStates() const;

    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<app::TForm1> m_form;
    qint64 m_lamp = 0, m_ladder = 0, m_kettle = 0;
};

void TestEnlargedView::init() {
    m_fixture = std::make_unique<DataFixture>();
    m_lamp = m_fixture->addItem(QStringLiteral("Lamp"), jpegOf(kLamp, 1));
    m_ladder = m_fixture->addItem(QStringLiteral("Ladder"));
    m_kettle = m_fixture->addItem(QStringLiteral("Kettle"), jpegOf(kKettle, 2));
    m_fixture->exec(QStringLiteral("INSERT INTO \"People\" (\"First Name\", \"Photograph\") "
                                   "VALUES ('Ann', ?)"),
                    {jpegOf({120, 90}, 3)});
    m_fixture->exec(QStringLiteral("INSERT INTO \"People\" (\"First Name\") VALUES ('Bob')"));
}

void TestEnlargedView::cleanup() {
    m_form.reset();
    m_fixture.reset();
    app::lifetime::reset();
}

void TestEnlargedView::openForm(Page page) {
    m_form = std::make_unique<app::TForm1>(m_fixture->directory());
    named<QTimer>(*m_form, "Timer1")->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    pageControl(*m_form)->setCurrentPage(page);
}

QList<QWidget *> TestEnlargedView::viewParts() const {
    return {named<widgets::PictureView>(*m_form, "ADOImage2"),
            named<widgets::PictureView>(*m_form, "PeopleImage2"),
            named<widgets::PictureView>(*m_form, "PrivacyImage2"),
            named<widgets::DBNavigator>(*m_form, "DBNavigator2"),
            named<widgets::DBNavigator>(*m_form, "DBNavigator4"),
            named<widgets::DBNavigator>(*m_form, "DBNavigator7"),
            named<widgets::DBEdit>(*m_form, "DBEdit12"),
            named<widgets::DBEdit>(*m_form, "DBEdit26"),
            named<widgets::DBEdit>(*m_form, "DBEdit41"),
            named<QPushButton>(*m_form, "GoBack")};
}

QList<bool> TestEnlargedView::hiddenStates() const {
    QList<bool> states;
    for (QWidget *part : viewParts())
        states << part->isHidden();
    states << pageControl(*m_form)->isHidden();
    return states;
}

void TestEnlargedView::partsLieOnTheWindowAndStartHidden() {
    openForm(Page::Household);
    QWidget *client = m_form->centralWidget();
    for (QWidget *part : viewParts()) {
        QCOMPARE(part->parentWidget(), client);
        QVERIFY2(part->isHidden(), qPrintable(part->objectName()));
    }
    // Each view navigator moves its page's table with four buttons only.
    const QList<QPair<DBNavigator *, data::DataSource *>> navigators = {
        {named<widgets::DBNavigator>(*m_form, "DBNavigator2"),
         named<data::DataSource>(*m_form, "DataSource1")},
        {named<widgets::DBNavigator>(*m_form, "DBNavigator4"),
         named<data::DataSource>(*m_form, "DataSource2")},
        {named<widgets::DBNavigator>(*m_form, "DBNavigator7"),
         named<data::DataSource>(*m_form, "DataSource4")}};
    for (const auto &[navigator, source] : navigators) {
        QCOMPARE(navigator->dataSource(), source);
        for (int b = 0; b < DBNavigator::ButtonCount; ++b)
            QCOMPARE(navigator->button(DBNavigator::Button(b))->isHidden(),
                     b > DBNavigator::nbLast);
    }
    QCOMPARE(named<widgets::DBNavigator>(*m_form, "DBNavigator2")
                 ->button(DBNavigator::nbNext)
                 ->toolTip(),
             QString());
    QCOMPARE(named<widgets::DBNavigator>(*m_form, "DBNavigator7")
                 ->button(DBNavigator::nbNext)
                 ->toolTip(),
             QStringLiteral("Next record"));
}

void TestEnlargedView::openAndGoBack_data() {
    QTest::addColumn<Page>("page");
    QTest::addColumn<bool>("byClick");
    QTest::newRow("Household Items, click") << Page::Household << true;
    QTest::newRow("Household Items, ToolZoomIn") << Page::Household << false;
    QTest::newRow("People, click") << Page::People << true;
    QTest::newRow("People, ToolZoomIn") << Page::People << false;
}

void TestEnlargedView::openAndGoBack() {
    QFETCH(Page, page);
    QFETCH(bool, byClick);
    openForm(page);
    ModalAnswerer boxes;
    widgets::PictureView *small = page == Page::Household
                                      ? named<widgets::PictureView>(*m_form, "ADOImage1")
                                      : named<widgets::PictureView>(*m_form, "PeopleImage1");
    widgets::PictureView *large = page == Page::Household
                                      ? named<widgets::PictureView>(*m_form, "ADOImage2")
                                      : named<widgets::PictureView>(*m_form, "PeopleImage2");
    DBNavigator *navigator = page == Page::Household
                                 ? named<widgets::DBNavigator>(*m_form, "DBNavigator2")
                                 : named<widgets::DBNavigator>(*m_form, "DBNavigator4");
    widgets::DBEdit *key = page == Page::Household ? named<widgets::DBEdit>(*m_form, "DBEdit12")
                                                   : named<widgets::DBEdit>(*m_form, "DBEdit26");
    const QSize expected = page == Page::Household ? kLamp : QSize(120, 90);
    const QList<bool> before = hiddenStates();
    const int row = (page == Page::Household ? named<data::TableObject>(*m_form, "ADOTable1")
                                             : named<data::TableObject>(*m_form, "ADOTable2"))
                        ->currentIndex();

    if (byClick)
        QTest::mouseClick(small, Qt::LeftButton, {}, QPoint(20, 20));
    else
        named<QToolButton>(*m_form, "ToolZoomIn")->click();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(m_form->findChild<records::EnlargedView *>()->isOpen(), true);
    QVERIFY(pageControl(*m_form)->isHidden());
    QCOMPARE(pageControl(*m_form)->currentPage(), page);
    for (QWidget *part : viewParts()) {
        const bool shown = part == large || part == navigator || part == key ||
                           part == named<QPushButton>(*m_form, "GoBack");
        QCOMPARE(part->isVisible(), shown);
    }
    QCOMPARE(large->picture().size(), expected);
    QCOMPARE(key->text(), QStringLiteral("1"));
    // The toolbar stays in front of the large picture.
    QWidget *client = m_form->centralWidget();
    QCOMPARE(client->childAt(QPoint(400, 12)), named<QWidget>(*m_form, "ToolBar1"));

    QTest::mouseClick(named<QPushButton>(*m_form, "GoBack"), Qt::LeftButton);
    QCOMPARE(hiddenStates(), before);
    QCOMPARE(pageControl(*m_form)->currentPage(), page);
    QCOMPARE((page == Page::Household ? named<data::TableObject>(*m_form, "ADOTable1")
                                      : named<data::TableObject>(*m_form, "ADOTable2"))
                 ->currentIndex(),
             row);
    QCOMPARE(small->picture().size(), expected);
}

void TestEnlargedView::emptyBlobReportsErrorWithViewOpen_data() {
    QTest::addColumn<bool>("throughGrid");
    QTest::newRow("ToolZoomIn after a navigator move") << false;
    QTest::newRow("click on the older picture after a grid move") << true;
}

void TestEnlargedView::emptyBlobReportsErrorWithViewOpen() {
    QFETCH(bool, throughGrid);
    openForm(Page::Household);
    records::HouseholdPage *page = named<records::HouseholdPage>(*m_form, "Household");
    if (throughGrid)
        page->DBGrid1->setCurrentIndex(page->DBGrid1->model()->index(1, 1));
    else
        page->DBNavigator1->clickButton(DBNavigator::nbNext);
    QCOMPARE(page->NoPicture1->isHidden(), throughGrid);
    ModalAnswerer boxes;
    if (throughGrid)
        QTest::mouseClick(page->ADOImage1, Qt::LeftButton, {}, QPoint(30, 30));
    else
        named<QToolButton>(*m_form, "ToolZoomIn")->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Stream read error.")});
    QVERIFY(m_form->findChild<records::EnlargedView *>()->isOpen());
    QVERIFY(named<widgets::PictureView>(*m_form, "ADOImage2")->isVisible());
    QVERIFY(named<widgets::DBNavigator>(*m_form, "DBNavigator2")->isVisible());
    QCOMPARE(named<widgets::DBEdit>(*m_form, "DBEdit12")->text(), QString::number(m_ladder));
    QCOMPARE(named<widgets::PictureView>(*m_form, "ADOImage2")->picture().size(),
             kLamp); // the old picture stays
    named<QPushButton>(*m_form, "GoBack")->click();
    QVERIFY(!m_form->findChild<records::EnlargedView *>()->isOpen());
    QVERIFY(pageControl(*m_form)->isVisible());
    QVERIFY(named<widgets::PictureView>(*m_form, "ADOImage2")->isHidden());
}

void TestEnlargedView::viewNavigatorKeepsLargePictureForRecordWithout() {
    openForm(Page::Household);
    records::HouseholdPage *page = named<records::HouseholdPage>(*m_form, "Household");
    named<QToolButton>(*m_form, "ToolZoomIn")->click();
    ModalAnswerer boxes;
    named<widgets::DBNavigator>(*m_form, "DBNavigator2")->clickButton(DBNavigator::nbNext);
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(named<widgets::DBEdit>(*m_form, "DBEdit12")->text(), QString::number(m_ladder));
    QCOMPARE(named<widgets::PictureView>(*m_form, "ADOImage2")->picture().size(), kLamp);
    QVERIFY(!page->NoPicture1->isHidden()); // on the hidden page
    named<QPushButton>(*m_form, "GoBack")->click();
    QVERIFY(page->NoPicture1->isVisible());
    QCOMPARE(page->DBEdit3->text(), QStringLiteral("Ladder"));

    // Back into the view and on to Kettle: both images follow.
    named<QToolButton>(*m_form, "ToolZoomIn")->click();
    boxes.clear(); // the reopening on Ladder reported its empty blob
    named<widgets::DBNavigator>(*m_form, "DBNavigator2")->clickButton(DBNavigator::nbNext);
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(named<widgets::PictureView>(*m_form, "ADOImage2")->picture().size(), kKettle);
    QCOMPARE(page->ADOImage1->picture().size(), kKettle);
    QVERIFY(page->NoPicture1->isHidden());
}

void TestEnlargedView::lastThenGoBackShowsLastRecordEverywhere() {
    openForm(Page::Household);
    records::HouseholdPage *page = named<records::HouseholdPage>(*m_form, "Household");
    QTest::mouseClick(page->ADOImage1, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(named<widgets::DBNavigator>(*m_form, "DBNavigator2")
                ->button(DBNavigator::nbLast)
                ->isEnabled());
    named<widgets::DBNavigator>(*m_form, "DBNavigator2")->clickButton(DBNavigator::nbLast);
    QCOMPARE(named<widgets::DBEdit>(*m_form, "DBEdit12")->text(), QString::number(m_kettle));
    QCOMPARE(named<widgets::PictureView>(*m_form, "ADOImage2")->picture().size(), kKettle);
    QVERIFY(!named<widgets::DBNavigator>(*m_form, "DBNavigator2")
                 ->button(DBNavigator::nbLast)
                 ->isEnabled());
    named<QPushButton>(*m_form, "GoBack")->click();

    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->currentIndex(), 2);
    QCOMPARE(page->DBGrid1->currentIndex().row(), 2);
    QCOMPARE(page->DBEdit3->text(), QStringLiteral("Kettle"));
    QCOMPARE(page->DBEdit1->text(), QString::number(m_kettle));
    QCOMPARE(page->ADOImage1->picture().size(), kKettle);
    QVERIFY(page->NoPicture1->isHidden());
    QVERIFY(!page->DBNavigator1->button(DBNavigator::nbNext)->isEnabled());
    QVERIFY(page->DBNavigator1->button(DBNavigator::nbPrior)->isEnabled());
}

void TestEnlargedView::zoomOutIsGoBack() {
    openForm(Page::People);
    const QList<bool> pagesShown = hiddenStates();
    // Pressed while the pages are shown it changes nothing visible.
    named<QToolButton>(*m_form, "ToolZoomOut")->click();
    QCOMPARE(hiddenStates(), pagesShown);

    named<QToolButton>(*m_form, "ToolZoomIn")->click();
    QVERIFY(named<widgets::PictureView>(*m_form, "PeopleImage2")->isVisible());
    named<QToolButton>(*m_form, "ToolZoomOut")->click();
    QCOMPARE(hiddenStates(), pagesShown);
    QCOMPARE(pageControl(*m_form)->currentPage(), Page::People);
}

void TestEnlargedView::zoomInWhileOpenReloadsLargePictureOnly() {
    openForm(Page::People);
    named<QToolButton>(*m_form, "ToolZoomIn")->click();
    QCOMPARE(named<widgets::PictureView>(*m_form, "PeopleImage2")->picture().size(),
             QSize(120, 90));
    // Another program changes Ann's picture; zooming in again reads it anew.
    m_fixture->exec(QStringLiteral("UPDATE \"People\" SET \"Photograph\" = ? WHERE "
                                   "\"First Name\" = 'Ann'"),
                    {jpegOf({70, 60}, 4)});
    ModalAnswerer boxes;
    named<QToolButton>(*m_form, "ToolZoomIn")->click();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(named<widgets::PictureView>(*m_form, "PeopleImage2")->picture().size(), QSize(70, 60));
    QCOMPARE(named<widgets::PictureView>(*m_form, "PeopleImage1")->picture().size(),
             QSize(120, 90));
    QVERIFY(named<widgets::PictureView>(*m_form, "ADOImage2")->isHidden());
    QVERIFY(named<widgets::PictureView>(*m_form, "PrivacyImage2")->isHidden());
    QVERIFY(named<widgets::DBNavigator>(*m_form, "DBNavigator2")->isHidden());
    QVERIFY(named<widgets::DBEdit>(*m_form, "DBEdit12")->isHidden());
}

void TestEnlargedView::zoomInOnOtherPages() {
    openForm(Page::Help);
    const QList<bool> shown = hiddenStates();
    for (Page page : {Page::Diary, Page::Utilities, Page::Help}) {
        pageControl(*m_form)->setCurrentPage(page);
        m_form->findChild<records::EnlargedView *>()->ToolZoomInClick();
        QCOMPARE(hiddenStates(), shown);
    }
}

void TestEnlargedView::privatePictureStaysCoveredBehindThePassword() {
    m_fixture->exec(QStringLiteral("INSERT INTO \"Privacy\" (\"Account Name\", \"Photograph\") "
                                   "VALUES ('Vault', ?)"),
                    {jpegOf({50, 40}, 4)});
    openForm(Page::Privacy);
    QVERIFY(!named<QGroupBox>(*m_form, "Password")->isHidden());
    QVERIFY(named<QToolButton>(*m_form, "ToolZoomIn")->isEnabled());
    const QList<bool> covered = hiddenStates();
    named<QToolButton>(*m_form, "ToolZoomIn")->click();
    QCOMPARE(hiddenStates(), covered);
    QVERIFY(named<widgets::PictureView>(*m_form, "PrivacyImage2")->isHidden());
    QVERIFY(named<widgets::DBNavigator>(*m_form, "DBNavigator7")->isHidden());
}

void TestEnlargedView::searchWhileOpenShowsLargePicture() {
    openForm(Page::Household);
    named<QToolButton>(*m_form, "ToolZoomIn")->click();
    ModalAnswerer boxes;
    named<QToolButton>(*m_form, "ToolSearch")->click();
    QVERIFY(named<QGroupBox>(*m_form, "Searching")->isVisible());
    named<QLineEdit>(*m_form, "ItemName")->setText(QStringLiteral("kett"));
    named<QPushButton>(*m_form, "btnOK")->click();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(named<widgets::DBEdit>(*m_form, "DBEdit12")->text(), QString::number(m_kettle));
    QCOMPARE(named<widgets::PictureView>(*m_form, "ADOImage2")->picture().size(), kKettle);
    QCOMPARE(named<widgets::PictureView>(*m_form, "ADOImage1")->picture().size(), kKettle);
    QVERIFY(m_form->findChild<records::EnlargedView *>()->isOpen());
    // The box lies in front of the large picture.
    QWidget *atBox = m_form->centralWidget()->childAt(QPoint(300, 190));
    QVERIFY(atBox == named<QGroupBox>(*m_form, "Searching") ||
            named<QGroupBox>(*m_form, "Searching")->isAncestorOf(atBox));
}

QTEST_MAIN(TestEnlargedView)
#include "tst_enlargedview.moc"

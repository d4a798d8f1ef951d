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
    void openForm(int page);
    QList<QWidget *> viewParts() const;
    QList<bool> hiddenStates() const;

    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<TForm1> m_form;
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
    lifetime::reset();
}

void TestEnlargedView::openForm(int page) {
    m_form = std::make_unique<TForm1>(m_fixture->directory());
    m_form->Timer1->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->PageControl1->setCurrentIndex(page);
}

QList<QWidget *> TestEnlargedView::viewParts() const {
    return {m_form->ADOImage2,    m_form->PeopleImage2, m_form->PrivacyImage2, m_form->DBNavigator2,
            m_form->DBNavigator4, m_form->DBNavigator7, m_form->DBEdit12,      m_form->DBEdit26,
            m_form->DBEdit41,     m_form->GoBack};
}

QList<bool> TestEnlargedView::hiddenStates() const {
    QList<bool> states;
    for (QWidget *part : viewParts())
        states << part->isHidden();
    states << m_form->PageControl1->isHidden();
    return states;
}

void TestEnlargedView::partsLieOnTheWindowAndStartHidden() {
    openForm(0);
    QWidget *client = m_form->centralWidget();
    for (QWidget *part : viewParts()) {
        QCOMPARE(part->parentWidget(), client);
        QVERIFY2(part->isHidden(), qPrintable(part->objectName()));
    }
    // Each view navigator moves its page's table with four buttons only.
    const QList<QPair<DBNavigator *, data::DataSource *>> navigators = {
        {m_form->DBNavigator2, m_form->DataSource1},
        {m_form->DBNavigator4, m_form->DataSource2},
        {m_form->DBNavigator7, m_form->DataSource4}};
    for (const auto &[navigator, source] : navigators) {
        QCOMPARE(navigator->dataSource(), source);
        for (int b = 0; b < DBNavigator::ButtonCount; ++b)
            QCOMPARE(navigator->button(DBNavigator::Button(b))->isHidden(),
                     b > DBNavigator::nbLast);
    }
    QCOMPARE(m_form->DBNavigator2->button(DBNavigator::nbNext)->toolTip(), QString());
    QCOMPARE(m_form->DBNavigator7->button(DBNavigator::nbNext)->toolTip(),
             QStringLiteral("Next record"));
}

void TestEnlargedView::openAndGoBack_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("byClick");
    QTest::newRow("Household Items, click") << 0 << true;
    QTest::newRow("Household Items, ToolZoomIn") << 0 << false;
    QTest::newRow("People, click") << 1 << true;
    QTest::newRow("People, ToolZoomIn") << 1 << false;
}

void TestEnlargedView::openAndGoBack() {
    QFETCH(int, page);
    QFETCH(bool, byClick);
    openForm(page);
    ModalAnswerer boxes;
    widgets::PictureView *small =
        page == 0 ? m_form->Household->ADOImage1 : m_form->People->PeopleImage1;
    widgets::PictureView *large = page == 0 ? m_form->ADOImage2 : m_form->PeopleImage2;
    DBNavigator *navigator = page == 0 ? m_form->DBNavigator2 : m_form->DBNavigator4;
    widgets::DBEdit *key = page == 0 ? m_form->DBEdit12 : m_form->DBEdit26;
    const QSize expected = page == 0 ? kLamp : QSize(120, 90);
    const QList<bool> before = hiddenStates();
    const int row = (page == 0 ? m_form->ADOTable1 : m_form->ADOTable2)->currentIndex();

    if (byClick)
        QTest::mouseClick(small, Qt::LeftButton, {}, QPoint(20, 20));
    else
        m_form->ToolZoomIn->click();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(m_form->enlargedView()->isOpen(), true);
    QVERIFY(m_form->PageControl1->isHidden());
    QCOMPARE(m_form->pageIndex(), page);
    for (QWidget *part : viewParts()) {
        const bool shown =
            part == large || part == navigator || part == key || part == m_form->GoBack;
        QCOMPARE(part->isVisible(), shown);
    }
    QCOMPARE(large->picture().size(), expected);
    QCOMPARE(key->text(), QStringLiteral("1"));
    // The toolbar stays in front of the large picture.
    QWidget *client = m_form->centralWidget();
    QCOMPARE(client->childAt(QPoint(400, 12)), m_form->ToolBar1);

    QTest::mouseClick(m_form->GoBack, Qt::LeftButton);
    QCOMPARE(hiddenStates(), before);
    QCOMPARE(m_form->pageIndex(), page);
    QCOMPARE((page == 0 ? m_form->ADOTable1 : m_form->ADOTable2)->currentIndex(), row);
    QCOMPARE(small->picture().size(), expected);
}

void TestEnlargedView::emptyBlobReportsErrorWithViewOpen_data() {
    QTest::addColumn<bool>("throughGrid");
    QTest::newRow("ToolZoomIn after a navigator move") << false;
    QTest::newRow("click on the older picture after a grid move") << true;
}

void TestEnlargedView::emptyBlobReportsErrorWithViewOpen() {
    QFETCH(bool, throughGrid);
    openForm(0);
    records::HouseholdPage *page = m_form->Household;
    if (throughGrid)
        page->DBGrid1->setCurrentIndex(page->DBGrid1->model()->index(1, 1));
    else
        page->DBNavigator1->clickButton(DBNavigator::nbNext);
    QCOMPARE(page->NoPicture1->isHidden(), throughGrid);
    ModalAnswerer boxes;
    if (throughGrid)
        QTest::mouseClick(page->ADOImage1, Qt::LeftButton, {}, QPoint(30, 30));
    else
        m_form->ToolZoomIn->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Stream read error.")});
    QVERIFY(m_form->enlargedView()->isOpen());
    QVERIFY(m_form->ADOImage2->isVisible());
    QVERIFY(m_form->DBNavigator2->isVisible());
    QCOMPARE(m_form->DBEdit12->text(), QString::number(m_ladder));
    QCOMPARE(m_form->ADOImage2->picture().size(), kLamp); // the old picture stays
    m_form->GoBack->click();
    QVERIFY(!m_form->enlargedView()->isOpen());
    QVERIFY(m_form->PageControl1->isVisible());
    QVERIFY(m_form->ADOImage2->isHidden());
}

void TestEnlargedView::viewNavigatorKeepsLargePictureForRecordWithout() {
    openForm(0);
    records::HouseholdPage *page = m_form->Household;
    m_form->ToolZoomIn->click();
    ModalAnswerer boxes;
    m_form->DBNavigator2->clickButton(DBNavigator::nbNext);
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(m_form->DBEdit12->text(), QString::number(m_ladder));
    QCOMPARE(m_form->ADOImage2->picture().size(), kLamp);
    QVERIFY(!page->NoPicture1->isHidden()); // on the hidden page
    m_form->GoBack->click();
    QVERIFY(page->NoPicture1->isVisible());
    QCOMPARE(page->DBEdit3->text(), QStringLiteral("Ladder"));

    // Back into the view and on to Kettle: both images follow.
    m_form->ToolZoomIn->click();
    boxes.clear(); // the reopening on Ladder reported its empty blob
    m_form->DBNavigator2->clickButton(DBNavigator::nbNext);
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(m_form->ADOImage2->picture().size(), kKettle);
    QCOMPARE(page->ADOImage1->picture().size(), kKettle);
    QVERIFY(page->NoPicture1->isHidden());
}

void TestEnlargedView::lastThenGoBackShowsLastRecordEverywhere() {
    openForm(0);
    records::HouseholdPage *page = m_form->Household;
    QTest::mouseClick(page->ADOImage1, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(m_form->DBNavigator2->button(DBNavigator::nbLast)->isEnabled());
    m_form->DBNavigator2->clickButton(DBNavigator::nbLast);
    QCOMPARE(m_form->DBEdit12->text(), QString::number(m_kettle));
    QCOMPARE(m_form->ADOImage2->picture().size(), kKettle);
    QVERIFY(!m_form->DBNavigator2->button(DBNavigator::nbLast)->isEnabled());
    m_form->GoBack->click();

    QCOMPARE(m_form->ADOTable1->currentIndex(), 2);
    QCOMPARE(page->DBGrid1->currentIndex().row(), 2);
    QCOMPARE(page->DBEdit3->text(), QStringLiteral("Kettle"));
    QCOMPARE(page->DBEdit1->text(), QString::number(m_kettle));
    QCOMPARE(page->ADOImage1->picture().size(), kKettle);
    QVERIFY(page->NoPicture1->isHidden());
    QVERIFY(!page->DBNavigator1->button(DBNavigator::nbNext)->isEnabled());
    QVERIFY(page->DBNavigator1->button(DBNavigator::nbPrior)->isEnabled());
}

void TestEnlargedView::zoomOutIsGoBack() {
    openForm(1);
    const QList<bool> pagesShown = hiddenStates();
    // Pressed while the pages are shown it changes nothing visible.
    m_form->ToolZoomOut->click();
    QCOMPARE(hiddenStates(), pagesShown);

    m_form->ToolZoomIn->click();
    QVERIFY(m_form->PeopleImage2->isVisible());
    m_form->ToolZoomOut->click();
    QCOMPARE(hiddenStates(), pagesShown);
    QCOMPARE(m_form->pageIndex(), 1);
}

void TestEnlargedView::zoomInWhileOpenReloadsLargePictureOnly() {
    openForm(1);
    m_form->ToolZoomIn->click();
    QCOMPARE(m_form->PeopleImage2->picture().size(), QSize(120, 90));
    // Another program changes Ann's picture; zooming in again reads it anew.
    m_fixture->exec(QStringLiteral("UPDATE \"People\" SET \"Photograph\" = ? WHERE "
                                   "\"First Name\" = 'Ann'"),
                    {jpegOf({70, 60}, 4)});
    ModalAnswerer boxes;
    m_form->ToolZoomIn->click();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(m_form->PeopleImage2->picture().size(), QSize(70, 60));
    QCOMPARE(m_form->People->PeopleImage1->picture().size(), QSize(120, 90));
    QVERIFY(m_form->ADOImage2->isHidden());
    QVERIFY(m_form->PrivacyImage2->isHidden());
    QVERIFY(m_form->DBNavigator2->isHidden());
    QVERIFY(m_form->DBEdit12->isHidden());
}

void TestEnlargedView::zoomInOnOtherPages() {
    openForm(5);
    const QList<bool> shown = hiddenStates();
    for (int page : {2, 4, 5}) {
        m_form->PageControl1->setCurrentIndex(page);
        m_form->enlargedView()->ToolZoomInClick();
        QCOMPARE(hiddenStates(), shown);
    }
}

void TestEnlargedView::privatePictureStaysCoveredBehindThePassword() {
    m_fixture->exec(QStringLiteral("INSERT INTO \"Privacy\" (\"Account Name\", \"Photograph\") "
                                   "VALUES ('Vault', ?)"),
                    {jpegOf({50, 40}, 4)});
    openForm(3);
    QVERIFY(!m_form->Password->isHidden());
    QVERIFY(m_form->ToolZoomIn->isEnabled());
    const QList<bool> covered = hiddenStates();
    m_form->ToolZoomIn->click();
    QCOMPARE(hiddenStates(), covered);
    QVERIFY(m_form->PrivacyImage2->isHidden());
    QVERIFY(m_form->DBNavigator7->isHidden());
}

void TestEnlargedView::searchWhileOpenShowsLargePicture() {
    openForm(0);
    m_form->ToolZoomIn->click();
    ModalAnswerer boxes;
    m_form->ToolSearch->click();
    QVERIFY(m_form->Searching->isVisible());
    m_form->nameSearch()->ItemName->setText(QStringLiteral("kett"));
    m_form->nameSearch()->btnOK->click();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(m_form->DBEdit12->text(), QString::number(m_kettle));
    QCOMPARE(m_form->ADOImage2->picture().size(), kKettle);
    QCOMPARE(m_form->Household->ADOImage1->picture().size(), kKettle);
    QVERIFY(m_form->enlargedView()->isOpen());
    // The box lies in front of the large picture.
    QWidget *atBox = m_form->centralWidget()->childAt(QPoint(300, 190));
    QVERIFY(atBox == m_form->Searching || m_form->Searching->isAncestorOf(atBox));
}

QTEST_MAIN(TestEnlargedView)
#include "tst_enlargedview.moc"

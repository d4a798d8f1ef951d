#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/TableObject.h"
#include "private/DiaryPage.h"
#include "private/PrivacyPage.h"
#include "records/HouseholdPage.h"
#include "records/PeoplePage.h"
#include "tests/data/DataFixture.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBMemo.h"
#include "widgets/DBRichEdit.h"
#include "widgets/PageControl.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using widgets::Page;

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void arrowsMoveTheFocusInsteadOfReachingControls();
    void enterMovesTheFocusOnRecordPages();
    void enterReachesTheRichTexts();
    void enterInThePasswordEntryByPage();
    void enterInAComboBoxPressesTheSearchBoxOK();

private:
    void openForm(Page page);
    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<app::TForm1> m_form;
};

void TestKeyboard::init() {
    m_fixture = std::make_unique<DataFixture>();
    m_fixture->addItem(QStringLiteral("Lamp"));
    m_fixture->addItem(QStringLiteral("Desk"));
    m_fixture->exec(
        QStringLiteral("INSERT INTO \"People\" (\"First Name\", \"Notes\") VALUES ('Ann', 'x')"));
}

void TestKeyboard::cleanup() {
    m_form.reset();
    m_fixture.reset();
    app::lifetime::reset();
}

void TestKeyboard::openForm(Page page) {
    m_form = std::make_unique<app::TForm1>(m_fixture->directory());
    named<QTimer>(*m_form, "Timer1")->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    pageControl(*m_form)->setCurrentPage(page);
}

void TestKeyboard::arrowsMoveTheFocusInsteadOfReachingControls() {
    openForm(Page::Household);
    records::HouseholdPage *page = named<records::HouseholdPage>(*m_form, "Household");
    QCOMPARE(m_form->focusWidget(), page->DBEdit2);
    QTest::keyClick(page->DBEdit2, Qt::Key_Down);
    QCOMPARE(m_form->focusWidget(), page->DBEdit3);
    QTest::keyClick(page->DBEdit3, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(m_form->focusWidget(), page->DBEdit2);

    // In the grid they do not move between rows.
    page->DBGrid1->setFocus();
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->currentIndex(), 0);
    QTest::keyClick(page->DBGrid1, Qt::Key_Down);
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->currentIndex(), 0);
    QVERIFY(m_form->focusWidget() != page->DBGrid1);
}

void TestKeyboard::enterMovesTheFocusOnRecordPages() {
    openForm(Page::People);
    records::PeoplePage *page = named<records::PeoplePage>(*m_form, "People");
    page->DBMemo1->setFocus();
    page->DBMemo1->moveCursor(QTextCursor::End);
    QTest::keyClick(page->DBMemo1, Qt::Key_Return);
    QCOMPARE(page->DBMemo1->toPlainText(), QStringLiteral("x")); // no new line
    QVERIFY(m_form->focusWidget() != page->DBMemo1);
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable2")->state(),
             data::TableObject::State::Browse);

    page->DBEdit14->setFocus();
    QTest::keyClick(page->DBEdit14, Qt::Key_Enter);
    QCOMPARE(m_form->focusWidget(), page->DBEdit15);
}

void TestKeyboard::enterReachesTheRichTexts() {
    openForm(Page::Diary);
    named<QPushButton>(*m_form, "OKpassword")->click();
    widgets::DBRichEdit *diary = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
    QCOMPARE(m_form->focusWidget(), diary);
    QTest::keyClick(diary, Qt::Key_Return);
    QCOMPARE(m_form->focusWidget(), diary);
    QCOMPARE(diary->document()->blockCount(), 2);
}

void TestKeyboard::enterInThePasswordEntryByPage() {
    openForm(Page::Privacy);
    QCOMPARE(m_form->focusWidget(), named<QLineEdit>(*m_form, "txtPassword"));
    QTest::keyClick(named<QLineEdit>(*m_form, "txtPassword"), Qt::Key_Return);
    QCOMPARE(m_form->focusWidget(), named<QPushButton>(*m_form, "OKpassword"));
    QVERIFY(named<privatepages::PrivacyPage>(*m_form, "Privacy")->isHidden());
    QTest::keyClick(named<QPushButton>(*m_form, "OKpassword"),
                    Qt::Key_Return); // the next Enter presses it
    QVERIFY(!named<privatepages::PrivacyPage>(*m_form, "Privacy")->isHidden());

    pageControl(*m_form)->setCurrentPage(Page::Diary);
    QTest::keyClick(named<QLineEdit>(*m_form, "txtPassword"), Qt::Key_Return);
    QCOMPARE(m_form->focusWidget(), named<QLineEdit>(*m_form, "txtPassword"));
    QVERIFY(named<privatepages::DiaryPage>(*m_form, "Diary")->isHidden());
}

// The entry of an editable combo box is a single-line field like any edit.
void TestKeyboard::enterInAComboBoxPressesTheSearchBoxOK() {
    m_fixture->exec(QStringLiteral("INSERT INTO \"People\" (\"First Name\") VALUES ('Bob')"));
    openForm(Page::People);
    auto *title = m_form->findChild<QComboBox *>(QStringLiteral("DBComboBox1"));
    auto *firstName = m_form->findChild<QLineEdit *>(QStringLiteral("DBEdit14"));
    QVERIFY(title && firstName);
    title->setFocus();
    QTest::keyClick(title, Qt::Key_Return);
    QCOMPARE(m_form->focusWidget(), firstName);

    m_form->findChild<QPushButton *>(QStringLiteral("LookUp"))->click();
    auto *info = m_form->findChild<QLineEdit *>(QStringLiteral("ItemName"));
    QCOMPARE(m_form->focusWidget(), info);
    QTest::keyClicks(info, QStringLiteral("bo"));
    title->setFocus();
    QTest::keyClick(title, Qt::Key_Return);
    QCOMPARE(firstName->text(), QStringLiteral("Bob"));
    QCOMPARE(m_form->focusWidget(), title);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"

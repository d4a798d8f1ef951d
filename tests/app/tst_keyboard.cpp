#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/TableObject.h"
#include "private/DiaryPage.h"
#include "private/PrivacyPage.h"
#include "records/HouseholdPage.h"
#include "records/PeoplePage.h"
#include "tests/data/DataFixture.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBMemo.h"
#include "widgets/DBRichEdit.h"
#include "widgets/PageControl.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

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
    void openForm(int page);
    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<TForm1> m_form;
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
    lifetime::reset();
}

void TestKeyboard::openForm(int page) {
    m_form = std::make_unique<TForm1>(m_fixture->directory());
    m_form->Timer1->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->PageControl1->setCurrentIndex(page);
}

void TestKeyboard::arrowsMoveTheFocusInsteadOfReachingControls() {
    openForm(0);
    records::HouseholdPage *page = m_form->Household;
    QCOMPARE(m_form->focusWidget(), page->DBEdit2);
    QTest::keyClick(page->DBEdit2, Qt::Key_Down);
    QCOMPARE(m_form->focusWidget(), page->DBEdit3);
    QTest::keyClick(page->DBEdit3, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(m_form->focusWidget(), page->DBEdit2);

    // In the grid they do not move between rows.
    page->DBGrid1->setFocus();
    QCOMPARE(m_form->ADOTable1->currentIndex(), 0);
    QTest::keyClick(page->DBGrid1, Qt::Key_Down);
    QCOMPARE(m_form->ADOTable1->currentIndex(), 0);
    QVERIFY(m_form->focusWidget() != page->DBGrid1);
}

void TestKeyboard::enterMovesTheFocusOnRecordPages() {
    openForm(1);
    records::PeoplePage *page = m_form->People;
    page->DBMemo1->setFocus();
    page->DBMemo1->moveCursor(QTextCursor::End);
    QTest::keyClick(page->DBMemo1, Qt::Key_Return);
    QCOMPARE(page->DBMemo1->toPlainText(), QStringLiteral("x")); // no new line
    QVERIFY(m_form->focusWidget() != page->DBMemo1);
    QCOMPARE(m_form->ADOTable2->state(), data::TableObject::State::Browse);

    page->DBEdit14->setFocus();
    QTest::keyClick(page->DBEdit14, Qt::Key_Enter);
    QCOMPARE(m_form->focusWidget(), page->DBEdit15);
}

void TestKeyboard::enterReachesTheRichTexts() {
    openForm(2);
    m_form->OKpassword->click();
    widgets::DBRichEdit *diary = m_form->Diary->DBRichEdit1;
    QCOMPARE(m_form->focusWidget(), diary);
    QTest::keyClick(diary, Qt::Key_Return);
    QCOMPARE(m_form->focusWidget(), diary);
    QCOMPARE(diary->document()->blockCount(), 2);
}

void TestKeyboard::enterInThePasswordEntryByPage() {
    openForm(3);
    QCOMPARE(m_form->focusWidget(), m_form->txtPassword);
    QTest::keyClick(m_form->txtPassword, Qt::Key_Return);
    QCOMPARE(m_form->focusWidget(), m_form->OKpassword);
    QVERIFY(m_form->Privacy->isHidden());
    QTest::keyClick(m_form->OKpassword, Qt::Key_Return); // the next Enter presses it
    QVERIFY(!m_form->Privacy->isHidden());

    m_form->PageControl1->setCurrentIndex(2);
    QTest::keyClick(m_form->txtPassword, Qt::Key_Return);
    QCOMPARE(m_form->focusWidget(), m_form->txtPassword);
    QVERIFY(m_form->Diary->isHidden());
}

// The entry of an editable combo box is a single-line field like any edit.
void TestKeyboard::enterInAComboBoxPressesTheSearchBoxOK() {
    m_fixture->exec(QStringLiteral("INSERT INTO \"People\" (\"First Name\") VALUES ('Bob')"));
    openForm(1);
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

#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "platform/rtf/RtfReader.h"
#include "private/DiaryPage.h"
#include "private/PasswordGate.h"
#include "private/PrivacyPage.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/DBEdit.h"
#include "widgets/DBNavigator.h"
#include "widgets/DBRichEdit.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QToolButton>
#include <QtTest>

using widgets::Page;

namespace {

QString storedPassword(const DataFixture &fixture) {
    return fixture
        .scalar(QStringLiteral("SELECT \"Password\" FROM \"Diary\" ORDER BY \"DiaryID\" LIMIT 1"))
        .toString();
}

} // namespace

class TestPasswordGate : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void scrambling_data();
    void scrambling();
    void emptyStoredPasswordOpensWithAnEmptyEntry();
    void wrongPasswordLeavesTheScrambledTextInTheEntry();
    void changedPasswordOpensBothPages();
    void changeRefusals_data();
    void changeRefusals();
    void changeOnAnEmptyDiaryCreatesTheRecord();
    void checkSavesAPendingDiaryEditFirst();
    void enterInAnEntryPressesTheChangeBoxOk();

private:
    void openForm(Page page);
    void typePassword(const QString &text);
    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<app::TForm1> m_form;
};

void TestPasswordGate::init() {
    m_fixture = std::make_unique<DataFixture>();
}

void TestPasswordGate::cleanup() {
    m_form.reset();
    m_fixture.reset();
    app::lifetime::reset();
}

void TestPasswordGate::openForm(Page page) {
    m_form = std::make_unique<app::TForm1>(m_fixture->directory());
    named<QTimer>(*m_form, "Timer1")->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    pageControl(*m_form)->setCurrentPage(page);
}

void TestPasswordGate::typePassword(const QString &text) {
    named<QLineEdit>(*m_form, "txtPassword")->clear();
    QTest::keyClicks(named<QLineEdit>(*m_form, "txtPassword"), text);
    named<QPushButton>(*m_form, "OKpassword")->click();
}

void TestPasswordGate::scrambling_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("scrambled");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("letters") << QStringLiteral("abc") << QStringLiteral("jih");
    QTest::newRow("blank and digits") << QStringLiteral(" 19") << QStringLiteral("+:2");
    QTest::newRow("cut at 255") << QString(300, QLatin1Char('k')) << QString(255, QChar(0x60));
}

void TestPasswordGate::scrambling() {
    QFETCH(QString, text);
    QFETCH(QString, scrambled);
    QCOMPARE(privatepages::PasswordGate::ScramblePassword(text), scrambled);
    QCOMPARE(privatepages::PasswordGate::ScramblePassword(scrambled), text.left(255));
}

void TestPasswordGate::emptyStoredPasswordOpensWithAnEmptyEntry() {
    openForm(Page::Diary);
    QVERIFY(!named<QGroupBox>(*m_form, "Password")->isHidden());
    QVERIFY(named<privatepages::DiaryPage>(*m_form, "Diary")->isHidden());
    QVERIFY(!named<QToolButton>(*m_form, "ToolPrint")->isEnabled());
    ModalAnswerer boxes;
    typePassword(QString());
    QVERIFY(boxes.boxes().isEmpty());
    QVERIFY(named<QGroupBox>(*m_form, "Password")->isHidden());
    QVERIFY(!named<privatepages::DiaryPage>(*m_form, "Diary")->isHidden());
    QCOMPARE(m_form->focusWidget(), named<widgets::DBRichEdit>(*m_form, "DBRichEdit1"));
    QVERIFY(named<QToolButton>(*m_form, "ToolPrint")->isEnabled());
    QVERIFY(named<QAction>(*m_form, "Print1")->isEnabled());

    // Each entry raises the gate again.
    pageControl(*m_form)->setCurrentPage(Page::Household);
    pageControl(*m_form)->setCurrentPage(Page::Diary);
    QVERIFY(named<privatepages::DiaryPage>(*m_form, "Diary")->isHidden());
    typePassword(QStringLiteral("x"));
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Wrong password .....")});
    QVERIFY(named<privatepages::DiaryPage>(*m_form, "Diary")->isHidden());
}

void TestPasswordGate::wrongPasswordLeavesTheScrambledTextInTheEntry() {
    m_fixture->exec(QStringLiteral("UPDATE \"Diary\" SET \"Password\" = ?"),
                    {privatepages::PasswordGate::ScramblePassword(QStringLiteral("secret"))});
    openForm(Page::Privacy);
    ModalAnswerer boxes;
    typePassword(QStringLiteral("guess"));
    QCOMPARE(named<QLineEdit>(*m_form, "txtPassword")->text(),
             privatepages::PasswordGate::ScramblePassword(QStringLiteral("guess")));
    QCOMPARE(named<QLineEdit>(*m_form, "txtPassword")->displayText(), QStringLiteral("*****"));
    // OK again unscrambles the entry, which is refused again.
    named<QPushButton>(*m_form, "OKpassword")->click();
    QCOMPARE(named<QLineEdit>(*m_form, "txtPassword")->text(), QStringLiteral("guess"));
    // Typing behind the scrambled text never gives the password.
    typePassword(QStringLiteral("secret"));
    QCOMPARE(boxes.texts().size(), 2);
    QVERIFY(named<QGroupBox>(*m_form, "Password")->isHidden());
    QVERIFY(!named<privatepages::PrivacyPage>(*m_form, "Privacy")->isHidden());
    QCOMPARE(m_form->focusWidget(), named<widgets::DBEdit>(*m_form, "DBEdit30"));
}

void TestPasswordGate::changedPasswordOpensBothPages() {
    m_fixture->exec(QStringLiteral("INSERT INTO \"Diary\" (\"Notes\") VALUES ('second page')"));
    openForm(Page::Diary);
    typePassword(QString());
    named<data::TableObject>(*m_form, "ADOTable3")->last();
    ModalAnswerer boxes;
    named<QPushButton>(*m_form, "btnChangePassword")->click();
    QVERIFY(!named<QGroupBox>(*m_form, "ChangePassword")->isHidden());
    QTest::keyClicks(named<QLineEdit>(*m_form, "txtChange1"), QStringLiteral("Hearth2026"));
    QTest::keyClicks(named<QLineEdit>(*m_form, "txtChange2"), QStringLiteral("Hearth2026"));
    QCOMPARE(named<QLineEdit>(*m_form, "txtChange1")->displayText(), QStringLiteral("Hearth2026"));
    QCOMPARE(named<QLineEdit>(*m_form, "txtChange2")->displayText(), QString(10, QLatin1Char('*')));
    named<QPushButton>(*m_form, "btnChange")->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Your password has been changed")});
    QVERIFY(named<QGroupBox>(*m_form, "ChangePassword")->isHidden());
    QCOMPARE(storedPassword(*m_fixture),
             privatepages::PasswordGate::ScramblePassword("Hearth2026"));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->currentIndex(),
             1); // back on the page it was on
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Browse);

    pageControl(*m_form)->setCurrentPage(Page::Privacy);
    typePassword(QStringLiteral("hearth2026")); // letter case counts
    QCOMPARE(boxes.texts().size(), 2);
    QVERIFY(named<privatepages::PrivacyPage>(*m_form, "Privacy")->isHidden());
    typePassword(QStringLiteral("Hearth2026"));
    QVERIFY(!named<privatepages::PrivacyPage>(*m_form, "Privacy")->isHidden());
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->currentIndex(),
             0); // the check moves to the first page
}

void TestPasswordGate::changeRefusals_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("message");
    QTest::newRow("blank") << ""
                           << "abc"
                           << "Password cannot be blank";
    QTest::newRow("typo") << "abc"
                          << "abd"
                          << "Typo... They do not match.";
    QTest::newRow("second blank") << "abc"
                                  << ""
                                  << "Typo... They do not match.";
    QTest::newRow("longer than the column")
        << QString(21, QLatin1Char('p')) << QString(21, QLatin1Char('p'))
        << "A password can have at most 20 characters.";
}

void TestPasswordGate::changeRefusals() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, message);
    openForm(Page::Diary);
    typePassword(QString());
    named<QPushButton>(*m_form, "btnChangePassword")->click();
    named<QLineEdit>(*m_form, "txtChange1")->setText(first);
    named<QLineEdit>(*m_form, "txtChange2")->setText(second);
    ModalAnswerer boxes;
    named<QPushButton>(*m_form, "btnChange")->click();
    QCOMPARE(boxes.texts(), QStringList{message});
    QVERIFY(!named<QGroupBox>(*m_form, "ChangePassword")->isHidden());
    QCOMPARE(named<QLineEdit>(*m_form, "txtChange1")->text(), first);
    QCOMPARE(storedPassword(*m_fixture), QString());
}

void TestPasswordGate::changeOnAnEmptyDiaryCreatesTheRecord() {
    tools::PrepareOptions options;
    options.diaryRow = false;
    m_fixture = std::make_unique<DataFixture>(options);
    openForm(Page::Diary);
    typePassword(QString()); // nothing stored: the empty entry opens
    QVERIFY(!named<privatepages::DiaryPage>(*m_form, "Diary")->isHidden());
    named<QPushButton>(*m_form, "btnChangePassword")->click();
    named<QLineEdit>(*m_form, "txtChange1")->setText(QStringLiteral("pw"));
    named<QLineEdit>(*m_form, "txtChange2")->setText(QStringLiteral("pw"));
    ModalAnswerer boxes;
    named<QPushButton>(*m_form, "btnChange")->click();
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT COUNT(*) FROM \"Diary\"")),
             QVariant(qlonglong(1)));
    QCOMPARE(storedPassword(*m_fixture), privatepages::PasswordGate::ScramblePassword("pw"));
    QVERIFY(m_fixture->scalar(QStringLiteral("SELECT \"Notes\" FROM \"Diary\"")).isNull());
}

void TestPasswordGate::checkSavesAPendingDiaryEditFirst() {
    m_fixture->exec(QStringLiteral("INSERT INTO \"Diary\" (\"Notes\") VALUES ('second page')"));
    openForm(Page::Diary);
    typePassword(QString());
    named<widgets::DBNavigator>(*m_form, "DBNavigator5")->clickButton(widgets::DBNavigator::nbLast);
    widgets::DBRichEdit *text = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
    text->setFocus();
    text->moveCursor(QTextCursor::End);
    QTest::keyClicks(text, QStringLiteral(" and more"));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Edit);
    pageControl(*m_form)->setCurrentPage(Page::Privacy);
    typePassword(QString());
    const QString notes =
        m_fixture->scalar(QStringLiteral("SELECT \"Notes\" FROM \"Diary\" WHERE \"DiaryID\" = 2"))
            .toString();
    QVERIFY2(notes.startsWith(QStringLiteral("{\\rtf")), qPrintable(notes));
    QTextDocument page;
    platform::RtfReader().read(notes, &page);
    QCOMPARE(page.toPlainText(), QStringLiteral("second page and more"));
}

void TestPasswordGate::enterInAnEntryPressesTheChangeBoxOk() {
    openForm(Page::Diary);
    typePassword(QString());
    named<QPushButton>(*m_form, "btnChangePassword")->click();
    named<QLineEdit>(*m_form, "txtChange1")->setText(QStringLiteral("pw"));
    named<QLineEdit>(*m_form, "txtChange2")->setText(QStringLiteral("pw"));
    ModalAnswerer boxes;
    QTest::keyClick(named<QLineEdit>(*m_form, "txtChange2"), Qt::Key_Return);
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Your password has been changed")});
    // The change box stays up across page changes; without it Enter checks nothing.
    pageControl(*m_form)->setCurrentPage(Page::Privacy);
    QTest::keyClick(named<QLineEdit>(*m_form, "txtPassword"), Qt::Key_Return);
    QCOMPARE(boxes.texts().size(), 1);
    QVERIFY(named<privatepages::PrivacyPage>(*m_form, "Privacy")->isHidden());
}

QTEST_MAIN(TestPasswordGate)
#include "tst_passwordgate.moc"

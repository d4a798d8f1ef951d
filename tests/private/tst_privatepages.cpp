#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "platform/rtf/RtfReader.h"
#include "private/DiaryPage.h"
#include "private/PrivacyPage.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBNavigator.h"
#include "widgets/DBRichEdit.h"
#include "widgets/PageControl.h"
#include "widgets/PictureView.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

using widgets::Page;

using widgets::DBNavigator;

namespace {

QByteArray jpegOf(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

QString plainTextOf(const QVariant &notes) {
    QTextDocument page;
    platform::RtfReader().read(notes.toString(), &page);
    return page.toPlainText();
}

} // namespace

class TestPrivatePages : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void privacyCountAndPictureAreReadyBehindTheGate();
    void typingOnAnEmptyDiaryStartsAPage();
    void plainTextPageBecomesRtfWhenSaved();
    void escapeDropsUnwrittenTextTabTypesATab();

private:
    void openForm(const DataFixture &fixture, Page page);
    std::unique_ptr<app::TForm1> m_form;
};

void TestPrivatePages::cleanup() {
    m_form.reset();
    app::lifetime::reset();
}

void TestPrivatePages::openForm(const DataFixture &fixture, Page page) {
    m_form = std::make_unique<app::TForm1>(fixture.directory());
    named<QTimer>(*m_form, "Timer1")->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    pageControl(*m_form)->setCurrentPage(page);
    named<QPushButton>(*m_form, "OKpassword")->click(); // the delivered password is empty
}

void TestPrivatePages::privacyCountAndPictureAreReadyBehindTheGate() {
    DataFixture fixture;
    fixture.exec(QStringLiteral("INSERT INTO \"Privacy\" (\"Account Name\", \"Notes\", "
                                "\"Photograph\") VALUES ('Vault', 'behind the clock', ?)"),
                 {jpegOf({30, 20})});
    fixture.exec(QStringLiteral("INSERT INTO \"Privacy\" (\"Account Name\") VALUES ('Bank')"));
    m_form = std::make_unique<app::TForm1>(fixture.directory());
    pageControl(*m_form)->setCurrentPage(Page::Privacy);
    privatepages::PrivacyPage *page = named<privatepages::PrivacyPage>(*m_form, "Privacy");
    QVERIFY(page->isHidden());
    QCOMPARE(page->txtRecords->text(), QStringLiteral("2"));
    QCOMPARE(page->PrivacyImage1->picture().size(), QSize(30, 20));
    QVERIFY(page->NoPicture3->isHidden());
    QCOMPARE(page->DBGrid3->tableModel()->cellText(0, 12), QStringLiteral("(MEMO)"));
    QCOMPARE(page->DBGrid3->tableModel()->cellText(1, 12), QStringLiteral("(Memo)"));

    named<QPushButton>(*m_form, "OKpassword")->click();
    QVERIFY(!page->isHidden());
    page->DBNavigator6->clickButton(DBNavigator::nbNext);
    QVERIFY(!page->NoPicture3->isHidden());
    QCOMPARE(page->DBEdit33->text(), QStringLiteral("Bank"));
    page->DBNavigator6->clickButton(DBNavigator::nbInsert);
    named<data::TableObject>(*m_form, "ADOTable4")
        ->fieldByName(QStringLiteral("Account Name"))
        ->setAsString("Safe");
    page->DBNavigator6->clickButton(DBNavigator::nbPost);
    QCOMPARE(page->txtRecords->text(), QStringLiteral("3"));
    QVERIFY(page->DBEdit29->isReadOnly());
    QCOMPARE(page->DBEdit29->text(), QStringLiteral("3"));
}

void TestPrivatePages::typingOnAnEmptyDiaryStartsAPage() {
    tools::PrepareOptions options;
    options.diaryRow = false;
    DataFixture fixture(options);
    openForm(fixture, Page::Diary);
    privatepages::DiaryPage *page = named<privatepages::DiaryPage>(*m_form, "Diary");
    QVERIFY(!page->isHidden());
    QCOMPARE(page->DBRichEdit1->toPlainText(), QString());
    QTest::keyClicks(page->DBRichEdit1, QStringLiteral("Dear diary"));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Insert);
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Hearthledger v1.0: New record inserting"));
    QCOMPARE(page->DBEdit27->text(), QString());
    page->DBNavigator5->clickButton(DBNavigator::nbPost);
    QCOMPARE(page->DBEdit27->text(), QStringLiteral("1"));
    QCOMPARE(plainTextOf(fixture.scalar(QStringLiteral("SELECT \"Notes\" FROM \"Diary\""))),
             QStringLiteral("Dear diary"));
    // The page number is the database's and cannot be typed over.
    page->DBEdit27->setFocus();
    QTest::keyClicks(page->DBEdit27, QStringLiteral("9"));
    QCOMPARE(page->DBEdit27->text(), QStringLiteral("1"));
}

void TestPrivatePages::plainTextPageBecomesRtfWhenSaved() {
    tools::PrepareOptions options;
    options.diaryRow = false;
    DataFixture fixture(options);
    fixture.exec(QStringLiteral("INSERT INTO \"Diary\" (\"Notes\") VALUES ('Plain {text} here')"));
    openForm(fixture, Page::Diary);
    widgets::DBRichEdit *text = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
    QCOMPARE(text->toPlainText(), QStringLiteral("Plain {text} here"));
    text->moveCursor(QTextCursor::End);
    QTest::keyClick(text, Qt::Key_Return); // Enter starts a new line here
    QTest::keyClicks(text, QStringLiteral("next"));
    named<widgets::DBNavigator>(*m_form, "DBNavigator5")->clickButton(DBNavigator::nbPost);
    const QVariant notes = fixture.scalar(QStringLiteral("SELECT \"Notes\" FROM \"Diary\""));
    QVERIFY(notes.toString().startsWith(QStringLiteral("{\\rtf1")));
    QCOMPARE(plainTextOf(notes), QStringLiteral("Plain {text} here\nnext"));
}

void TestPrivatePages::escapeDropsUnwrittenTextTabTypesATab() {
    DataFixture fixture;
    fixture.exec(QStringLiteral("UPDATE \"Diary\" SET \"Notes\" = 'kept'"));
    openForm(fixture, Page::Diary);
    widgets::DBRichEdit *text = named<widgets::DBRichEdit>(*m_form, "DBRichEdit1");
    text->moveCursor(QTextCursor::End);
    QTest::keyClick(text, Qt::Key_Tab);
    QTest::keyClicks(text, QStringLiteral("lost"));
    QCOMPARE(text->toPlainText(), QStringLiteral("kept\tlost"));
    QCOMPARE(m_form->focusWidget(), text);
    QTest::keyClick(text, Qt::Key_Escape);
    QCOMPARE(text->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Edit);
    named<widgets::DBNavigator>(*m_form, "DBNavigator5")->clickButton(DBNavigator::nbPost);
    QCOMPARE(fixture.scalar(QStringLiteral("SELECT \"Notes\" FROM \"Diary\"")).toString(),
             QStringLiteral("kept"));
}

QTEST_MAIN(TestPrivatePages)
#include "tst_privatepages.moc"

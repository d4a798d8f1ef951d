#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/TableObject.h"
#include "private/HelpPage.h"
#include "tests/data/DataFixture.h"
#include "tests/support/Named.h"
#include "widgets/DBNavigator.h"
#include "widgets/DBRichEdit.h"

#include <QClipboard>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

using widgets::DBNavigator;

class TestHelpPage : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { app::lifetime::reset(); }
    void showsEachHelpTextRichOrPlain();
    void helpTextCannotBeChanged();
    void emptyHelpTableShowsAnEmptyPage();
};

namespace {
tools::PrepareOptions withHelp(const QStringList &texts) {
    tools::PrepareOptions options;
    options.helpList = texts;
    return options;
}
} // namespace

void TestHelpPage::showsEachHelpTextRichOrPlain() {
    QString longRtf =
        QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b Heading\\b0\\par ");
    for (int i = 0; i < 200; ++i)
        longRtf += QStringLiteral("line %1\\par ").arg(i);
    DataFixture fixture(withHelp({longRtf + QLatin1Char('}'), QStringLiteral("Just plain text")}));
    app::TForm1 form(fixture.directory());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    widgets::DBRichEdit *text = named<widgets::DBRichEdit>(form, "DBRichEdit2");
    QVERIFY(text->toPlainText().startsWith(QStringLiteral("Heading\nline 0")));
    QTextCursor heading(text->document());
    heading.movePosition(QTextCursor::NextCharacter);
    QVERIFY(heading.charFormat().font().bold());
    QTRY_COMPARE(text->verticalScrollBar()->value(), 0); // from its top
    QVERIFY(text->verticalScrollBar()->maximum() > 0);

    DBNavigator *nav = named<widgets::DBNavigator>(form, "DBNavigator8");
    QVERIFY(nav->button(DBNavigator::nbInsert)->isHidden());
    QVERIFY(!nav->button(DBNavigator::nbNext)->isHidden());
    nav->button(DBNavigator::nbNext)->click();
    QCOMPARE(text->toPlainText(), QStringLiteral("Just plain text"));
    nav->button(DBNavigator::nbFirst)->click();
    QVERIFY(text->toPlainText().startsWith(QStringLiteral("Heading")));
}

void TestHelpPage::helpTextCannotBeChanged() {
    DataFixture fixture(withHelp({QStringLiteral("Read me")}));
    app::TForm1 form(fixture.directory());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    widgets::DBRichEdit *text = named<widgets::DBRichEdit>(form, "DBRichEdit2");
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("xyz"));
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Backspace);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    text->paste();
    text->selectAll();
    text->cut();
    QCOMPARE(text->toPlainText(), QStringLiteral("Read me"));
    QCOMPARE(named<data::TableObject>(form, "ADOTable5")->state(),
             data::TableObject::State::Browse);
    // Selecting and copying work.
    text->selectAll();
    text->copy();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Read me"));
}

void TestHelpPage::emptyHelpTableShowsAnEmptyPage() {
    DataFixture fixture(withHelp({}));
    app::TForm1 form(fixture.directory());
    QCOMPARE(named<widgets::DBRichEdit>(form, "DBRichEdit2")->toPlainText(), QString());
    for (int b = DBNavigator::nbFirst; b <= DBNavigator::nbLast; ++b)
        QVERIFY(!named<widgets::DBNavigator>(form, "DBNavigator8")
                     ->button(DBNavigator::Button(b))
                     ->isEnabled());
}

QTEST_MAIN(TestHelpPage)
#include "tst_helppage.moc"

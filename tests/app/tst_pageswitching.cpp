#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "records/HouseholdPage.h"
#include "records/NameSearch.h"
#include "records/PeoplePage.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/DBEdit.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using widgets::Page;

namespace {

// What a page change leaves, in the order of the availability table.
struct Availability {
    bool print;
    bool textTools;
    bool search;
    bool zoom;
    bool editMenu;
    bool formatMenu;
    bool passwordShown;
    bool searchBoxShown;
    QString focus; // object name; empty: not set by the change
};

} // namespace

Q_DECLARE_METATYPE(Availability)

class TestPageSwitching : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void availabilityAfterChange_data();
    void availabilityAfterChange();
    void helpBeforeAndAfterTheFirstChange();
    void passwordGateOnEveryEntry();
    void searchBoxOpenOnlyBetweenRecordPages();
    void otherCommandsAreNotTouched();
    void recordPagesRefreshCountAndPicture();

private:
    void openForm();
    // Every switched command as on or off, to compare whole states.
    QList<bool> commandStates() const;
    bool allTextTools(bool enabled) const;

    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<app::TForm1> m_form;
};

void TestPageSwitching::init() {
    m_fixture = std::make_unique<DataFixture>();
    m_fixture->addItem(QStringLiteral("Lamp"));
    m_fixture->exec(QStringLiteral("INSERT INTO \"People\" (\"First Name\") VALUES ('Ann')"));
}

void TestPageSwitching::cleanup() {
    m_form.reset();
    m_fixture.reset();
    app::lifetime::reset();
}

void TestPageSwitching::openForm() {
    m_form = std::make_unique<app::TForm1>(m_fixture->directory());
    named<QTimer>(*m_form, "Timer1")->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

bool TestPageSwitching::allTextTools(bool enabled) const {
    for (const char *name : {"ToolUndo", "ToolFindText", "ToolCopy", "ToolCut", "ToolPaste",
                             "ToolFont", "ToolSelectAll", "ToolColor", "ToolDateInsert"})
        if (named<QToolButton>(*m_form, name)->isEnabled() != enabled)
            return false;
    return true;
}

QList<bool> TestPageSwitching::commandStates() const {
    QList<bool> states;
    for (QToolButton *button : named<QWidget>(*m_form, "ToolBar1")->findChildren<QToolButton *>())
        states << button->isEnabled();
    for (QMenu *menu : {named<QMenu>(*m_form, "File1"), named<QMenu>(*m_form, "Edit3"),
                        named<QMenu>(*m_form, "Format1"), named<QMenu>(*m_form, "Help1")}) {
        states << menu->menuAction()->isEnabled();
        for (QAction *item : menu->actions())
            states << item->isEnabled();
    }
    for (QAction *item : named<QMenu>(*m_form, "PopupMenu1")->actions())
        states << item->isEnabled();
    return states;
}

void TestPageSwitching::availabilityAfterChange_data() {
    QTest::addColumn<Page>("page");
    QTest::addColumn<Availability>("expected");
    // print, text tools, search, zoom, Edit, Format, password, search box, focus
    QTest::newRow("Household Items")
        << Page::Household
        << Availability{true, false, true, true, false, false, false, true, "DBEdit2"};
    QTest::newRow("People") << Page::People << Availability{true,  false, true, true,      false,
                                                            false, false, true, "DBEdit14"};
    QTest::newRow("Diary") << Page::Diary << Availability{false, true, false, false,        true,
                                                          true,  true, false, "txtPassword"};
    QTest::newRow("Privacy") << Page::Privacy
                             << Availability{false, false, false, true,         false,
                                             false, true,  false, "txtPassword"};
    QTest::newRow("Utilities") << Page::Utilities
                               << Availability{true,  false, false, false,         false,
                                               false, false, false, "txtPrincipal"};
    QTest::newRow("Help") << Page::Help
                          << Availability{true, true, false, false, true, true, false, false, ""};
}

void TestPageSwitching::availabilityAfterChange() {
    QFETCH(Page, page);
    QFETCH(Availability, expected);
    openForm();
    // Come from the other record page with the search box open and a stale
    // password typed, so that every column of the table has something to do.
    const Page from = page == Page::People ? Page::Household : Page::People;
    pageControl(*m_form)->setCurrentPage(from);
    named<QToolButton>(*m_form, "ToolSearch")->click();
    QVERIFY(named<QGroupBox>(*m_form, "Searching")->isVisible());
    named<QLineEdit>(*m_form, "txtPassword")->setText(QStringLiteral("stale"));

    pageControl(*m_form)->setCurrentPage(page);
    QCOMPARE(pageControl(*m_form)->currentPage(), page);
    QCOMPARE(named<QAction>(*m_form, "Print1")->isEnabled(), expected.print);
    QCOMPARE(named<QToolButton>(*m_form, "ToolPrint")->isEnabled(), expected.print);
    QVERIFY(allTextTools(expected.textTools));
    QCOMPARE(named<QToolButton>(*m_form, "ToolSearch")->isEnabled(), expected.search);
    QCOMPARE(named<QToolButton>(*m_form, "ToolZoomIn")->isEnabled(), expected.zoom);
    QCOMPARE(named<QToolButton>(*m_form, "ToolZoomOut")->isEnabled(), expected.zoom);
    QCOMPARE(named<QMenu>(*m_form, "Edit3")->menuAction()->isEnabled(), expected.editMenu);
    QCOMPARE(named<QMenu>(*m_form, "Format1")->menuAction()->isEnabled(), expected.formatMenu);
    QCOMPARE(named<QGroupBox>(*m_form, "Password")->isVisible(), expected.passwordShown);
    QCOMPARE(named<QGroupBox>(*m_form, "Searching")->isVisible(), expected.searchBoxShown);
    // The page is covered while the password box stands.
    QCOMPARE(pageControl(*m_form)->currentWidget()->isVisible(), !expected.passwordShown);
    if (expected.passwordShown)
        QCOMPARE(named<QLineEdit>(*m_form, "txtPassword")->text(), QString());
    for (Page each : widgets::kPages)
        QCOMPARE(pageControl(*m_form)->isTabHighlighted(each), each == page);

    QWidget *focus = QApplication::focusWidget();
    if (expected.focus.isEmpty()) {
        return;
    } else if (!m_form->findChild<QWidget *>(expected.focus)) {
        // The loan calculator is not on the page yet: nothing to focus.
        QCOMPARE(page, Page::Utilities);
    } else {
        QVERIFY(focus);
        QCOMPARE(focus->objectName(), expected.focus);
    }
}

void TestPageSwitching::helpBeforeAndAfterTheFirstChange() {
    openForm();
    QCOMPARE(pageControl(*m_form)->currentPage(), Page::Help);
    QVERIFY(allTextTools(false));
    for (Page each : widgets::kPages)
        QVERIFY(!pageControl(*m_form)->isTabHighlighted(each));
    pageControl(*m_form)->setCurrentPage(Page::Household);
    pageControl(*m_form)->setCurrentPage(Page::Help);
    QVERIFY(allTextTools(true));
    QVERIFY(named<QAction>(*m_form, "Print1")->isEnabled());
    QVERIFY(!named<QToolButton>(*m_form, "ToolSearch")->isEnabled());
    QVERIFY(named<QMenu>(*m_form, "Edit3")->menuAction()->isEnabled());
    QVERIFY(pageControl(*m_form)->isTabHighlighted(Page::Help));
}

void TestPageSwitching::passwordGateOnEveryEntry() {
    openForm();
    auto expectGate = [this](Page page) {
        QCOMPARE(pageControl(*m_form)->currentPage(), page);
        QVERIFY(named<QGroupBox>(*m_form, "Password")->isVisible());
        QCOMPARE(named<QLineEdit>(*m_form, "txtPassword")->text(), QString());
        QCOMPARE(QApplication::focusWidget(), named<QLineEdit>(*m_form, "txtPassword"));
        QVERIFY(!pageControl(*m_form)->currentWidget()->isVisible());
        QVERIFY(!named<QAction>(*m_form, "Print1")->isEnabled());
    };
    for (Page page : {Page::Diary, Page::Household, Page::Diary, Page::Privacy, Page::Diary,
                      Page::Utilities, Page::Privacy, Page::Help, Page::Privacy}) {
        pageControl(*m_form)->setCurrentPage(page);
        if (page == Page::Diary || page == Page::Privacy) {
            expectGate(page);
            QTest::keyClicks(named<QLineEdit>(*m_form, "txtPassword"), QStringLiteral("guess"));
        } else {
            QVERIFY(named<QGroupBox>(*m_form, "Password")->isHidden());
            QVERIFY(pageControl(*m_form)->currentWidget()->isVisible());
        }
    }
}

void TestPageSwitching::searchBoxOpenOnlyBetweenRecordPages() {
    openForm();
    pageControl(*m_form)->setCurrentPage(Page::Household);
    named<QPushButton>(*m_form, "Search")->click();
    for (Page page : {Page::People, Page::Household, Page::People}) {
        pageControl(*m_form)->setCurrentPage(page);
        QVERIFY(named<QGroupBox>(*m_form, "Searching")->isVisible());
    }
    for (Page page : {Page::Diary, Page::Privacy, Page::Utilities, Page::Help}) {
        pageControl(*m_form)->setCurrentPage(Page::People);
        named<QPushButton>(*m_form, "LookUp")->click();
        pageControl(*m_form)->setCurrentPage(page);
        QVERIFY(named<QGroupBox>(*m_form, "Searching")->isHidden());
        // Returning does not open it again.
        pageControl(*m_form)->setCurrentPage(Page::Household);
        QVERIFY(named<QGroupBox>(*m_form, "Searching")->isHidden());
    }
    // Closed on page 0, it stays closed on the way to page 1.
    pageControl(*m_form)->setCurrentPage(Page::People);
    QVERIFY(named<QGroupBox>(*m_form, "Searching")->isHidden());
}

void TestPageSwitching::otherCommandsAreNotTouched() {
    openForm();
    // Set every command that page changes leave alone against its design state.
    const QList<QObject *> untouched = {
        named<QToolButton>(*m_form, "ToolAbout"), named<QToolButton>(*m_form, "ToolExit"),
        named<QAction>(*m_form, "PrintScreen1"),  named<QAction>(*m_form, "Exit1"),
        named<QAction>(*m_form, "About1"),        named<QAction>(*m_form, "pUndo"),
        named<QAction>(*m_form, "pFindText"),     named<QAction>(*m_form, "pFont")};
    for (QObject *object : untouched)
        object->setProperty("enabled", false);
    named<QGroupBox>(*m_form, "ChangePassword")->show();
    for (Page page : {Page::Household, Page::People, Page::Diary, Page::Privacy, Page::Utilities,
                      Page::Help, Page::Household}) {
        pageControl(*m_form)->setCurrentPage(page);
        for (QObject *object : untouched)
            QVERIFY2(!object->property("enabled").toBool(), qPrintable(object->objectName()));
        QVERIFY(named<QGroupBox>(*m_form, "ChangePassword")->isVisible());
    }
    // Two changes to the same page leave the same commands.
    pageControl(*m_form)->setCurrentPage(Page::People);
    const QList<bool> first = commandStates();
    pageControl(*m_form)->setCurrentPage(Page::Privacy);
    pageControl(*m_form)->setCurrentPage(Page::People);
    QCOMPARE(commandStates(), first);
}

void TestPageSwitching::recordPagesRefreshCountAndPicture() {
    m_fixture->addItem(QStringLiteral("Ladder"));
    openForm();
    pageControl(*m_form)->setCurrentPage(Page::Household);
    QCOMPARE(named<QLineEdit>(*m_form, "Edit1")->text(), QStringLiteral("2"));
    QVERIFY(!named<QLabel>(*m_form, "NoPicture1")->isHidden());
    pageControl(*m_form)->setCurrentPage(Page::People);
    QCOMPARE(named<QLineEdit>(*m_form, "Edit2")->text(), QStringLiteral("1"));
    QVERIFY(!named<QLabel>(*m_form, "NoPicture2")->isHidden());
    QVERIFY(named<QLabel>(*m_form, "NoPicture1")->isHidden()); // every panel is hidden first

    // Changes made while another page is current show on the next entry.
    named<QLineEdit>(*m_form, "Edit1")->setText(QStringLiteral("typed"));
    named<data::TableObject>(*m_form, "ADOTable1")->insert();
    named<data::TableObject>(*m_form, "ADOTable1")
        ->fieldByName(QStringLiteral("Item Name"))
        ->setAsString(QStringLiteral("Mop"));
    named<data::TableObject>(*m_form, "ADOTable1")->post();
    pageControl(*m_form)->setCurrentPage(Page::Household);
    QCOMPARE(named<QLineEdit>(*m_form, "Edit1")->text(), QStringLiteral("3"));
    QVERIFY(!named<QLabel>(*m_form, "NoPicture1")->isHidden());
}

QTEST_MAIN(TestPageSwitching)
#include "tst_pageswitching.moc"

#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "records/HouseholdPage.h"
#include "records/NameSearch.h"
#include "records/PeoplePage.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
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
    std::unique_ptr<TForm1> m_form;
};

void TestPageSwitching::init() {
    m_fixture = std::make_unique<DataFixture>();
    m_fixture->addItem(QStringLiteral("Lamp"));
    m_fixture->exec(QStringLiteral("INSERT INTO \"People\" (\"First Name\") VALUES ('Ann')"));
}

void TestPageSwitching::cleanup() {
    m_form.reset();
    m_fixture.reset();
    lifetime::reset();
}

void TestPageSwitching::openForm() {
    m_form = std::make_unique<TForm1>(m_fixture->directory());
    m_form->Timer1->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

bool TestPageSwitching::allTextTools(bool enabled) const {
    for (QToolButton *tool : m_form->textTools())
        if (tool->isEnabled() != enabled)
            return false;
    return true;
}

QList<bool> TestPageSwitching::commandStates() const {
    QList<bool> states;
    for (QToolButton *button : m_form->ToolBar1->findChildren<QToolButton *>())
        states << button->isEnabled();
    for (QMenu *menu : {m_form->File1, m_form->Edit3, m_form->Format1, m_form->Help1}) {
        states << menu->menuAction()->isEnabled();
        for (QAction *item : menu->actions())
            states << item->isEnabled();
    }
    for (QAction *item : m_form->PopupMenu1->actions())
        states << item->isEnabled();
    return states;
}

void TestPageSwitching::availabilityAfterChange_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<Availability>("expected");
    // print, text tools, search, zoom, Edit, Format, password, search box, focus
    QTest::newRow("0 Household Items")
        << 0 << Availability{true, false, true, true, false, false, false, true, "DBEdit2"};
    QTest::newRow("1 People") << 1 << Availability{true,  false, true, true,      false,
                                                   false, false, true, "DBEdit14"};
    QTest::newRow("2 Diary") << 2 << Availability{false, true, false, false,        true,
                                                  true,  true, false, "txtPassword"};
    QTest::newRow("3 Privacy") << 3 << Availability{false, false, false, true,         false,
                                                    false, true,  false, "txtPassword"};
    QTest::newRow("4 Utilities") << 4 << Availability{true,  false, false, false,         false,
                                                      false, false, false, "txtPrincipal"};
    QTest::newRow("5 Help") << 5
                            << Availability{true, true, false, false, true, true, false, false, ""};
}

void TestPageSwitching::availabilityAfterChange() {
    QFETCH(int, page);
    QFETCH(Availability, expected);
    openForm();
    // Come from the other record page with the search box open and a stale
    // password typed, so that every column of the table has something to do.
    const int from = page == 1 ? 0 : 1;
    m_form->PageControl1->setCurrentIndex(from);
    m_form->ToolSearch->click();
    QVERIFY(m_form->Searching->isVisible());
    m_form->txtPassword->setText(QStringLiteral("stale"));

    m_form->PageControl1->setCurrentIndex(page);
    QCOMPARE(m_form->pageIndex(), page);
    QCOMPARE(m_form->Print1->isEnabled(), expected.print);
    QCOMPARE(m_form->ToolPrint->isEnabled(), expected.print);
    QVERIFY(allTextTools(expected.textTools));
    QCOMPARE(m_form->ToolSearch->isEnabled(), expected.search);
    QCOMPARE(m_form->ToolZoomIn->isEnabled(), expected.zoom);
    QCOMPARE(m_form->ToolZoomOut->isEnabled(), expected.zoom);
    QCOMPARE(m_form->Edit3->menuAction()->isEnabled(), expected.editMenu);
    QCOMPARE(m_form->Format1->menuAction()->isEnabled(), expected.formatMenu);
    QCOMPARE(m_form->Password->isVisible(), expected.passwordShown);
    QCOMPARE(m_form->Searching->isVisible(), expected.searchBoxShown);
    // The page is covered while the password box stands.
    QCOMPARE(m_form->PageControl1->currentWidget()->isVisible(), !expected.passwordShown);
    if (expected.passwordShown)
        QCOMPARE(m_form->txtPassword->text(), QString());
    for (int i = 0; i < m_form->PageControl1->count(); ++i)
        QCOMPARE(m_form->PageControl1->isTabHighlighted(i), i == page);

    QWidget *focus = QApplication::focusWidget();
    if (expected.focus.isEmpty()) {
        return;
    } else if (!m_form->findChild<QWidget *>(expected.focus)) {
        // The loan calculator is not on the page yet: nothing to focus.
        QCOMPARE(page, 4);
    } else {
        QVERIFY(focus);
        QCOMPARE(focus->objectName(), expected.focus);
    }
}

void TestPageSwitching::helpBeforeAndAfterTheFirstChange() {
    openForm();
    QCOMPARE(m_form->pageIndex(), 5);
    QVERIFY(allTextTools(false));
    for (int i = 0; i < m_form->PageControl1->count(); ++i)
        QVERIFY(!m_form->PageControl1->isTabHighlighted(i));
    m_form->PageControl1->setCurrentIndex(0);
    m_form->PageControl1->setCurrentIndex(5);
    QVERIFY(allTextTools(true));
    QVERIFY(m_form->Print1->isEnabled());
    QVERIFY(!m_form->ToolSearch->isEnabled());
    QVERIFY(m_form->Edit3->menuAction()->isEnabled());
    QVERIFY(m_form->PageControl1->isTabHighlighted(5));
}

void TestPageSwitching::passwordGateOnEveryEntry() {
    openForm();
    auto expectGate = [this](int page) {
        QCOMPARE(m_form->pageIndex(), page);
        QVERIFY(m_form->Password->isVisible());
        QCOMPARE(m_form->txtPassword->text(), QString());
        QCOMPARE(QApplication::focusWidget(), m_form->txtPassword);
        QVERIFY(!m_form->PageControl1->currentWidget()->isVisible());
        QVERIFY(!m_form->Print1->isEnabled());
    };
    for (int page : {2, 0, 2, 3, 2, 4, 3, 5, 3}) {
        m_form->PageControl1->setCurrentIndex(page);
        if (page == 2 || page == 3) {
            expectGate(page);
            QTest::keyClicks(m_form->txtPassword, QStringLiteral("guess"));
        } else {
            QVERIFY(m_form->Password->isHidden());
            QVERIFY(m_form->PageControl1->currentWidget()->isVisible());
        }
    }
}

void TestPageSwitching::searchBoxOpenOnlyBetweenRecordPages() {
    openForm();
    m_form->PageControl1->setCurrentIndex(0);
    m_form->Household->Search->click();
    for (int page : {1, 0, 1}) {
        m_form->PageControl1->setCurrentIndex(page);
        QVERIFY(m_form->Searching->isVisible());
    }
    for (int page : {2, 3, 4, 5}) {
        m_form->PageControl1->setCurrentIndex(1);
        m_form->People->LookUp->click();
        m_form->PageControl1->setCurrentIndex(page);
        QVERIFY(m_form->Searching->isHidden());
        // Returning does not open it again.
        m_form->PageControl1->setCurrentIndex(0);
        QVERIFY(m_form->Searching->isHidden());
    }
    // Closed on page 0, it stays closed on the way to page 1.
    m_form->PageControl1->setCurrentIndex(1);
    QVERIFY(m_form->Searching->isHidden());
}

void TestPageSwitching::otherCommandsAreNotTouched() {
    openForm();
    // Set every command that page changes leave alone against its design state.
    const QList<QObject *> untouched = {m_form->ToolAbout, m_form->ToolExit, m_form->PrintScreen1,
                                        m_form->Exit1,     m_form->About1,   m_form->pUndo,
                                        m_form->pFindText, m_form->pFont};
    for (QObject *object : untouched)
        object->setProperty("enabled", false);
    m_form->ChangePassword->show();
    for (int page : {0, 1, 2, 3, 4, 5, 0}) {
        m_form->PageControl1->setCurrentIndex(page);
        for (QObject *object : untouched)
            QVERIFY2(!object->property("enabled").toBool(), qPrintable(object->objectName()));
        QVERIFY(m_form->ChangePassword->isVisible());
    }
    // Two changes to the same page leave the same commands.
    m_form->PageControl1->setCurrentIndex(1);
    const QList<bool> first = commandStates();
    m_form->PageControl1->setCurrentIndex(3);
    m_form->PageControl1->setCurrentIndex(1);
    QCOMPARE(commandStates(), first);
}

void TestPageSwitching::recordPagesRefreshCountAndPicture() {
    m_fixture->addItem(QStringLiteral("Ladder"));
    openForm();
    m_form->PageControl1->setCurrentIndex(0);
    QCOMPARE(m_form->Household->Edit1->text(), QStringLiteral("2"));
    QVERIFY(!m_form->Household->NoPicture1->isHidden());
    m_form->PageControl1->setCurrentIndex(1);
    QCOMPARE(m_form->People->Edit2->text(), QStringLiteral("1"));
    QVERIFY(!m_form->People->NoPicture2->isHidden());
    QVERIFY(m_form->Household->NoPicture1->isHidden()); // every panel is hidden first

    // Changes made while another page is current show on the next entry.
    m_form->Household->Edit1->setText(QStringLiteral("typed"));
    m_form->ADOTable1->insert();
    m_form->ADOTable1->fieldByName(QStringLiteral("Item Name"))->setAsString(QStringLiteral("Mop"));
    m_form->ADOTable1->post();
    m_form->PageControl1->setCurrentIndex(0);
    QCOMPARE(m_form->Household->Edit1->text(), QStringLiteral("3"));
    QVERIFY(!m_form->Household->NoPicture1->isHidden());
}

QTEST_MAIN(TestPageSwitching)
#include "tst_pageswitching.moc"

#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/Field.h"
#include "data/TableObject.h"
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
#include "widgets/DBMemo.h"
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

const QString kNotFound = QStringLiteral("Item had not found.");

QByteArray jpegOf(QSize size) {
    return fixtures::encodeJpeg(
        fixtures::photoLike(size.width(), size.height()).convertToFormat(QImage::Format_RGB888));
}

} // namespace

class TestNameSearch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void findsFirstByPrefixIgnoringCase_data();
    void findsFirstByPrefixIgnoringCase();
    void patternCharactersArePlainText_data();
    void patternCharactersArePlainText();
    void peopleMatchFirstNameOnly_data();
    void peopleMatchFirstNameOnly();
    void openingPostsChangedEditAndReadsRowsAgain();
    void openingCancelsUnchangedEditOrInsert();
    void okPostsChangedEditBeforeSearching();
    void enterRunsSearchWhileBoxShows_data();
    void enterRunsSearchWhileBoxShows();
    void enterInGridCellNeverSearches();
    void enterOnPushButtonClicksThatButton();
    void closeAndEscape();
    void switchingToPeopleSearchesPeople();
    void labelStandsClearOfTheButtons();

private:
    void openForm(Page page);
    QString currentName(Page page) const;
    void search(const QString &text);

    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<app::TForm1> m_form;
};

void TestNameSearch::init() {
    m_fixture = std::make_unique<DataFixture>();
}

void TestNameSearch::cleanup() {
    m_form.reset();
    m_fixture.reset();
    app::lifetime::reset();
}

void TestNameSearch::openForm(Page page) {
    m_form = std::make_unique<app::TForm1>(m_fixture->directory());
    named<QTimer>(*m_form, "Timer1")->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    pageControl(*m_form)->setCurrentPage(page);
}

QString TestNameSearch::currentName(Page page) const {
    data::TableObject *table = page == Page::Household
                                   ? named<data::TableObject>(*m_form, "ADOTable1")
                                   : named<data::TableObject>(*m_form, "ADOTable2");
    return table
        ->fieldByName(page == Page::Household ? QStringLiteral("Item Name")
                                              : QStringLiteral("First Name"))
        ->asString();
}

void TestNameSearch::search(const QString &text) {
    named<QLineEdit>(*m_form, "ItemName")->setText(text);
    named<QPushButton>(*m_form, "btnOK")->click();
}

void TestNameSearch::findsFirstByPrefixIgnoringCase_data() {
    QTest::addColumn<QString>("start"); // current record before the search
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found"); // empty: not found
    QTest::newRow("lam finds Lamp") << "Kettle"
                                    << "lam"
                                    << "Lamp";
    QTest::newRow("not from the current record") << "lampshade"
                                                 << "lam"
                                                 << "Lamp";
    QTest::newRow("LAD finds Ladder") << "Lamp"
                                      << "LAD"
                                      << "Ladder";
    QTest::newRow("longer prefix") << "Lamp"
                                   << "LAMPS"
                                   << "lampshade";
    QTest::newRow("whole name") << "Lamp"
                                << "lampshade"
                                << "lampshade";
    QTest::newRow("x not found") << "lampshade"
                                 << "x"
                                 << "";
    QTest::newRow("longer than any name") << "Kettle"
                                          << "Lampshades"
                                          << "";
    QTest::newRow("leading blank kept") << "Kettle"
                                        << " lam"
                                        << "";
    QTest::newRow("trailing blank kept") << "Kettle"
                                         << "lamp "
                                         << "";
    QTest::newRow("other letters")
        << "Kettle" << QString::fromUtf8("ÖL") << QString::fromUtf8("Ölkanne");
    QTest::newRow("empty text, no empty name") << "Kettle"
                                               << ""
                                               << "";
}

void TestNameSearch::findsFirstByPrefixIgnoringCase() {
    QFETCH(QString, start);
    QFETCH(QString, text);
    QFETCH(QString, found);
    // Lamp has a picture, lampshade none: the search refreshes the picture.
    m_fixture->addItem(QStringLiteral("Kettle"));
    m_fixture->addItem(QStringLiteral("lampshade"));
    m_fixture->addItem(QStringLiteral("Lamp"), jpegOf({30, 20}));
    m_fixture->addItem(QStringLiteral("Ladder"));
    m_fixture->addItem(QString::fromUtf8("Ölkanne"));
    m_fixture->addItem(QString()); // no name: never matches
    openForm(Page::Household);
    QVERIFY(
        named<data::TableObject>(*m_form, "ADOTable1")->locate(QStringLiteral("Item Name"), start));
    QCOMPARE(currentName(Page::Household), start);
    m_form->IsImage();
    const bool hadPicture = named<QLabel>(*m_form, "NoPicture1")->isHidden();
    named<QLineEdit>(*m_form, "Edit1")->setText(QStringLiteral("typed"));

    ModalAnswerer boxes;
    named<QPushButton>(*m_form, "Search")->click();
    QVERIFY(named<QGroupBox>(*m_form, "Searching")->isVisible());
    search(text);
    if (found.isEmpty()) {
        QCOMPARE(boxes.texts(), QStringList{kNotFound});
        QCOMPARE(boxes.boxes().constFirst().title, QStringLiteral("Hearthledger"));
        QCOMPARE(boxes.boxes().constFirst().icon, QMessageBox::NoIcon);
        QCOMPARE(currentName(Page::Household), start);
        QCOMPARE(named<QLabel>(*m_form, "NoPicture1")->isHidden(), hadPicture);
    } else {
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(currentName(Page::Household), found);
        QCOMPARE(named<widgets::DBEdit>(*m_form, "DBEdit3")->text(), found);
        QCOMPARE(named<QLabel>(*m_form, "NoPicture1")->isHidden(), found == QLatin1String("Lamp"));
        if (found == QLatin1String("Lamp"))
            QCOMPARE(named<widgets::PictureView>(*m_form, "ADOImage1")->picture().size(),
                     QSize(30, 20));
    }
    // The count is not touched, and the box stays open with its text.
    QCOMPARE(named<QLineEdit>(*m_form, "Edit1")->text(), QStringLiteral("typed"));
    QVERIFY(named<QGroupBox>(*m_form, "Searching")->isVisible());
    QCOMPARE(named<QLineEdit>(*m_form, "ItemName")->text(), text);
}

void TestNameSearch::patternCharactersArePlainText_data() {
    // Each decoy sorts first and matches when the text is taken as a pattern.
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found");
    QTest::newRow("percent") << QStringList{"50 cents", "50% off"} << "50%"
                             << "50% off";
    QTest::newRow("underscore") << QStringList{"5-0", "5_0"} << "5_"
                                << "5_0";
    QTest::newRow("asterisk") << QStringList{"a!b", "a*b"} << "a*"
                              << "a*b";
    QTest::newRow("question mark") << QStringList{"a!b", "a?b"} << "a?"
                                   << "a?b";
    QTest::newRow("brackets") << QStringList{"a", "[a]"} << "[a"
                              << "[a]";
    QTest::newRow("open bracket alone") << QStringList{"Lamp", "[old"} << "["
                                        << "[old";
    QTest::newRow("apostrophe") << QStringList{"O Brien", "O'Brien"} << "o'b"
                                << "O'Brien";
    QTest::newRow("quote trick") << QStringList{"Lamp", "Ladder"} << "' OR '1'='1"
                                 << "";
    QTest::newRow("double quote") << QStringList{"Lamp", "12\" ruler"} << "12\""
                                  << "12\" ruler";
    QTest::newRow("backslash") << QStringList{"C:Temp", "C:\\Temp"} << "c:\\"
                               << "C:\\Temp";
    QTest::newRow("percent alone") << QStringList{"Lamp"} << "%"
                                   << "";
}

void TestNameSearch::patternCharactersArePlainText() {
    QFETCH(QStringList, names);
    QFETCH(QString, text);
    QFETCH(QString, found);
    m_fixture->addItem(QStringLiteral("Kettle"));
    for (const QString &name : names)
        m_fixture->addItem(name);
    openForm(Page::Household);
    ModalAnswerer boxes;
    named<QToolButton>(*m_form, "ToolSearch")->click();
    search(text);
    if (found.isEmpty()) {
        QCOMPARE(boxes.texts(), QStringList{kNotFound});
        QCOMPARE(currentName(Page::Household), QStringLiteral("Kettle"));
    } else {
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(currentName(Page::Household), found);
    }
}

void TestNameSearch::peopleMatchFirstNameOnly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found");
    QTest::newRow("first name") << "bo"
                                << "Bob";
    QTest::newRow("last name") << "smi"
                               << "";
    QTest::newRow("nickname") << "bobby"
                              << "";
    QTest::newRow("first name, other case") << "ANN"
                                            << "Ann";
}

void TestNameSearch::peopleMatchFirstNameOnly() {
    QFETCH(QString, text);
    QFETCH(QString, found);
    m_fixture->exec(QStringLiteral(
        "INSERT INTO \"People\" (\"First Name\", \"Last Name\", \"Nickname\") VALUES "
        "('Ann', 'Smith', 'Bobby'), ('Bob', 'Lamb', NULL), ('Carl', 'Annan', NULL)"));
    m_fixture->addItem(QStringLiteral("Bobbin"));
    openForm(Page::People);
    named<data::TableObject>(*m_form, "ADOTable2")->last();
    ModalAnswerer boxes;
    named<QPushButton>(*m_form, "LookUp")->click();
    search(text);
    QCOMPARE(boxes.texts(), found.isEmpty() ? QStringList{kNotFound} : QStringList());
    QCOMPARE(currentName(Page::People), found.isEmpty() ? QStringLiteral("Carl") : found);
    QCOMPARE(currentName(Page::Household), QStringLiteral("Bobbin")); // Household untouched
    if (!found.isEmpty())
        QVERIFY(!named<QLabel>(*m_form, "NoPicture2")->isHidden());
}

void TestNameSearch::openingPostsChangedEditAndReadsRowsAgain() {
    const qint64 lamp = m_fixture->addItem(QStringLiteral("Lamp"));
    m_fixture->addItem(QStringLiteral("Ladder"));
    openForm(Page::Household);
    records::HouseholdPage *page = named<records::HouseholdPage>(*m_form, "Household");
    page->DBEdit2->setFocus();
    QTest::keyClicks(page->DBEdit2, QStringLiteral("Attic"));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Edit);
    // Another program adds a row meanwhile.
    m_fixture->addItem(QStringLiteral("Bucket"));

    named<QLineEdit>(*m_form, "ItemName")->setText(QStringLiteral("old text"));
    page->Search->click();
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Browse);
    QCOMPARE(m_fixture
                 ->scalar(QStringLiteral("SELECT \"Room ID\" FROM \"Household Inventory\" WHERE "
                                         "\"Household ID\" = ?"),
                          {lamp})
                 .toString(),
             QStringLiteral("Attic"));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->recordCount(), 3);
    QCOMPARE(currentName(Page::Household), QStringLiteral("Lamp"));
    QCOMPARE(QApplication::focusWidget(), named<QLineEdit>(*m_form, "ItemName"));
    QCOMPARE(named<QLineEdit>(*m_form, "ItemName")->selectedText(), QStringLiteral("old text"));

    ModalAnswerer boxes;
    search(QStringLiteral("buc"));
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(currentName(Page::Household), QStringLiteral("Bucket"));
}

void TestNameSearch::openingCancelsUnchangedEditOrInsert() {
    m_fixture->addItem(QStringLiteral("Lamp"));
    openForm(Page::Household);
    DBNavigator *navigator = named<widgets::DBNavigator>(*m_form, "DBNavigator1");
    navigator->clickButton(DBNavigator::nbEdit);
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Edit);
    named<QPushButton>(*m_form, "Search")->click();
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Browse);

    navigator->clickButton(DBNavigator::nbInsert);
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->recordCount(), 2);
    named<QPushButton>(*m_form, "Search")->click();
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Browse);
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->recordCount(), 1);
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT COUNT(*) FROM \"Household Inventory\"")),
             QVariant(qlonglong(1)));
}

void TestNameSearch::okPostsChangedEditBeforeSearching() {
    const qint64 lamp = m_fixture->addItem(QStringLiteral("Lamp"));
    m_fixture->addItem(QStringLiteral("Ladder"));
    openForm(Page::Household);
    records::HouseholdPage *page = named<records::HouseholdPage>(*m_form, "Household");
    page->Search->click();
    named<QLineEdit>(*m_form, "ItemName")->setText(QStringLiteral("zeb"));

    // Lamp is renamed while the box is open; OK saves it first and finds it
    // under its new name.
    page->DBEdit3->setFocus();
    page->DBEdit3->selectAll();
    QTest::keyClicks(page->DBEdit3, QStringLiteral("Zebra"));
    ModalAnswerer boxes;
    QTest::mouseClick(named<QPushButton>(*m_form, "btnOK"), Qt::LeftButton);
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Browse);
    QCOMPARE(currentName(Page::Household), QStringLiteral("Zebra"));
    QCOMPARE(m_fixture
                 ->scalar(QStringLiteral("SELECT \"Item Name\" FROM \"Household Inventory\" WHERE "
                                         "\"Household ID\" = ?"),
                          {lamp})
                 .toString(),
             QStringLiteral("Zebra"));

    // The old name is gone from the search as well.
    search(QStringLiteral("lamp"));
    QCOMPARE(boxes.texts(), QStringList{kNotFound});

    // A new record typed in and still being inserted is posted and found.
    page->DBNavigator1->clickButton(DBNavigator::nbInsert);
    page->DBEdit3->setFocus();
    QTest::keyClicks(page->DBEdit3, QStringLiteral("Anvil"));
    named<QLineEdit>(*m_form, "ItemName")->setText(QStringLiteral("anv"));
    QTest::keyClick(page->DBEdit3, Qt::Key_Return); // Enter in a page field runs the search
    QCOMPARE(boxes.texts(), QStringList{kNotFound});
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Browse);
    QCOMPARE(currentName(Page::Household), QStringLiteral("Anvil"));
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT COUNT(*) FROM \"Household Inventory\"")),
             QVariant(qlonglong(3)));
}

void TestNameSearch::enterRunsSearchWhileBoxShows_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("boxOpen");
    QTest::addColumn<bool>("searched");
    QTest::newRow("Enter in ItemName") << "ItemName" << int(Qt::Key_Enter) << true << true;
    QTest::newRow("Return in ItemName") << "ItemName" << int(Qt::Key_Return) << true << true;
    QTest::newRow("Return in a page field") << "DBEdit16" << int(Qt::Key_Return) << true << true;
    QTest::newRow("Return in the count box") << "Edit2" << int(Qt::Key_Return) << true << true;
    QTest::newRow("Return in the memo") << "DBMemo1" << int(Qt::Key_Return) << true << false;
    QTest::newRow("box closed") << "DBEdit16" << int(Qt::Key_Return) << false << false;
}

void TestNameSearch::enterRunsSearchWhileBoxShows() {
    QFETCH(QString, where);
    QFETCH(int, key);
    QFETCH(bool, boxOpen);
    QFETCH(bool, searched);
    m_fixture->exec(
        QStringLiteral("INSERT INTO \"People\" (\"First Name\") VALUES ('Ann'), ('Bob')"));
    openForm(Page::People);
    named<QPushButton>(*m_form, "LookUp")->click();
    named<QLineEdit>(*m_form, "ItemName")->setText(QStringLiteral("bo"));
    if (!boxOpen)
        named<QPushButton>(*m_form, "SearchClose")->click();
    QWidget *target = m_form->findChild<QWidget *>(where);
    QVERIFY(target);
    target->setFocus();
    ModalAnswerer boxes;
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(currentName(Page::People), searched ? QStringLiteral("Bob") : QStringLiteral("Ann"));
    QCOMPARE(named<QGroupBox>(*m_form, "Searching")->isVisible(), boxOpen);
}

void TestNameSearch::enterInGridCellNeverSearches() {
    m_fixture->exec(
        QStringLiteral("INSERT INTO \"People\" (\"First Name\") VALUES ('Ann'), ('Bob')"));
    openForm(Page::People);
    named<QPushButton>(*m_form, "LookUp")->click();
    named<QLineEdit>(*m_form, "ItemName")->setText(QStringLiteral("bo"));
    widgets::DBGrid *grid = named<widgets::DBGrid>(*m_form, "DBGrid2");
    const QModelIndex cell = grid->model()->index(0, 4); // Ann's Last Name
    grid->setFocus();
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    QVERIFY(grid->isAncestorOf(editor));
    QTest::keyClicks(editor, QStringLiteral("Smith"));
    ModalAnswerer boxes;
    QTest::keyClick(editor, Qt::Key_Return);
    // The cell editor hands its text over once the key has been handled.
    QTRY_COMPARE(named<data::TableObject>(*m_form, "ADOTable2")
                     ->fieldByName(QStringLiteral("Last Name"))
                     ->asString(),
                 QStringLiteral("Smith"));
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(currentName(Page::People), QStringLiteral("Ann"));
}

void TestNameSearch::enterOnPushButtonClicksThatButton() {
    m_fixture->exec(
        QStringLiteral("INSERT INTO \"People\" (\"First Name\") VALUES ('Ann'), ('Bob')"));
    openForm(Page::People);
    named<QPushButton>(*m_form, "LookUp")->click();
    named<QLineEdit>(*m_form, "ItemName")->setText(QStringLiteral("bo"));
    ModalAnswerer boxes;
    named<QPushButton>(*m_form, "SearchClose")->setFocus();
    QTest::keyClick(named<QPushButton>(*m_form, "SearchClose"), Qt::Key_Return);
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(currentName(Page::People), QStringLiteral("Ann"));
    QVERIFY(named<QGroupBox>(*m_form, "Searching")->isHidden());
}

void TestNameSearch::closeAndEscape() {
    m_fixture->addItem(QStringLiteral("Lamp"));
    m_fixture->addItem(QStringLiteral("Ladder"));
    openForm(Page::Household);
    named<QPushButton>(*m_form, "Search")->click();
    search(QStringLiteral("lad"));
    QTest::keyClick(named<QLineEdit>(*m_form, "ItemName"), Qt::Key_Escape);
    QVERIFY(named<QGroupBox>(*m_form, "Searching")->isVisible());
    QTest::mouseClick(named<QPushButton>(*m_form, "SearchClose"), Qt::LeftButton);
    QVERIFY(named<QGroupBox>(*m_form, "Searching")->isHidden());
    QCOMPARE(currentName(Page::Household), QStringLiteral("Ladder"));
    // Reopened: the earlier text is there, selected, and replaced by typing.
    named<QToolButton>(*m_form, "ToolSearch")->click();
    QCOMPARE(named<QLineEdit>(*m_form, "ItemName")->selectedText(), QStringLiteral("lad"));
    QTest::keyClicks(named<QLineEdit>(*m_form, "ItemName"), QStringLiteral("la"));
    QCOMPARE(named<QLineEdit>(*m_form, "ItemName")->text(), QStringLiteral("la"));
}

void TestNameSearch::switchingToPeopleSearchesPeople() {
    m_fixture->addItem(QStringLiteral("Lamp"));
    m_fixture->addItem(QStringLiteral("Bobbin"));
    m_fixture->exec(
        QStringLiteral("INSERT INTO \"People\" (\"First Name\") VALUES ('Ann'), ('Bob')"));
    openForm(Page::Household);
    named<QPushButton>(*m_form, "Search")->click();
    pageControl(*m_form)->setCurrentPage(Page::People);
    QVERIFY(named<QGroupBox>(*m_form, "Searching")->isVisible());
    ModalAnswerer boxes;
    search(QStringLiteral("bo"));
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(currentName(Page::People), QStringLiteral("Bob"));
    QCOMPARE(currentName(Page::Household), QStringLiteral("Lamp"));
    // And back: the same text now searches the items.
    pageControl(*m_form)->setCurrentPage(Page::Household);
    QVERIFY(named<QGroupBox>(*m_form, "Searching")->isVisible());
    search(QStringLiteral("bo"));
    QCOMPARE(currentName(Page::Household), QStringLiteral("Bobbin"));
    QCOMPARE(currentName(Page::People), QStringLiteral("Bob"));
}

void TestNameSearch::labelStandsClearOfTheButtons() {
    openForm(Page::Household);
    m_form->findChild<QPushButton *>(QStringLiteral("Search"))->click();
    auto *box = m_form->findChild<QGroupBox *>(QStringLiteral("Searching"));
    QVERIFY(box && box->isVisible());
    auto *label = box->findChild<QLabel *>(QStringLiteral("Label13"));
    QVERIFY(label);
    const int textRight = label->x() + QFontMetrics(label->font()).horizontalAdvance(label->text());
    for (const char *name : {"btnOK", "SearchClose"}) {
        const QRect button = box->findChild<QPushButton *>(QLatin1String(name))->geometry();
        QVERIFY2(!label->geometry().intersects(button), name);
        QVERIFY2(textRight < button.left(), name);
    }
    // The box's controls are in the window's face, not bold like its caption.
    for (QWidget *control : box->findChildren<QWidget *>()) {
        QCOMPARE(QFontInfo(control->font()).family(), QFontInfo(m_form->font()).family());
        QVERIFY(!control->font().bold());
    }
}

QTEST_MAIN(TestNameSearch)
#include "tst_namesearch.moc"

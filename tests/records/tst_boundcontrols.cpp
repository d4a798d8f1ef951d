#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "records/HouseholdPage.h"
#include "records/PeoplePage.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBComboBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBMemo.h"
#include "widgets/DBNavigator.h"
#include "widgets/PageControl.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using widgets::Page;

using widgets::DBNavigator;

class TestBoundControls : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void textWidthIsEnforced();
    void readOnlyKeyNeverStartsAnEdit();
    void badDateIsRefusedAndKeepsFocus();
    void datesAndPricesShowAsTheDataLayerDoes();
    void escapeRestoresTheField();
    void checkBoxCyclesAndWrites();
    void comboBoxPicksAndTypes();
    void memoWritesOnFocusOut();
    void gridCellsAndModel();
    void gridEditsInPlaceAndDeletesWithCtrlDelete();

private:
    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<app::TForm1> m_form;
    void openForm();
};

void TestBoundControls::init() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_fixture = std::make_unique<DataFixture>();
}

void TestBoundControls::cleanup() {
    m_form.reset();
    m_fixture.reset();
    app::lifetime::reset();
}

void TestBoundControls::openForm() {
    m_form = std::make_unique<app::TForm1>(m_fixture->directory());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestBoundControls::textWidthIsEnforced() {
    m_fixture->addItem(QStringLiteral("Lamp"));
    openForm();
    pageControl(*m_form)->setCurrentPage(Page::Household);
    widgets::DBEdit *name = named<widgets::DBEdit>(*m_form, "DBEdit3");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QString(51, QLatin1Char('n')));
    QCOMPARE(name->text().size(), 50);
    named<widgets::DBNavigator>(*m_form, "DBNavigator1")->clickButton(DBNavigator::nbPost);
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT \"Item Name\" FROM \"Household Inventory\""))
                 .toString(),
             QString(50, QLatin1Char('n')));
}

void TestBoundControls::readOnlyKeyNeverStartsAnEdit() {
    m_fixture->addItem(QStringLiteral("Lamp"));
    openForm();
    pageControl(*m_form)->setCurrentPage(Page::Household);
    widgets::DBEdit *key = named<widgets::DBEdit>(*m_form, "DBEdit1");
    QVERIFY(key->isReadOnly());
    QVERIFY(key->alignment() & Qt::AlignRight);
    key->setFocus();
    QTest::keyClicks(key, QStringLiteral("99"));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Browse);
    QCOMPARE(key->text(), QStringLiteral("1"));

    // A new record shows no number until posted, and an indeterminate check box.
    named<widgets::DBNavigator>(*m_form, "DBNavigator1")->clickButton(DBNavigator::nbInsert);
    QCOMPARE(key->text(), QString());
    QCOMPARE(named<widgets::DBCheckBox>(*m_form, "DBCheckBox1")->checkState(),
             Qt::PartiallyChecked);
    named<data::TableObject>(*m_form, "ADOTable1")
        ->fieldByName(QStringLiteral("Item Name"))
        ->setAsString("Chair");
    named<widgets::DBNavigator>(*m_form, "DBNavigator1")->clickButton(DBNavigator::nbPost);
    QCOMPARE(key->text(), QStringLiteral("2"));
}

void TestBoundControls::badDateIsRefusedAndKeepsFocus() {
    m_fixture->addItem(QStringLiteral("Lamp"));
    openForm();
    pageControl(*m_form)->setCurrentPage(Page::Household);
    ModalAnswerer boxes;
    widgets::DBEdit *date = named<widgets::DBEdit>(*m_form, "DBEdit9");
    date->setFocus();
    QTest::keyClicks(date, QStringLiteral("13/45/2020"));
    named<widgets::DBEdit>(*m_form, "DBEdit10")->setFocus();
    QTRY_COMPARE(boxes.texts(),
                 QStringList{QStringLiteral("'13/45/2020' is not a valid date and time.")});
    QTRY_COMPARE(m_form->focusWidget(), date);
    QCOMPARE(date->selectedText(), QStringLiteral("13/45/2020"));

    // Bad text also stops a post: the record stays in edit, nothing is written.
    boxes.clear();
    named<widgets::DBNavigator>(*m_form, "DBNavigator1")->clickButton(DBNavigator::nbPost);
    QCOMPARE(boxes.texts().size(), 1);
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Edit);

    date->selectAll();
    QTest::keyClicks(date, QStringLiteral("3/4/2020"));
    named<widgets::DBNavigator>(*m_form, "DBNavigator1")->clickButton(DBNavigator::nbPost);
    QCOMPARE(
        m_fixture->scalar(QStringLiteral("SELECT \"Date Purchased\" FROM \"Household Inventory\""))
            .toString()
            .left(10),
        QStringLiteral("2020-03-04"));

    // Emptying the field clears the date.
    date->setFocus();
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Delete);
    named<widgets::DBNavigator>(*m_form, "DBNavigator1")->clickButton(DBNavigator::nbPost);
    QVERIFY(
        m_fixture->scalar(QStringLiteral("SELECT \"Date Purchased\" FROM \"Household Inventory\""))
            .isNull());
}

void TestBoundControls::datesAndPricesShowAsTheDataLayerDoes() {
    m_fixture->exec(QStringLiteral("INSERT INTO \"Household Inventory\" (\"Item Name\", "
                                   "\"Date Purchased\", \"Purchase Price\") VALUES "
                                   "('Lamp', '2003-01-02T00:00:00', 125000), "
                                   "('Desk', '2003-01-02T14:30:00', 12000000)"));
    openForm();
    QCOMPARE(named<widgets::DBEdit>(*m_form, "DBEdit11")->text(), QStringLiteral("12.5"));
    QCOMPARE(named<widgets::DBEdit>(*m_form, "DBEdit9")->text(), QStringLiteral("1/2/2003"));
    QVERIFY(named<widgets::DBEdit>(*m_form, "DBEdit11")->alignment() & Qt::AlignRight);
    named<data::TableObject>(*m_form, "ADOTable1")->next();
    QCOMPARE(named<widgets::DBEdit>(*m_form, "DBEdit11")->text(), QStringLiteral("1200"));
    QVERIFY2(
        named<widgets::DBEdit>(*m_form, "DBEdit9")->text().startsWith(QStringLiteral("1/2/2003 ")),
        qPrintable(named<widgets::DBEdit>(*m_form, "DBEdit9")->text()));
}

void TestBoundControls::escapeRestoresTheField() {
    m_fixture->addItem(QStringLiteral("Lamp"));
    openForm();
    widgets::DBEdit *name = named<widgets::DBEdit>(*m_form, "DBEdit3");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Chair"));
    QTest::keyClick(name, Qt::Key_Escape);
    QCOMPARE(name->text(), QStringLiteral("Lamp"));
    named<widgets::DBNavigator>(*m_form, "DBNavigator1")->clickButton(DBNavigator::nbPost);
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT \"Item Name\" FROM \"Household Inventory\""))
                 .toString(),
             QStringLiteral("Lamp"));
}

void TestBoundControls::checkBoxCyclesAndWrites() {
    m_fixture->addItem(QStringLiteral("Lamp"));
    openForm();
    widgets::DBCheckBox *insured = named<widgets::DBCheckBox>(*m_form, "DBCheckBox1");
    QCOMPARE(insured->checkState(), Qt::PartiallyChecked);
    QTest::mouseClick(insured, Qt::LeftButton);
    QCOMPARE(insured->checkState(), Qt::Checked);
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->state(),
             data::TableObject::State::Edit);
    QTest::mouseClick(insured, Qt::LeftButton);
    QCOMPARE(insured->checkState(), Qt::Unchecked);
    QTest::mouseClick(insured, Qt::LeftButton);
    QCOMPARE(insured->checkState(), Qt::Checked);
    named<widgets::DBNavigator>(*m_form, "DBNavigator1")->clickButton(DBNavigator::nbPost);
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT \"Insured\" FROM \"Household Inventory\"")),
             QVariant(qlonglong(1)));
    QCOMPARE(named<widgets::DBGrid>(*m_form, "DBGrid1")->tableModel()->cellText(0, 11),
             QStringLiteral("True"));
}

void TestBoundControls::comboBoxPicksAndTypes() {
    m_fixture->exec(QStringLiteral(
        "INSERT INTO \"People\" (\"First Name\", \"Suffix\") VALUES ('Ann', 'Esq')"));
    openForm();
    pageControl(*m_form)->setCurrentPage(Page::People);
    records::PeoplePage *page = named<records::PeoplePage>(*m_form, "People");
    QCOMPARE(page->DBComboBox2->currentText(), QStringLiteral("Esq"));
    QStringList titles;
    for (int i = 0; i < page->DBComboBox1->count(); ++i)
        titles << page->DBComboBox1->itemText(i);
    QCOMPARE(titles, QStringList({"Mr.", "Mrs.", "Ms.", "Dr.", "Capt"}));

    page->DBComboBox1->setFocus();
    emit page->DBComboBox1->activated(3);
    QCOMPARE(page->DBComboBox1->currentText(), QStringLiteral("Dr."));
    page->DBNavigator3->clickButton(DBNavigator::nbPost);
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT \"Title\" FROM \"People\"")).toString(),
             QStringLiteral("Dr."));

    page->DBComboBox1->lineEdit()->selectAll();
    QTest::keyClicks(page->DBComboBox1->lineEdit(), QStringLiteral("Reverend"));
    QCOMPARE(page->DBComboBox1->currentText(), QStringLiteral("Rever")); // column width 5
    page->DBNavigator3->clickButton(DBNavigator::nbPost);
    QCOMPARE(m_fixture->scalar(QStringLiteral("SELECT \"Title\" FROM \"People\"")).toString(),
             QStringLiteral("Rever"));
}

void TestBoundControls::memoWritesOnFocusOut() {
    m_fixture->exec(QStringLiteral("INSERT INTO \"People\" (\"First Name\") VALUES ('Ann')"));
    openForm();
    pageControl(*m_form)->setCurrentPage(Page::People);
    records::PeoplePage *page = named<records::PeoplePage>(*m_form, "People");
    QCOMPARE(page->DBGrid2->tableModel()->cellText(0, 15), QStringLiteral("(Memo)"));
    page->DBMemo1->setFocus();
    QTest::keyClicks(page->DBMemo1, QStringLiteral("Likes tea"));
    page->DBEdit14->setFocus();
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable2")
                 ->fieldByName(QStringLiteral("Notes"))
                 ->asString(),
             QStringLiteral("Likes tea"));
    page->DBNavigator3->clickButton(DBNavigator::nbPost);
    QCOMPARE(page->DBGrid2->tableModel()->cellText(0, 15), QStringLiteral("(MEMO)"));
}

void TestBoundControls::gridCellsAndModel() {
    m_fixture->addItem(QStringLiteral("Lamp"), QByteArray("\xFF\xD8 picture", 10));
    m_fixture->addItem(QStringLiteral("Desk"));
    openForm();
    widgets::DBGrid *grid = named<widgets::DBGrid>(*m_form, "DBGrid1");
    QAbstractItemModelTester tester(grid->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(grid->model()->headerData(6, Qt::Horizontal).toString(),
             QStringLiteral("Mode lNumber"));
    QCOMPARE(grid->columnWidth(4), 300);
    QCOMPARE(grid->tableModel()->cellText(0, 12), QStringLiteral("(BLOB)"));
    QCOMPARE(grid->tableModel()->cellText(1, 12), QStringLiteral("(Blob)"));
    QVERIFY(grid->model()->data(grid->model()->index(0, 2), Qt::FontRole).value<QFont>().bold());

    // Rows inserted, posted and deleted through the navigator reach the model.
    DBNavigator *nav = named<widgets::DBNavigator>(*m_form, "DBNavigator1");
    nav->clickButton(DBNavigator::nbInsert);
    QCOMPARE(grid->model()->rowCount(), 3);
    nav->clickButton(DBNavigator::nbCancel);
    QCOMPARE(grid->model()->rowCount(), 2);
    ModalAnswerer boxes;
    nav->clickButton(DBNavigator::nbDelete);
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(grid->currentIndex().row(),
             named<data::TableObject>(*m_form, "ADOTable1")->currentIndex());
}

void TestBoundControls::gridEditsInPlaceAndDeletesWithCtrlDelete() {
    m_fixture->addItem(QStringLiteral("Lamp"));
    m_fixture->addItem(QStringLiteral("Desk"));
    openForm();
    widgets::DBGrid *grid = named<widgets::DBGrid>(*m_form, "DBGrid1");
    QVERIFY(grid->model()->setData(grid->model()->index(1, 1), QStringLiteral("Hall")));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->currentIndex(), 1);
    named<data::TableObject>(*m_form, "ADOTable1")->first(); // the move posts the edit
    QCOMPARE(m_fixture
                 ->scalar(QStringLiteral("SELECT \"Room ID\" FROM \"Household Inventory\" "
                                         "WHERE \"Item Name\" = 'Desk'"))
                 .toString(),
             QStringLiteral("Hall"));
    QVERIFY(!(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable));

    ModalAnswerer boxes;
    boxes.queue(QMessageBox::Cancel);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->recordCount(), 2);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(boxes.texts(), QStringList({"Delete record?", "Delete record?"}));
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable1")->recordCount(), 1);
}

QTEST_MAIN(TestBoundControls)
#include "tst_boundcontrols.moc"

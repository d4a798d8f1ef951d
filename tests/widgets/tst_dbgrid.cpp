#include "tests/widgets/BoundTable.h"
#include "widgets/DBGrid.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QtTest>

using widgets::DBGrid;
using widgets::TableModel;

class TestDBGrid : public QObject {
    Q_OBJECT
private slots:
    void editorTakesWhatTheColumnHolds();
    void aCellShowsTheStartOfALongValue();
};

namespace {

const QString kName = QStringLiteral("Item Name");
const QString kDescription = QStringLiteral("Description");

// A grid over the items, shown, with the name and description columns.
struct Grid {
    explicit Grid(BoundTable &items) {
        items.table->open();
        grid.setDataSource(&items.source);
        grid.setColumns({TableModel::Column{QStringLiteral("Household ID"), 68, false},
                         TableModel::Column{kName, 100, false},
                         TableModel::Column{kDescription, 300, false}});
        grid.resize(500, 200);
        grid.show();
    }
    QModelIndex cell(int row, const QString &column) const {
        for (int c = 0; c < grid.model()->columnCount(); ++c) {
            if (grid.tableModel()->columns()[c].name == column)
                return grid.model()->index(row, c);
        }
        return {};
    }
    QLineEdit *startEditing(const QModelIndex &index) {
        grid.setCurrentIndex(index);
        grid.edit(index);
        return qobject_cast<QLineEdit *>(grid.indexWidget(index));
    }
    DBGrid grid;
};

QString letters(int length) {
    QString text;
    for (int i = 0; i < length; ++i)
        text += QChar(u'a' + i % 26);
    return text;
}

} // namespace

void TestDBGrid::editorTakesWhatTheColumnHolds() {
    BoundTable items(data::TableId::HouseholdInventory);
    items.fixture->addItem(QStringLiteral("Lamp"));
    // A damaged file may hold more than the column's width; the grid must not cut it
    // unasked.
    const QString tooLong = letters(300);
    items.fixture->exec(QStringLiteral("INSERT INTO \"Household Inventory\" (\"Item Name\", "
                                       "\"Description\") VALUES ('Desk', ?)"),
                        {tooLong});
    Grid view(items);

    QLineEdit *editor = view.startEditing(view.cell(0, kName));
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, letters(64));
    QCOMPARE(editor->text(), letters(50));
    QTest::keyClick(editor, Qt::Key_Return); // commits once the editor has seen the key
    QTRY_COMPARE(items.stored(kName), letters(50));
    items.table->post();
    QCOMPARE(items.fixture
                 ->scalar(QStringLiteral("SELECT \"Item Name\" FROM "
                                         "\"Household Inventory\" WHERE rowid = 1"))
                 .toString(),
             letters(50));

    // An editor opened on the long value and left without typing changes nothing.
    editor = view.startEditing(view.cell(1, kDescription));
    QVERIFY(editor);
    QCOMPARE(editor->maxLength(), 255);
    QTest::keyClick(editor, Qt::Key_Tab);
    QTRY_VERIFY(!view.grid.indexWidget(view.cell(1, kDescription)));
    QCOMPARE(items.table->state(), data::TableObject::State::Browse);
    QCOMPARE(items.table->value(1, items.table->fieldByName(kDescription)->index()).toString(),
             tooLong);

    // Typed into, it is cut to the column as the edit fields cut it.
    editor = view.startEditing(view.cell(1, kDescription));
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(items.stored(kDescription), tooLong.left(254));
}

void TestDBGrid::aCellShowsTheStartOfALongValue() {
    BoundTable items(data::TableId::HouseholdInventory);
    const QString text = letters(200000);
    const QString insert = QStringLiteral("INSERT INTO \"Household Inventory\" (\"Item Name\", "
                                          "\"Description\") VALUES ('x', ?)");
    items.fixture->exec(insert, {text});
    items.fixture->exec(insert, {text.left(1000)});
    items.fixture->exec(insert, {text.left(20)});
    Grid view(items);
    // The reference paints its cells whole, as a plain item view does.
    Grid whole(items);
    whole.grid.setItemDelegate(new QStyledItemDelegate(&whole.grid));
    auto cellImage = [](Grid &grid, int row) {
        grid.grid.setCurrentIndex(grid.cell(0, kName));
        const QImage shot = grid.grid.viewport()->grab().toImage();
        return shot.copy(grid.grid.visualRect(grid.cell(row, kDescription)));
    };
    QVERIFY(QTest::qWaitForWindowExposed(&view.grid));
    QCOMPARE(cellImage(view, 0), cellImage(whole, 1));
    QVERIFY(cellImage(view, 0) != cellImage(view, 2)); // the comparison sees the text
}

QTEST_MAIN(TestDBGrid)
#include "tst_dbgrid.moc"

#include "tests/data/DataFixture.h"

#include "data/DataSource.h"
#include "data/Error.h"
#include "data/TableFactory.h"

#include <QSignalSpy>
#include <QTest>

using data::DataSource;
using data::Field;
using data::TableFactory;
using data::TableId;
using data::TableObject;
using State = TableObject::State;

namespace {

const QString kItems = QStringLiteral("\"Household Inventory\"");

// A household table with `names` as items, and its data source.
struct Env {
    explicit Env(const QStringList &names = {}) {
        for (const QString &name : names)
            fixture.addItem(name);
        connection = fixture.connect();
        table.reset(TableFactory::create(TableId::HouseholdInventory, QStringLiteral("ADOTable1"),
                                         connection.get(), nullptr));
        source.setObjectName(QStringLiteral("DataSource1"));
        source.setDataSet(table.get());
    }
    Field *name() const { return table->fieldByName(QStringLiteral("Item Name")); }
    qint64 fileCount() const {
        return fixture.scalar(QStringLiteral("SELECT count(*) FROM ") + kItems).toLongLong();
    }
    QString fileName(qint64 key) const {
        return fixture
            .scalar(QStringLiteral(R"(SELECT "Item Name" FROM )") + kItems +
                        QStringLiteral(R"( WHERE "Household ID" = ?)"),
                    {key})
            .toString();
    }

    DataFixture fixture{[] {
        tools::PrepareOptions o;
        o.helpTexts = false;
        return o;
    }()};
    std::unique_ptr<data::Connection> connection;
    std::unique_ptr<TableObject> table;
    DataSource source;
};

// Row and flags as one text: "1", "0B", "2E", "-1BE".
QString where(const TableObject &t) {
    return QString::number(t.currentIndex()) + (t.bof() ? QStringLiteral("B") : QString()) +
           (t.eof() ? QStringLiteral("E") : QString());
}

void run(TableObject &t, const QString &op) {
    if (op == QLatin1String("open"))
        t.open();
    else if (op == QLatin1String("first"))
        t.first();
    else if (op == QLatin1String("prior"))
        t.prior();
    else if (op == QLatin1String("next"))
        t.next();
    else if (op == QLatin1String("last"))
        t.last();
    else if (op.startsWith(QLatin1String("by")))
        t.moveBy(op.mid(2).toInt());
    else if (op.startsWith(QLatin1String("to")))
        t.moveTo(op.mid(2).toInt());
    else
        qFatal("unknown op %s", qPrintable(op));
}

} // namespace

class TestTableObject : public QObject {
    Q_OBJECT
private slots:
    void movesAndFlags_data();
    void movesAndFlags();
    void notificationsPerOperation();
    void flagChangeWithoutMoveIsReported();
    void noNotificationsWhileControlsDisabled();
    void updateDataComesBeforeEveryPost();
    void moveAfterModifiedEditPosts();
    void moveAfterUnchangedEditOrInsertCancels();
    void editOnEmptyTableStartsNewRow();
    void insertAppendsAndCancelReturns();
    void removeKeepsPositionAndRefusesEmpty();
    void bookmarksReturnToTheRow();
    void refreshReadsAgainAndStays();
    void openCloseAreIdempotentAndCloseDiscards();
    void refusedPostKeepsState();
    void refusedRemoveKeepsRow();
    void fieldsFollowTheSchema();
    void undeclaredFieldsComeFromTheFile();
    void modelSignalsTrackRows();
};

void TestTableObject::movesAndFlags_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<QStringList>("expected");
    const QStringList all{QStringLiteral("open"),  QStringLiteral("next"), QStringLiteral("prior"),
                          QStringLiteral("first"), QStringLiteral("last"), QStringLiteral("by3"),
                          QStringLiteral("by-3")};
    QTest::newRow("empty") << 0 << all << QStringList(all.size(), QStringLiteral("-1BE"));
    QTest::newRow("one row") << 1 << QStringList{"open", "next", "prior", "first", "last", "by-1"}
                             << QStringList{"0B", "0BE", "0BE", "0BE", "0BE", "0BE"};
    QTest::newRow("one row, last first") << 1 << QStringList{"open", "last", "first", "next"}
                                         << QStringList{"0B", "0BE", "0BE", "0BE"};
    QTest::newRow("three rows stepping")
        << 3 << QStringList{"open", "next", "next", "next", "prior", "first", "prior", "last"}
        << QStringList{"0B", "1", "2", "2E", "1", "0B", "0B", "2E"};
    QTest::newRow("three rows by")
        << 3 << QStringList{"open", "by-5", "by2", "by1", "by-2", "by-1", "by5", "by0"}
        << QStringList{"0B", "0B", "2", "2E", "0", "0B", "2E", "2E"};
    QTest::newRow("three rows to") << 3 << QStringList{"open", "to2", "to0", "to1", "last", "to2"}
                                   << QStringList{"0B", "2", "0", "1", "2E", "2E"};
}

void TestTableObject::movesAndFlags() {
    QFETCH(int, rows);
    QFETCH(QStringList, ops);
    QFETCH(QStringList, expected);
    QStringList names;
    for (int i = 0; i < rows; ++i)
        names << QStringLiteral("item %1").arg(i);
    Env env(names);
    QStringList seen;
    for (const QString &op : ops) {
        run(*env.table, op);
        seen << where(*env.table);
    }
    QCOMPARE(seen, expected);
}

void TestTableObject::notificationsPerOperation() {
    Env env({QStringLiteral("a"), QStringLiteral("b")});
    QSignalSpy data(&env.source, &DataSource::dataChange);
    QSignalSpy state(&env.source, &DataSource::stateChange);
    auto expect = [&](const char *what, int dataCount, int stateCount) {
        QVERIFY2(data.count() == dataCount,
                 qPrintable(QStringLiteral("%1: %2 data changes").arg(what).arg(data.count())));
        QVERIFY2(state.count() == stateCount,
                 qPrintable(QStringLiteral("%1: %2 state changes").arg(what).arg(state.count())));
        for (const auto &args : std::as_const(data)) {
            if (qstrcmp(what, "set field") != 0)
                QCOMPARE(args.at(0).value<Field *>(), nullptr);
        }
        data.clear();
        state.clear();
    };
    env.table->open();
    expect("open", 1, 1);
    env.table->open();
    expect("open again", 0, 0);
    env.table->next();
    expect("next", 1, 0);
    env.table->edit();
    expect("edit", 1, 1);
    env.name()->setValue(QStringLiteral("bb"));
    QCOMPARE(data.count(), 1);
    QCOMPARE(data.at(0).at(0).value<Field *>(), env.name());
    expect("set field", 1, 0);
    env.table->post();
    expect("post", 1, 1);
    env.table->edit();
    env.table->cancel();
    expect("edit and cancel", 2, 2);
    env.table->insert();
    expect("insert", 1, 1);
    env.table->cancel();
    expect("cancel insert", 1, 1);
    env.table->refresh();
    expect("refresh", 1, 0);
    env.table->remove();
    expect("remove", 1, 0);
    env.table->close();
    expect("close", 0, 1);
    env.table->close();
    expect("close again", 0, 0);
}

void TestTableObject::flagChangeWithoutMoveIsReported() {
    // The navigator enables its buttons from the flags: a Next that runs into
    // the end changes no row but must still be reported; one more does not.
    Env env({QStringLiteral("a")});
    env.table->open();
    QSignalSpy data(&env.source, &DataSource::dataChange);
    env.table->next();
    QCOMPARE(data.count(), 1);
    env.table->next();
    QCOMPARE(data.count(), 1);
}

void TestTableObject::noNotificationsWhileControlsDisabled() {
    Env env({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    env.table->open();
    env.table->last();
    QSignalSpy data(&env.source, &DataSource::dataChange);
    QSignalSpy state(&env.source, &DataSource::stateChange);
    QSignalSpy current(env.table.get(), &TableObject::currentRowChanged);

    const data::Bookmark mark = env.table->bookmark();
    env.table->disableControls();
    env.table->disableControls();
    env.table->first();
    env.table->edit();
    env.name()->setValue(QStringLiteral("secret"));
    env.table->post();
    env.table->enableControls();
    env.table->gotoBookmark(mark);
    QCOMPARE(data.count(), 0);
    QCOMPARE(state.count(), 0);
    QCOMPARE(current.count(), 0);
    QVERIFY(env.table->controlsDisabled());
    env.table->enableControls();
    QVERIFY(!env.table->controlsDisabled());
    QCOMPARE(data.count(), 1);
    QCOMPARE(data.at(0).at(0).value<Field *>(), nullptr);
    QCOMPARE(state.count(), 0);   // back in Browse, as before
    QCOMPARE(current.count(), 0); // back on the same row
    QCOMPARE(env.table->currentIndex(), 2);
    QCOMPARE(env.table->displayText(0, env.name()->index()), QStringLiteral("secret"));

    // A state left different is reported once on resuming.
    env.table->disableControls();
    env.table->edit();
    env.table->enableControls();
    QCOMPARE(state.count(), 1);
    QCOMPARE(data.count(), 2);
}

void TestTableObject::updateDataComesBeforeEveryPost() {
    Env env({QStringLiteral("a"), QStringLiteral("b")});
    env.table->open();
    // A control with pending text writes it when asked.
    QString pending;
    QObject::connect(&env.source, &DataSource::updateData, &env.source, [&] {
        if (!pending.isEmpty())
            env.name()->setAsString(std::exchange(pending, QString()));
    });
    env.table->edit();
    pending = QStringLiteral("typed");
    env.table->post();
    QCOMPARE(env.fileName(env.table->bookmark().key), QStringLiteral("typed"));

    // An edit that only the control knows of is posted, not dropped, by a move.
    const qint64 key = env.table->bookmark().key;
    env.table->edit();
    pending = QStringLiteral("typed again");
    env.table->next();
    QCOMPARE(env.fileName(key), QStringLiteral("typed again"));
    QCOMPARE(env.table->state(), State::Browse);
}

void TestTableObject::moveAfterModifiedEditPosts() {
    Env env({QStringLiteral("a"), QStringLiteral("b")});
    env.table->open();
    const qint64 key = env.table->bookmark().key;
    env.name()->setValue(QStringLiteral("changed")); // starts the edit itself
    QCOMPARE(env.table->state(), State::Edit);
    QVERIFY(env.table->isModified());
    QCOMPARE(env.fileName(key), QStringLiteral("a"));
    env.table->next();
    QCOMPARE(env.table->state(), State::Browse);
    QCOMPARE(env.fileName(key), QStringLiteral("changed"));
    QCOMPARE(env.table->currentIndex(), 1);
    QVERIFY(env.table->locate(QStringLiteral("Item Name"), QStringLiteral("chan")));
    QCOMPARE(env.table->currentIndex(), 0);
}

void TestTableObject::moveAfterUnchangedEditOrInsertCancels() {
    Env env({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    env.table->open();
    env.table->next();
    env.table->edit();
    env.table->next();
    QCOMPARE(env.table->state(), State::Browse);
    QCOMPARE(env.table->currentIndex(), 2);

    env.table->insert();
    QCOMPARE(env.table->recordCount(), 4);
    env.table->prior(); // drops the untouched new row, then moves from row 2
    QCOMPARE(env.table->state(), State::Browse);
    QCOMPARE(env.table->recordCount(), 3);
    QCOMPARE(env.fileCount(), 3);
    QCOMPARE(env.table->currentIndex(), 1);

    env.table->insert();
    env.table->refresh();
    QCOMPARE(env.fileCount(), 3);
    env.table->insert();
    QVERIFY(!env.table->locate(QStringLiteral("Item Name"), QStringLiteral("zzz")));
    QCOMPARE(env.fileCount(), 3);
    QCOMPARE(env.table->state(), State::Browse);
}

void TestTableObject::editOnEmptyTableStartsNewRow() {
    Env env;
    env.table->open();
    QVERIFY(env.table->isEmpty());
    env.table->edit();
    QCOMPARE(env.table->state(), State::Insert);
    QCOMPARE(env.table->recordCount(), 1);
    env.name()->setValue(QStringLiteral("first"));
    env.table->post();
    QCOMPARE(env.fileCount(), 1);
    const Field *key = env.table->fieldByName(QStringLiteral("Household ID"));
    QVERIFY(!key->isNull());
    QCOMPARE(env.fileName(key->value().toLongLong()), QStringLiteral("first"));
    QVERIFY(!env.table->bof() && !env.table->eof());

    // A field set on an empty table starts the new row as well.
    Env other;
    other.table->open();
    other.name()->setValue(QStringLiteral("typed"));
    QCOMPARE(other.table->state(), State::Insert);
}

void TestTableObject::insertAppendsAndCancelReturns() {
    Env env({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    env.table->open();
    env.table->next();
    env.table->insert();
    QCOMPARE(env.table->currentIndex(), 3);
    QVERIFY(env.name()->isNull());
    env.table->cancel();
    QCOMPARE(env.table->currentIndex(), 1);
    QCOMPARE(where(*env.table), QStringLiteral("1"));

    env.table->insert();
    env.name()->setValue(QStringLiteral("d"));
    env.table->post();
    QCOMPARE(env.table->recordCount(), 4);
    QCOMPARE(env.table->currentIndex(), 3);
    QCOMPARE(env.fileCount(), 4);
    const qint64 key = env.table->bookmark().key;
    QVERIFY(key > 3);
    QCOMPARE(env.fileName(key), QStringLiteral("d"));
    QCOMPARE(env.table->value(3, 0).toLongLong(), key);

    // Insert while editing posts the edit first.
    env.table->first();
    env.name()->setValue(QStringLiteral("A"));
    env.table->insert();
    QCOMPARE(env.fileName(1), QStringLiteral("A"));
    env.table->cancel();
}

void TestTableObject::removeKeepsPositionAndRefusesEmpty() {
    Env env({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    env.table->open();
    env.table->next();
    env.table->remove();
    QCOMPARE(env.table->recordCount(), 2);
    QCOMPARE(env.fileCount(), 2);
    QCOMPARE(env.name()->asString(), QStringLiteral("c"));
    env.table->remove();
    QCOMPARE(env.name()->asString(), QStringLiteral("a"));
    env.table->insert();
    env.table->remove(); // drops the new row only
    QCOMPARE(env.table->recordCount(), 1);
    QCOMPARE(env.fileCount(), 1);
    env.table->remove();
    QCOMPARE(where(*env.table), QStringLiteral("-1BE"));
    try {
        env.table->remove();
        QFAIL("removed from an empty table");
    } catch (const data::Error &e) {
        QCOMPARE(e.text(),
                 QStringLiteral("ADOTable1: Cannot perform this operation on an empty dataset"));
    }
}

void TestTableObject::bookmarksReturnToTheRow() {
    Env env({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    env.table->open();
    env.table->next();
    env.table->next();
    const data::Bookmark mark = env.table->bookmark();
    QVERIFY(mark.isValid());
    env.table->first();
    env.table->gotoBookmark(mark);
    QCOMPARE(env.name()->asString(), QStringLiteral("c"));

    // Rows before it vanish: the bookmark still finds its row.
    env.fixture.exec(QStringLiteral("DELETE FROM ") + kItems +
                     QStringLiteral(" WHERE \"Item Name\" = 'a'"));
    env.table->refresh();
    env.table->first();
    env.table->gotoBookmark(mark);
    QCOMPARE(env.name()->asString(), QStringLiteral("c"));

    env.fixture.exec(QStringLiteral("DELETE FROM ") + kItems +
                     QStringLiteral(" WHERE \"Item Name\" = 'c'"));
    env.table->refresh();
    QVERIFY(!env.table->bookmarkValid(mark));
    env.table->first();
    QVERIFY_THROWS_EXCEPTION(data::Error, env.table->gotoBookmark(mark));
    QCOMPARE(env.name()->asString(), QStringLiteral("b"));

    Env empty;
    empty.table->open();
    QVERIFY(!empty.table->bookmark().isValid());
}

void TestTableObject::refreshReadsAgainAndStays() {
    Env env({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    env.table->open();
    env.table->next();
    env.fixture.addItem(QStringLiteral("d"));
    env.fixture.exec(QStringLiteral("UPDATE ") + kItems +
                     QStringLiteral(" SET \"Item Name\" = 'B'"
                                    " WHERE \"Item Name\" = 'b'"));
    QCOMPARE(env.table->recordCount(), 3); // a snapshot
    QCOMPARE(env.name()->asString(), QStringLiteral("b"));
    env.table->refresh();
    QCOMPARE(env.table->recordCount(), 4);
    QCOMPARE(env.name()->asString(), QStringLiteral("B"));
    QCOMPARE(env.table->currentIndex(), 1);

    // The current row gone: the same position.
    env.fixture.exec(QStringLiteral("DELETE FROM ") + kItems +
                     QStringLiteral(" WHERE \"Item Name\" = 'B'"));
    env.table->refresh();
    QCOMPARE(env.name()->asString(), QStringLiteral("c"));

    // A modified edit is posted before reading again.
    env.name()->setValue(QStringLiteral("C"));
    env.table->refresh();
    QCOMPARE(env.table->state(), State::Browse);
    QCOMPARE(env.name()->asString(), QStringLiteral("C"));
}

void TestTableObject::openCloseAreIdempotentAndCloseDiscards() {
    Env env({QStringLiteral("a"), QStringLiteral("b")});
    env.table->open();
    env.table->next();
    env.table->open();
    QCOMPARE(env.table->currentIndex(), 1);
    env.name()->setValue(QStringLiteral("lost"));
    env.table->close();
    QCOMPARE(env.table->state(), State::Inactive);
    QCOMPARE(env.fileName(2), QStringLiteral("b"));
    QVERIFY(env.name()->value().isNull());
    QVERIFY_THROWS_EXCEPTION(data::Error, env.name()->setValue(QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(data::Error, env.table->next());
    env.table->open();
    QCOMPARE(env.table->currentIndex(), 0);
    QCOMPARE(env.table->recordCount(), 2);
}

void TestTableObject::refusedPostKeepsState() {
    Env env({QStringLiteral("a")});
    env.fixture.exec(
        QStringLiteral("CREATE TRIGGER no_insert BEFORE INSERT ON \"Household Inventory\" "
                       "BEGIN SELECT RAISE(ABORT, 'inserting is refused'); END;"
                       "CREATE TRIGGER no_update BEFORE UPDATE ON \"Household Inventory\" "
                       "BEGIN SELECT RAISE(ABORT, 'updating is refused'); END;"));
    env.table->open();
    env.table->insert();
    env.name()->setValue(QStringLiteral("new"));
    try {
        env.table->post();
        QFAIL("the post was not refused");
    } catch (const data::Error &e) {
        QCOMPARE(e.text(), QStringLiteral("inserting is refused"));
    }
    QCOMPARE(env.table->state(), State::Insert);
    QCOMPARE(env.name()->asString(), QStringLiteral("new"));
    QVERIFY(env.table->isModified());
    QCOMPARE(env.table->recordCount(), 2);
    // A move cannot leave the refused row behind either.
    QVERIFY_THROWS_EXCEPTION(data::Error, env.table->first());
    QCOMPARE(env.table->currentIndex(), 1);
    QCOMPARE(env.table->state(), State::Insert);

    env.fixture.exec(QStringLiteral("DROP TRIGGER no_insert"));
    env.table->post();
    QCOMPARE(env.fileCount(), 2);

    env.table->first();
    env.name()->setValue(QStringLiteral("edited"));
    QVERIFY_THROWS_EXCEPTION(data::Error, env.table->post());
    QCOMPARE(env.table->state(), State::Edit);
    QCOMPARE(env.name()->asString(), QStringLiteral("edited"));
    QCOMPARE(env.fileName(1), QStringLiteral("a"));
    env.table->cancel();
    QCOMPARE(env.name()->asString(), QStringLiteral("a"));
}

void TestTableObject::refusedRemoveKeepsRow() {
    Env env({QStringLiteral("a"), QStringLiteral("b")});
    env.fixture.exec(
        QStringLiteral("CREATE TRIGGER no_delete BEFORE DELETE ON \"Household Inventory\" "
                       "BEGIN SELECT RAISE(ABORT, 'deleting is refused'); END;"));
    env.table->open();
    env.table->next();
    QSignalSpy removed(env.table.get(), &TableObject::rowRemoved);
    QVERIFY_THROWS_EXCEPTION(data::Error, env.table->remove());
    QCOMPARE(removed.count(), 0);
    QCOMPARE(env.table->recordCount(), 2);
    QCOMPARE(env.name()->asString(), QStringLiteral("b"));
}

void TestTableObject::fieldsFollowTheSchema() {
    Env env;
    auto people = std::unique_ptr<TableObject>(TableFactory::create(
        TableId::People, QStringLiteral("ADOTable2"), env.connection.get(), nullptr));
    const data::TableDef &def = data::Schema::table(TableId::People);
    QCOMPARE(people->fieldCount(), def.columns.size());
    for (int i = 0; i < def.columns.size(); ++i) {
        QCOMPARE(people->field(i)->columnName(), def.columns[i].name);
        QCOMPARE(people->field(i)->type(), def.columns[i].type);
        QCOMPARE(people->field(i)->size(), def.columns[i].size);
    }
    QCOMPARE(people->field(12)->objectName(), QStringLiteral("ADOTable2Photograph"));
    QCOMPARE(env.table->field(6)->objectName(), QStringLiteral("ADOTable1ModelNumber"));
    QCOMPARE(env.table->field(6)->columnName(), QStringLiteral("Mode lNumber"));
    QCOMPARE(env.table->fieldByName(QStringLiteral("mode lnumber")), env.table->field(6));
    QVERIFY_THROWS_EXCEPTION(data::Error, env.table->fieldByName(QStringLiteral("ModelNumber")));

    // The photograph lies last in the file, yet the fields keep their order.
    QCOMPARE(env.fixture.scalar(QStringLiteral(
                 "SELECT name FROM pragma_table_info('People') ORDER BY cid DESC LIMIT 1")),
             QVariant(QStringLiteral("Photograph")));
    env.fixture.exec(QStringLiteral(
        R"(INSERT INTO "People" ("Title", "First Name", "Photograph") VALUES ('Dr', 'Ann', x'FFD8'))"));
    people->open();
    QCOMPARE(people->field(12)->blobSize(), 2);
    QCOMPARE(people->field(13)->asString(), QStringLiteral("Dr"));
    QCOMPARE(people->field(14)->asString(), QStringLiteral("Ann"));

    // Renaming the table object renames its fields.
    people->setObjectName(QStringLiteral("Report"));
    QCOMPARE(people->field(14)->objectName(), QStringLiteral("ReportFirstName"));
}

void TestTableObject::undeclaredFieldsComeFromTheFile() {
    DataFixture fixture;
    auto connection = fixture.connect();
    auto help = std::unique_ptr<TableObject>(TableFactory::create(
        TableId::Help, QStringLiteral("ADOTable5"), connection.get(), nullptr));
    QCOMPARE(help->fieldCount(), 0);
    help->open();
    QStringList names;
    for (const Field *f : help->fields())
        names << f->objectName();
    QCOMPARE(names, (QStringList{"ADOTable5HelpID", "ADOTable5Topic", "ADOTable5Notes"}));
    QCOMPARE(help->fieldByName(QStringLiteral("Notes"))->type(), Field::Type::Memo);
    QCOMPARE(help->fieldByName(QStringLiteral("Topic"))->size(), 50);
    QVERIFY(help->fieldByName(QStringLiteral("Help ID"))->isReadOnly());
    Field *notes = help->fieldByName(QStringLiteral("Notes"));
    QVERIFY(notes->asString().startsWith(QLatin1String("{\\rtf1")));
    help->close();
    help->open();
    QCOMPARE(help->fieldByName(QStringLiteral("Notes")), notes); // the same objects again

    // The report forms' Diary declares no fields either.
    auto diary = std::unique_ptr<TableObject>(TableFactory::createOwnConnection(
        TableId::Diary, QStringLiteral("ADOTable1"), fixture.directory(), nullptr, false));
    diary->open();
    QCOMPARE(diary->fieldCount(), 3);
    QCOMPARE(diary->fieldByName(QStringLiteral("Password"))->asString(), QString());
    QVERIFY(!diary->fieldByName(QStringLiteral("Password"))->isNull());
}

void TestTableObject::modelSignalsTrackRows() {
    Env env({QStringLiteral("a"), QStringLiteral("b")});
    QSignalSpy reset(env.table.get(), &TableObject::rowsReset);
    QSignalSpy inserted(env.table.get(), &TableObject::rowInserted);
    QSignalSpy removed(env.table.get(), &TableObject::rowRemoved);
    QSignalSpy changed(env.table.get(), &TableObject::rowChanged);
    QSignalSpy current(env.table.get(), &TableObject::currentRowChanged);
    env.table->open();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(current.takeFirst().at(0).toInt(), 0);
    env.table->insert();
    QCOMPARE(inserted.takeFirst().at(0).toInt(), 2);
    QCOMPARE(current.takeFirst().at(0).toInt(), 2);
    env.name()->setValue(QStringLiteral("c"));
    QCOMPARE(changed.takeFirst().at(0).toInt(), 2);
    QCOMPARE(env.table->displayText(2, env.name()->index()), QStringLiteral("c"));
    env.table->post();
    QCOMPARE(changed.takeFirst().at(0).toInt(), 2);
    env.table->moveTo(0);
    QCOMPARE(current.takeFirst().at(0).toInt(), 0);
    env.table->remove();
    QCOMPARE(removed.takeFirst().at(0).toInt(), 0);
    QCOMPARE(env.table->displayText(0, env.name()->index()), QStringLiteral("b"));
    env.table->refresh();
    QCOMPARE(reset.count(), 2);
    env.table->close();
    QCOMPARE(reset.count(), 3);
    QCOMPARE(inserted.count() + removed.count(), 0);
}

QTEST_GUILESS_MAIN(TestTableObject)
#include "tst_tableobject.moc"

#include "tests/data/DataFixture.h"

#include "data/Error.h"
#include "data/TableFactory.h"

#include <QTest>

#include <sqlite3.h>

using data::Field;
using data::TableFactory;
using data::TableId;
using data::TableObject;
using State = TableObject::State;

namespace {

const QString kRefused = QStringLiteral(
    "Row cannot be located for updating. Some values may have been changed since it was last read");

// The main window's table and a report's table with a connection of its own.
struct Env {
    Env() {
        tools::PrepareOptions options;
        options.helpTexts = false;
        fixture = std::make_unique<DataFixture>(options);
        fixture->addItem(QStringLiteral("chair"), QByteArray("\xFF\xD8photo"));
        fixture->addItem(QStringLiteral("table"));
        connection = fixture->connect();
        main.reset(TableFactory::create(TableId::HouseholdInventory, QStringLiteral("ADOTable1"),
                                        connection.get(), nullptr));
        report.reset(TableFactory::createOwnConnection(TableId::HouseholdInventory,
                                                       QStringLiteral("ADOTable1"),
                                                       fixture->directory(), nullptr));
        report->connection()->setCommandTimeout(1);
        main->open();
        report->open();
    }
    static Field *name(TableObject &t) { return t.fieldByName(QStringLiteral("Item Name")); }
    QString fileName(qint64 key) const {
        return fixture
            ->scalar(
                QStringLiteral(R"(SELECT "Item Name" FROM "Household Inventory" WHERE rowid = ?)"),
                {key})
            .toString();
    }
    std::unique_ptr<DataFixture> fixture;
    std::unique_ptr<data::Connection> connection;
    std::unique_ptr<TableObject> main;
    std::unique_ptr<TableObject> report;
};

QString errorOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const data::Error &e) {
        return e.text();
    }
    return QStringLiteral("(no error)");
}

} // namespace

class TestConcurrency : public QObject {
    Q_OBJECT
private slots:
    void secondConnectionSeesCommittedRows();
    void firstStaysEditableWhileSecondIsOpen();
    void concurrentEditIsRefused();
    void editOfDeletedRowIsRefused();
    void changedPhotographIsNoticedByItsSize();
    void photographOfTheSameSizeIsComparedByContent_data();
    void photographOfTheSameSizeIsComparedByContent();
    void ownWritesLeaveOtherPhotographsEditable_data();
    void ownWritesLeaveOtherPhotographsEditable();
    void removeOfChangedRowIsRefused();
    void busyFileRefusesWithSqliteText();
};

void TestConcurrency::secondConnectionSeesCommittedRows() {
    Env env;
    QVERIFY(env.report->connection() != env.main->connection());
    env.main->insert();
    Env::name(*env.main)->setValue(QStringLiteral("lamp"));
    QCOMPARE(env.report->recordCount(), 2);
    env.main->post();
    QCOMPARE(env.report->recordCount(), 2); // a snapshot until read again
    env.report->refresh();
    QCOMPARE(env.report->recordCount(), 3);
    env.report->last();
    QCOMPARE(Env::name(*env.report)->asString(), QStringLiteral("lamp"));
}

void TestConcurrency::firstStaysEditableWhileSecondIsOpen() {
    Env env;
    env.report->next();
    QVERIFY(env.main->canModify());
    Env::name(*env.main)->setValue(QStringLiteral("stool"));
    env.main->post();
    env.main->remove();
    QCOMPARE(env.main->recordCount(), 1);
    QCOMPARE(env.fixture->scalar(QStringLiteral(R"(SELECT count(*) FROM "Household Inventory")")),
             QVariant(qlonglong(1)));
    env.report->close();
    env.report->open();
    QCOMPARE(env.report->recordCount(), 1);
}

void TestConcurrency::concurrentEditIsRefused() {
    Env env;
    Env::name(*env.main)->setValue(QStringLiteral("armchair"));
    env.main->post();
    // The report still holds "chair"; its edit must not overwrite "armchair".
    env.report->fieldByName(QStringLiteral("Purchase Price"))->setValue(99);
    QCOMPARE(errorOf([&] { env.report->post(); }), kRefused);
    QCOMPARE(env.report->state(), State::Edit);
    QCOMPARE(env.report->fieldByName(QStringLiteral("Purchase Price"))->asString(),
             QStringLiteral("99"));
    QCOMPARE(env.fileName(1), QStringLiteral("armchair"));
    QVERIFY(env.fixture
                ->scalar(QStringLiteral(
                    R"(SELECT "Purchase Price" FROM "Household Inventory" WHERE rowid = 1)"))
                .isNull());
    // Read again, the same change goes through.
    env.report->cancel();
    env.report->refresh();
    env.report->fieldByName(QStringLiteral("Purchase Price"))->setValue(99);
    env.report->post();
    QCOMPARE(env.fileName(1), QStringLiteral("armchair"));
}

void TestConcurrency::editOfDeletedRowIsRefused() {
    Env env;
    env.main->remove();
    Env::name(*env.report)->setValue(QStringLiteral("ghost"));
    QCOMPARE(errorOf([&] { env.report->post(); }), kRefused);
    QCOMPARE(env.fixture->scalar(QStringLiteral(R"(SELECT count(*) FROM "Household Inventory")")),
             QVariant(qlonglong(1)));
}

void TestConcurrency::changedPhotographIsNoticedByItsSize() {
    Env env;
    env.main->fieldByName(QStringLiteral("Photograph"))->setBlob(QByteArray("\xFF\xD8new photo"));
    env.main->post();
    Env::name(*env.report)->setValue(QStringLiteral("renamed"));
    QCOMPARE(errorOf([&] { env.report->post(); }), kRefused);
    QCOMPARE(env.fileName(1), QStringLiteral("chair"));
}

void TestConcurrency::photographOfTheSameSizeIsComparedByContent_data() {
    QTest::addColumn<QString>("reportBefore"); // what the report does before main posts
    QTest::addColumn<bool>("replacesPhoto");   // the report's own change
    QTest::addColumn<bool>("mainSameRow");     // main replaces this photo, or another row's
    QTest::newRow("both shown it") << "read" << true << true;
    QTest::newRow("edit begun first") << "edit" << true << true;
    QTest::newRow("never read") << "" << true << true;
    QTest::newRow("shown, then a name") << "read" << false << true;
    QTest::newRow("shown, another row changed") << "read" << true << false;
}

void TestConcurrency::photographOfTheSameSizeIsComparedByContent() {
    QFETCH(QString, reportBefore);
    QFETCH(bool, replacesPhoto);
    QFETCH(bool, mainSameRow);
    Env env;
    const QByteArray original("\xFF\xD8photo");
    const QByteArray mainPhoto("\xFF\xD8PHOTO");
    const QByteArray reportPhoto("\xFF\xD8snaps");
    auto photo = [](TableObject &t) { return t.fieldByName(QStringLiteral("Photograph")); };
    auto inFile = [&] {
        return env.fixture->scalar(
            QStringLiteral(R"(SELECT "Photograph" FROM "Household Inventory" WHERE rowid = 1)"));
    };
    QCOMPARE(photo(*env.main)->blob(), original);
    if (reportBefore == QLatin1String("read"))
        QCOMPARE(photo(*env.report)->blob(), original);
    else if (reportBefore == QLatin1String("edit"))
        env.report->edit();
    if (!mainSameRow)
        env.main->last();
    photo(*env.main)->setBlob(mainPhoto);
    env.main->post();

    auto change = [&] {
        if (replacesPhoto)
            photo(*env.report)->setBlob(reportPhoto);
        else
            Env::name(*env.report)->setValue(QStringLiteral("renamed"));
    };
    change();
    if (!mainSameRow) {
        // What the report showed is still there: no reason to refuse.
        env.report->post();
        QCOMPARE(inFile(), QVariant(reportPhoto));
        return;
    }
    QCOMPARE(errorOf([&] { env.report->post(); }), kRefused);
    QCOMPARE(inFile(), QVariant(mainPhoto));
    QCOMPARE(env.fileName(1), QStringLiteral("chair"));
    // Read again, the same change goes through.
    env.report->cancel();
    env.report->refresh();
    change();
    env.report->post();
    QCOMPARE(inFile(), QVariant(replacesPhoto ? reportPhoto : mainPhoto));
    QCOMPARE(photo(*env.report)->blob(), replacesPhoto ? reportPhoto : mainPhoto);
}

void TestConcurrency::ownWritesLeaveOtherPhotographsEditable_data() {
    QTest::addColumn<QString>("journal");
    QTest::newRow("write-ahead log") << "wal";
    QTest::newRow("rollback journal, switched by the first write") << "delete";
}

void TestConcurrency::ownWritesLeaveOtherPhotographsEditable() {
    QFETCH(QString, journal);
    Env env;
    env.fixture->addItem(QStringLiteral("desk"), QByteArray("\xFF\xD8") + "desk");
    env.report->close();
    env.main->close();
    env.connection->close();
    env.fixture->exec(QStringLiteral("PRAGMA journal_mode=") + journal);
    env.connection->open();
    env.main->open();
    std::unique_ptr<TableObject> people(TableFactory::create(
        TableId::People, QStringLiteral("ADOTable2"), env.connection.get(), nullptr));
    people->open();
    // Writes of this connection, to this table and another, change nothing
    // the items' table object has not seen.
    people->insert();
    people->fieldByName(QStringLiteral("First Name"))->setValue(QStringLiteral("Ann"));
    people->post();
    env.main->last();
    env.main->fieldByName(QStringLiteral("Photograph"))->setBlob(QByteArray("\xFF\xD8") + "DESK");
    env.main->post();
    env.main->first();
    env.main->fieldByName(QStringLiteral("Photograph"))->setBlob(QByteArray("\xFF\xD8") + "CHAIR");
    env.main->post();
    env.main->remove();
    QCOMPARE(env.fixture->scalar(QStringLiteral(R"(SELECT count(*) FROM "Household Inventory")")),
             QVariant(qlonglong(2)));
}

void TestConcurrency::removeOfChangedRowIsRefused() {
    Env env;
    Env::name(*env.main)->setValue(QStringLiteral("armchair"));
    env.main->post();
    QVERIFY(
        errorOf([&] { env.report->remove(); }).startsWith(QLatin1String("Row cannot be located")));
    QCOMPARE(env.report->recordCount(), 2);
    QCOMPARE(env.fileName(1), QStringLiteral("armchair"));
}

void TestConcurrency::busyFileRefusesWithSqliteText() {
    Env env;
    sqlite3 *holder = nullptr;
    sqlite3_open_v2(QFile::encodeName(env.fixture->mainFile()).constData(), &holder,
                    SQLITE_OPEN_READWRITE, nullptr);
    QCOMPARE(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    Env::name(*env.report)->setValue(QStringLiteral("waiting"));
    QCOMPARE(errorOf([&] { env.report->post(); }), QStringLiteral("database is locked"));
    QCOMPARE(env.report->state(), State::Edit);
    // Reading is not blocked by a writer.
    env.main->refresh();
    QCOMPARE(env.main->recordCount(), 2);
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    env.report->post();
    QCOMPARE(env.fileName(1), QStringLiteral("waiting"));
}

QTEST_GUILESS_MAIN(TestConcurrency)
#include "tst_concurrency.moc"

#include "tests/data/DataFixture.h"

#include "data/Error.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "data/TableFactory.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

using data::Connection;

class TestConnection : public QObject {
    Q_OBJECT
private slots:
    void connectionStringHasFourPieces();
    void dataSourceIsParsedAsAWhole_data();
    void dataSourceIsParsedAsAWhole();
    void opensFilesInAwkwardDirectories_data();
    void opensFilesInAwkwardDirectories();
    void viewingChangesNothingAndTheFirstWriteSetsTheJournal();
    void unknownQuotedNameIsAnError_data();
    void unknownQuotedNameIsAnError();
    void openAndCloseAreIdempotent();
    void refusesMissingFileWithoutCreatingIt();
    void refusesFilesThatAreNoDatabase_data();
    void refusesFilesThatAreNoDatabase();
    void refusesLockedFile();
};

void TestConnection::connectionStringHasFourPieces() {
    QCOMPARE(Connection::buildConnectionString(QStringLiteral("/opt/My Programs/Hearth ledger"),
                                               QStringLiteral("Hearthledger.mdb")),
             QStringLiteral(
                 "Provider=SQLite3;User ID=Admin;Data Source=/opt/My Programs/Hearth "
                 "ledger/Hearthledger.mdb;Mode=Share Deny None;Persist Security Info=False;"));
}

void TestConnection::dataSourceIsParsedAsAWhole_data() {
    QTest::addColumn<QString>("directory");
    QTest::newRow("plain") << QStringLiteral("/a/b");
    QTest::newRow("blanks") << QStringLiteral("/a b/c  d ");
    QTest::newRow("semicolon") << QStringLiteral("/a;b/c;");
    QTest::newRow("equals") << QStringLiteral("/x=1/Data Source=y");
    QTest::newRow("mode inside") << QStringLiteral("/p;Mode=Share Deny None;q");
}

void TestConnection::dataSourceIsParsedAsAWhole() {
    QFETCH(QString, directory);
    const QString string =
        Connection::buildConnectionString(directory, QStringLiteral("idioms.mdb"));
    QCOMPARE(Connection::dataSourceOf(string), directory + QStringLiteral("/idioms.mdb"));
}

void TestConnection::opensFilesInAwkwardDirectories_data() {
    QTest::addColumn<QString>("subdirectory");
    QTest::newRow("blanks") << QStringLiteral("Program Files/Hearth ledger");
    QTest::newRow("semicolon") << QStringLiteral("semi;colon");
    QTest::newRow("equals and mode") << QStringLiteral("a=b;Mode=Read");
}

void TestConnection::opensFilesInAwkwardDirectories() {
    QFETCH(QString, subdirectory);
    // A decoy database in the parent that a broken parse might reach instead.
    DataFixture fixture({}, subdirectory);
    fixture.exec(QStringLiteral(R"(INSERT INTO "Help" ("Notes") VALUES ('mine'))"));
    Connection connection;
    connection.setConnectionString(fixture.mainConnectionString());
    connection.open();
    data::Statement count(connection.handle(), QStringLiteral(R"(SELECT count(*) FROM "Help")"));
    QVERIFY(count.step());
    QCOMPARE(count.int64(0),
             fixture.scalar(QStringLiteral(R"(SELECT count(*) FROM "Help")")).toLongLong());
    QCOMPARE(connection.fileName(), fixture.mainFile());
}

void TestConnection::viewingChangesNothingAndTheFirstWriteSetsTheJournal() {
    DataFixture fixture;
    fixture.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    fixture.addItem(QStringLiteral("Lamp"), QByteArray("\xFF\xD8photo"));
    auto content = [&] {
        QFile file(fixture.mainFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = content();
    Connection connection;
    connection.setConnectionString(fixture.mainConnectionString());
    QCOMPARE(connection.connectionTimeout(), 15);
    QCOMPARE(connection.commandTimeout(), 30);
    connection.open();
    auto pragma = [&](const char *name) {
        data::Statement stmt(connection.handle(), QStringLiteral("PRAGMA ") + QLatin1String(name));
        stmt.step();
        return stmt.text(0);
    };
    std::unique_ptr<data::TableObject> items(data::TableFactory::create(
        data::TableId::HouseholdInventory, QStringLiteral("ADOTable1"), &connection, nullptr));
    items->open();
    QCOMPARE(items->fieldByName(QStringLiteral("Photograph"))->blob(), QByteArray("\xFF\xD8photo"));
    items->edit();
    items->cancel();
    QCOMPARE(pragma("journal_mode"), QStringLiteral("delete"));
    QVERIFY(content() == before);
    items->fieldByName(QStringLiteral("Item Name"))->setValue(QStringLiteral("Lantern"));
    items->post();
    QCOMPARE(pragma("journal_mode"), QStringLiteral("wal"));
    QCOMPARE(pragma("synchronous"), QStringLiteral("2"));
    QCOMPARE(pragma("busy_timeout"), QStringLiteral("30000"));
    connection.setCommandTimeout(2);
    QCOMPARE(pragma("busy_timeout"), QStringLiteral("2000"));
}

void TestConnection::unknownQuotedNameIsAnError_data() {
    QTest::addColumn<int>("table");
    QTest::addColumn<QString>("column");
    QTest::newRow("item name") << int(data::TableId::HouseholdInventory) << "Item Name";
    QTest::newRow("photograph") << int(data::TableId::People) << "Photograph";
    QTest::newRow("password") << int(data::TableId::Diary) << "Password";
}

void TestConnection::unknownQuotedNameIsAnError() {
    QFETCH(int, table);
    QFETCH(QString, column);
    const auto id = data::TableId(table);
    DataFixture fixture;
    fixture.exec(QStringLiteral(R"(ALTER TABLE "%1" DROP COLUMN "%2")")
                     .arg(data::Schema::table(id).name, column));
    auto connection = fixture.connect();
    std::unique_ptr<data::TableObject> opened(
        data::TableFactory::create(id, QStringLiteral("ADOTable1"), connection.get(), nullptr));
    try {
        opened->open();
        QFAIL("a table without one of its columns opened");
    } catch (const data::Error &e) {
        QCOMPARE(e.text(), QStringLiteral("no such column: ") + column);
    }
    QVERIFY(!opened->isActive());
    QVERIFY_THROWS_EXCEPTION(
        data::Error, data::Statement(connection->handle(), QStringLiteral(R"(SELECT "Nope")")));
}

void TestConnection::openAndCloseAreIdempotent() {
    DataFixture fixture;
    Connection connection;
    connection.close();
    connection.setConnectionString(fixture.mainConnectionString());
    connection.open();
    sqlite3 *handle = connection.handle();
    connection.open();
    QCOMPARE(connection.handle(), handle);
    connection.close();
    connection.close();
    QVERIFY(!connection.isOpen());
}

void TestConnection::refusesMissingFileWithoutCreatingIt() {
    QTemporaryDir dir;
    Connection connection;
    connection.setConnectionString(
        Connection::buildConnectionString(dir.path(), QStringLiteral("Hearthledger.mdb")));
    try {
        connection.open();
        QFAIL("a missing file opened");
    } catch (const data::Error &e) {
        QVERIFY2(e.text().contains(QLatin1String("unable to open database file")),
                 qPrintable(e.text()));
        QVERIFY(e.text().contains(dir.path()));
    }
    QVERIFY(!connection.isOpen());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Hearthledger.mdb"))));
}

void TestConnection::refusesFilesThatAreNoDatabase_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("text") << QByteArray(4096, 'x');
    QTest::newRow("empty") << QByteArray();
}

void TestConnection::refusesFilesThatAreNoDatabase() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Hearthledger.mdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    Connection connection;
    connection.setConnectionString(
        Connection::buildConnectionString(dir.path(), QStringLiteral("Hearthledger.mdb")));
    QVERIFY_THROWS_EXCEPTION(data::Error, connection.open());
    try {
        connection.open();
    } catch (const data::Error &e) {
        QVERIFY2(e.text().contains(QLatin1String("file is not a database")), qPrintable(e.text()));
        QCOMPARE(e.code(), SQLITE_NOTADB);
    }
    QVERIFY(!connection.isOpen());
    // The file is left as it was.
    QFile again(path);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), content);
}

void TestConnection::refusesLockedFile() {
    DataFixture fixture;
    sqlite3 *holder = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(fixture.mainFile()).constData(), &holder,
                             SQLITE_OPEN_READWRITE, nullptr),
             SQLITE_OK);
    QCOMPARE(sqlite3_exec(holder,
                          "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;"
                          "INSERT INTO \"Help\" (\"Notes\") VALUES ('x');",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    Connection connection;
    connection.setConnectionString(fixture.mainConnectionString());
    connection.setConnectionTimeout(0);
    try {
        connection.open();
        QFAIL("a locked file opened");
    } catch (const data::Error &e) {
        QVERIFY2(e.text().contains(QLatin1String("database is locked")), qPrintable(e.text()));
    }
    QVERIFY(!connection.isOpen());
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    connection.open(); // free again
    QVERIFY(connection.isOpen());
}

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"

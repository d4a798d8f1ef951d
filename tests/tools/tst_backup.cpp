// Backup, verify and restore of a data folder, through the companion command's
// library; archives read back by Python's tarfile and the files by sqlite3.
#include "tools/companion/Backup.h"
#include "tools/jet/DataFiles.h"

#include "core/Error.h"
#include "tests/data/DataFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <atomic>
#include <thread>

using tools::Backup;

namespace {

QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every record of both files as the sqlite3 shell prints them.
QByteArray records(const QString &folder) {
    QByteArray all;
    for (const QString &name : tools::DataFiles::fileNames()) {
        QProcess shell;
        shell.start(QStringLiteral("sqlite3"),
                    {QDir(folder).filePath(name), QStringLiteral(".dump")});
        shell.waitForFinished(60000);
        all += shell.readAllStandardOutput();
    }
    return all;
}

void damage(const QString &path, qint64 at, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(at));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A household with photographs, people, a diary and phrases.
void fill(const DataFixture &fixture) {
    fixture.exec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 49) "
        "INSERT INTO \"Household Inventory\" (\"Item Name\", \"Purchase Price\", Photograph) "
        "SELECT 'item ' || i || ' ü, \"quoted\"', i * 12345, "
        "CASE WHEN i % 5 = 0 THEN randomblob(200000 + i) END FROM n"));
    fixture.exec(QStringLiteral("INSERT INTO People (\"First Name\", Photograph) VALUES (?, ?)"),
                 {QStringLiteral("Ada"), QByteArray(70000, 'p')});
    fixture.exec(QStringLiteral("UPDATE Diary SET Notes = '{\\rtf1 page}', Password = 'x'"));
}

// The archive's names and program version as Python's tarfile reads them;
// fails unless each extracted file has the manifest's size and SHA-256.
QByteArray tarListing(const QString &archive) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral(R"(
import hashlib, json, sys, tarfile
with tarfile.open(sys.argv[1]) as tar:
    names = tar.getnames()
    manifest = json.load(tar.extractfile('manifest.json'))
    for f in manifest['files']:
        data = tar.extractfile(f['name']).read()
        assert len(data) == f['size'] and hashlib.sha256(data).hexdigest() == f['sha256'], f
print(' '.join(names), manifest['programVersion'])
)"),
                                                      archive});
    python.waitForFinished(60000);
    return python.readAllStandardOutput().trimmed();
}

// Backup::create, and whether it read a file back for its digest.
QString create(const QString &folder, const QString &destination, bool *readBack) {
    *readBack = false;
    return Backup::create(folder, destination, [readBack](const QString &line) {
        *readBack = *readBack || line.contains(QLatin1String("reading the copy back"));
    });
}

// Restores the archive into a folder of its own and runs a query on its main
// file with the sqlite3 shell.
QByteArray restoredQuery(const QString &archive, const char *sql) {
    QTemporaryDir restored;
    Backup::restore(archive, restored.path());
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"),
                {QDir(restored.path()).filePath(QStringLiteral("Hearthledger.mdb")),
                 QString::fromUtf8(sql)});
    shell.waitForFinished(60000);
    return shell.readAllStandardOutput().trimmed();
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void restoreBringsBackEveryRecord();
    void damagedArchiveIsRefusedAndNothingChanges_data();
    void damagedArchiveIsRefusedAndNothingChanges();
    void refusesWhileTheFilesAreOpen();
    void backupWhileAnotherConnectionPostsIsConsistent();
    void snapshotNewerThanTheFileIsReadBackForItsDigest();

private:
    QTemporaryDir m_out;
};

void TestBackup::restoreBringsBackEveryRecord() {
    DataFixture fixture;
    fill(fixture);
    const QByteArray before = records(fixture.directory());
    bool readBack = true;
    const QString archive = create(fixture.directory(), m_out.path(), &readBack);
    // The digests come from the writes: a settled file is not read back.
    QVERIFY(!readBack);
    QVERIFY(archive.startsWith(m_out.path() + QStringLiteral("/hearthledger-")));
    QVERIFY_THROWS_EXCEPTION(core::Error, Backup::create(fixture.directory(), archive));

    QCOMPARE(tarListing(archive),
             "Hearthledger.mdb idioms.mdb manifest.json " + Backup::programVersion().toUtf8());

    const QString main = fixture.mainFile();
    damage(main, 8192, QByteArray(40000, '\xA5'));
    QVERIFY(QFile::resize(fixture.idiomFile(), 1000));
    const QByteArray damaged = contentOf(main);
    const QStringList lines = Backup::restore(archive, fixture.directory());
    QCOMPARE(lines.size(), 2);
    QCOMPARE(records(fixture.directory()), before);
    QCOMPARE(contentOf(main + QStringLiteral(".before-restore")), damaged);
    // A second restore keeps the first one's kept files too.
    Backup::restore(archive, fixture.directory());
    QVERIFY(QFile::exists(main + QStringLiteral(".before-restore-2")));
    QCOMPARE(records(fixture.directory()), before);
}

void TestBackup::damagedArchiveIsRefusedAndNothingChanges_data() {
    QTest::addColumn<qint64>("at"); // from the start; negative: from the end
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a picture's page") << qint64(512 + 40000) << QByteArray("\x01\x02")
                                      << QStringLiteral("SHA-256 does not match");
    QTest::newRow("a header") << qint64(3) << QByteArray("X") << QStringLiteral("checksum");
    QTest::newRow("cut short") << qint64(-1) << QByteArray() << QStringLiteral("damaged");
}

void TestBackup::damagedArchiveIsRefusedAndNothingChanges() {
    QFETCH(qint64, at);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    DataFixture fixture;
    fill(fixture);
    const QString archive =
        Backup::create(fixture.directory(), m_out.filePath(QTest::currentDataTag()));
    if (at < 0)
        QVERIFY(QFile::resize(archive, QFileInfo(archive).size() - 3000));
    else
        damage(archive, at, bytes);
    fixture.exec(QStringLiteral("DELETE FROM \"Household Inventory\" WHERE \"Household ID\" > 3"));
    const QByteArray main = contentOf(fixture.mainFile());
    const QStringList files = QDir(fixture.directory()).entryList(QDir::Files | QDir::Hidden);
    for (const auto &attempt :
         {std::function<void()>([&] { Backup::verify(archive); }),
          std::function<void()>([&] { Backup::restore(archive, fixture.directory()); })}) {
        try {
            attempt();
            QFAIL("a damaged archive was accepted");
        } catch (const core::Error &e) {
            QVERIFY2(e.text().contains(expected), qPrintable(e.text()));
        }
    }
    QCOMPARE(contentOf(fixture.mainFile()), main);
    QCOMPARE(QDir(fixture.directory()).entryList(QDir::Files | QDir::Hidden), files);
}

void TestBackup::refusesWhileTheFilesAreOpen() {
    DataFixture fixture;
    const QString archive =
        Backup::create(fixture.directory(), m_out.filePath(QStringLiteral("open.tar")));
    {
        const auto connection = fixture.connect(); // as the running program holds it
        try {
            Backup::restore(archive, fixture.directory());
            QFAIL("restored under an open connection");
        } catch (const core::Error &e) {
            QVERIFY2(e.text().contains(QLatin1String("Hearthledger.mdb is open (process ")),
                     qPrintable(e.text()));
        }
        QVERIFY(!QFile::exists(fixture.mainFile() + QStringLiteral(".before-restore")));
        // The program's connection still works and keeps its lock.
        QVERIFY(!tools::DataFiles::holder(fixture.mainFile()).isEmpty());
    }
    Backup::restore(archive, fixture.directory());
    QVERIFY(QFile::exists(fixture.mainFile() + QStringLiteral(".before-restore")));
}

void TestBackup::backupWhileAnotherConnectionPostsIsConsistent() {
    DataFixture fixture;
    fill(fixture);
    std::atomic<bool> stop{false};
    std::atomic<int> posted{0};
    // Another connection posts pairs of items, each pair in one transaction.
    std::thread writer([&] {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(QFile::encodeName(fixture.mainFile()).constData(), &db,
                        SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db, 10000);
        const QByteArray photo(30000, 'w');
        for (int pair = 0; !stop; ++pair) {
            sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
            for (int half = 0; half < 2; ++half) {
                sqlite3_stmt *insert = nullptr;
                sqlite3_prepare_v2(
                    db,
                    "INSERT INTO \"Household Inventory\" (\"Item Name\", Photograph) VALUES (?, ?)",
                    -1, &insert, nullptr);
                const QByteArray name = "pair " + QByteArray::number(pair);
                sqlite3_bind_text(insert, 1, name.constData(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_blob(insert, 2, photo.constData(), int(photo.size()), SQLITE_STATIC);
                sqlite3_step(insert);
                sqlite3_finalize(insert);
            }
            if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
                ++posted;
        }
        sqlite3_close(db);
    });
    QStringList archives;
    for (int i = 0; i < 4; ++i) {
        while (posted < 20 * (i + 1))
            QThread::msleep(5);
        archives << Backup::create(fixture.directory(),
                                   m_out.filePath(QStringLiteral("busy-%1.tar").arg(i)));
    }
    stop = true;
    writer.join();
    int previous = -1;
    for (const QString &archive : std::as_const(archives)) {
        const QList<QByteArray> counts =
            restoredQuery(archive,
                          "SELECT count(*), count(DISTINCT \"Item Name\") FROM \"Household "
                          "Inventory\" WHERE \"Item Name\" LIKE 'pair %'")
                .split('|');
        QCOMPARE(counts.size(), 2);
        // Only whole pairs, and each snapshot later than the one before.
        QCOMPARE(counts[0].toInt(), 2 * counts[1].toInt());
        QVERIFY(counts[1].toInt() > previous);
        previous = counts[1].toInt();
    }
}

void TestBackup::snapshotNewerThanTheFileIsReadBackForItsDigest() {
    DataFixture fixture;
    fill(fixture);
    // A reader holds an old state, so the log's later pages cannot be written
    // back into the file: among them a new first page (a new table's entry).
    sqlite3 *reader = nullptr;
    sqlite3_open_v2(QFile::encodeName(fixture.mainFile()).constData(), &reader,
                    SQLITE_OPEN_READONLY, nullptr);
    QCOMPARE(sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM \"Household Inventory\"", nullptr,
                          nullptr, nullptr),
             SQLITE_OK);
    fixture.exec(QStringLiteral("CREATE TABLE \"Later Table\" (x)"));
    fixture.addItem(QStringLiteral("after the reader"), QByteArray(300000, 'n'));
    bool readBack = false;
    const QString archive =
        create(fixture.directory(), m_out.filePath(QStringLiteral("newer.tar")), &readBack);
    sqlite3_close(reader);
    QVERIFY(readBack);
    QCOMPARE(tarListing(archive),
             "Hearthledger.mdb idioms.mdb manifest.json " + Backup::programVersion().toUtf8());
    QCOMPARE(restoredQuery(archive, "SELECT count(*) FROM \"Household Inventory\" WHERE "
                                    "\"Item Name\" = 'after the reader'"),
             "1");
}

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"

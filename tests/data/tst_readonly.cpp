// Sessions on files that the user cannot write. Root writes through any file
// mode, so as root each session runs in a child process of this program that
// setpriv turns into an unprivileged user; as any other user it runs as a
// plain child process.
#include "tests/data/DataFixture.h"

#include "data/Error.h"
#include "data/Schema.h"
#include "data/TableFactory.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

using data::TableFactory;
using data::TableId;
using data::TableObject;

namespace {

constexpr uid_t kSessionUser = 65534;

// ---- The child: one session over the files of a program directory ---------

void require(bool condition, const char *what) {
    if (!condition)
        throw std::runtime_error(what);
}

std::unique_ptr<TableObject> openItems(data::Connection &connection) {
    std::unique_ptr<TableObject> items(TableFactory::create(
        TableId::HouseholdInventory, QStringLiteral("ADOTable1"), &connection, nullptr));
    items->open();
    require(items->recordCount() == 1, "the item is read");
    return items;
}

// "view": both files open, read, and refuse editing. "post": an edit of the
// item is written. "raw": a bare SQLite read, as a program that takes no care
// of read-only files makes it.
void session(const QString &action, const QString &dir) {
    if (action == QLatin1String("raw")) {
        sqlite3 *db = nullptr;
        const QByteArray path = QFile::encodeName(dir + QStringLiteral("/Hearthledger.mdb"));
        require(sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
                        SQLITE_OK &&
                    sqlite3_exec(db, "SELECT count(*) FROM \"Help\"", nullptr, nullptr, nullptr) ==
                        SQLITE_OK,
                "a bare read succeeds");
        sqlite3_close(db);
        return;
    }
    data::Connection main;
    main.setConnectionString(
        data::Connection::buildConnectionString(dir, QLatin1String(data::Schema::mainFile)));
    main.open();
    auto items = openItems(main);
    auto name = items->fieldByName(QStringLiteral("Item Name"));
    if (action == QLatin1String("post")) {
        require(!main.isReadOnly() && items->canModify(), "a writable file can be modified");
        name->setValue(QStringLiteral("Lantern"));
        items->post();
        return;
    }
    require(main.isReadOnly() && !items->canModify(), "the table reports it cannot be modified");
    require(name->asString() == QLatin1String("Lamp"), "the item's name is read");
    require(items->fieldByName(QStringLiteral("Photograph"))->blob() == "\xFF\xD8photo",
            "the photograph is read");
    bool refused = false;
    try {
        items->edit();
    } catch (const data::Error &e) {
        refused = e.text().contains(QLatin1String("read-only"));
    }
    require(refused, "an edit is refused as read-only");
    data::Connection idioms;
    idioms.setConnectionString(
        data::Connection::buildConnectionString(dir, QLatin1String(data::Schema::idiomFile)));
    idioms.open();
    std::unique_ptr<TableObject> phrases(
        TableFactory::create(TableId::Idiom, QStringLiteral("ADOTable6"), &idioms, nullptr));
    phrases->open();
    require(phrases->recordCount() > 0 && !phrases->canModify(), "the phrases are read only");
}

int runSession(const QString &action, const QString &dir) {
    try {
        session(action, dir);
    } catch (const core::Error &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

// ---- The parent ------------------------------------------------------------

// Runs a session as an unprivileged user; returns its error text, empty when
// it succeeded.
QString runAsUser(const QString &action, const QString &dir) {
    QString program = QCoreApplication::applicationFilePath();
    QStringList arguments{QStringLiteral("--session"), action, dir};
    if (::geteuid() == 0) {
        arguments.prepend(program);
        arguments.prepend(QStringLiteral("--clear-groups"));
        arguments.prepend(QStringLiteral("--regid=%1").arg(kSessionUser));
        arguments.prepend(QStringLiteral("--reuid=%1").arg(kSessionUser));
        program = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    }
    QProcess child;
    child.start(program, arguments);
    if (!child.waitForFinished(60000))
        return QStringLiteral("the session did not end: ") + child.errorString();
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return QStringLiteral("%1 session failed: %2")
            .arg(action, QString::fromLocal8Bit(child.readAllStandardError()));
    return {};
}

// Hands the fixture's directory to the session user.
void giveToSessionUser(const QString &root) {
    if (::geteuid() != 0)
        return;
    QVERIFY(::chown(QFile::encodeName(root).constData(), kSessionUser, kSessionUser) == 0);
    for (const QString &name : QDir(root).entryList(QDir::Files))
        QVERIFY(::chown(QFile::encodeName(root + QLatin1Char('/') + name).constData(), kSessionUser,
                        kSessionUser) == 0);
}

void setMode(const QString &path, mode_t mode) {
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
}

QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QStringList kDataFiles{QStringLiteral("Hearthledger.mdb"), QStringLiteral("idioms.mdb")};

} // namespace

class TestReadOnly : public QObject {
    Q_OBJECT
private slots:
    void init();
    void protectedFilesAreViewedWithoutATrace_data();
    void protectedFilesAreViewedWithoutATrace();
    void sideFilesOfAnEarlierSessionDoNotBlockWriting();
};

void TestReadOnly::init() {
    if (::geteuid() == 0 && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        QSKIP("setpriv (util-linux) is needed to run a session as an unprivileged user");
}

void TestReadOnly::protectedFilesAreViewedWithoutATrace_data() {
    QTest::addColumn<bool>("folderProtected");
    QTest::addColumn<QString>("journal");
    for (const char *journal : {"wal", "delete"}) {
        QTest::addRow("file, %s", journal) << false << QString::fromLatin1(journal);
        QTest::addRow("folder, %s", journal) << true << QString::fromLatin1(journal);
    }
}

void TestReadOnly::protectedFilesAreViewedWithoutATrace() {
    QFETCH(bool, folderProtected);
    QFETCH(QString, journal);
    DataFixture fixture;
    const QString dir = fixture.directory();
    fixture.addItem(QStringLiteral("Lamp"), QByteArray("\xFF\xD8photo"));
    fixture.exec(QStringLiteral("PRAGMA journal_mode=") + journal);
    giveToSessionUser(dir);
    const QByteArray before = contentOf(fixture.mainFile());
    if (folderProtected) {
        setMode(dir, 0555);
    } else {
        setMode(fixture.mainFile(), 0444);
        setMode(fixture.idiomFile(), 0444);
    }

    const QString viewed = runAsUser(QStringLiteral("view"), dir);
    setMode(dir, 0755);
    setMode(fixture.mainFile(), 0644);
    setMode(fixture.idiomFile(), 0644);
    QVERIFY2(viewed.isEmpty(), qPrintable(viewed));
    QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name), kDataFiles);
    QVERIFY(contentOf(fixture.mainFile()) == before);

    const QString posted = runAsUser(QStringLiteral("post"), dir);
    QVERIFY2(posted.isEmpty(), qPrintable(posted));
    QCOMPARE(fixture.scalar(QStringLiteral(R"(SELECT "Item Name" FROM "Household Inventory")")),
             QVariant(QStringLiteral("Lantern")));
}

void TestReadOnly::sideFilesOfAnEarlierSessionDoNotBlockWriting() {
    DataFixture fixture;
    const QString dir = fixture.directory();
    fixture.addItem(QStringLiteral("Lamp"));
    giveToSessionUser(dir);
    setMode(fixture.mainFile(), 0444);
    const QString raw = runAsUser(QStringLiteral("raw"), dir);
    QVERIFY2(raw.isEmpty(), qPrintable(raw));
    // A bare read of a write-protected file leaves its side files write-protected too.
    QVERIFY(QFile::exists(fixture.mainFile() + QStringLiteral("-shm")));
    QVERIFY(!(QFile::permissions(fixture.mainFile() + QStringLiteral("-shm")) &
              QFileDevice::WriteOwner));
    setMode(fixture.mainFile(), 0644);

    const QString posted = runAsUser(QStringLiteral("post"), dir);
    QVERIFY2(posted.isEmpty(), qPrintable(posted));
    QCOMPARE(fixture.scalar(QStringLiteral(R"(SELECT "Item Name" FROM "Household Inventory")")),
             QVariant(QStringLiteral("Lantern")));
}

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--session") == 0)
        return runSession(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestReadOnly test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_readonly.moc"

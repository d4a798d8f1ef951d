// Seeding the per-user data folder from the delivered files.
#include "tests/data/DataFixture.h"

#include "data/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using data::DataFolder;

namespace {

QByteArray contents(const QString &file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// Lowers the largest file this process may write, for the life of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

} // namespace

class TestDataFolder : public QObject {
    Q_OBJECT
private slots:
    void seedsWhatIsMissingAndNeverOverwrites();
    void failedSeedNamesTheFoldersAndLeavesNoPartialFile();
};

void TestDataFolder::seedsWhatIsMissingAndNeverOverwrites() {
    DataFixture delivered;
    delivered.addItem(QStringLiteral("Lamp"));
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("share/hearthledger"));
    const QString main = folder + QStringLiteral("/Hearthledger.mdb");
    const QString idioms = folder + QStringLiteral("/idioms.mdb");

    QCOMPARE(DataFolder::seed(folder, delivered.directory()), QString());
    QCOMPARE(contents(main), contents(delivered.mainFile()));
    QCOMPARE(contents(idioms), contents(delivered.idiomFile()));
    // The diary and the private records are the user's alone.
    QCOMPARE(QFile::permissions(folder) & 0x0077, QFile::Permissions());
    QCOMPARE(QFile::permissions(main) & 0x0077, QFile::Permissions());
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // A user's file stays as it is; only a missing one is copied again.
    const QByteArray own("the user's phrases");
    QFile changed(idioms);
    QVERIFY(changed.open(QIODevice::WriteOnly | QIODevice::Truncate));
    changed.write(own);
    changed.close();
    QVERIFY(QFile::remove(main));
    QCOMPARE(DataFolder::seed(folder, delivered.directory()), QString());
    QCOMPARE(contents(idioms), own);
    QCOMPARE(contents(main), contents(delivered.mainFile()));
}

void TestDataFolder::failedSeedNamesTheFoldersAndLeavesNoPartialFile() {
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("hearthledger"));
    const QString nowhere = home.filePath(QStringLiteral("nowhere"));
    QString problem = DataFolder::seed(folder, nowhere);
    QVERIFY2(problem.contains(QLatin1String("Hearthledger.mdb")) && problem.contains(folder) &&
                 problem.contains(nowhere),
             qPrintable(problem));
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/Hearthledger.mdb")));

    // A copy cut short (here by a file size limit, as by a full disk) is not left behind.
    DataFixture delivered;
    const qint64 size = QFileInfo(delivered.mainFile()).size();
    {
        FileSizeLimit limit(size / 2);
        problem = DataFolder::seed(folder, delivered.directory());
    }
    QVERIFY2(problem.contains(QLatin1String("Hearthledger.mdb could not be copied")) &&
                 problem.contains(delivered.directory()) && problem.contains(folder),
             qPrintable(problem));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    // With room again, the next start seeds as if nothing had happened.
    QCOMPARE(DataFolder::seed(folder, delivered.directory()), QString());
    QCOMPARE(contents(folder + QStringLiteral("/Hearthledger.mdb")),
             contents(delivered.mainFile()));
}

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"

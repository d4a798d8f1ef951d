#include "app/Lifetime.h"
#include "app/SplashScreen.h"
#include "app/TForm1.h"
#include "core/Clock.h"
#include "data/Connection.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "records/HouseholdPage.h"
#include "records/PeoplePage.h"
#include "tests/data/DataFixture.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/PageControl.h"

#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <sqlite3.h>

using widgets::Page;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init() { app::lifetime::reset(); }
    void cleanup() { core::Clock::setSource({}); }
    void opensEverythingAndShowsTheRecordState();
    void connectionFailureShowsOneMessageAndEnds_data();
    void connectionFailureShowsOneMessageAndEnds();
    void lockedFileShowsOneMessageAndEnds();
    void jetFileIsOfferedForConversion_data();
    void jetFileIsOfferedForConversion();
    void tableFailureIsReportedAndTheWindowRuns();
    void awkwardProgramDirectories_data();
    void awkwardProgramDirectories();
    void exitAndCloseDiscardUnpostedEdits_data();
    void exitAndCloseDiscardUnpostedEdits();
    void splashWaitsForItsTimerWithOtherWindowsLive();
};

void TestStartup::opensEverythingAndShowsTheRecordState() {
    DataFixture fixture;
    core::Clock::setSource([] { return QDateTime(QDate(2026, 12, 9), QTime(10, 0)); });
    ModalAnswerer boxes;
    app::TForm1 form(fixture.directory());
    QVERIFY(boxes.boxes().isEmpty());
    QVERIFY(!app::lifetime::terminateRequested());
    for (data::TableObject *table :
         {named<data::TableObject>(form, "ADOTable1"), named<data::TableObject>(form, "ADOTable2"),
          named<data::TableObject>(form, "ADOTable3"), named<data::TableObject>(form, "ADOTable4"),
          named<data::TableObject>(form, "ADOTable5"), named<data::TableObject>(form, "ADOTable6")})
        QVERIFY2(table->isActive(), qPrintable(table->objectName()));
    QCOMPARE(form.windowTitle(), QStringLiteral("Hearthledger v1.0: Browsing"));
    QCOMPARE(named<QDateEdit>(form, "DateTimePicker1")->date(), QDate(2026, 12, 9));
    QCOMPARE(pageControl(form)->currentPage(), Page::Help);
    // On the Help page the routines write no count and only hide the panels.
    QCOMPARE(named<QLineEdit>(form, "Edit1")->text(), QString());
    QVERIFY(named<QLabel>(form, "NoPicture1")->isHidden());
    QVERIFY(named<data::Connection>(form, "ADOConnection1")
                ->connectionString()
                .startsWith(QStringLiteral("Provider=SQLite3;User ID=Admin;Data Source=")));
}

void TestStartup::connectionFailureShowsOneMessageAndEnds_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("replacement"); // empty: the file is missing
    QTest::addColumn<QString>("expected");
    QTest::newRow("main file missing")
        << "Hearthledger.mdb" << QByteArray() << "unable to open database file";
    QTest::newRow("phrase file missing")
        << "idioms.mdb" << QByteArray() << "unable to open database file";
    QTest::newRow("main file damaged")
        << "Hearthledger.mdb" << QByteArray(4096, 'x') << "file is not a database";
}

void TestStartup::connectionFailureShowsOneMessageAndEnds() {
    QFETCH(QString, file);
    QFETCH(QByteArray, replacement);
    QFETCH(QString, expected);
    DataFixture fixture;
    const QString path = fixture.directory() + QLatin1Char('/') + file;
    QVERIFY(QFile::remove(path));
    if (!replacement.isEmpty()) {
        QFile damaged(path);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(replacement);
    }
    ModalAnswerer boxes;
    app::TForm1 form(fixture.directory());
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(boxes.boxes()[0].icon, QMessageBox::NoIcon);
    QVERIFY2(boxes.lastText().contains(expected), qPrintable(boxes.lastText()));
    QVERIFY(app::lifetime::terminateRequested());
    QCOMPARE(app::lifetime::exitStatus(), EXIT_FAILURE);
    app::lifetime::requestTerminate(); // as closing the window does afterwards
    QCOMPARE(app::lifetime::exitStatus(), EXIT_FAILURE);
    QVERIFY(!named<data::TableObject>(form, "ADOTable1")->isActive());
    QCOMPARE(named<QDateEdit>(form, "DateTimePicker1")->date(), QDate(2003, 1, 1));
    // The program never creates a missing file.
    QCOMPARE(QFile::exists(path), !replacement.isEmpty());
}

void TestStartup::lockedFileShowsOneMessageAndEnds() {
    DataFixture fixture;
    sqlite3 *holder = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(fixture.mainFile()).constData(), &holder,
                             SQLITE_OPEN_READWRITE, nullptr),
             SQLITE_OK);
    QCOMPARE(sqlite3_exec(holder, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr,
                          nullptr, nullptr),
             SQLITE_OK);
    ModalAnswerer boxes;
    {
        app::TForm1 form(fixture.directory());
        QCOMPARE(boxes.boxes().size(), 1);
        QVERIFY2(boxes.lastText().contains(QLatin1String("locked")), qPrintable(boxes.lastText()));
        QVERIFY(app::lifetime::terminateRequested());
    }
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
}

void TestStartup::jetFileIsOfferedForConversion_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("no") << QMessageBox::No;
    QTest::newRow("yes") << QMessageBox::Yes;
}

void TestStartup::jetFileIsOfferedForConversion() {
    QFETCH(QMessageBox::StandardButton, answer);
    const QString jet = QStringLiteral(HL_JET_DIR "/nwind.mdb");
    if (!QFile::exists(jet))
        QSKIP("The Jet test files are missing: set HL_JET_DIR to the folder holding nwind.mdb");
    DataFixture fixture;
    QVERIFY(QFile::remove(fixture.mainFile()));
    QVERIFY(QFile::copy(jet, fixture.mainFile()));
    ModalAnswerer boxes;
    boxes.queue(answer);
    {
        app::TForm1 form(fixture.directory());
        QVERIFY(app::lifetime::terminateRequested());
    }
    // Asked once; a Jet file that holds none of the tables cannot be converted,
    // and then opening fails as before, with the file as it was.
    const QStringList texts = boxes.texts();
    QCOMPARE(texts.size(), answer == QMessageBox::Yes ? 3 : 2);
    QVERIFY2(texts.first().contains(QLatin1String("kept as Hearthledger.jet.mdb")),
             qPrintable(texts.first()));
    if (answer == QMessageBox::Yes)
        QVERIFY2(texts[1].contains(QLatin1String("could not be converted: No table")),
                 qPrintable(texts[1]));
    QVERIFY(texts.last().contains(QLatin1String("file is not a database")));
    QFile original(jet);
    QFile kept(fixture.mainFile());
    QVERIFY(original.open(QIODevice::ReadOnly) && kept.open(QIODevice::ReadOnly));
    QVERIFY(original.readAll() == kept.readAll());
    QVERIFY(!QFile::exists(fixture.directory() + QStringLiteral("/Hearthledger.jet.mdb")));
}

void TestStartup::tableFailureIsReportedAndTheWindowRuns() {
    DataFixture fixture;
    fixture.exec(QStringLiteral("DROP TABLE \"Privacy\""));
    ModalAnswerer boxes;
    app::TForm1 form(fixture.directory());
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(boxes.boxes()[0].icon, QMessageBox::Critical);
    QVERIFY2(boxes.lastText().contains(QLatin1String("no such table")),
             qPrintable(boxes.lastText()));
    QVERIFY(!app::lifetime::terminateRequested());
    QVERIFY(named<data::TableObject>(form, "ADOTable3")->isActive());
    QVERIFY(!named<data::TableObject>(form, "ADOTable4")->isActive());
    QVERIFY(!named<data::TableObject>(form, "ADOTable5")->isActive());
    QCOMPARE(named<QDateEdit>(form, "DateTimePicker1")->date(), QDate(2003, 1, 1));
    // The window carries on with the tables that opened.
    pageControl(form)->setCurrentPage(Page::Household);
    QCOMPARE(named<QLineEdit>(form, "Edit1")->text(), QStringLiteral("0"));
}

void TestStartup::awkwardProgramDirectories_data() {
    QTest::addColumn<QString>("subdirectory");
    QTest::newRow("blanks") << QStringLiteral("Program Files/Hearth ledger");
    QTest::newRow("semicolon and equals") << QStringLiteral("a;b=c;Mode=Read");
}

void TestStartup::awkwardProgramDirectories() {
    QFETCH(QString, subdirectory);
    DataFixture fixture({}, subdirectory);
    fixture.addItem(QStringLiteral("Lamp"));
    ModalAnswerer boxes;
    app::TForm1 form(fixture.directory());
    QVERIFY(boxes.boxes().isEmpty());
    QVERIFY(named<data::Connection>(form, "ADOConnection1")
                ->connectionString()
                .contains(fixture.directory() + QStringLiteral("/Hearthledger.mdb")));
    QCOMPARE(named<data::TableObject>(form, "ADOTable1")->recordCount(), 1);
}

void TestStartup::exitAndCloseDiscardUnpostedEdits_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Exit command") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Close button") << 2;
}

void TestStartup::exitAndCloseDiscardUnpostedEdits() {
    QFETCH(int, way);
    DataFixture fixture;
    fixture.addItem(QStringLiteral("Lamp"));
    {
        auto form = std::make_unique<app::TForm1>(fixture.directory());
        form->show();
        named<data::TableObject>(*form, "ADOTable1")
            ->fieldByName(QStringLiteral("Item Name"))
            ->setAsString("Chair");
        named<data::TableObject>(*form, "ADOTable2")->insert();
        if (way == 0) {
            form->Exit1Click();
            for (data::TableObject *table : {named<data::TableObject>(*form, "ADOTable1"),
                                             named<data::TableObject>(*form, "ADOTable2"),
                                             named<data::TableObject>(*form, "ADOTable3"),
                                             named<data::TableObject>(*form, "ADOTable4")})
                QVERIFY(!table->isActive());
            QVERIFY(named<data::TableObject>(*form, "ADOTable5")->isActive());
        } else if (way == 1) {
            QVERIFY(form->close());
        } else {
            named<QPushButton>(*form, "BitBtn1")->click();
            QVERIFY(!form->isVisible());
        }
        QVERIFY(app::lifetime::terminateRequested());
        QCOMPARE(app::lifetime::exitStatus(), 0);
        form.reset();
    }
    QCOMPARE(fixture.scalar(QStringLiteral("SELECT \"Item Name\" FROM \"Household Inventory\""))
                 .toString(),
             QStringLiteral("Lamp"));
    QCOMPARE(fixture.scalar(QStringLiteral("SELECT COUNT(*) FROM \"People\"")),
             QVariant(qlonglong(0)));
}

void TestStartup::splashWaitsForItsTimerWithOtherWindowsLive() {
    // A short splash time; the other windows' timers run during the wait.
    app::TSplashScreen splash;
    splash.Timer1->start(300);
    int ticks = 0;
    QTimer other;
    connect(&other, &QTimer::timeout, this, [&ticks] { ++ticks; });
    other.start(10);
    splash.waitUntilMayClose();
    QVERIFY(splash.FormCloseQuery());
    QVERIFY(ticks > 5);

    // A start-up that outlasted the splash time goes on at the first pass; the
    // rescue only ends a wait that would otherwise hang the test.
    app::TSplashScreen late;
    late.Timer1->start(20);
    QThread::msleep(60);
    bool rescued = false;
    QTimer::singleShot(5000, &late, [&late, &rescued] {
        rescued = true;
        late.Timer1->start(0);
    });
    late.waitUntilMayClose();
    QVERIFY(late.FormCloseQuery());
    QVERIFY(!rescued);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

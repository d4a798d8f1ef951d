#include "app/Lifetime.h"
#include "app/RandomInRange.h"
#include "app/TForm1.h"
#include "core/Clock.h"
#include "data/Field.h"
#include "data/TableObject.h"
#include "records/HouseholdPage.h"
#include "records/PeoplePage.h"
#include "tests/data/DataFixture.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/DBEdit.h"
#include "widgets/DBNavigator.h"
#include "widgets/PageControl.h"

#include <QTimeZone>
#include <QTimer>
#include <QtTest>

#include <climits>

using widgets::Page;

using widgets::DBNavigator;

namespace {

const QString kStatePrefix = QStringLiteral("Hearthledger v1.0: ");
const QString kPhrasePrefix = QStringLiteral("Hearthledger v1.7  - ");

// The generator worked out with exact integers: one step of
// x * 134775813 + 1 mod 2^32 from the milliseconds since midnight UTC, then
// x / 2^32 * (hi - lo) + lo truncated toward zero.
int expectedRandom(int low, int high, const QDateTime &when) {
    const QTime t = when.toUTC().time();
    const quint64 ms =
        ((quint64(t.hour()) * 60 + quint64(t.minute())) * 60 + quint64(t.second())) * 1000 +
        quint64(t.msec());
    const quint32 seed = quint32(ms * 134775813ULL + 1ULL);
    if (high < low)
        std::swap(low, high);
    const __int128 scale = __int128(1) << 32;
    const __int128 value = __int128(seed) * (qint64(high) - qint64(low)) + __int128(low) * scale;
    return int(value / scale); // C++ division truncates toward zero
}

QDateTime utcAt(int msecsOfDay) {
    return QDateTime(QDate(2024, 5, 6), QTime::fromMSecsSinceStartOfDay(msecsOfDay),
                     QTimeZone::utc());
}

// The first moment of the day at which the ticker draws n.
QDateTime momentDrawing(int n) {
    for (int ms = 0; ms < 86400000; ++ms)
        if (expectedRandom(1, 1039, utcAt(ms)) == n)
            return utcAt(ms);
    return {};
}

QStringList numberedPhrases(int count) {
    QStringList phrases;
    for (int i = 1; i <= count; ++i)
        phrases << QStringLiteral("Phrase %1").arg(i, 4, 10, QLatin1Char('0'));
    return phrases;
}

} // namespace

class TestTitleBar : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void startsWithStateOfHouseholdTable();
    void stateWordsFollowUserActions();
    void tableIsChosenByPage_data();
    void tableIsChosenByPage();
    void otherSourcesWriteNothing();
    void randomInRange_data();
    void randomInRange();
    void randomInRangeCoversItsRange();
    void tickerShowsRowOnePlusN_data();
    void tickerShowsRowOnePlusN();
    void everyTickStartsFromTheFirstRow();
    void openPhraseTableKeepsItsRow();
    void timerWritesThePhrase();

private:
    void openForm(const tools::PrepareOptions &options = {});

    std::unique_ptr<DataFixture> m_fixture;
    std::unique_ptr<app::TForm1> m_form;
};

void TestTitleBar::cleanup() {
    m_form.reset();
    m_fixture.reset();
    core::Clock::setSource({});
    app::lifetime::reset();
}

void TestTitleBar::openForm(const tools::PrepareOptions &options) {
    if (!m_fixture) {
        m_fixture = std::make_unique<DataFixture>(options);
        m_fixture->addItem(QStringLiteral("Lamp"));
        m_fixture->addItem(QStringLiteral("Ladder"));
        m_fixture->exec(QStringLiteral("INSERT INTO \"People\" (\"First Name\") VALUES ('Ann')"));
    }
    m_form = std::make_unique<app::TForm1>(m_fixture->directory());
    named<QTimer>(*m_form, "Timer1")->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestTitleBar::startsWithStateOfHouseholdTable() {
    openForm();
    QCOMPARE(m_form->windowTitle(), kStatePrefix + QStringLiteral("Browsing"));
}

void TestTitleBar::stateWordsFollowUserActions() {
    openForm();
    pageControl(*m_form)->setCurrentPage(Page::Household);
    records::HouseholdPage *page = named<records::HouseholdPage>(*m_form, "Household");
    DBNavigator *navigator = page->DBNavigator1;

    navigator->clickButton(DBNavigator::nbNext);
    QCOMPARE(m_form->windowTitle(), kStatePrefix + QStringLiteral("Browsing"));
    m_form->setWindowTitle(QString());
    page->DBEdit2->setFocus();
    QTest::keyClicks(page->DBEdit2, QStringLiteral("Hall"));
    QCOMPARE(m_form->windowTitle(), kStatePrefix + QStringLiteral("Editing"));
    navigator->clickButton(DBNavigator::nbPost);
    QCOMPARE(m_form->windowTitle(), kStatePrefix + QStringLiteral("Browsing"));
    navigator->clickButton(DBNavigator::nbInsert);
    QCOMPARE(m_form->windowTitle(), kStatePrefix + QStringLiteral("New record inserting"));
    navigator->clickButton(DBNavigator::nbCancel);
    QCOMPARE(m_form->windowTitle(), kStatePrefix + QStringLiteral("Browsing"));

    pageControl(*m_form)->setCurrentPage(Page::People);
    named<widgets::DBNavigator>(*m_form, "DBNavigator3")->clickButton(DBNavigator::nbInsert);
    QCOMPARE(m_form->windowTitle(), kStatePrefix + QStringLiteral("New record inserting"));
    named<widgets::DBEdit>(*m_form, "DBEdit14")->setFocus();
    QTest::keyClicks(named<widgets::DBEdit>(*m_form, "DBEdit14"), QStringLiteral("Bea"));
    QCOMPARE(m_form->windowTitle(), kStatePrefix + QStringLiteral("New record inserting"));
    named<widgets::DBNavigator>(*m_form, "DBNavigator3")->clickButton(DBNavigator::nbPost);
    QCOMPARE(m_form->windowTitle(), kStatePrefix + QStringLiteral("Browsing"));
}

void TestTitleBar::tableIsChosenByPage_data() {
    QTest::addColumn<Page>("page");
    QTest::addColumn<QString>("word");
    // Household Items in edit, People inserting, Diary browsing, Privacy closed.
    QTest::newRow("Household Items") << Page::Household << "Editing";
    QTest::newRow("People") << Page::People << "New record inserting";
    QTest::newRow("Diary") << Page::Diary << "Browsing";
    QTest::newRow("Privacy") << Page::Privacy << "Closed";
    QTest::newRow("Utilities") << Page::Utilities << "Editing";
    QTest::newRow("Help") << Page::Help << "Editing";
}

void TestTitleBar::tableIsChosenByPage() {
    QFETCH(Page, page);
    QFETCH(QString, word);
    openForm();
    pageControl(*m_form)->setCurrentPage(page);
    named<data::TableObject>(*m_form, "ADOTable1")->edit();
    named<data::TableObject>(*m_form, "ADOTable2")->insert();
    named<data::TableObject>(*m_form, "ADOTable4")->close();
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable3")->state(),
             data::TableObject::State::Browse);

    // Whichever source reports, the caption names the page's table.
    const QList<std::function<void()>> reports = {
        [this] {
            named<data::TableObject>(*m_form, "ADOTable1")
                ->fieldByName(QStringLiteral("Room ID"))
                ->setAsString("Hall");
        },
        [this] {
            named<data::TableObject>(*m_form, "ADOTable2")
                ->fieldByName(QStringLiteral("First Name"))
                ->setAsString("Bea");
        },
        [this] { named<data::TableObject>(*m_form, "ADOTable3")->refresh(); },
    };
    for (qsizetype i = 0; i < reports.size(); ++i) {
        m_form->setWindowTitle(QStringLiteral("none"));
        reports[i]();
        QVERIFY2(
            m_form->windowTitle() == kStatePrefix + word,
            qPrintable(QStringLiteral("DataSource%1: %2").arg(i + 1).arg(m_form->windowTitle())));
    }
}

void TestTitleBar::otherSourcesWriteNothing() {
    openForm();
    m_form->setWindowTitle(QStringLiteral("none"));
    named<data::TableObject>(*m_form, "ADOTable5")->next();
    named<data::TableObject>(*m_form, "ADOTable5")->refresh();
    named<data::TableObject>(*m_form, "ADOTable6")->next();
    QCOMPARE(m_form->windowTitle(), QStringLiteral("none"));
    // Closing reports nothing either.
    named<data::TableObject>(*m_form, "ADOTable2")->close();
    QCOMPARE(m_form->windowTitle(), QStringLiteral("none"));
}

void TestTitleBar::randomInRange_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    const QList<QPair<const char *, QDateTime>> moments = {
        {"midnight", utcAt(0)},
        {"12:34:56.789", utcAt(((12 * 60 + 34) * 60 + 56) * 1000 + 789)},
        {"last millisecond", utcAt(86399999)},
        // 05:30:00.250 at UTC+05:30 is 00:00:00.250 UTC.
        {"zone ahead of UTC",
         QDateTime(QDate(2024, 5, 6), QTime(5, 30, 0, 250), QTimeZone(5 * 3600 + 1800))},
        {"zone behind UTC",
         QDateTime(QDate(2024, 5, 6), QTime(20, 15, 7, 3), QTimeZone(-7 * 3600))},
    };
    const QList<QPair<int, int>> bounds = {
        {1, 1039}, {1039, 1}, {5, 5}, {-10, 10}, {-20, -10}, {0, INT_MAX}, {INT_MIN, INT_MAX}};
    for (const auto &moment : moments)
        for (const auto &bound : bounds)
            QTest::addRow("%s, %d..%d", moment.first, bound.first, bound.second)
                << moment.second << bound.first << bound.second;
}

void TestTitleBar::randomInRange() {
    QFETCH(QDateTime, when);
    QFETCH(int, low);
    QFETCH(int, high);
    const int expected = expectedRandom(low, high, when);
    QCOMPARE(app::RandomInRange(low, high, when), expected);
    core::Clock::setSource([when] { return when; });
    QCOMPARE(app::RandomInRange(low, high), expected);
    QCOMPARE(app::RandomInRange(high, low), expected); // swapped bounds
    if (low == high)
        QCOMPARE(expected, low);
}

void TestTitleBar::randomInRangeCoversItsRange() {
    int lowest = INT_MAX, highest = INT_MIN;
    for (int ms = 0; ms < 86400000; ms += 397) {
        const int n = app::RandomInRange(1, 1039, utcAt(ms));
        lowest = qMin(lowest, n);
        highest = qMax(highest, n);
    }
    QCOMPARE(lowest, 1);
    QCOMPARE(highest, 1038);
}

void TestTitleBar::tickerShowsRowOnePlusN_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<int>("shownRow"); // 0: none
    const QDateTime noon = utcAt(12 * 3600 * 1000);
    const int n = expectedRandom(1, 1039, noon);
    QVERIFY(n > 1);
    QTest::newRow("empty table") << 0 << noon << 0;
    QTest::newRow("1 row") << 1 << noon << 1;
    QTest::newRow("3 rows") << 3 << noon << 3;
    QTest::newRow("3 rows, n = 1") << 3 << momentDrawing(1) << 2;
    QTest::newRow("1100 rows") << 1100 << noon << 1 + n;
    QTest::newRow("1100 rows, n = 1") << 1100 << momentDrawing(1) << 2;
    QTest::newRow("1100 rows, n = 1038") << 1100 << momentDrawing(1038) << 1039;
    QTest::newRow("1039 rows, n = 1038") << 1039 << momentDrawing(1038) << 1039;
}

void TestTitleBar::tickerShowsRowOnePlusN() {
    QFETCH(int, rows);
    QFETCH(QDateTime, when);
    QFETCH(int, shownRow);
    QVERIFY(when.isValid());
    tools::PrepareOptions options;
    options.phraseList = numberedPhrases(rows);
    openForm(options);
    core::Clock::setSource([when] { return when; });
    m_form->Timer1Timer();
    const QString phrase = shownRow ? numberedPhrases(rows).at(shownRow - 1) : QString();
    QCOMPARE(m_form->windowTitle(), kPhrasePrefix + phrase);
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable6")->state(),
             data::TableObject::State::Inactive);
}

void TestTitleBar::everyTickStartsFromTheFirstRow() {
    tools::PrepareOptions options;
    options.phraseList = numberedPhrases(1100);
    openForm(options);
    for (int ms : {1000, 55555, 4000000, 1000}) {
        const QDateTime when = utcAt(ms);
        core::Clock::setSource([when] { return when; });
        m_form->Timer1Timer();
        const int row = 1 + expectedRandom(1, 1039, when);
        QCOMPARE(m_form->windowTitle(), kPhrasePrefix + numberedPhrases(1100).at(row - 1));
    }
    // A data change in between writes the record state, until the next tick.
    named<data::TableObject>(*m_form, "ADOTable1")->next();
    QCOMPARE(m_form->windowTitle(), kStatePrefix + QStringLiteral("Browsing"));
    m_form->Timer1Timer();
    QVERIFY(m_form->windowTitle().startsWith(kPhrasePrefix + QStringLiteral("Phrase ")));
}

void TestTitleBar::openPhraseTableKeepsItsRow() {
    tools::PrepareOptions options;
    options.phraseList = numberedPhrases(1100);
    openForm(options);
    // Start-up leaves the table open; moved on to row 3, the tick counts from there.
    QCOMPARE(named<data::TableObject>(*m_form, "ADOTable6")->state(),
             data::TableObject::State::Browse);
    named<data::TableObject>(*m_form, "ADOTable6")->next();
    named<data::TableObject>(*m_form, "ADOTable6")->next();
    const QDateTime when = utcAt(777);
    core::Clock::setSource([when] { return when; });
    m_form->Timer1Timer();
    const int row = 3 + expectedRandom(1, 1039, when);
    QCOMPARE(m_form->windowTitle(), kPhrasePrefix + numberedPhrases(1100).at(row - 1));
}

void TestTitleBar::timerWritesThePhrase() {
    tools::PrepareOptions options;
    options.phraseList = numberedPhrases(3);
    openForm(options);
    const QDateTime when = utcAt(12 * 3600 * 1000);
    core::Clock::setSource([when] { return when; });
    named<QTimer>(*m_form, "Timer1")->start(20);
    QTRY_COMPARE(m_form->windowTitle(), kPhrasePrefix + QStringLiteral("Phrase 0003"));
}

QTEST_MAIN(TestTitleBar)
#include "tst_titlebar.moc"

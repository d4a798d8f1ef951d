#include "core/Clock.h"
#include "data/TableObject.h"
#include "listreports/ListReport.h"
#include "listreports/TableReportSource.h"
#include "platform/reportengine/PreparedReport.h"
#include "platform/reportengine/ReportEngine.h"
#include "platform/reportengine/ReportOutput.h"
#include "tests/data/DataFixture.h"
#include "tests/platform/reportengine/PdfText.h"

#include <QtTest>

using namespace listreports;

namespace {

// Lays the report out over its table and reads back what the PDF shows.
PdfText renderReport(const ListReport &report, const QString &pdf) {
    reportengine::ReportEngine engine(report.definition(), report.source());
    engine.completeLayout();
    reportengine::exportPdf(engine, pdf);
    return PdfText::read(pdf);
}

QString richNotes(const QString &paragraph, int count) {
    QString rtf = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ");
    for (int i = 0; i < count; ++i)
        rtf += QStringLiteral("%1 %2\\par ").arg(paragraph).arg(i);
    return rtf + QLatin1Char('}');
}

} // namespace

class TestListReports : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { core::Clock::setSource({}); }
    void householdReportListsEveryRecord();
    void emptyTableGivesOnePage();
    void titleOnFirstPageHeadingsAndFooterOnEvery();
    void peopleAndPrivacyPrintTheirColumns();
    void diaryNotesRunOverPageEnds();
    void helpReportHasTitleButNoHeadings();
    void reportHasItsOwnConnection();
    void preparedReportReplaysTheSamePages();
    void anyScriptAndEmojiPrint();

private:
    QTemporaryDir m_out;
    QString pdf(const char *name) const { return m_out.filePath(QString::fromLatin1(name)); }
};

void TestListReports::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) is needed");
}

void TestListReports::householdReportListsEveryRecord() {
    DataFixture fixture;
    fixture.exec(QStringLiteral(
        "INSERT INTO \"Household Inventory\" (\"Room ID\", \"Item Name\", \"Purchase Price\", "
        "\"Insured\", \"Date Purchased\", \"Manufacturer\") VALUES "
        "('Hall', 'Lamp', 12500000, 1, '2020-03-04T00:00:00', 'Acme'), "
        "('Den', 'Desk', 125000, 0, NULL, 'Acme')"));
    TQRListForm report(fixture.directory());
    core::Clock::setSource([] { return QDateTime(QDate(2026, 12, 9), QTime(14, 5, 6)); });
    const PdfText text = renderReport(report, pdf("household.pdf"));
    QCOMPARE(text.pageSizes.size(), 1);
    QVERIFY(qAbs(text.pageSizes[0].width() - 297) < 1); // landscape A4
    QVERIFY(qAbs(text.pageSizes[0].height() - 210) < 1);
    const QString page = text.pageText(0);
    QVERIFY2(page.contains(QLatin1String("Household Items")), qPrintable(page));
    QVERIFY(page.contains(QLatin1String("1250 True")));
    QVERIFY(page.contains(QLatin1String("12.5 False")));
    QVERIFY(page.indexOf(QLatin1String("Lamp")) < page.indexOf(QLatin1String("Desk")));
    QVERIFY(page.contains(QLatin1String("3/4/2020")));
    QVERIFY(!page.contains(QLatin1String("Acme"))); // Manufacturer is not printed
    const QString printed =
        reportengine::ReportEngine::printTimeText(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 6)));
    QVERIFY2(page.startsWith(printed), qPrintable(page));
    QVERIFY(page.contains(QLatin1String("Page 1")));

    // Positions: "Room" heading 10.6 mm and the values' column 29.6 mm from the margin.
    const PdfWord room = text.find(QStringLiteral("Room"), 0).value(0);
    QVERIFY2(qAbs(room.box.left() - (12.7 + 10.6)) < 0.8,
             qPrintable(QString::number(room.box.left())));
    const PdfWord lamp = text.find(QStringLiteral("Lamp"), 0).value(0);
    QVERIFY(qAbs(lamp.box.left() - (12.7 + 29.6)) < 0.8);
}

void TestListReports::emptyTableGivesOnePage() {
    DataFixture fixture;
    TQRListForm4 report(fixture.directory());
    const PdfText text = renderReport(report, pdf("empty.pdf"));
    QCOMPARE(text.pageSizes.size(), 1);
    const QString page = text.pageText(0);
    for (const char *expected : {"Privacy", "Acct Name", "Secret Place", "Page 1"})
        QVERIFY2(page.contains(QLatin1String(expected)), expected);
}

void TestListReports::titleOnFirstPageHeadingsAndFooterOnEvery() {
    DataFixture fixture;
    for (int i = 0; i < 80; ++i)
        fixture.addItem(QStringLiteral("Item%1").arg(i, 3, 10, QLatin1Char('0')));
    TQRListForm report(fixture.directory());
    const PdfText text = renderReport(report, pdf("long.pdf"));
    const int pages = int(text.pageSizes.size());
    QVERIFY(pages >= 2);
    QCOMPARE(pdfInfoPages(pdf("long.pdf")), pages);
    QString all;
    for (int p = 0; p < pages; ++p) {
        const QString page = text.pageText(p);
        QCOMPARE(page.contains(QLatin1String("Household Items")), p == 0);
        QVERIFY(page.contains(QLatin1String("Description")));
        QVERIFY(page.contains(QStringLiteral("Page %1").arg(p + 1)));
        all += page + QLatin1Char(' ');
    }
    // Every record, once, in the table's order.
    int at = -1;
    for (int i = 0; i < 80; ++i) {
        const QString name = QStringLiteral("Item%1").arg(i, 3, 10, QLatin1Char('0'));
        const int found = int(all.indexOf(name));
        QVERIFY2(found > at, qPrintable(name));
        QCOMPARE(all.count(name), 1);
        at = found;
    }
}

void TestListReports::peopleAndPrivacyPrintTheirColumns() {
    DataFixture fixture;
    fixture.exec(QStringLiteral(
        "INSERT INTO \"People\" (\"First Name\", \"Last Name\", \"Nickname\", \"Hobbies\") "
        "VALUES ('Ann', 'Lee', 'Annie', 'Chess')"));
    fixture.exec(QStringLiteral(
        "INSERT INTO \"Privacy\" (\"Account Name\", \"Cash\", \"Shares Owned\", \"Notes\") "
        "VALUES ('Savings', 1000000, 12.25, 'secret notes')"));
    TQRListForm2 people(fixture.directory());
    const QString peoplePage = renderReport(people, pdf("people.pdf")).pageText(0);
    QVERIFY(peoplePage.contains(QLatin1String("people")));
    QVERIFY(peoplePage.contains(QLatin1String("Ann")));
    QVERIFY(peoplePage.contains(QLatin1String("Chess")));
    QVERIFY(!peoplePage.contains(QLatin1String("Annie")));

    TQRListForm4 privacy(fixture.directory());
    const QString privacyPage = renderReport(privacy, pdf("privacy.pdf")).pageText(0);
    QVERIFY(privacyPage.contains(QLatin1String("Savings")));
    QVERIFY(privacyPage.contains(QLatin1String("12.25")));
    QVERIFY(privacyPage.contains(QLatin1String("100")));
    QVERIFY(!privacyPage.contains(QLatin1String("secret")));
}

void TestListReports::diaryNotesRunOverPageEnds() {
    tools::PrepareOptions options;
    options.diaryRow = false;
    DataFixture fixture(options);
    fixture.exec(QStringLiteral("INSERT INTO \"Diary\" (\"Notes\") VALUES (?)"),
                 {richNotes(QStringLiteral("Dear diary, line"), 120)});
    fixture.exec(QStringLiteral("INSERT INTO \"Diary\" (\"Notes\") VALUES ('plain second page')"));
    TQRListForm3 report(fixture.directory());
    const PdfText text = renderReport(report, pdf("diary.pdf"));
    QVERIFY(text.pageSizes.size() >= 2);
    QVERIFY(qAbs(text.pageSizes[0].width() - 210) < 1); // portrait
    QVERIFY(text.pageText(0).contains(QLatin1String("line 0")));
    QString last = text.pageText(int(text.pageSizes.size()) - 1);
    QVERIFY(last.contains(QLatin1String("plain second page")));
    for (int p = 0; p < text.pageSizes.size(); ++p)
        QVERIFY(text.pageText(p).contains(QStringLiteral("Page %1").arg(p + 1)));
    QString all;
    for (int p = 0; p < text.pageSizes.size(); ++p)
        all += text.pageText(p) + QLatin1Char(' ');
    QVERIFY(all.contains(QLatin1String("line 119")));
}

void TestListReports::helpReportHasTitleButNoHeadings() {
    tools::PrepareOptions options;
    options.helpList =
        QStringList{QStringLiteral("{\\rtf1 Welcome text}"), QStringLiteral("Plain help")};
    DataFixture fixture(options);
    TQRListForm5 report(fixture.directory());
    QVERIFY(!report.definition().columnHeader);
    const QString page = renderReport(report, pdf("help.pdf")).pageText(0);
    QVERIFY(page.contains(QLatin1String("help")));
    QVERIFY(page.contains(QLatin1String("Welcome text")));
    QVERIFY(page.contains(QLatin1String("Plain help")));
    QVERIFY(page.indexOf(QLatin1String("Welcome")) < page.indexOf(QLatin1String("Plain")));
}

void TestListReports::reportHasItsOwnConnection() {
    DataFixture fixture;
    fixture.addItem(QStringLiteral("Lamp"));
    auto mine = fixture.connect();
    TQRListForm report(fixture.directory());
    QVERIFY(report.table()->connection() != mine.get());
    QCOMPARE(report.table()->recordCount(), 1);
    QVERIFY(report.table()->isActive());
    // A later row is seen by a report made later, not by one made before.
    fixture.addItem(QStringLiteral("Desk"));
    TQRListForm second(fixture.directory());
    QCOMPARE(second.table()->recordCount(), 2);
    QCOMPARE(report.table()->recordCount(), 1);
}

void TestListReports::preparedReportReplaysTheSamePages() {
    DataFixture fixture;
    for (int i = 0; i < 40; ++i)
        fixture.addItem(QStringLiteral("Thing %1").arg(i));
    TQRListForm report(fixture.directory());
    reportengine::ReportEngine engine(report.definition(), report.source());
    engine.completeLayout();
    const QString file = m_out.filePath(QStringLiteral("household.hlr"));
    reportengine::PreparedReport::save(engine, file);
    auto loaded = std::make_unique<reportengine::PreparedReport>(file);
    QCOMPARE(loaded->pageCount(), engine.pageCount());
    for (int p = 0; p < engine.pageCount(); ++p)
        QCOMPARE(loaded->pageImage(p, 50), engine.pageImage(p, 50));
}

void TestListReports::anyScriptAndEmojiPrint() {
    // Chinese, Korean and Japanese text and emoji, as a user may type them.
    DataFixture fixture;
    fixture.exec(
        QStringLiteral("INSERT INTO \"Household Inventory\" (\"Room ID\", \"Item Name\", "
                       "\"Description\") VALUES (?, ?, ?)"),
        {QStringLiteral("客厅"), QStringLiteral("台灯"), QStringLiteral("한국어 ひらがな 🏠🎉")});
    TQRListForm report(fixture.directory());
    const QString file = pdf("scripts.pdf");
    const PdfText text = renderReport(report, file);
    // Text comes back only from glyphs that a face really has.
    for (const char *words : {"客厅", "台灯", "한국어", "ひらがな"})
        QVERIFY2(!text.find(QString::fromUtf8(words), 0).isEmpty(), qPrintable(text.pageText(0)));
    // Emoji lie beyond the 16-bit range whose text a PDF of this toolkit maps
    // back; the face that drew them is embedded (fonts-symbola).
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {file});
    QVERIFY(fonts.waitForFinished(60000));
    const QString listed = QString::fromUtf8(fonts.readAllStandardOutput());
    QVERIFY2(listed.contains(QStringLiteral("Symbola")), qPrintable(listed));
}

QTEST_MAIN(TestListReports)
#include "tst_listreports.moc"

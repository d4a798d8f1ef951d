#include "MemorySource.h"
#include "PdfText.h"
#include "ReportFixtures.h"

#include "core/Clock.h"
#include "platform/reportengine/ReportEngine.h"
#include "platform/reportengine/ReportFonts.h"
#include "platform/reportengine/ReportOutput.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

using namespace reportengine;

namespace {
constexpr qreal kTolerance = 0.6; // millimetres
const QDateTime kPrintTime(QDate(2024, 3, 5), QTime(14, 7, 9));

QString id(int row) {
    return QStringLiteral("R%1").arg(row, 4, 10, QLatin1Char('0'));
}

MemorySource numberedRows(int count) {
    return MemorySource(count, [](int row, const QString &column) {
        if (column == QLatin1String("ID"))
            return id(row);
        if (column == QLatin1String("Name"))
            return QStringLiteral("Name%1").arg(row);
        if (column == QLatin1String("Long"))
            return QStringLiteral("Short");
        return QStringLiteral("A%1").arg(row);
    });
}

// Words sorted top to bottom, then left to right, page by page.
QList<PdfWord> inReadingOrder(QList<PdfWord> words) {
    std::stable_sort(words.begin(), words.end(), [](const PdfWord &a, const PdfWord &b) {
        if (a.page != b.page)
            return a.page < b.page;
        if (std::abs(a.box.bottom() - b.box.bottom()) > 0.5)
            return a.box.bottom() < b.box.bottom();
        return a.box.left() < b.box.left();
    });
    return words;
}

int rowsPerPage(qreal bodyHeight) {
    return int(std::floor(bodyHeight / fixtures::kDetailHeight + 1e-6));
}
} // namespace

class TestReportEngine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void paperAndOrientation_data();
    void paperAndOrientation();
    void bandsOnEveryPage();
    void recordsInOrderAcrossPages();
    void itemPositionsInMillimetres();
    void longValueClippedAutoWidthGrows();
    void emptySourceGivesOnePage();
    void richTextRunsOverPageEnds();
    void recordsAroundLongRichText();
    void layoutIsLazy();
    void oversizedBandsEnd();
    void unreadableValuePrintsNothing();
    void printerPageRange();
    void titleFaceEmbeddedAndBold();
    void printTimeText_data();
    void printTimeText();

private:
    PdfText renderPdf(ReportEngine &engine, int *pages = nullptr);

    QTemporaryDir m_dir;
    int m_files = 0;
};

void TestReportEngine::initTestCase() {
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) is needed");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    core::Clock::setSource([] { return kPrintTime; });
}

void TestReportEngine::cleanupTestCase() {
    core::Clock::setSource({});
}

PdfText TestReportEngine::renderPdf(ReportEngine &engine, int *pages) {
    const QString file = m_dir.filePath(QStringLiteral("report%1.pdf").arg(++m_files));
    exportPdf(engine, file);
    if (pages)
        *pages = pdfInfoPages(file);
    return PdfText::read(file);
}

void TestReportEngine::paperAndOrientation_data() {
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::addColumn<QSizeF>("size");
    QTest::newRow("portrait") << QPageLayout::Portrait << QSizeF(210, 297);
    QTest::newRow("landscape") << QPageLayout::Landscape << QSizeF(297, 210);
}

void TestReportEngine::paperAndOrientation() {
    QFETCH(QPageLayout::Orientation, orientation);
    QFETCH(QSizeF, size);
    MemorySource source = numberedRows(3);
    ReportEngine engine(fixtures::listDefinition(orientation), source);
    const PdfText pdf = renderPdf(engine);
    QCOMPARE(pdf.pageSizes.size(), 1);
    QVERIFY2(std::abs(pdf.pageSizes[0].width() - size.width()) < 1 &&
                 std::abs(pdf.pageSizes[0].height() - size.height()) < 1,
             qPrintable(QStringLiteral("%1 x %2")
                            .arg(pdf.pageSizes[0].width())
                            .arg(pdf.pageSizes[0].height())));
}

void TestReportEngine::bandsOnEveryPage() {
    MemorySource source = numberedRows(100);
    ReportEngine engine(fixtures::listDefinition(), source);
    int pdfPages = 0;
    const PdfText pdf = renderPdf(engine, &pdfPages);
    QVERIFY(engine.isComplete());
    QVERIFY(engine.pageCount() >= 3);
    QCOMPARE(pdfPages, engine.pageCount());
    QCOMPARE(pdf.pageSizes.size(), engine.pageCount());

    const qreal footerTop = 210 - 12.7 - fixtures::kFooterHeight;
    for (int page = 0; page < engine.pageCount(); ++page) {
        const bool first = page == 0;
        QCOMPARE(pdf.find(QStringLiteral("Inventory"), page).size(), first ? 1 : 0);
        QCOMPARE(pdf.find(QStringLiteral("3/5/24"), page).size(), first ? 1 : 0);
        QCOMPARE(pdf.find(QStringLiteral("2:07:09"), page).size(), first ? 1 : 0);
        for (const char *heading : {"No.", "Name", "Long", "Auto"})
            QCOMPARE(pdf.find(QString::fromLatin1(heading), page).size(), 1);
        // "Page N" at the bottom of the page, N counting from 1.
        const QList<PdfWord> number = pdf.find(QString::number(page + 1), page);
        const QList<PdfWord> label = pdf.find(QStringLiteral("Page"), page);
        QCOMPARE(label.size(), 1);
        QVERIFY(std::any_of(number.begin(), number.end(), [&](const PdfWord &word) {
            return std::abs(word.box.top() - label[0].box.top()) < 0.2;
        }));
        QVERIFY2(std::abs(label[0].box.top() - (footerTop + 1.1)) < kTolerance,
                 qPrintable(QString::number(label[0].box.top())));
        // Headings sit below the title on the first page, at the top of the others.
        const qreal headingTop = pdf.find(QStringLiteral("No."), page)[0].box.top();
        const qreal expected = 12.7 + (first ? fixtures::kTitleHeight : 0);
        QVERIFY2(std::abs(headingTop - expected) < kTolerance,
                 qPrintable(QString::number(headingTop)));
    }
    // The time is right-aligned to the band's right edge.
    const QList<PdfWord> pm = pdf.find(QStringLiteral("PM"));
    QCOMPARE(pm.size(), 1);
    QVERIFY(std::abs(pm[0].box.right() - (297 - 12.7)) < kTolerance);
}

void TestReportEngine::recordsInOrderAcrossPages() {
    const int rows = 123;
    MemorySource source = numberedRows(rows);
    ReportEngine engine(fixtures::listDefinition(QPageLayout::Portrait), source);
    const PdfText pdf = renderPdf(engine);

    QList<PdfWord> ids;
    for (const PdfWord &word : inReadingOrder(pdf.words))
        if (word.text.startsWith(QLatin1Char('R')) && word.text.size() == 5)
            ids.append(word);
    QCOMPARE(ids.size(), rows);
    for (int row = 0; row < rows; ++row)
        QCOMPARE(ids[row].text, id(row));

    // Pages hold as many whole detail bands as fit between header and footer.
    const qreal body = 297 - 2 * 12.7 - fixtures::kHeaderHeight - fixtures::kFooterHeight;
    const int firstPage = rowsPerPage(body - fixtures::kTitleHeight);
    const int otherPages = rowsPerPage(body);
    int row = 0;
    for (int page = 0; row < rows; ++page) {
        const int expected = qMin(rows - row, page == 0 ? firstPage : otherPages);
        const int onPage = int(std::count_if(ids.begin(), ids.end(),
                                             [&](const PdfWord &w) { return w.page == page; }));
        QCOMPARE(onPage, expected);
        // Consecutive records are one detail band apart.
        const qreal top = 12.7 + fixtures::kHeaderHeight + (page == 0 ? fixtures::kTitleHeight : 0);
        for (int i = 0; i < expected; ++i) {
            const qreal y = ids[row + i].box.top();
            QVERIFY2(std::abs(y - (top + i * fixtures::kDetailHeight)) < kTolerance,
                     qPrintable(QStringLiteral("%1 at %2").arg(ids[row + i].text).arg(y)));
        }
        row += expected;
    }
    QCOMPARE(engine.pageCount(), 1 + (rows - firstPage + otherPages - 1) / otherPages);
}

void TestReportEngine::itemPositionsInMillimetres() {
    MemorySource source = numberedRows(2);
    ReportEngine engine(fixtures::listDefinition(), source);
    const PdfText pdf = renderPdf(engine);
    const qreal left = 12.7;
    const qreal headerTop = 12.7 + fixtures::kTitleHeight;
    const qreal detailTop = headerTop + fixtures::kHeaderHeight;
    struct Expected {
        QString text;
        qreal x;
        qreal y;
        qreal height; // of the font's line, roughly
    };
    const Expected expected[] = {
        {QStringLiteral("Inventory"), 59.5, 12.7 + 2.1, 14 * 25.4 / 72},
        {QStringLiteral("No."), 2.1, headerTop, 10 * 25.4 / 72},
        {QStringLiteral("Long"), fixtures::kLongLeft, headerTop, 10 * 25.4 / 72},
        {QStringLiteral("R0000"), 0, detailTop, 10 * 25.4 / 72},
        {QStringLiteral("Name1"), 20, detailTop + fixtures::kDetailHeight, 10 * 25.4 / 72},
        {QStringLiteral("A1"), fixtures::kAutoLeft, detailTop + fixtures::kDetailHeight,
         10 * 25.4 / 72},
    };
    for (const Expected &item : expected) {
        const QList<PdfWord> found = pdf.find(item.text);
        QVERIFY2(found.size() == 1, qPrintable(item.text));
        const QRectF box = found[0].box;
        QVERIFY2(std::abs(box.left() - (left + item.x)) < kTolerance &&
                     std::abs(box.top() - item.y) < kTolerance,
                 qPrintable(
                     QStringLiteral("%1 at %2, %3").arg(item.text).arg(box.left()).arg(box.top())));
        // The font size shows in the box's height (ascent plus descent).
        QVERIFY2(std::abs(box.height() - item.height * 1.15) < item.height * 0.2,
                 qPrintable(QStringLiteral("%1 height %2").arg(item.text).arg(box.height())));
    }
    // 8 point heading is smaller than the 10 point ones.
    QVERIFY(pdf.find(QStringLiteral("Auto"))[0].box.height() <
            pdf.find(QStringLiteral("Long"))[0].box.height() * 0.9);
}

void TestReportEngine::longValueClippedAutoWidthGrows() {
    const QString longValue = QStringLiteral("Supercalifragilisticexpialidocious");
    MemorySource source(QStringList{QStringLiteral("ID"), QStringLiteral("Name"),
                                    QStringLiteral("Long"), QStringLiteral("Auto")},
                        {{QStringLiteral("R0000"), QStringLiteral("One\nTwo"), longValue,
                          longValue + QStringLiteral("Z")}});
    ReportEngine engine(fixtures::listDefinition(), source);
    const PdfText pdf = renderPdf(engine);
    const qreal detailTop = 12.7 + fixtures::kTitleHeight + fixtures::kHeaderHeight;

    QList<PdfWord> clipped;
    for (const PdfWord &word : pdf.words)
        if (std::abs(word.box.top() - detailTop) < 1 &&
            std::abs(word.box.left() - (12.7 + fixtures::kLongLeft)) < 1)
            clipped.append(word);
    QCOMPARE(clipped.size(), 1);
    QVERIFY2(clipped[0].text.size() < longValue.size() && clipped[0].text.size() > 3,
             qPrintable(clipped[0].text));
    QVERIFY(longValue.startsWith(clipped[0].text));
    QVERIFY(clipped[0].box.right() <= 12.7 + fixtures::kLongLeft + fixtures::kLongWidth + 0.1);

    // The automatic-width item shows the whole value, beyond its designed 10 mm.
    const QList<PdfWord> grown = pdf.find(longValue + QStringLiteral("Z"));
    QCOMPARE(grown.size(), 1);
    QVERIFY(grown[0].box.width() > 30);

    // A value with a line break stays on the item's one line.
    const QList<PdfWord> one = pdf.find(QStringLiteral("One"));
    const QList<PdfWord> two = pdf.find(QStringLiteral("Two"));
    QVERIFY(one.size() == 1 && two.size() == 1);
    QVERIFY(std::abs(one[0].box.top() - two[0].box.top()) < 0.1);
    QVERIFY(two[0].box.left() > one[0].box.right());
}

void TestReportEngine::emptySourceGivesOnePage() {
    MemorySource source(QStringList{}, QList<QStringList>{});
    ReportEngine engine(fixtures::listDefinition(), source);
    int pdfPages = 0;
    const PdfText pdf = renderPdf(engine, &pdfPages);
    QCOMPARE(engine.pageCount(), 1);
    QCOMPARE(pdfPages, 1);
    const QString text = pdf.pageText(0);
    for (const char *expected : {"Inventory", "No.", "Name", "Long", "Auto", "3/5/24", "Page", "1"})
        QVERIFY2(text.split(QLatin1Char(' ')).contains(QString::fromLatin1(expected)),
                 qPrintable(text));
}

namespace {
QString numberedLines(const QString &prefix, int count) {
    QString html;
    for (int i = 1; i <= count; ++i)
        html += QStringLiteral("<p>%1%2 <b>bold</b> words</p>")
                    .arg(prefix)
                    .arg(i, 3, 10, QLatin1Char('0'));
    return html;
}

// Words of the form prefix + number, in reading order.
QList<PdfWord> numbered(const PdfText &pdf, const QString &prefix) {
    QList<PdfWord> result;
    for (const PdfWord &word : inReadingOrder(pdf.words))
        if (word.text.startsWith(prefix))
            result.append(word);
    return result;
}
} // namespace

void TestReportEngine::richTextRunsOverPageEnds() {
    const int lines = 160;
    MemorySource source(QStringList{}, {QStringList{}});
    source.setRichText(QStringLiteral("Notes"), {numberedLines(QStringLiteral("L"), lines)});
    ReportEngine engine(fixtures::notesDefinition(), source);
    const PdfText pdf = renderPdf(engine);
    QVERIFY(engine.pageCount() >= 3);

    // Every line once, in order, none cut off at a page end.
    const QList<PdfWord> found = numbered(pdf, QStringLiteral("L"));
    QCOMPARE(found.size(), lines);
    for (int i = 0; i < lines; ++i)
        QCOMPARE(found[i].text, QStringLiteral("L%1").arg(i + 1, 3, 10, QLatin1Char('0')));

    const qreal footerTop = 297 - 12.7 - fixtures::kFooterHeight;
    for (int page = 0; page < engine.pageCount(); ++page) {
        QCOMPARE(pdf.find(QStringLiteral("Page"), page).size(), 1);
        QVERIFY(!pdf.find(QString::number(page + 1), page).isEmpty());
        const qreal top = 12.7 + (page == 0 ? 19.3 : 0);
        for (const PdfWord &word : pdf.onPage(page)) {
            if (word.text == QLatin1String("Page") || word.text == QString::number(page + 1) ||
                word.text.contains(QLatin1Char('/')) || word.text.contains(QLatin1Char(':')) ||
                word.text == QLatin1String("PM"))
                continue;
            QVERIFY2(word.box.top() >= top - 0.2 && word.box.bottom() <= footerTop + 0.2,
                     qPrintable(QStringLiteral("%1 on page %2 at %3-%4")
                                    .arg(word.text)
                                    .arg(page + 1)
                                    .arg(word.box.top())
                                    .arg(word.box.bottom())));
        }
        // Pages that the text runs over are filled down to near the footer.
        if (page + 1 < engine.pageCount()) {
            qreal lowest = 0;
            for (const PdfWord &word : pdf.onPage(page))
                if (word.text.startsWith(QLatin1Char('L')))
                    lowest = qMax(lowest, word.box.bottom());
            QVERIFY2(lowest > footerTop - 15, qPrintable(QString::number(lowest)));
        }
    }
}

void TestReportEngine::recordsAroundLongRichText() {
    MemorySource source(QStringList{}, {QStringList{}, QStringList{}, QStringList{}});
    source.setRichText(QStringLiteral("Notes"), {QStringLiteral("<p>First record</p>"),
                                                 numberedLines(QStringLiteral("M"), 90),
                                                 QStringLiteral("<p>Third record</p>")});
    ReportEngine engine(fixtures::notesDefinition(), source);
    const PdfText pdf = renderPdf(engine);
    const QList<PdfWord> words = inReadingOrder(pdf.words);
    auto position = [&](const QString &text) {
        for (int i = 0; i < words.size(); ++i)
            if (words[i].text == text)
                return i;
        return -1;
    };
    const int first = position(QStringLiteral("First"));
    const int m1 = position(QStringLiteral("M001"));
    const int m90 = position(QStringLiteral("M090"));
    const int third = position(QStringLiteral("Third"));
    QVERIFY(first >= 0 && m1 > first && m90 > m1 && third > m90);
    QCOMPARE(numbered(pdf, QStringLiteral("M")).size(), 90);
    QVERIFY(words[m90].page > words[m1].page);
}

void TestReportEngine::layoutIsLazy() {
    MemorySource source = numberedRows(20000);
    ReportEngine engine(fixtures::listDefinition(QPageLayout::Portrait), source);
    QVERIFY(engine.pageCount() == 0 || !engine.isComplete());
    engine.completeLayout();
    // Fixed-height bands need no values to be laid out.
    QVERIFY(source.rowsAsked().isEmpty());
    QVERIFY(engine.pageCount() > 400);

    // Drawing a page reads only that page's rows.
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    engine.drawPage(painter, 5);
    const QList<int> asked = [&] {
        QList<int> rows(source.rowsAsked().begin(), source.rowsAsked().end());
        std::sort(rows.begin(), rows.end());
        return rows;
    }();
    const qreal body = 297 - 2 * 12.7 - fixtures::kHeaderHeight - fixtures::kFooterHeight;
    const int firstPage = rowsPerPage(body - fixtures::kTitleHeight);
    const int otherPages = rowsPerPage(body);
    QCOMPARE(asked.size(), otherPages);
    QCOMPARE(asked.first(), firstPage + 4 * otherPages);
    QCOMPARE(asked.last(), firstPage + 5 * otherPages - 1);
}

void TestReportEngine::oversizedBandsEnd() {
    // A detail band taller than the page: one record per page, cut at the footer.
    ReportDefinition tall = fixtures::listDefinition();
    tall.detail->height = 400;
    MemorySource rows = numberedRows(3);
    ReportEngine tallEngine(tall, rows);
    tallEngine.completeLayout();
    QCOMPARE(tallEngine.pageCount(), 3);
    const PdfText pdf = renderPdf(tallEngine);
    for (int page = 0; page < 3; ++page)
        QCOMPARE(pdf.find(id(page), page).size(), 1);

    // Rich text with a line taller than the page (a tall picture) still ends.
    class TallPicture : public MemorySource {
    public:
        TallPicture()
            : MemorySource(QStringList{}, {QStringList{}, QStringList{}}) {}
        void fillRichText(int row, const QString &, QTextDocument &document) const override {
            QTextCursor cursor(&document);
            if (row == 1) {
                cursor.insertText(QStringLiteral("next record"));
                return;
            }
            QImage picture(20, 3000, QImage::Format_RGB32); // about 80 cm at 96 dpi
            picture.fill(Qt::gray);
            cursor.insertImage(picture);
            cursor.insertBlock();
            cursor.insertText(QStringLiteral("after"));
        }
    } huge;
    ReportEngine hugeEngine(fixtures::notesDefinition(), huge);
    hugeEngine.completeLayout();
    QVERIFY(hugeEngine.pageCount() >= 2);
    const PdfText hugePdf = renderPdf(hugeEngine);
    QCOMPARE(hugePdf.find(QStringLiteral("after")).size(), 1);
    QCOMPARE(hugePdf.find(QStringLiteral("next")).size(), 1);
}

void TestReportEngine::unreadableValuePrintsNothing() {
    MemorySource source(3, [](int row, const QString &column) -> QString {
        if (row == 1 && column == QLatin1String("Name"))
            throw std::runtime_error("cannot convert");
        return column == QLatin1String("ID") ? id(row) : QStringLiteral("Value%1").arg(row);
    });
    ReportEngine engine(fixtures::listDefinition(), source);
    const PdfText pdf = renderPdf(engine);
    QCOMPARE(pdf.find(QStringLiteral("R0001")).size(), 1);
    QCOMPARE(pdf.find(QStringLiteral("R0002")).size(), 1);
    QCOMPARE(pdf.find(QStringLiteral("Value1")).size(), 2); // Long and Auto still print
    QCOMPARE(pdf.find(QStringLiteral("Value2")).size(), 3);
}

void TestReportEngine::printerPageRange() {
    MemorySource source = numberedRows(200);
    ReportEngine engine(fixtures::listDefinition(), source);
    const QString file = m_dir.filePath(QStringLiteral("range.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    printPages(engine, printer);
    QVERIFY(engine.pageCount() > 3);
    QCOMPARE(pdfInfoPages(file), 2);
    const PdfText pdf = PdfText::read(file);
    QVERIFY(pdf.find(QStringLiteral("Inventory")).isEmpty()); // the title is on page 1 only
    // The printed pages are the report's second and third, numbered so.
    const qreal body = 210 - 2 * 12.7 - fixtures::kHeaderHeight - fixtures::kFooterHeight;
    const int firstPage = rowsPerPage(body - fixtures::kTitleHeight);
    const int otherPages = rowsPerPage(body);
    for (int page = 0; page < 2; ++page) {
        const QList<PdfWord> label = pdf.find(QStringLiteral("Page"), page);
        QCOMPARE(label.size(), 1);
        const QList<PdfWord> number = pdf.find(QString::number(page + 2), page);
        QVERIFY(std::any_of(number.begin(), number.end(), [&](const PdfWord &word) {
            return std::abs(word.box.top() - label[0].box.top()) < 0.2;
        }));
        QCOMPARE(pdf.find(id(firstPage + page * otherPages), page).size(), 1);
        QCOMPARE(pdf.find(id(firstPage + (page + 1) * otherPages - 1), page).size(), 1);
    }
    QCOMPARE(pdf.pageSizes.value(1).toSize(), QSize(297, 210));
}

void TestReportEngine::titleFaceEmbeddedAndBold() {
    const QString family = titleFontFamily();
    QVERIFY(!family.isEmpty());
    if (!QFontDatabase::families().contains(QStringLiteral("Kaushan Script")))
        QSKIP("the decorative face (fonts-kaushanscript) is not installed");
    QCOMPARE(family, QStringLiteral("Kaushan Script"));
    // The same title bold and regular: the face has no bold of its own, yet
    // the printed bold one is as much heavier as a bold face would be.
    MemorySource source = numberedRows(1);
    QList<int> ink;
    for (const bool bold : {true, false}) {
        ReportDefinition definition = fixtures::listDefinition();
        ReportItem &title = definition.title->items[0];
        title.font->family = family;
        title.font->bold = bold;
        ReportEngine engine(definition, source);
        const QString file = m_dir.filePath(QStringLiteral("title%1.pdf").arg(bold));
        exportPdf(engine, file);
        QCOMPARE(PdfText::read(file).find(QStringLiteral("Inventory"), 0).size(), 1);
        const QRectF titleArea =
            title.rect.translated(definition.margins.left(), definition.margins.top());
        ink.append(pdfInkPixels(file, 0, titleArea));
        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {file});
        QVERIFY(fonts.waitForFinished(60000));
        const QString listed = QString::fromUtf8(fonts.readAllStandardOutput());
        QVERIFY2(listed.contains(QStringLiteral("KaushanScript")), qPrintable(listed));
    }
    // Bold faces here ink 1.5 to 1.75 times as much as their regular ones.
    QVERIFY2(ink[1] > 500 && ink[0] > ink[1] * 1.4,
             qPrintable(QStringLiteral("bold %1, regular %2 pixels").arg(ink[0]).arg(ink[1])));
}

void TestReportEngine::printTimeText_data() {
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("expected");
    QTest::newRow("afternoon") << kPrintTime << QStringLiteral("3/5/24 2:07:09 PM");
    QTest::newRow("midnight") << QDateTime(QDate(2024, 12, 31), QTime(0, 0))
                              << QStringLiteral("12/31/24");
    QTest::newRow("just after midnight")
        << QDateTime(QDate(2024, 1, 2), QTime(0, 0, 1)) << QStringLiteral("1/2/24 12:00:01 AM");
}

void TestReportEngine::printTimeText() {
    QFETCH(QDateTime, time);
    QFETCH(QString, expected);
    QCOMPARE(ReportEngine::printTimeText(time), expected);
}

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"

// hl_bench_longtext [memo|grid]... [--sizes LIST] [--rounds N] [--keep DIR]
//     memo: visiting a person whose Notes hold one line without blanks (People page,
//           navigator Next until the memo has painted); sizes in characters, default
//           300K,1M,5M.
//     grid: the main window over an item whose Description holds such a line: start-up
//           until painted, then repaints of the Household Items grid; default 50M.
#include "bench/app/BenchSupport.h"

#include "app/TForm1.h"
#include "data/Statement.h"
#include "tests/support/ModalAnswerer.h"
#include "tools/Preparer.h"
#include "widgets/DBGrid.h"
#include "widgets/DBMemo.h"
#include "widgets/DBNavigator.h"
#include "widgets/Page.h"

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#include <sqlite3.h>

namespace {

using app::TForm1;
using bench::Cost;
using bench::Series;
using widgets::DBNavigator;
using widgets::Page;

// Letters and digits, no blank or other break opportunity.
QString unbrokenLine(qsizetype length) {
    static const QString pattern =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    QString text;
    text.reserve(length);
    while (text.size() + pattern.size() <= length)
        text += pattern;
    text += pattern.left(length - text.size());
    return text;
}

qsizetype parseSize(QString text) {
    qsizetype factor = 1;
    if (text.endsWith(QLatin1Char('K'), Qt::CaseInsensitive))
        factor = 1000;
    else if (text.endsWith(QLatin1Char('M'), Qt::CaseInsensitive))
        factor = 1000 * 1000;
    if (factor > 1)
        text.chop(1);
    return qsizetype(text.toDouble() * double(factor));
}

QString sizeText(qsizetype chars) {
    return chars >= 1000 * 1000 ? QStringLiteral("%1 MB").arg(double(chars) / 1e6)
                                : QStringLiteral("%1 KB").arg(double(chars) / 1e3);
}

void run(sqlite3 *db, const QString &sql, const QString &text = QString()) {
    data::Statement statement(db, sql);
    if (!text.isNull())
        statement.bind(1, text);
    statement.step();
}

// A program directory whose People (or Household Inventory) rows are: a short one, the
// long one, a short one.
void prepare(const QString &dir, const QString &table, const QString &nameColumn,
             const QString &longColumn, const QString &text) {
    tools::Preparer::prepare(dir);
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(bench::mainFile(dir)).constData(), &db);
    const QString insert = QStringLiteral("INSERT INTO \"%1\" (\"%2\", \"%3\") VALUES ('%4', ?)")
                               .arg(table, nameColumn, longColumn);
    run(db, insert.arg(QStringLiteral("Ann")), QStringLiteral("short"));
    run(db, insert.arg(QStringLiteral("Long")), text);
    run(db, insert.arg(QStringLiteral("Zoe")), QStringLiteral("short"));
    sqlite3_close(db);
}

class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget *watched) { watched->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

struct Measured {
    Series cost;
    std::vector<double> peakMb;
};

std::unique_ptr<TForm1> openForm(const QString &dir, Page page) {
    auto form = std::make_unique<TForm1>(dir);
    bench::showAndWaitPainted(form.get());
    form->findChild<QTabWidget *>(QStringLiteral("PageControl1"))
        ->setCurrentIndex(widgets::indexOf(page));
    QCoreApplication::processEvents();
    return form;
}

// Navigator Next from the first person onto the long one until the memo has painted;
// Prior (untimed) goes back for the next round.
Measured memoVisits(const QString &dir, qsizetype length, int rounds) {
    auto form = openForm(dir, Page::People);
    auto *navigator = form->findChild<DBNavigator *>(QStringLiteral("DBNavigator3"));
    auto *memo = form->findChild<widgets::DBMemo *>(QStringLiteral("DBMemo1"));
    Measured result;
    for (int round = 0; round < rounds; ++round) {
        navigator->clickButton(DBNavigator::nbFirst);
        QCoreApplication::processEvents();
        bench::resetPeak();
        const long base = bench::statusKb("VmRSS:");
        PaintSpy spy(memo->viewport());
        const Cost cost = bench::measure([&] {
            navigator->clickButton(DBNavigator::nbNext);
            bench::processUntil([&] { return spy.painted; }, 600);
            QCoreApplication::processEvents();
        });
        result.cost.add(cost);
        result.peakMb.push_back(bench::peakAboveMb(base));
        if (memo->document()->characterCount() < length)
            std::fprintf(stderr, "error: the memo holds %d characters, not %lld\n",
                         memo->document()->characterCount(), static_cast<long long>(length));
        std::printf("  round %d: %.1f / %.1f ms, peak +%.1f MB\n", round + 1, cost.cpuMs,
                    cost.wallMs, result.peakMb.back());
        std::fflush(stdout);
    }
    return result;
}

void memoSection(const QList<qsizetype> &sizes, int rounds) {
    std::printf("\n## Memo: visiting a person whose Notes hold one unbroken line\n\n");
    for (qsizetype length : sizes) {
        QTemporaryDir dir;
        prepare(dir.path(), QStringLiteral("People"), QStringLiteral("First Name"),
                QStringLiteral("Notes"), unbrokenLine(length));
        std::printf("%s:\n", qPrintable(sizeText(length)));
        const Measured m = memoVisits(dir.path(), length, rounds);
        std::printf("| %s | %s ms | %.1f MB |\n", qPrintable(sizeText(length)),
                    qPrintable(m.cost.text()), bench::median(m.peakMb));
        std::fflush(stdout);
    }
}

void gridSection(const QList<qsizetype> &sizes, int rounds) {
    std::printf("\n## Grid: items whose Description holds one unbroken line\n\n");
    for (qsizetype length : sizes) {
        QTemporaryDir dir;
        prepare(dir.path(), QStringLiteral("Household Inventory"), QStringLiteral("Item Name"),
                QStringLiteral("Description"), unbrokenLine(length));
        std::printf("%s:\n", qPrintable(sizeText(length)));
        // What reading the table's values costs by itself.
        bench::resetPeak();
        long base = bench::statusKb("VmRSS:");
        const Cost bare = bench::measure(
            [&] { bench::bareRead(dir.path(), {data::TableId::HouseholdInventory}); });
        std::printf("  bare SQLite read of the items: %.1f / %.1f ms, peak +%.1f MB\n", bare.cpuMs,
                    bare.wallMs, bench::peakAboveMb(base));
        bench::resetPeak();
        base = bench::statusKb("VmRSS:");
        std::unique_ptr<TForm1> form;
        const Cost startup = bench::measure([&] { form = openForm(dir.path(), Page::Household); });
        std::printf("  start-up and page shown: %.1f / %.1f ms, peak +%.1f MB\n", startup.cpuMs,
                    startup.wallMs, bench::peakAboveMb(base));
        std::fflush(stdout);
        auto *grid = form->findChild<widgets::DBGrid *>(QStringLiteral("DBGrid1"));
        Measured m;
        for (int round = 0; round < rounds; ++round) {
            bench::resetPeak();
            base = bench::statusKb("VmRSS:");
            const Cost cost = bench::measure([&] { grid->viewport()->repaint(); });
            m.cost.add(cost);
            m.peakMb.push_back(bench::peakAboveMb(base));
            std::printf("  repaint %d: %.1f / %.1f ms, peak +%.1f MB\n", round + 1, cost.cpuMs,
                        cost.wallMs, m.peakMb.back());
            std::fflush(stdout);
        }
        std::printf("| %s | %.1f / %.1f ms | %s ms | %.1f MB |\n", qPrintable(sizeText(length)),
                    startup.cpuMs, startup.wallMs, qPrintable(m.cost.text()),
                    bench::median(m.peakMb));
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::quietToolkitWarnings();
    QStringList sections;
    QString sizes;
    int rounds = 5;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sizes") && i + 1 < args.size())
            sizes = args[++i];
        else if (args[i] == QLatin1String("--rounds") && i + 1 < args.size())
            rounds = args[++i].toInt();
        else if (args[i] == QLatin1String("memo") || args[i] == QLatin1String("grid"))
            sections << args[i];
        else {
            std::fprintf(stderr, "usage: hl_bench_longtext [memo|grid]... [--sizes LIST] "
                                 "[--rounds N]\n");
            return 2;
        }
    }
    if (sections.isEmpty())
        sections = {QStringLiteral("memo"), QStringLiteral("grid")};
    ModalAnswerer boxes; // a box would stop the run; it is answered and reported instead
    bench::printMachineState();
    for (const QString &section : std::as_const(sections)) {
        QList<qsizetype> lengths;
        const QString list = !sizes.isEmpty()                   ? sizes
                             : section == QLatin1String("memo") ? QStringLiteral("300K,1M,5M")
                                                                : QStringLiteral("50M");
        for (const QString &s : list.split(QLatin1Char(',')))
            lengths << parseSize(s);
        if (section == QLatin1String("memo"))
            memoSection(lengths, rounds);
        else
            gridSection(lengths, rounds);
    }
    return 0;
}

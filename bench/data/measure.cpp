// hl_bench_data <dir> [repetitions]
// Opens every table of <dir>/Hearthledger.mdb with the table objects and, in
// the same run, reads the same non-blob columns with bare SQLite into memory;
// prints time and peak memory of both, cold (file evicted from the page
// cache) and warm, then locate and refresh on Household Inventory, and posts
// of an edit of items with and without a photograph.
#include "bench/app/BenchSupport.h"
#include "data/Connection.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "data/TableFactory.h"
#include "data/TableObject.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sqlite3.h>

using data::Schema;
using data::TableId;

namespace {

const QList<TableId> kMainTables{TableId::HouseholdInventory, TableId::People, TableId::Diary,
                                 TableId::Privacy, TableId::Help};

struct Result {
    double ms = 0;
    double peakMb = 0;
};

// Bare SQLite: every value into a QVariant (storage reserved ahead), kept
// until the end.
Result bareRead(const QString &file, const QList<TableId> &tables, size_t *cells) {
    bench::resetPeak();
    const long base = bench::statusKb("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const auto kept = bench::bareRead(QFileInfo(file).absolutePath(), tables);
    Result r{double(timer.nsecsElapsed()) / 1e6, bench::peakAboveMb(base)};
    *cells = 0;
    for (const auto &v : kept)
        *cells += v.size();
    return r;
}

Result openTables(const QString &dir, const QList<TableId> &tables, int *rows) {
    bench::resetPeak();
    const long base = bench::statusKb("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    data::Connection connection;
    connection.setConnectionString(
        data::Connection::buildConnectionString(dir, QLatin1String(Schema::mainFile)));
    std::vector<std::unique_ptr<data::TableObject>> opened;
    int number = 0;
    for (TableId id : tables) {
        opened.emplace_back(data::TableFactory::create(
            id, QStringLiteral("ADOTable%1").arg(++number), &connection, nullptr));
        opened.back()->open();
    }
    Result r{double(timer.nsecsElapsed()) / 1e6, bench::peakAboveMb(base)};
    *rows = 0;
    for (const auto &t : opened)
        *rows += t->recordCount();
    return r;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: hl_bench_data <dir> [repetitions]\n");
        return 2;
    }
    const QString dir = args.at(1);
    const QString file = dir + QLatin1Char('/') + QLatin1String(Schema::mainFile);
    const int repetitions = args.size() > 2 ? args.at(2).toInt() : 5;
    std::printf("file: %s (%.1f MB)\n", qPrintable(file), double(QFile(file).size()) / 1e6);

    size_t cells = 0;
    int rows = 0;
    // Cold: the file evicted from the page cache before each read.
    bench::evict(file);
    const Result bareCold = bareRead(file, kMainTables, &cells);
    bench::evict(file);
    const Result oursCold = openTables(dir, kMainTables, &rows);
    std::printf("rows %d, bare values %zu\n", rows, cells);
    std::printf("| open all five tables | time ms | peak RSS MB |\n|---|---|---|\n");
    std::printf("| cold, bare SQLite read | %.0f | %.1f |\n", bareCold.ms, bareCold.peakMb);
    std::printf("| cold, table objects | %.0f | %.1f |\n", oursCold.ms, oursCold.peakMb);

    std::vector<double> bareMs, oursMs, bareMb, oursMb;
    for (int i = 0; i < repetitions; ++i) {
        const Result b = bareRead(file, kMainTables, &cells);
        const Result o = openTables(dir, kMainTables, &rows);
        bareMs.push_back(b.ms);
        oursMs.push_back(o.ms);
        bareMb.push_back(b.peakMb);
        oursMb.push_back(o.peakMb);
    }
    std::printf("| warm (median of %d), bare SQLite read | %.0f | %.1f |\n", repetitions,
                median(bareMs), median(bareMb));
    std::printf("| warm (median of %d), table objects | %.0f | %.1f |\n", repetitions,
                median(oursMs), median(oursMb));
    std::printf("ratios warm: time %.2f, memory %.2f; cold: time %.2f, memory %.2f\n",
                median(oursMs) / median(bareMs), median(oursMb) / median(bareMb),
                oursCold.ms / bareCold.ms, oursCold.peakMb / bareCold.peakMb);

    // Locate and refresh on the items.
    data::Connection connection;
    connection.setConnectionString(
        data::Connection::buildConnectionString(dir, QLatin1String(Schema::mainFile)));
    std::unique_ptr<data::TableObject> items(data::TableFactory::create(
        TableId::HouseholdInventory, QStringLiteral("ADOTable1"), &connection, nullptr));
    items->open();
    const int nameIndex = items->fieldByName(QStringLiteral("Item Name"))->index();
    QStringList prefixes;
    QRandomGenerator rng(42);
    for (int i = 0; i < 10000; ++i) {
        const QString name = items->displayText(int(rng.bounded(items->rowCount())), nameIndex);
        prefixes << (i % 10 == 0 ? QStringLiteral("zz%1").arg(i)
                                 : name.left(1 + int(rng.bounded(6))).toUpper());
    }
    QElapsedTimer timer;
    timer.start();
    items->locate(QStringLiteral("Item Name"), QStringLiteral("lam"));
    const double firstLocateMs = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    int found = 0;
    for (const QString &prefix : std::as_const(prefixes))
        found += items->locate(QStringLiteral("Item Name"), prefix) ? 1 : 0;
    const double locateUs = double(timer.nsecsElapsed()) / 1e3 / double(prefixes.size());
    std::printf("locate over %d items: first call (one scan) %.1f ms, then %.2f us "
                "each (%d of %lld found)\n",
                items->rowCount(), firstLocateMs, locateUs, found, qlonglong(prefixes.size()));

    std::vector<double> refreshMs, bareItemsMs;
    for (int i = 0; i < repetitions; ++i) {
        timer.restart();
        items->refresh();
        refreshMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        bareItemsMs.push_back(bareRead(file, {TableId::HouseholdInventory}, &cells).ms);
    }
    std::printf("refresh of the items: %.0f ms, bare read of the same %.0f ms (ratio %.2f)\n",
                median(refreshMs), median(bareItemsMs), median(refreshMs) / median(bareItemsMs));

    // Edit and post of one text column, each on a row of its own: on rows
    // without a photograph, on rows whose photograph was not read before, and
    // on rows whose photograph was read (as showing it does) before the edit.
    const int photoIndex = items->fieldByName(QStringLiteral("Photograph"))->index();
    data::Field *serial = items->fieldByName(QStringLiteral("Serial Number"));
    std::vector<int> plainRows, photoRows;
    for (int row = 0; row < items->rowCount(); ++row) {
        const bool photo = items->value(row, photoIndex).toLongLong() > 0;
        std::vector<int> &kept = photo ? photoRows : plainRows;
        if (kept.size() < size_t(6 * repetitions))
            kept.push_back(row);
    }
    std::vector<double> showMs;
    auto post = [&](int row, bool showFirst) {
        items->moveTo(row);
        if (showFirst) {
            timer.restart();
            items->fieldByName(QStringLiteral("Photograph"))->blob();
            showMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        timer.restart();
        serial->setValue(QStringLiteral("bench %1").arg(row));
        items->post();
        return double(timer.nsecsElapsed()) / 1e6;
    };
    std::vector<double> plainMs, unreadMs, shownMs;
    for (int i = 0; i < 2 * repetitions && size_t(2 * i + 1) < photoRows.size(); ++i) {
        plainMs.push_back(post(plainRows[size_t(i)], false));
        unreadMs.push_back(post(photoRows[size_t(2 * i)], false));
        shownMs.push_back(post(photoRows[size_t(2 * i + 1)], true));
    }
    if (!unreadMs.empty()) {
        std::printf("edit and post (median of %zu): without photograph %.2f ms, photograph "
                    "not read before %.2f ms, photograph read before %.2f ms\n",
                    unreadMs.size(), median(plainMs), median(unreadMs), median(shownMs));
    }
    // Once another connection has written, a post compares the contents of
    // the photograph it keeps.
    data::Connection other;
    other.setConnectionString(connection.connectionString());
    std::unique_ptr<data::TableObject> otherItems(data::TableFactory::create(
        TableId::HouseholdInventory, QStringLiteral("ADOTable1"), &other, nullptr));
    otherItems->open();
    otherItems->last();
    otherItems->fieldByName(QStringLiteral("Serial Number"))->setValue(QStringLiteral("other"));
    otherItems->post();
    std::vector<double> afterOtherMs;
    for (size_t i = 4 * size_t(repetitions); i < photoRows.size(); ++i)
        afterOtherMs.push_back(post(photoRows[i], true));
    if (!afterOtherMs.empty()) {
        std::printf("edit and post after another connection wrote (median of %zu): photograph "
                    "read before %.2f ms\n",
                    afterOtherMs.size(), median(afterOtherMs));
    }
    if (!showMs.empty())
        std::printf("reading a photograph (median of %zu): %.2f ms\n", showMs.size(),
                    median(showMs));
    return 0;
}

// hl_bench_companion <dir> [--reps N] [--cold] [--small] [--backup-only]
// The companion command's backup and CSV export of a household in <dir>, beside
// `cp` of the same files and `sqlite3 .dump` plus writing the pictures' bytes.
// Outputs go to <dir>/bench-out and are removed after each measurement. --small
// first writes a small household into <dir> (which must hold none) and removes
// it at the end: the smoke run that keeps the checks (the archive verifies, the
// export writes every picture's bytes) holding. --backup-only measures cp and the
// backup alone.
#include "bench/app/BenchSupport.h"
#include "bench/data/HouseholdGenerator.h"

#include "core/Error.h"
#include "data/Schema.h"
#include "tools/companion/Backup.h"
#include "tools/companion/CsvExport.h"
#include "tools/jet/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <sqlite3.h>

#include <cstdio>
#include <stdexcept>
#include <sys/resource.h>
#include <vector>

namespace {

using bench::Cost;

struct Options {
    QString dir;
    int reps = 3;
    bool cold = false;
    bool small = false;
    bool backupOnly = false;
};

void fail(const QString &what) {
    throw std::runtime_error(what.toStdString());
}

double childCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
           usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
}

// A command's wall time and the processor time of it and its children.
Cost shell(const QString &command) {
    const double before = childCpuMs();
    QElapsedTimer timer;
    timer.start();
    if (QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command}) != 0)
        fail(QStringLiteral("failed: ") + command);
    return {double(timer.nsecsElapsed()) / 1e6, childCpuMs() - before};
}

QString quoted(const QString &path) {
    return QLatin1Char('\'') + path + QLatin1Char('\'');
}

qint64 treeBytes(const QString &dir, const QStringList &filters = {}) {
    qint64 total = 0;
    QDirIterator it(dir, filters, QDir::Files);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}

// The sizes of every picture of the main file.
std::vector<qint64> pictureSizes(const QString &dir) {
    std::vector<qint64> sizes;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(bench::mainFile(dir)).constData(), &db, SQLITE_OPEN_READONLY,
                    nullptr);
    for (data::TableId id :
         {data::TableId::HouseholdInventory, data::TableId::People, data::TableId::Privacy}) {
        const QByteArray sql = "SELECT length(Photograph) FROM \"" +
                               data::Schema::table(id).name.toUtf8() +
                               "\" WHERE length(Photograph) > 0";
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            sizes.push_back(sqlite3_column_int64(stmt, 0));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return sizes;
}

// Writing the pictures' bytes as files, from memory: what any export of them costs.
Cost writePictures(const QString &out, const std::vector<qint64> &sizes) {
    QDir().mkpath(out);
    const qint64 largest = sizes.empty() ? 0 : *std::max_element(sizes.begin(), sizes.end());
    const QByteArray bytes(largest, 'p');
    bench::Stopwatch watch;
    for (size_t i = 0; i < sizes.size(); ++i) {
        QFile file(out + QStringLiteral("/picture-%1.jpg").arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes.constData(), sizes[i]) != sizes[i])
            fail(QStringLiteral("cannot write ") + file.fileName());
    }
    return watch.elapsed();
}

void clear(const QString &out) {
    QDir(out).removeRecursively();
    QDir().mkpath(out);
}

void row(const char *what, const bench::Series &series, double reference) {
    std::printf("%-50s %10.0f ms %10.0f ms cpu   %5.2f x\n", what, series.medianWall(),
                series.medianCpu(), reference > 0 ? series.medianWall() / reference : 0.0);
}

int run(const Options &o) {
    const QString main = bench::mainFile(o.dir);
    if (!QFile::exists(main))
        fail(QStringLiteral("no household in ") + o.dir +
             QStringLiteral(" (see hl_bench_generate)"));
    bench::ensureIdiomFile(o.dir);
    const QString out = o.dir + QStringLiteral("/bench-out");
    const qint64 dataBytes = QFileInfo(main).size() + QFileInfo(bench::idiomFile(o.dir)).size();
    const std::vector<qint64> sizes = pictureSizes(o.dir);
    qint64 pictureBytes = 0;
    for (qint64 s : sizes)
        pictureBytes += s;
    std::printf("household: %.1f MB in two files, %zu pictures of %.1f MB\n", dataBytes / 1e6,
                sizes.size(), pictureBytes / 1e6);
    const QString files = quoted(main) + QLatin1Char(' ') + quoted(bench::idiomFile(o.dir));

    bench::Series cp, cpSync, backup, dump, pictures, csv;
    for (int rep = 0; rep < o.reps; ++rep) {
        const auto prepare = [&] {
            clear(out);
            if (o.cold)
                bench::evictDirectory(o.dir);
        };
        prepare();
        cp.add(shell(QStringLiteral("cp ") + files + QLatin1Char(' ') + quoted(out)));
        prepare();
        cpSync.add(shell(QStringLiteral("cp ") + files + QLatin1Char(' ') + quoted(out) +
                         QStringLiteral(" && sync -f ") +
                         quoted(out + QStringLiteral("/Hearthledger.mdb"))));
        prepare();
        QString archive;
        backup.add(bench::measure(
            [&] { archive = tools::Backup::create(o.dir, out + QStringLiteral("/b.tar")); }));
        if (QFileInfo(archive).size() < dataBytes)
            fail(QStringLiteral("the archive is smaller than the files"));
        if (rep == 0) {
            QElapsedTimer timer;
            timer.start();
            tools::Backup::verify(archive);
            std::printf("verify of the archive: %.0f ms\n", double(timer.elapsed()));
        }
        if (o.backupOnly)
            continue;
        prepare();
        dump.add(shell(QStringLiteral("sqlite3 ") + quoted(main) + QStringLiteral(" .dump > ") +
                       quoted(out + QStringLiteral("/main.sql")) + QStringLiteral(" && sqlite3 ") +
                       quoted(bench::idiomFile(o.dir)) + QStringLiteral(" .dump > ") +
                       quoted(out + QStringLiteral("/idioms.sql"))));
        prepare();
        pictures.add(writePictures(out, sizes));
        prepare();
        csv.add(bench::measure(
            [&] { tools::CsvExport::write(o.dir, out + QStringLiteral("/csv"), true); }));
        const qint64 written =
            treeBytes(out + QStringLiteral("/csv"),
                      {QStringLiteral("*.jpg"), QStringLiteral("*.bmp"), QStringLiteral("*.bin")});
        if (written != pictureBytes)
            fail(QStringLiteral("the export wrote %1 picture bytes, not %2")
                     .arg(written)
                     .arg(pictureBytes));
    }
    clear(out);
    QDir(out).removeRecursively();

    std::printf("%s page cache, median of %d\n", o.cold ? "cold" : "warm", o.reps);
    row("cp of both files", cp, 0);
    row("cp of both files, then sync", cpSync, 0);
    row("backup (archive synced to disk), against cp", backup, cp.medianWall());
    row("  the same, against cp and sync", backup, cpSync.medianWall());
    if (o.backupOnly)
        return 0;
    row("sqlite3 .dump of both files", dump, 0);
    row("writing the pictures' bytes as files", pictures, 0);
    row("export-csv with the private tables, against both", csv,
        dump.medianWall() + pictures.medianWall());
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    Options o;
    QStringList args = app.arguments().mid(1);
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == QLatin1String("--reps") && !args.isEmpty())
            o.reps = qMax(1, args.takeFirst().toInt());
        else if (a == QLatin1String("--cold"))
            o.cold = true;
        else if (a == QLatin1String("--small"))
            o.small = true;
        else if (a == QLatin1String("--backup-only"))
            o.backupOnly = true;
        else
            o.dir = a;
    }
    if (o.dir.isEmpty()) {
        std::fprintf(
            stderr,
            "usage: hl_bench_companion <dir> [--reps N] [--cold] [--small] [--backup-only]\n");
        return 2;
    }
    try {
        if (!o.small)
            return run(o);
        HouseholdSize size;
        size.items = 2100;
        size.people = 60;
        size.diaryPages = 5;
        size.privateRecords = 12;
        size.photos = 6;
        size.photoMinBytes = 20000;
        size.photoMaxBytes = 50000;
        HouseholdGenerator(size).generate(o.dir, [](const QString &) {});
        const int status = run(o);
        QFile::remove(bench::mainFile(o.dir));
        QFile::remove(bench::idiomFile(o.dir));
        return status;
    } catch (const core::Error &e) {
        std::fprintf(stderr, "hl_bench_companion: %s\n", e.what());
        return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "hl_bench_companion: %s\n", e.what());
        return 1;
    }
}

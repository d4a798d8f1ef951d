// hl_bench_startup [--reps N] [--cold N] <dir>...
// Start-up: constructing TForm1 over a program directory until the main window has been
// shown and painted (offscreen), beside a bare SQLite read of the same non-blob columns of
// all six tables that keeps every value; warm and cold (files evicted from the page
// cache), time and peak memory. Then the same as whole processes, from process start.
#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "bench/app/BenchSupport.h"
#include "data/TableObject.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/Named.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QProcess>

#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

using bench::Cost;
using bench::Series;

namespace {

struct Phase {
    Cost cost;
    double peakMb = 0;
};

qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

size_t valueCount(const std::vector<std::vector<QVariant>> &kept) {
    size_t n = 0;
    for (const auto &v : kept)
        n += v.size();
    return n;
}

Phase barePhase(const QString &dir, size_t *values) {
    bench::resetPeak();
    const long base = bench::statusKb("VmRSS:");
    bench::Stopwatch watch;
    const auto kept = bench::bareRead(dir, data::Schema::allTables());
    const Phase phase{watch.elapsed(), bench::peakAboveMb(base)};
    *values = valueCount(kept);
    return phase;
}

Phase formPhase(const QString &dir, int *rows) {
    app::lifetime::reset();
    bench::resetPeak();
    const long base = bench::statusKb("VmRSS:");
    bench::Stopwatch watch;
    auto form = std::make_unique<app::TForm1>(dir);
    bench::showAndWaitPainted(form.get());
    const Phase phase{watch.elapsed(), bench::peakAboveMb(base)};
    if (app::lifetime::terminateRequested()) {
        std::fprintf(stderr, "the form did not open %s\n", qPrintable(dir));
        std::exit(1);
    }
    *rows = 0;
    for (data::TableObject *t : {named<data::TableObject>(*form, "ADOTable1"),
                                 named<data::TableObject>(*form, "ADOTable2"),
                                 named<data::TableObject>(*form, "ADOTable3"),
                                 named<data::TableObject>(*form, "ADOTable4"),
                                 named<data::TableObject>(*form, "ADOTable5"),
                                 named<data::TableObject>(*form, "ADOTable6")})
        *rows += t->recordCount();
    form.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return phase;
}

// Child processes: print "<monotonic ns when done> <processor ms> <peak kB>".
int childMain(const char *mode, const char *dir, int argc, char **argv) {
    const QString directory = QString::fromLocal8Bit(dir);
    if (std::strcmp(mode, "--child-bare") == 0) {
        const auto kept = bench::bareRead(directory, data::Schema::allTables());
        std::printf("%lld %.3f %ld %zu\n", monotonicNs(), processCpuMs(), bench::statusKb("VmHWM:"),
                    valueCount(kept));
        std::fflush(stdout);
        _exit(0);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::quietToolkitWarnings();
    if (std::strcmp(mode, "--child-empty") == 0) {
        QMainWindow window;
        window.resize(689, 486);
        bench::showAndWaitPainted(&window);
        std::printf("%lld %.3f %ld 0\n", monotonicNs(), processCpuMs(), bench::statusKb("VmHWM:"));
        std::fflush(stdout);
        _exit(0);
    }
    app::TForm1 form(directory);
    bench::showAndWaitPainted(&form);
    std::printf("%lld %.3f %ld %d\n", monotonicNs(), processCpuMs(), bench::statusKb("VmHWM:"),
                named<data::TableObject>(form, "ADOTable1")->recordCount());
    std::fflush(stdout);
    _exit(app::lifetime::terminateRequested() ? 1 : 0);
}

struct ProcessRun {
    Cost cost;
    double peakMb = 0;
};

ProcessRun runChild(const QString &mode, const QString &dir) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const qint64 start = monotonicNs();
    process.start(QCoreApplication::applicationFilePath(), {mode, dir});
    process.waitForFinished(-1);
    const QList<QByteArray> out = process.readAllStandardOutput().trimmed().split(' ');
    if (process.exitCode() != 0 || out.size() != 4) {
        std::fprintf(stderr, "%s %s failed\n", qPrintable(mode), qPrintable(dir));
        std::exit(1);
    }
    ProcessRun run;
    run.cost.wallMs = double(out[0].toLongLong() - start) / 1e6;
    run.cost.cpuMs = out[1].toDouble();
    run.peakMb = double(out[2].toLong()) / 1024.0;
    return run;
}

void printPhaseRow(const char *what, const Series &bare, const Series &form,
                   const std::vector<double> &bareMb, const std::vector<double> &formMb) {
    std::printf("| %s | %s | %s | %.2f / %.2f | %.1f | %.1f | %.2f |\n", what,
                qPrintable(bare.text(0)), qPrintable(form.text(0)),
                form.medianCpu() / bare.medianCpu(), form.medianWall() / bare.medianWall(),
                bench::median(bareMb), bench::median(formMb),
                bench::median(formMb) / bench::median(bareMb));
}

void inProcess(const QString &dir, int coldRounds, int reps) {
    size_t values = 0;
    int rows = 0;
    Series bareCold, formCold, bareWarm, formWarm;
    std::vector<double> bareColdMb, formColdMb, bareWarmMb, formWarmMb;
    for (int i = 0; i < coldRounds; ++i) {
        bench::evictDirectory(dir);
        Phase b = barePhase(dir, &values);
        bench::evictDirectory(dir);
        Phase f = formPhase(dir, &rows);
        bareCold.add(b.cost);
        formCold.add(f.cost);
        bareColdMb.push_back(b.peakMb);
        formColdMb.push_back(f.peakMb);
    }
    for (int i = 0; i < reps; ++i) {
        Phase b = barePhase(dir, &values);
        Phase f = formPhase(dir, &rows);
        bareWarm.add(b.cost);
        formWarm.add(f.cost);
        bareWarmMb.push_back(b.peakMb);
        formWarmMb.push_back(f.peakMb);
    }
    std::printf("\n%s: %.1f MB; six tables, %d rows; bare read keeps %zu values\n\n",
                qPrintable(bench::mainFile(dir)), double(QFile(bench::mainFile(dir)).size()) / 1e6,
                rows, values);
    std::printf("| in process | bare read ms (cpu / wall) | TForm1 to shown ms (cpu / wall) "
                "| ratio (cpu / wall) | bare peak MB | TForm1 peak MB | ratio |\n"
                "|---|---|---|---|---|---|---|\n");
    printPhaseRow(qPrintable(QStringLiteral("cold, median of %1").arg(coldRounds)), bareCold,
                  formCold, bareColdMb, formColdMb);
    printPhaseRow(qPrintable(QStringLiteral("warm, median of %1").arg(reps)), bareWarm, formWarm,
                  bareWarmMb, formWarmMb);
    std::fflush(stdout);
}

void wholeProcesses(const QString &dir, int coldRounds, int reps) {
    struct Runs {
        Series cost;
        std::vector<double> mb;
        void add(const ProcessRun &r) {
            cost.add(r.cost);
            mb.push_back(r.peakMb);
        }
    };
    Runs bareCold, formCold, bareWarm, formWarm, empty;
    for (int i = 0; i < coldRounds; ++i) {
        bench::evictDirectory(dir);
        bareCold.add(runChild(QStringLiteral("--child-bare"), dir));
        bench::evictDirectory(dir);
        formCold.add(runChild(QStringLiteral("--child-form"), dir));
    }
    for (int i = 0; i < reps; ++i) {
        bareWarm.add(runChild(QStringLiteral("--child-bare"), dir));
        formWarm.add(runChild(QStringLiteral("--child-form"), dir));
        empty.add(runChild(QStringLiteral("--child-empty"), dir));
    }
    std::printf("\n| whole process, from start | bare read ms (cpu / wall) | main window shown ms "
                "(cpu / wall) | ratio (cpu / wall) | bare peak MB | window peak MB | ratio |\n"
                "|---|---|---|---|---|---|---|\n");
    printPhaseRow(qPrintable(QStringLiteral("cold, median of %1").arg(coldRounds)), bareCold.cost,
                  formCold.cost, bareCold.mb, formCold.mb);
    printPhaseRow(qPrintable(QStringLiteral("warm, median of %1").arg(reps)), bareWarm.cost,
                  formWarm.cost, bareWarm.mb, formWarm.mb);
    std::printf("| an empty QMainWindow shown (toolkit floor), warm | | %s | | | %.1f | |\n",
                qPrintable(empty.cost.text(0)), bench::median(empty.mb));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 3 && std::strncmp(argv[1], "--child-", 8) == 0)
        return childMain(argv[1], argv[2], argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::quietToolkitWarnings();
    QStringList dirs;
    int reps = 7;
    int coldRounds = 3;
    bool processes = true;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--reps") && i + 1 < args.size())
            reps = args[++i].toInt();
        else if (args[i] == QLatin1String("--cold") && i + 1 < args.size())
            coldRounds = args[++i].toInt();
        else if (args[i] == QLatin1String("--no-processes"))
            processes = false;
        else
            dirs << args[i];
    }
    if (dirs.isEmpty() || reps < 1 || coldRounds < 1) {
        std::fprintf(stderr, "usage: hl_bench_startup [--reps N] [--cold N] [--no-processes] "
                             "<dir>...\n");
        return 2;
    }
    ModalAnswerer boxes; // a box would stop the run; it is answered and reported instead
    bench::printMachineState();
    for (const QString &dir : std::as_const(dirs))
        bench::ensureIdiomFile(dir);
    // The toolkit's one-time work (fonts, style) is not the files' cost.
    int rows = 0;
    formPhase(dirs.first(), &rows);
    for (const QString &dir : std::as_const(dirs))
        inProcess(dir, coldRounds, reps);
    if (processes) {
        for (const QString &dir : std::as_const(dirs)) {
            std::printf("\n%s", qPrintable(bench::mainFile(dir)));
            wholeProcesses(dir, coldRounds, reps);
        }
    }
    bench::printMachineState();
    if (!boxes.boxes().isEmpty()) {
        std::fprintf(stderr, "unexpected boxes: %s\n", qPrintable(boxes.texts().join(" | ")));
        return 1;
    }
    return 0;
}

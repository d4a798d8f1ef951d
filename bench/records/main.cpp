// hl_bench_records prepare [--small] <from-dir> <records-dir>
//     A copy of a household with camera-like photographs on some items and the NOCASE
//     indexes of the bare name queries.
// hl_bench_records <section>... [--rounds N] [--visits N] [--searches N] [--max-steps N]
//                  [--big <dir>] [--records <dir>]
//     Sections: navigate (records dir), grid and visits (big dir), search (records dir;
//     also the big dir's refresh when given), or all.
#include "bench/app/BenchSupport.h"
#include "bench/records/RecordsBench.h"

#include "tests/support/ModalAnswerer.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::quietToolkitWarnings();
    QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("prepare")) {
        const bool small = args.removeAll(QStringLiteral("--small")) > 0;
        if (args.size() != 3) {
            std::fprintf(stderr, "usage: hl_bench_records prepare [--small] <from> <to>\n");
            return 2;
        }
        bench::prepareRecords(args[1], args[2], small);
        return 0;
    }
    bench::Options options;
    QString big;
    QString records;
    QStringList sections;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--rounds") && hasValue)
            options.rounds = args[++i].toInt();
        else if (a == QLatin1String("--visits") && hasValue)
            options.visits = args[++i].toInt();
        else if (a == QLatin1String("--searches") && hasValue)
            options.searches = args[++i].toInt();
        else if (a == QLatin1String("--max-steps") && hasValue)
            options.maxSteps = args[++i].toInt();
        else if (a == QLatin1String("--big") && hasValue)
            big = args[++i];
        else if (a == QLatin1String("--records") && hasValue)
            records = args[++i];
        else
            sections << a;
    }
    if (sections.removeAll(QStringLiteral("all")) > 0)
        sections << QStringList{"navigate", "grid", "visits", "search"};
    const QStringList known{"navigate", "grid", "visits", "search"};
    bool usable = !sections.isEmpty() && options.rounds > 0 && options.searches > 0;
    for (const QString &s : std::as_const(sections))
        usable = usable && known.contains(s);
    const bool needsRecords =
        sections.contains(QLatin1String("navigate")) || sections.contains(QLatin1String("search"));
    const bool needsBig =
        sections.contains(QLatin1String("grid")) || sections.contains(QLatin1String("visits"));
    if (!usable || (needsRecords && records.isEmpty()) || (needsBig && big.isEmpty())) {
        std::fprintf(stderr, "usage: hl_bench_records prepare [--small] <from> <to>\n"
                             "       hl_bench_records navigate|grid|visits|search|all... "
                             "[--rounds N] [--visits N] [--searches N] [--max-steps N] "
                             "[--big <dir>] [--records <dir>]\n");
        return 2;
    }
    ModalAnswerer boxes; // a box would stop the run; it is answered and reported instead
    bench::printMachineState();
    for (const QString &dir : {big, records}) {
        if (!dir.isEmpty())
            bench::ensureIdiomFile(dir);
    }
    if (sections.contains(QLatin1String("navigate")))
        bench::navigation(records, options);
    if (sections.contains(QLatin1String("search"))) {
        bench::nameSearch(records, options);
        if (!big.isEmpty() && big != records)
            bench::nameSearch(big, options);
    }
    if (sections.contains(QLatin1String("grid")))
        bench::gridScrolling(big, options);
    if (sections.contains(QLatin1String("visits")))
        bench::visitMemory(big, options);
    bench::printMachineState();
    if (!boxes.boxes().isEmpty()) {
        std::fprintf(stderr, "unexpected boxes: %s\n", qPrintable(boxes.texts().join(" | ")));
        return 1;
    }
    return 0;
}

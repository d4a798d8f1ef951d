// hl_bench_generate <dir> [items people diary private photos minMB maxMB seed]
// Writes a large household into <dir>/Hearthledger.mdb.
#include "bench/data/HouseholdGenerator.h"

#include "core/Error.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: hl_bench_generate <dir> [items people diary private photos "
                             "minMB maxMB seed]\n");
        return 2;
    }
    HouseholdSize size;
    auto arg = [&](int i, auto fallback) {
        return args.size() > i ? decltype(fallback)(args.at(i).toDouble()) : fallback;
    };
    size.items = arg(2, size.items);
    size.people = arg(3, size.people);
    size.diaryPages = arg(4, size.diaryPages);
    size.privateRecords = arg(5, size.privateRecords);
    size.photos = arg(6, size.photos);
    size.photoMinBytes = qint64(arg(7, 3.0) * 1e6);
    size.photoMaxBytes = qint64(arg(8, 5.0) * 1e6);
    size.seed = arg(9, quint64(1));
    QElapsedTimer timer;
    timer.start();
    try {
        HouseholdGenerator(size).generate(args.at(1), [&](const QString &step) {
            std::printf("%7.1f s  %s\n", double(timer.elapsed()) / 1000.0, qPrintable(step));
            std::fflush(stdout);
        });
    } catch (const core::Error &e) {
        std::fprintf(stderr, "hl_bench_generate: %s\n", e.what());
        return 1;
    }
    std::printf("%7.1f s  done\n", double(timer.elapsed()) / 1000.0);
    return 0;
}

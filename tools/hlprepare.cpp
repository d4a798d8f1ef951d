// hlprepare <dir>: creates the database files that do not exist yet in <dir>.
#include "tools/Preparer.h"

#include "core/Error.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: hlprepare <directory>\n");
        return 2;
    }
    try {
        const QStringList written = tools::Preparer::prepare(args.at(1));
        for (const QString &path : written)
            std::printf("created %s\n", qPrintable(QDir::toNativeSeparators(path)));
    } catch (const core::Error &e) {
        std::fprintf(stderr, "hlprepare: %s\n", e.what());
        return 1;
    }
    return 0;
}

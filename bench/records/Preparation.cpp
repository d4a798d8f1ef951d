#include "bench/app/BenchSupport.h"
#include "bench/records/RecordsBench.h"

#include "app/Lifetime.h"
#include "app/TForm1.h"
#include "data/Statement.h"
#include "tests/platform/imaging/ImagingFixtures.h"
#include "tests/support/Named.h"
#include "tests/support/WindowPages.h"
#include "widgets/PageControl.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <cstdio>

#include <sqlite3.h>

namespace bench {

void require(bool condition, const QString &what) {
    if (condition)
        return;
    std::fprintf(stderr, "check failed: %s\n", qPrintable(what));
    std::fflush(stdout);
    std::exit(1);
}

void prepareRecords(const QString &from, const QString &to, bool small) {
    require(!QFile::exists(mainFile(to)), mainFile(to) + QStringLiteral(" exists already"));
    QDir().mkpath(to);
    require(QFile::copy(mainFile(from), mainFile(to)), QStringLiteral("copying ") + mainFile(from));
    ensureIdiomFile(to);
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(mainFile(to)).constData(), &db, SQLITE_OPEN_READWRITE,
                    nullptr);
    auto exec = [db](const QString &sql) { data::Statement(db, sql).exec(); };
    exec(QStringLiteral(R"(CREATE INDEX IF NOT EXISTS "bench item name" ON )"
                        R"("Household Inventory" ("Item Name" COLLATE NOCASE))"));
    exec(QStringLiteral(R"(CREATE INDEX IF NOT EXISTS "bench first name" ON )"
                        R"("People" ("First Name" COLLATE NOCASE))"));
    data::Statement update(
        db, QStringLiteral(
                R"(UPDATE "Household Inventory" SET "Photograph" = ? WHERE "Household ID" = ?)"));
    struct Size {
        qint64 first;
        QSize pixels;
    };
    const Size sizes[] = {{kTwelveFirst, small ? QSize(640, 480) : QSize(4000, 3000)},
                          {kTwentyFourFirst, small ? QSize(960, 640) : QSize(6000, 4000)}};
    exec(QStringLiteral("BEGIN"));
    for (const Size &size : sizes) {
        for (int i = 0; i < kPhotosPerSize; ++i) {
            // Four different pictures per size, each stored twice.
            fixtures::JpegOptions options;
            options.quality = 92;
            const QByteArray jpeg = fixtures::encodeJpeg(
                fixtures::photoLike(size.pixels.width(), size.pixels.height(), quint32(i % 4 + 1)),
                options);
            update.bindBlob(1, jpeg);
            update.bind(2, size.first + i);
            require(update.exec() == 1, QStringLiteral("item %1 is missing").arg(size.first + i));
            sqlite3_reset(update.handle());
            std::printf("item %lld: %dx%d, %.1f MB\n", size.first + i, size.pixels.width(),
                        size.pixels.height(), double(jpeg.size()) / 1e6);
            std::fflush(stdout);
        }
    }
    exec(QStringLiteral("COMMIT"));
    sqlite3_close(db);
}

std::unique_ptr<app::TForm1> openForm(const QString &dir, widgets::Page page) {
    app::lifetime::reset();
    auto form = std::make_unique<app::TForm1>(dir);
    require(!app::lifetime::terminateRequested(), QStringLiteral("the form opens ") + dir);
    named<QTimer>(*form, "Timer1")->stop(); // the phrase ticker would add its reads to the figures
    showAndWaitPainted(form.get());
    pageControl(*form)->setCurrentPage(page);
    processUntil([] { return false; }, 0.2);
    return form;
}

} // namespace bench

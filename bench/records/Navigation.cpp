// Navigator Next to the new record's picture ready to paint, beside bare libjpeg.
#include "bench/app/BenchSupport.h"
#include "bench/imaging/BareDecoders.h"
#include "bench/records/RecordsBench.h"

#include "app/TForm1.h"
#include "data/Statement.h"
#include "data/TableObject.h"
#include "platform/imaging/JpegPicture.h"
#include "records/HouseholdPage.h"
#include "tests/support/Named.h"
#include "widgets/DBNavigator.h"
#include "widgets/PictureView.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPixmap>

#include <cstdio>
#include <cstring>

#include <sqlite3.h>

using widgets::Page;

namespace bench {

namespace {

using widgets::DBNavigator;

class BlobReader {
public:
    explicit BlobReader(const QString &file) {
        sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
        m_select = std::make_unique<data::Statement>(
            m_db,
            QStringLiteral(R"(SELECT "Photograph" FROM "Household Inventory" WHERE rowid = ?)"));
    }
    ~BlobReader() {
        m_select.reset();
        sqlite3_close(m_db);
    }
    QByteArray read(qint64 key) {
        m_select->bind(1, key);
        QByteArray bytes;
        if (m_select->step())
            bytes = m_select->blob(0);
        sqlite3_reset(m_select->handle());
        return bytes;
    }

private:
    sqlite3 *m_db = nullptr;
    std::unique_ptr<data::Statement> m_select;
};

bool sameAsFullDecode(const QImage &shown, const std::vector<unsigned char> &full, QSize picture,
                      QRect visible) {
    const QImage rgb = shown.convertToFormat(QImage::Format_RGB888);
    if (rgb.size() != visible.size())
        return false;
    for (int y = 0; y < visible.height(); ++y) {
        const unsigned char *theirs =
            full.data() + (size_t(visible.y() + y) * size_t(picture.width()) + visible.x()) * 3;
        if (std::memcmp(rgb.constScanLine(y), theirs, size_t(visible.width()) * 3) != 0)
            return false;
    }
    return true;
}

} // namespace

void navigation(const QString &dir, const Options &options) {
    auto form = openForm(dir, Page::Household);
    DBNavigator *navigator = named<widgets::DBNavigator>(*form, "DBNavigator1");
    widgets::PictureView *image = named<widgets::PictureView>(*form, "ADOImage1");
    data::TableObject *table = named<data::TableObject>(*form, "ADOTable1");
    BlobReader bare(mainFile(dir));

    std::printf("\n## Navigator Next to the picture ready to paint (ADOImage1, %dx%d)\n\n"
                "Median of %d rounds, processor / wall ms; the three runs of a round in rotating "
                "order. Bare programs: the blob read with one prepared SQLite statement, then "
                "libjpeg.\n\n",
                image->width(), image->height(), options.rounds);
    std::printf(
        "| photo | JPEG | bare: read + full decode | bare: read + centre only "
        "| Next to ready to paint | ratio to centre (cpu / wall) | of it: Next with IsImage "
        "| of it: paint (grab) | bare blob read alone | window repaint after "
        "| pixels = full decode |\n|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const qint64 firstKey : {kTwelveFirst, kTwentyFourFirst}) {
        const QByteArray sample = bare.read(firstKey);
        require(!sample.isEmpty(),
                QStringLiteral("item %1 has no photograph: run prepare first").arg(firstKey));
        const QSize picture = platform::JpegPicture(sample).size();
        const QPoint origin = widgets::PictureView::pictureOrigin(image->size(), picture);
        const QRect visible = QRect(-origin, image->size()) & QRect(QPoint(), picture);
        Series full, centre, ours, next, paint, read, repaint;
        std::vector<unsigned char> rgb;
        std::vector<unsigned char> fullRgb;
        QImage shot;
        qint64 lastKey = 0;
        for (int round = 0; round < options.rounds; ++round) {
            const qint64 key = firstKey + round % kPhotosPerSize;
            table->gotoBookmark({key});
            const int row = table->currentIndex();
            table->moveTo(row - 1);
            QCoreApplication::processEvents();
            for (int part = 0; part < 3; ++part) {
                switch ((part + round) % 3) {
                case 0: {
                    Stopwatch watch;
                    navigator->clickButton(DBNavigator::nbNext);
                    const Cost moved = watch.elapsed();
                    const QPixmap pixmap = image->grab();
                    const Cost total = watch.elapsed();
                    ours.add(total);
                    next.add(moved);
                    paint.add({total.wallMs - moved.wallMs, total.cpuMs - moved.cpuMs});
                    require(table->currentIndex() == row &&
                                named<QLabel>(*form, "NoPicture1")->isHidden(),
                            QStringLiteral("Next shows the picture of item %1").arg(key));
                    repaint.add(measure([] { QCoreApplication::processEvents(); }));
                    shot = pixmap.toImage();
                    lastKey = key;
                    break;
                }
                case 1:
                    full.add(measure([&] { bareFullDecode(bare.read(key), fullRgb); }));
                    break;
                default:
                    centre.add(measure([&] { bareRegionDecode(bare.read(key), visible, rgb); }));
                    break;
                }
            }
            QByteArray blob;
            read.add(measure([&] { blob = bare.read(key); }));
        }
        bareFullDecode(bare.read(lastKey), fullRgb);
        const bool same = sameAsFullDecode(shot, fullRgb, picture, visible);
        std::printf("| %.0f MP %dx%d | %.1f MB | %s | %s | %s | %.2f / %.2f | %s | %s | %s | %s "
                    "| %s |\n",
                    double(picture.width()) * picture.height() / 1e6, picture.width(),
                    picture.height(), double(sample.size()) / 1e6, qPrintable(full.text()),
                    qPrintable(centre.text()), qPrintable(ours.text()),
                    ours.medianCpu() / centre.medianCpu(), ours.medianWall() / centre.medianWall(),
                    qPrintable(next.text()), qPrintable(paint.text()), qPrintable(read.text()),
                    qPrintable(repaint.text()), same ? "yes" : "NO");
        std::fflush(stdout);
        require(same, QStringLiteral("the painted pixels equal the full decode's"));
    }
}

} // namespace bench

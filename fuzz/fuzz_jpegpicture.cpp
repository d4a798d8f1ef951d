// libFuzzer target for the picture display path. Every input is a picture blob: its JPEG
// start is found, the header read, and the regions that the picture controls show are
// decoded, each by a fresh picture and all by one that keeps its pixels between calls.
// Every region must equal the same region of a full decode made in this run, and the full
// decode must equal a plain libjpeg decode with the same settings.

#include "core/Error.h"
#include "platform/imaging/JpegPicture.h"
#include "platform/imaging/JpegStart.h"
#include "tests/platform/imaging/ImagingFixtures.h"

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Larger pictures are shown in regions only: a full decode of each would slow the search.
constexpr qint64 kMaxFullPixels = 1 << 20;
// Still larger ones are shown as a page shows them, in its small image and then in the
// enlarged view, and no more: a progressive one may take the decoder's whole memory.
constexpr qint64 kMaxPixelsForAllRegions = 16 << 20;

// The small and large images of the picture pages.
const QSize kControls[] = {{169, 193}, {169, 225}, {681, 433}, {665, 425}};

[[noreturn]] void fail(const char *what, const QRect &region) {
    std::fprintf(stderr, "%s at %d,%d %dx%d\n", what, region.x(), region.y(), region.width(),
                 region.height());
    std::abort();
}

void compare(const platform::JpegPicture::Pixels &pixels, const QRect &region, const QImage &full) {
    const QRect inImage = region.translated(-pixels.origin);
    if (!QRect(QPoint(), pixels.image.size()).contains(inImage))
        fail("region not covered", region);
    if (pixels.image.copy(inImage) != full.copy(region))
        fail("region differs from the full decode", region);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray blob(reinterpret_cast<const char *>(data), qsizetype(size));
    const int start = platform::jpegStartsInBlob(blob);
    if (start < 0)
        return 0;
    platform::JpegPicture kept;
    try {
        kept = platform::JpegPicture(blob, start);
    } catch (const core::Error &) {
        return 0;
    }
    const QSize pictureSize = kept.size();
    const QRect whole(QPoint(), pictureSize);

    const qint64 pixelCount = qint64(pictureSize.width()) * pictureSize.height();
    QImage full;
    if (pixelCount <= kMaxFullPixels) {
        try {
            full = platform::JpegPicture(blob, start).toImage();
        } catch (const core::Error &) {
        }
    }
    if (!full.isNull() && kept.colourSpace() != platform::JpegPicture::ColourSpace::Cmyk) {
        const QImage plain = fixtures::decodeJpeg(blob.mid(start));
        if (plain.isNull())
            fail("plain decode fails where ours succeeds", whole);
        if (plain != full)
            fail("full decode differs from libjpeg's", whole);
    }

    // The controls' regions, by fresh pictures and by the kept one (as the small and the
    // large image of a page share one picture); then two corners, by fresh pictures.
    QList<QRect> regions;
    for (const QSize control : kControls) {
        // Centred, as the picture controls show a picture.
        const QPoint origin((control.width() - pictureSize.width()) / 2,
                            (control.height() - pictureSize.height()) / 2);
        regions << (QRect(-origin, control) & whole);
    }
    const qsizetype controlRegions = regions.size();
    regions << (QRect(QPoint(), QSize(97, 61)) & whole)
            << (QRect(whole.bottomRight() - QPoint(60, 40), QSize(61, 41)) & whole);
    const bool allRegions = pixelCount <= kMaxPixelsForAllRegions;
    for (qsizetype i = 0; i < regions.size(); ++i) {
        const QRect &region = regions[i];
        if (!allRegions && i != 0 && i != 2)
            continue;
        try {
            const auto pixels = platform::JpegPicture(blob, start).pixels(region);
            if (!full.isNull())
                compare(pixels, region, full);
        } catch (const core::Error &) {
            if (!full.isNull())
                fail("region fails where the full decode succeeds", region);
        }
        if (i >= controlRegions)
            continue;
        try {
            const auto pixels = kept.pixels(region);
            if (!full.isNull())
                compare(pixels, region, full);
        } catch (const core::Error &) {
            if (!full.isNull())
                fail("kept picture fails where the full decode succeeds", region);
        }
    }
    return 0;
}

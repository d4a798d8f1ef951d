#include "platform/imaging/BmpToJpg.h"

#include "core/Error.h"
#include "platform/imaging/BitmapReader.h"
#include "platform/imaging/JpegErrorManager.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <vector>

#include <jerror.h>

namespace platform {

using detail::installErrorManager;
using detail::JpegErrorManager;

namespace {

constexpr int kQuality = 90;
constexpr int kRowsPerBatch = 16;

// Collects the JPEG stream in one growing malloc'd block, owned by the caller.
struct MemoryDestination {
    jpeg_destination_mgr pub;
    unsigned char *data;
    size_t capacity;
    size_t size;
};

void initDestination(j_compress_ptr cinfo) {
    auto *dest = reinterpret_cast<MemoryDestination *>(cinfo->dest);
    dest->pub.next_output_byte = dest->data;
    dest->pub.free_in_buffer = dest->capacity;
}

boolean emptyOutputBuffer(j_compress_ptr cinfo) {
    auto *dest = reinterpret_cast<MemoryDestination *>(cinfo->dest);
    const size_t grown = dest->capacity * 2;
    auto *data = static_cast<unsigned char *>(std::realloc(dest->data, grown));
    if (!data)
        detail::raiseJpegError(reinterpret_cast<j_common_ptr>(cinfo), JERR_OUT_OF_MEMORY);
    dest->pub.next_output_byte = data + dest->capacity;
    dest->pub.free_in_buffer = grown - dest->capacity;
    dest->data = data;
    dest->capacity = grown;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    auto *dest = reinterpret_cast<MemoryDestination *>(cinfo->dest);
    dest->size = dest->capacity - dest->pub.free_in_buffer;
}

struct EncodeJob {
    int width;
    int height;
    // Fills `count` rows from `y` into `rows`; false when the rows cannot be had.
    bool (*fetch)(void *context, int y, int count, unsigned char *rows, qsizetype stride);
    void *context;
    unsigned char *rows; // kRowsPerBatch rows of width * 3 bytes
    MemoryDestination *dest;
};

constexpr int kFetchFailed = -1;

// Returns 0, kFetchFailed, or libjpeg's message code. No objects with destructors below
// the setjmp.
int encode(const EncodeJob *job) {
    jpeg_compress_struct cinfo;
    JpegErrorManager err;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = installErrorManager(&err);
    if (setjmp(err.jump)) {
        const int code = err.pub.msg_code;
        jpeg_destroy_compress(&cinfo);
        return code;
    }
    jpeg_create_compress(&cinfo);
    job->dest->pub.init_destination = initDestination;
    job->dest->pub.empty_output_buffer = emptyOutputBuffer;
    job->dest->pub.term_destination = termDestination;
    cinfo.dest = &job->dest->pub;

    cinfo.image_width = JDIMENSION(job->width);
    cinfo.image_height = JDIMENSION(job->height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    cinfo.dct_method = JDCT_FLOAT;
    jpeg_set_quality(&cinfo, kQuality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);

    const qsizetype stride = qsizetype(job->width) * 3;
    JSAMPROW pointers[kRowsPerBatch];
    for (int i = 0; i < kRowsPerBatch; ++i)
        pointers[i] = job->rows + i * stride;
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = int(cinfo.next_scanline);
        const int count = std::min(kRowsPerBatch, job->height - y);
        if (!job->fetch(job->context, y, count, job->rows, stride)) {
            jpeg_destroy_compress(&cinfo);
            return kFetchFailed;
        }
        jpeg_write_scanlines(&cinfo, pointers, JDIMENSION(count));
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return 0;
}

struct FetchContext {
    BitmapReader *reader;
    std::exception_ptr failure;
};

bool fetchRows(void *context, int y, int count, unsigned char *rows, qsizetype stride) {
    auto *fetch = static_cast<FetchContext *>(context);
    try {
        fetch->reader->readRows(y, count, rows, stride);
        return true;
    } catch (...) {
        fetch->failure = std::current_exception();
    }
    return false;
}

} // namespace

void bmpToJpg(const QString &bmpPic, const QString &jpgPic) {
    const QFileInfo info(bmpPic);
    QFile in(bmpPic);
    if (!info.isFile() || !in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw core::Error(QStringLiteral("Cannot open file %1").arg(bmpPic));

    BitmapReader reader(&in);
    std::vector<unsigned char> rows(size_t(kRowsPerBatch) * size_t(reader.width()) * 3);
    MemoryDestination dest{};
    const auto freeStream = qScopeGuard([&dest] { std::free(dest.data); });
    // About what a photograph needs at quality 90; grown when short.
    dest.capacity = std::clamp<size_t>(size_t(reader.width()) * size_t(reader.height()) / 4,
                                       64 * 1024, 16 * 1024 * 1024);
    dest.data = static_cast<unsigned char *>(std::malloc(dest.capacity));
    if (!dest.data)
        throw std::bad_alloc();

    FetchContext context{&reader, {}};
    const EncodeJob job{reader.width(), reader.height(), fetchRows, &context, rows.data(), &dest};
    const int code = encode(&job);
    if (code == kFetchFailed)
        std::rethrow_exception(context.failure);
    if (code != 0)
        throw core::Error(detail::jpegErrorText(code));
    in.close();

    QFile out(jpgPic);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw core::Error(QStringLiteral("Cannot create file %1").arg(jpgPic));
    const auto *bytes = reinterpret_cast<const char *>(dest.data);
    if (out.write(bytes, qint64(dest.size)) != qint64(dest.size) || !out.flush()) {
        out.remove();
        throw core::Error(QStringLiteral("Stream write error"));
    }
}

} // namespace platform

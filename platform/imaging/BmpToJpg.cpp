#include "platform/imaging/BmpToJpg.h"

#include "core/Error.h"
#include "platform/imaging/BitmapReader.h"
#include "platform/imaging/JpegErrorManager.h"
#include "platform/imaging/PictureFiles.h"

#include <algorithm>
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

// Collects the JPEG stream in a growing byte array, owned by the caller.
struct ByteArrayDestination {
    jpeg_destination_mgr pub;
    QByteArray *bytes;
};

void initDestination(j_compress_ptr cinfo) {
    auto *dest = reinterpret_cast<ByteArrayDestination *>(cinfo->dest);
    dest->pub.next_output_byte = reinterpret_cast<JOCTET *>(dest->bytes->data());
    dest->pub.free_in_buffer = size_t(dest->bytes->size());
}

boolean emptyOutputBuffer(j_compress_ptr cinfo) {
    auto *dest = reinterpret_cast<ByteArrayDestination *>(cinfo->dest);
    const qsizetype used = dest->bytes->size();
    bool grown = true;
    try {
        dest->bytes->resize(used * 2);
    } catch (const std::bad_alloc &) {
        grown = false;
    }
    if (!grown)
        detail::raiseJpegError(reinterpret_cast<j_common_ptr>(cinfo), JERR_OUT_OF_MEMORY);
    dest->pub.next_output_byte = reinterpret_cast<JOCTET *>(dest->bytes->data()) + used;
    dest->pub.free_in_buffer = size_t(used);
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    auto *dest = reinterpret_cast<ByteArrayDestination *>(cinfo->dest);
    dest->bytes->truncate(dest->bytes->size() - qsizetype(dest->pub.free_in_buffer));
}

struct EncodeJob {
    int width;
    int height;
    // Fills `count` rows from `y` into `rows`; false when the rows cannot be had.
    bool (*fetch)(void *context, int y, int count, unsigned char *rows, qsizetype stride);
    void *context;
    unsigned char *rows; // kRowsPerBatch rows of width * 3 bytes
    ByteArrayDestination *dest;
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

QByteArray bitmapToJpeg(QIODevice *bitmap) {
    BitmapReader reader(bitmap);
    std::vector<unsigned char> rows(size_t(kRowsPerBatch) * size_t(reader.width()) * 3);
    // About what a photograph needs at quality 90; grown when short.
    QByteArray jpeg(std::clamp<qsizetype>(qsizetype(reader.width()) * reader.height() / 4,
                                          64 * 1024, 16 * 1024 * 1024),
                    Qt::Uninitialized);
    ByteArrayDestination dest{{}, &jpeg};
    FetchContext context{&reader, {}};
    const EncodeJob job{reader.width(), reader.height(), fetchRows, &context, rows.data(), &dest};
    const int code = encode(&job);
    if (code == kFetchFailed)
        std::rethrow_exception(context.failure);
    if (code != 0)
        throw core::Error(detail::jpegErrorText(code));
    return jpeg;
}

void bmpToJpg(const QString &bmpPic, const QString &jpgPic) {
    replaceFile(jpgPic, bitmapToJpeg(openRegularFile(bmpPic).get()));
}

} // namespace platform

#include "platform/imaging/JpegPicture.h"

#include "core/Error.h"
#include "platform/imaging/JpegErrorManager.h"

#include <algorithm>
#include <cstring>
#include <new>

#include <jerror.h>

namespace platform {

using detail::installErrorManager;
using detail::JpegErrorManager;
using detail::jpegErrorText;

struct JpegPicture::Data {
    QByteArray bytes;
    qsizetype offset = 0;
    QSize size;
    ColourSpace space = ColourSpace::Colour;
    bool adobe = false;
    bool progressive = false;

    QImage cache;
    QPoint cacheOrigin;
    QRect failedRegion;
    int failedCode = 0;

    const unsigned char *stream() const {
        return reinterpret_cast<const unsigned char *>(bytes.constData()) + offset;
    }
    size_t streamSize() const { return size_t(bytes.size() - offset); }
};

namespace {

// What the decoder may take for one picture. Progressive pictures, and others whose
// colours come in separate scans, keep the coefficients of the whole picture, 128 bytes a
// block of every colour component: 256 MB hold such a picture up to about 89 megapixels
// with 4:2:0 chroma and 44 with full chroma (a 24-megapixel camera file needs 72 or
// 144 MB). Pictures of a single interleaved scan need only a few rows.
constexpr long kMaxDecoderMemory = 256L * 1024 * 1024;
// Rows, tables and the like, beside the coefficients: libjpeg is held to this much more,
// so that the check of the header decides.
constexpr long kDecoderRowMemory = 64L * 1024 * 1024;

// The coefficient memory the decoder sets up for the picture whose header `cinfo` has read.
qint64 coefficientMemory(j_decompress_ptr cinfo) {
    if (!jpeg_has_multiple_scans(cinfo))
        return 0;
    qint64 total = 0;
    for (int i = 0; i < cinfo->num_components; ++i) {
        const jpeg_component_info &component = cinfo->comp_info[i];
        const auto roundUp = [](qint64 value, qint64 step) {
            return (value + step - 1) / step * step;
        };
        total += roundUp(component.width_in_blocks, component.h_samp_factor) *
                 roundUp(component.height_in_blocks, component.v_samp_factor) *
                 qint64(sizeof(JBLOCK));
    }
    return total;
}

struct HeaderInfo {
    int width;
    int height;
    int components;
    J_COLOR_SPACE space;
    bool adobe;
    bool progressive;
};

// Returns 0 or libjpeg's message code. No objects with destructors below the setjmp.
int readHeader(const unsigned char *data, size_t size, HeaderInfo *info) {
    jpeg_decompress_struct cinfo;
    JpegErrorManager err;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = installErrorManager(&err);
    if (setjmp(err.jump)) {
        const int code = err.pub.msg_code;
        jpeg_destroy_decompress(&cinfo);
        return code;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    // Refused from the header, before the decoder sets aside memory it may not have.
    if (coefficientMemory(&cinfo) > kMaxDecoderMemory)
        detail::raiseJpegError(reinterpret_cast<j_common_ptr>(&cinfo), JERR_NO_BACKING_STORE);
    info->width = int(cinfo.image_width);
    info->height = int(cinfo.image_height);
    info->components = cinfo.num_components;
    info->space = cinfo.jpeg_color_space;
    info->adobe = cinfo.saw_Adobe_marker;
    info->progressive = cinfo.progressive_mode;
    jpeg_destroy_decompress(&cinfo);
    return 0;
}

struct RegionJob {
    const unsigned char *data;
    size_t size;
    J_COLOR_SPACE outSpace;
    bool adobe;
    int x, y, width, height; // inside the picture
    unsigned char *out;
    qsizetype outStride;
};

inline unsigned char mul255(int a, int b) {
    return static_cast<unsigned char>((a * b + 127) / 255);
}

void copyRow(const RegionJob *job, const JSAMPLE *src, unsigned char *dst) {
    if (job->outSpace == JCS_GRAYSCALE) {
        std::memcpy(dst, src, size_t(job->width));
    } else if (job->outSpace == JCS_RGB) {
        std::memcpy(dst, src, size_t(job->width) * 3);
    } else {
        // CMYK: Adobe's files hold the inks inverted.
        for (int i = 0; i < job->width; ++i, src += 4, dst += 3) {
            const int k = job->adobe ? src[3] : 255 - src[3];
            for (int c = 0; c < 3; ++c)
                dst[c] = mul255(job->adobe ? src[c] : 255 - src[c], k);
        }
    }
}

// Decodes the job's region. Returns 0 or libjpeg's message code. No objects with
// destructors below the setjmp.
int decodeRegion(const RegionJob *job) {
    jpeg_decompress_struct cinfo;
    JpegErrorManager err;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = installErrorManager(&err);
    if (setjmp(err.jump)) {
        const int code = err.pub.msg_code;
        jpeg_destroy_decompress(&cinfo);
        return code;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxDecoderMemory + kDecoderRowMemory;
    jpeg_mem_src(&cinfo, job->data, job->size);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = job->outSpace;
    cinfo.dct_method = JDCT_FLOAT;
    cinfo.do_block_smoothing = TRUE;
    jpeg_start_decompress(&cinfo);

    const int fullWidth = int(cinfo.output_width);
    const int fullHeight = int(cinfo.output_height);
    // A cropped row's edge pixels are upsampled as if they were the picture's edge, and
    // block smoothing (incomplete progressive pictures) reaches two blocks to the left:
    // decode a margin and drop it.
    const int blockColumn = cinfo.max_h_samp_factor * DCTSIZE;
    const int leftMargin = cinfo.progressive_mode ? 2 * blockColumn + 1 : 1;
    JDIMENSION left = JDIMENSION(std::max(0, job->x - leftMargin));
    JDIMENSION cropWidth = JDIMENSION(std::min(fullWidth, job->x + job->width + 1)) - left;
    if (int(cropWidth) < fullWidth)
        jpeg_crop_scanline(&cinfo, &left, &cropWidth);
    else
        left = 0;
    const JDIMENSION top = JDIMENSION(std::max(0, job->y - 1));
    const JDIMENSION bottom = JDIMENSION(std::min(fullHeight, job->y + job->height + 1));
    if (top > 0)
        jpeg_skip_scanlines(&cinfo, top);

    JSAMPARRAY row =
        (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                   cinfo.output_width * JDIMENSION(cinfo.output_components), 1);
    const size_t skipBytes = size_t(job->x - int(left)) * size_t(cinfo.output_components);
    while (cinfo.output_scanline < bottom) {
        const int line = int(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, row, 1);
        if (line >= job->y && line < job->y + job->height)
            copyRow(job, row[0] + skipBytes, job->out + qsizetype(line - job->y) * job->outStride);
    }

    if (err.hitMarker || cinfo.output_scanline == cinfo.output_height) {
        // Damaged or cut short, or read to the bottom anyway: go on to the end as a full
        // decode does, so that an error in what follows is reported as it would be there.
        while (cinfo.output_scanline < cinfo.output_height)
            jpeg_read_scanlines(&cinfo, row, 1);
        jpeg_finish_decompress(&cinfo);
    } else {
        jpeg_abort_decompress(&cinfo);
    }
    jpeg_destroy_decompress(&cinfo);
    return 0;
}

} // namespace

JpegPicture::JpegPicture(const QByteArray &bytes, qsizetype offset) {
    // Positioning the stream outside the blob (no start marker found) fails as a read.
    if (offset < 0 || offset > bytes.size())
        throw core::Error(QStringLiteral("Stream read error"));
    auto data = std::make_shared<Data>();
    data->bytes = bytes;
    data->offset = offset;

    HeaderInfo info{};
    if (const int code = readHeader(data->stream(), data->streamSize(), &info))
        throw core::Error(jpegErrorText(code));
    if (info.components == 1) {
        data->space = ColourSpace::Grey;
    } else if (info.components == 3) {
        data->space = ColourSpace::Colour;
    } else if (info.components == 4 && (info.space == JCS_CMYK || info.space == JCS_YCCK)) {
        data->space = ColourSpace::Cmyk;
    } else {
        throw core::Error(jpegErrorText(JERR_CONVERSION_NOTIMPL));
    }
    data->size = QSize(info.width, info.height);
    data->adobe = info.adobe;
    data->progressive = info.progressive;
    d = std::move(data);
}

QSize JpegPicture::size() const {
    return d ? d->size : QSize();
}

JpegPicture::ColourSpace JpegPicture::colourSpace() const {
    return d ? d->space : ColourSpace::Colour;
}

bool JpegPicture::isProgressive() const {
    return d && d->progressive;
}

JpegPicture::Pixels JpegPicture::pixels(const QRect &region) const {
    if (!d)
        return {};
    QRect wanted = region & QRect(QPoint(), d->size);
    if (wanted.isEmpty())
        return {};
    const QRect cached(d->cacheOrigin, d->cache.size());
    if (!d->cache.isNull() && cached.contains(wanted))
        return {d->cache, d->cacheOrigin};
    if (d->failedCode != 0 && d->failedRegion.contains(wanted))
        throw core::Error(jpegErrorText(d->failedCode));
    if (!d->cache.isNull())
        wanted |= cached;

    const bool grey = d->space == ColourSpace::Grey;
    QImage image(wanted.size(), grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (image.isNull())
        throw std::bad_alloc();
    RegionJob job{};
    job.data = d->stream();
    job.size = d->streamSize();
    job.outSpace = grey ? JCS_GRAYSCALE : d->space == ColourSpace::Cmyk ? JCS_CMYK : JCS_RGB;
    job.adobe = d->adobe;
    job.x = wanted.x();
    job.y = wanted.y();
    job.width = wanted.width();
    job.height = wanted.height();
    job.out = image.bits();
    job.outStride = image.bytesPerLine();
    if (const int code = decodeRegion(&job)) {
        d->failedRegion = wanted;
        d->failedCode = code;
        throw core::Error(jpegErrorText(code));
    }
    d->cache = image;
    d->cacheOrigin = wanted.topLeft();
    return {image, wanted.topLeft()};
}

QImage JpegPicture::toImage() const {
    return pixels(QRect(QPoint(), size())).image;
}

} // namespace platform

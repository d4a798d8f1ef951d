#include "tests/platform/imaging/ImagingFixtures.h"

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace fixtures {

namespace {

struct ErrorJump {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void jumpOut(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorJump *>(cinfo->err)->jump, 1);
}

void quiet(j_common_ptr, int) {}

quint32 xorshift(quint32 &state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

int clamp255(double v) {
    return v < 0 ? 0 : v > 255 ? 255 : int(v);
}

} // namespace

QImage photoLike(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB888);
    quint32 state = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width;
            const double v = double(y) / height;
            const double shade = 90 * std::sin(6.0 * u + 3.0 * v + seed) + 40 * std::cos(17.0 * v);
            const bool edge = ((x / 97 + y / 61) % 3) == 0;
            const int noise = int(xorshift(state) % 25) - 12;
            row[3 * x] = uchar(clamp255(128 + shade + noise + (edge ? 40 : 0)));
            row[3 * x + 1] = uchar(clamp255(110 + 0.7 * shade + 60 * u + noise));
            row[3 * x + 2] = uchar(clamp255(150 - 0.5 * shade + 50 * v + noise - (edge ? 50 : 0)));
        }
    }
    return image;
}

namespace {

// libjpeg's longjmp must skip no destructors: the Qt objects live in the callers.
bool encodeInto(const QImage &image, const JpegOptions &options, QByteArray *row,
                unsigned char **buffer, unsigned long *size) {
    jpeg_compress_struct cinfo;
    ErrorJump err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = jumpOut;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    const bool grey = image.format() == QImage::Format_Grayscale8;
    const bool cmyk = image.format() == QImage::Format_ARGB32;
    cinfo.input_components = grey ? 1 : cmyk ? 4 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (!grey && !cmyk) {
        cinfo.comp_info[0].h_samp_factor = options.hSamp;
        cinfo.comp_info[0].v_samp_factor = options.vSamp;
    }
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    cinfo.restart_interval = JDIMENSION(options.restartInterval);
    jpeg_start_compress(&cinfo, TRUE);
    row->resize(image.width() * cinfo.input_components);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uchar *src = image.constScanLine(int(cinfo.next_scanline));
        if (cmyk) {
            const auto *pixels = reinterpret_cast<const QRgb *>(src);
            for (int x = 0; x < image.width(); ++x) {
                uchar *out = reinterpret_cast<uchar *>(row->data()) + 4 * x;
                out[0] = uchar(qRed(pixels[x]));
                out[1] = uchar(qGreen(pixels[x]));
                out[2] = uchar(qBlue(pixels[x]));
                out[3] = uchar(qAlpha(pixels[x]));
            }
        } else {
            std::memcpy(row->data(), src, size_t(row->size()));
        }
        JSAMPROW pointer = reinterpret_cast<JSAMPROW>(row->data());
        jpeg_write_scanlines(&cinfo, &pointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

bool decodeInto(const QByteArray &jpeg, QImage *image) {
    jpeg_decompress_struct cinfo;
    ErrorJump err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = jumpOut;
    err.pub.emit_message = quiet;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    const bool grey = cinfo.num_components == 1;
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    cinfo.dct_method = JDCT_FLOAT;
    cinfo.do_block_smoothing = TRUE;
    jpeg_start_decompress(&cinfo);
    *image = QImage(int(cinfo.output_width), int(cinfo.output_height),
                    grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image->scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

QByteArray encodeJpeg(const QImage &image, const JpegOptions &options) {
    QByteArray row;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    const bool ok = encodeInto(image, options, &row, &buffer, &size);
    // After a failure the buffer may already have been replaced inside libjpeg.
    QByteArray result =
        ok ? QByteArray(reinterpret_cast<const char *>(buffer), qsizetype(size)) : QByteArray();
    if (ok)
        std::free(buffer);
    return result;
}

QImage decodeJpeg(const QByteArray &jpeg) {
    QImage image;
    return decodeInto(jpeg, &image) ? image : QImage();
}

QByteArray withDeclaredSize(QByteArray jpeg, QSize size) {
    // Marker segments from the start marker on, up to the first start-of-frame marker
    // (0xC0 to 0xCF but for DHT C4, JPG C8 and DAC CC).
    qsizetype at = 2;
    while (at + 9 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const int marker = uchar(jpeg[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
            jpeg[at + 5] = char(size.height() >> 8);
            jpeg[at + 6] = char(size.height());
            jpeg[at + 7] = char(size.width() >> 8);
            jpeg[at + 8] = char(size.width());
            return jpeg;
        }
        at += 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
    }
    return {};
}

} // namespace fixtures

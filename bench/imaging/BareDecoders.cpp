#include "bench/imaging/BareDecoders.h"

#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace bench {

namespace {

void start(jpeg_decompress_struct &cinfo, jpeg_error_mgr &err, const QByteArray &jpeg) {
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    cinfo.dct_method = JDCT_FLOAT;
    jpeg_start_decompress(&cinfo);
}

} // namespace

void bareFullDecode(const QByteArray &jpeg, std::vector<unsigned char> &rgb) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    start(cinfo, err, jpeg);
    const size_t stride = size_t(cinfo.output_width) * 3;
    rgb.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = rgb.data() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
}

void bareRegionDecode(const QByteArray &jpeg, const QRect &region,
                      std::vector<unsigned char> &rgb) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    start(cinfo, err, jpeg);
    JDIMENSION left = JDIMENSION(region.x());
    JDIMENSION width = JDIMENSION(region.width());
    jpeg_crop_scanline(&cinfo, &left, &width);
    if (region.y() > 0)
        jpeg_skip_scanlines(&cinfo, JDIMENSION(region.y()));
    std::vector<unsigned char> line(size_t(cinfo.output_width) * 3);
    const size_t stride = size_t(region.width()) * 3;
    rgb.resize(stride * size_t(region.height()));
    for (int y = 0; y < region.height(); ++y) {
        JSAMPROW row = line.data();
        jpeg_read_scanlines(&cinfo, &row, 1);
        std::memcpy(rgb.data() + stride * size_t(y), line.data() + (region.x() - int(left)) * 3,
                    stride);
    }
    jpeg_abort_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
}

} // namespace bench

#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// Pictures made by code for the imaging tests and benchmarks: photo-like content,
// JPEG streams written with libjpeg, and a plain libjpeg full decode to compare with.
namespace fixtures {

// Smooth shading with edges and fine noise, like a photograph (24-bit RGB).
QImage photoLike(int width, int height, quint32 seed = 1);

struct JpegOptions {
    int quality = 90;
    int hSamp = 2; // luma sampling factors: 2x2 is 4:2:0, 1x1 is 4:4:4
    int vSamp = 2;
    bool progressive = false;
    int restartInterval = 0; // in MCUs
};

// Encodes an RGB888 or Grayscale8 image (a greyscale JPEG for the latter), or an
// ARGB32 image as CMYK with an Adobe marker (alpha is K; values stored as given).
QByteArray encodeJpeg(const QImage &image, const JpegOptions &options = {});

// A plain full decode with libjpeg (floating-point DCT, block smoothing, fancy
// upsampling): RGB888 or Grayscale8. Null on a libjpeg error.
QImage decodeJpeg(const QByteArray &jpeg);

// The stream with its frame header rewritten to declare `size`; the data stays as it was.
// Null when the stream has no frame header.
QByteArray withDeclaredSize(QByteArray jpeg, QSize size);

} // namespace fixtures

#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace platform {

// The Windows bitmap on `bitmap` (open for reading and random access) as a JPEG stream:
// 24-bit RGB encoded by libjpeg with its defaults for RGB input (a YCbCr JFIF file), the
// floating-point forward DCT and quality 90 with baseline tables, not progressive. The
// bitmap is read and encoded row by row. Throws core::Error "Bitmap image is not valid",
// "Stream read error" (the bitmap ends early) or "JPEG error #%d".
QByteArray bitmapToJpeg(QIODevice *bitmap);

// Converts the bitmap file `bmpPic` (a regular file) into the JPEG file `jpgPic` as
// bitmapToJpeg does. The JPEG file is made only when the encoding has succeeded, and as
// replaceFile makes it: a regular file of that name is replaced, never written through a
// link. Throws core::Error: "Cannot open file %s" (bitmap missing, unreadable or not a
// regular file), the errors of bitmapToJpeg, "Cannot create file %s" (the name is taken
// by anything but a regular file, or the folder takes no file) and "Stream write error"
// (nothing was written).
void bmpToJpg(const QString &bmpPic, const QString &jpgPic);

} // namespace platform

#pragma once

#include <QString>

namespace platform {

// Converts the Windows bitmap file `bmpPic` into the JPEG file `jpgPic`: 24-bit RGB
// encoded by libjpeg with its defaults for RGB input (a YCbCr JFIF file), the
// floating-point forward DCT and quality 90 with baseline tables, not progressive.
// The bitmap is read and encoded row by row; the JPEG file is created (replacing any
// file of that name) only when the encoding has succeeded. Throws core::Error:
// "Cannot open file %s" (bitmap missing or unreadable), "Bitmap image is not valid",
// "Cannot create file %s", "Stream write error" (the file could not be written whole;
// it is removed).
void bmpToJpg(const QString &bmpPic, const QString &jpgPic);

} // namespace platform

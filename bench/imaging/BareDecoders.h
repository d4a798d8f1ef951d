#pragma once

#include <QByteArray>
#include <QRect>

#include <vector>

// Plain libjpeg programs to measure against: the floating-point DCT, libjpeg's error
// handler (a broken stream ends the program), RGB output.
namespace bench {

// The whole frame into `rgb`.
void bareFullDecode(const QByteArray &jpeg, std::vector<unsigned char> &rgb);

// Only `region`: its columns by cropping, the rows above skipped, the rest abandoned.
// `rgb` gets exactly the region's pixels.
void bareRegionDecode(const QByteArray &jpeg, const QRect &region, std::vector<unsigned char> &rgb);

} // namespace bench

#pragma once

#include <QtGlobal>

class QPaintDevice;

namespace reportengine {

// Reports are laid out and drawn in hundredths of a millimetre, whatever the
// device; a painter is scaled from these units to the device's pixels.
inline constexpr qreal kUnitsPerMm = 100.0;
inline constexpr qreal kLayoutDpi = 25.4 * kUnitsPerMm;

constexpr qreal mmToUnits(qreal mm) {
    return mm * kUnitsPerMm;
}
constexpr qreal unitsToMm(qreal units) {
    return units / kUnitsPerMm;
}

// A font size in layout units (pixels of the layout device) for a size in points.
int pointsToUnits(qreal pointSize);

// A device whose pixels are layout units: text documents are laid out on it.
QPaintDevice *layoutDevice();

} // namespace reportengine

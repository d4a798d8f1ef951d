#include "platform/reportengine/ReportUnits.h"

#include <QImage>
#include <cmath>

namespace reportengine {

int pointsToUnits(qreal pointSize) {
    return qMax(1, int(std::lround(pointSize * kLayoutDpi / 72.0)));
}

QPaintDevice *layoutDevice() {
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = int(std::lround(kLayoutDpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

} // namespace reportengine

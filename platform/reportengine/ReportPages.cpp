#include "platform/reportengine/ReportPages.h"

#include "platform/reportengine/ReportUnits.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>

namespace reportengine {

bool ReportPages::layoutFor(int) {
    return true;
}

void ReportPages::completeLayout() {
    while (!layoutFor(250)) {
    }
}

void ReportPages::renderPage(QPainter &painter, int index) const {
    const QPaintDevice *device = painter.device();
    painter.save();
    painter.scale(device->logicalDpiX() / kLayoutDpi, device->logicalDpiY() / kLayoutDpi);
    drawPage(painter, index);
    painter.restore();
}

QImage ReportPages::pageImage(int index, qreal dotsPerInch) const {
    const QSizeF paper = paperSize();
    const QSize pixels(int(std::lround(paper.width() / 25.4 * dotsPerInch)),
                       int(std::lround(paper.height() / 25.4 * dotsPerInch)));
    QImage image(pixels, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    renderPage(painter, index);
    return image;
}

QSizeF ReportPages::paperSize() const {
    return pageLayout().fullRect(QPageLayout::Millimeter).size();
}

} // namespace reportengine

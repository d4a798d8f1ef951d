#include "platform/desktop/ScreenPrint.h"

#include "core/Error.h"

#include <QPainter>
#include <QPrinter>

namespace platform {

namespace {

QString printerLabel(const QPrinter &printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty())
        return printer.outputFileName();
    return printer.printerName();
}

} // namespace

void printStretched(const QImage &image, QPrinter &printer) {
    if (image.isNull())
        throw core::Error(QStringLiteral("There is no picture of the screen to print"));
    const QString label = printerLabel(printer);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (label.isEmpty())
            throw core::Error(QStringLiteral("There is no printer to print on"));
        throw core::Error(QStringLiteral("Printing on \"%1\" could not begin").arg(label));
    }
    // The painter's device is the printable area, its origin the area's corner.
    const QRectF target(0, 0, printer.width(), printer.height());
    QImage source = image;
    source.setDevicePixelRatio(1);
    painter.drawImage(target, source, QRectF(source.rect()));
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw core::Error(QStringLiteral("Printing on \"%1\" failed").arg(label));
}

} // namespace platform

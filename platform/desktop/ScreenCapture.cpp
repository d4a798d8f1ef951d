#include "platform/desktop/ScreenCapture.h"

#include "core/Error.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace platform {

QImage captureScreen() {
    QImage image;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        if (QScreen *screen = QGuiApplication::primaryScreen())
            image = screen->grabWindow(0).toImage();
    if (image.isNull())
        throw core::Error(QStringLiteral("The screen could not be captured"));
    image.setDevicePixelRatio(1);
    return image;
}

} // namespace platform

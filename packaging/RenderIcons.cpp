// Renders the emblem as the installed PNG icons:
//   hl_render_icons <output folder> <application id> <size>...
// writes <output folder>/<size>x<size>/apps/<application id>.png for each size.
#include "widgets/Emblem.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char *argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <output folder> <application id> <size>...\n", argv[0]);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    const QString id = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "not a size: %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.scale(size / 100.0, size / 100.0);
            widgets::paintEmblem(painter);
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(output).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, id);
        if (!QDir().mkpath(folder) ||
            !image.convertToFormat(QImage::Format_RGB888).save(file, "PNG", 9)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

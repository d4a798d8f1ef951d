#include "widgets/Emblem.h"

#include "platform/rtf/FaceNames.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace widgets {

void paintEmblem(QPainter &p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, 0, 100, 100), QColor(0xA6, 0xCA, 0xF0));

    // A house with a warm hearth, standing on an open ledger.
    QPainterPath roof;
    roof.moveTo(14, 46);
    roof.lineTo(50, 12);
    roof.lineTo(86, 46);
    roof.closeSubpath();
    p.setPen(QPen(QColor(0x60, 0x20, 0x10), 2));
    p.setBrush(QColor(0xB0, 0x3A, 0x2E));
    p.drawPath(roof);

    p.setBrush(QColor(0xF4, 0xE8, 0xC8));
    p.drawRect(QRectF(22, 44, 56, 32));
    p.setBrush(QColor(0x80, 0x50, 0x30));
    p.drawRect(QRectF(62, 20, 9, 16)); // chimney

    QLinearGradient fire(QPointF(0, 56), QPointF(0, 76));
    fire.setColorAt(0, QColor(0xFF, 0xD0, 0x30));
    fire.setColorAt(1, QColor(0xE0, 0x40, 0x10));
    p.setBrush(fire);
    p.setPen(Qt::NoPen);
    QPainterPath flame;
    flame.moveTo(42, 76);
    flame.cubicTo(38, 66, 48, 62, 46, 54);
    flame.cubicTo(54, 60, 60, 68, 58, 76);
    flame.closeSubpath();
    p.drawPath(flame);

    // the ledger
    p.setPen(QPen(QColor(0x20, 0x30, 0x60), 2));
    p.setBrush(QColor(0x2E, 0x4A, 0x8C));
    p.drawRoundedRect(QRectF(10, 76, 80, 16), 3, 3);
    p.setPen(QPen(Qt::white, 1));
    for (int y = 81; y <= 87; y += 3)
        p.drawLine(QPointF(16, y), QPointF(84, y));
    p.drawLine(QPointF(50, 78), QPointF(50, 90));
    p.restore();
}

namespace {

QImage drawEmblem() {
    QImage image(100, 100, QImage::Format_RGB888);
    QPainter painter(&image);
    paintEmblem(painter);
    return image;
}

} // namespace

QPixmap emblem() {
    static const QImage image = drawEmblem();
    return QPixmap::fromImage(image);
}

QFont windowFont(int pixelSize) {
    QFont font;
    font.setFamilies(platform::facesFor(QStringLiteral("MS Sans Serif")));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

namespace {
int pixelSizeOf(const QFont &font) {
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}
} // namespace

int fittingPixelSize(const QFont &font, const QString &text, int width) {
    QFont trial = font;
    int size = pixelSizeOf(font);
    const int smallest = size * 2 / 3;
    while (size > smallest && QFontMetrics(trial).horizontalAdvance(text) > width)
        trial.setPixelSize(--size);
    return size;
}

void fitToWidth(QWidget *label, const QString &text, int width) {
    QFont font = label->font();
    const int size = fittingPixelSize(font, text, width);
    if (size != pixelSizeOf(font))
        font.setPixelSize(size);
    label->setFont(font);
}

} // namespace widgets

#include "about/BevelPanel.h"

#include <QPainter>
#include <qdrawutil.h>

namespace about {

BevelPanel::BevelPanel(const QColor &colour, QWidget *parent)
    : QWidget(parent) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
    setAutoFillBackground(true);
}

void BevelPanel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    QPalette shades = palette();
    shades.setColor(QPalette::Light, Qt::white);
    shades.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));

    QRect area = rect();
    painter.setPen(Qt::black);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    area.adjust(1, 1, -1, -1);
    qDrawShadePanel(&painter, area, shades, true, kBevelWidth);
    const int inset = kBevelWidth + kBorderWidth;
    area.adjust(inset, inset, -inset, -inset);
    qDrawShadePanel(&painter, area, shades, true, kBevelWidth);
}

} // namespace about

#include "app/ToolbarImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace app {

namespace {

using Glyph = std::function<void(QPainter &)>;

QIcon drawn(const Glyph &glyph) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    glyph(p);
    return QIcon(pixmap);
}

QIcon themed(const char *name, const Glyph &glyph) {
    return QIcon::fromTheme(QString::fromLatin1(name), drawn(glyph));
}

const QColor ink(0x20, 0x20, 0x20);
const QColor blue(0x1E, 0x50, 0xC8);

void magnifier(QPainter &p, bool plus) {
    p.setPen(QPen(ink, 1.6));
    p.setBrush(QColor(0xE8, 0xF4, 0xFF));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(0x80, 0x50, 0x20), 2.6));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
    p.setPen(QPen(ink, 1.4));
    p.drawLine(QPointF(3.8, 6), QPointF(8.2, 6));
    if (plus)
        p.drawLine(QPointF(6, 3.8), QPointF(6, 8.2));
}

void page(QPainter &p, QRectF r) {
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

} // namespace

ToolbarImages::ToolbarImages(QObject *parent)
    : QObject(parent) {
    setObjectName(QStringLiteral("ImageList"));
    const QIcon empty = drawn([](QPainter &) {});
    m_icons = QList<QIcon>(Count, empty);

    m_icons[UndoImage] = themed("edit-undo", [](QPainter &p) {
        QPainterPath arc;
        arc.moveTo(4, 7);
        arc.cubicTo(7, 2, 14, 3, 14, 9);
        arc.cubicTo(14, 12, 11, 14, 8, 14);
        p.setPen(QPen(blue, 2));
        p.drawPath(arc);
        p.setBrush(blue);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(1, 3), QPointF(7, 9), QPointF(1, 10)}));
    });
    m_icons[SelectAllImage] = themed("edit-select-all", [](QPainter &p) {
        p.setPen(QPen(QColor(0x10, 0x90, 0x20), 2.4));
        p.drawPolyline(QPolygonF({QPointF(2, 8), QPointF(6, 13), QPointF(14, 3)}));
    });
    m_icons[AboutImage] = themed("help-about", [](QPainter &p) {
        p.setPen(QPen(blue, 1));
        p.setBrush(QColor(0xFF, 0xF0, 0x90));
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        QFont f;
        f.setPixelSize(13);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    });
    m_icons[FontImage] = themed("preferences-desktop-font", [](QPainter &p) {
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPixelSize(15);
        f.setBold(true);
        p.setFont(f);
        p.setPen(ink);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("F"));
    });
    m_icons[CutImage] = themed("edit-cut", [](QPainter &p) {
        p.setPen(QPen(ink, 1.4));
        p.drawLine(QPointF(4, 1), QPointF(10, 11));
        p.drawLine(QPointF(12, 1), QPointF(6, 11));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2, 10, 4.5, 4.5));
        p.drawEllipse(QRectF(9.5, 10, 4.5, 4.5));
    });
    m_icons[PrintImage] = themed("document-print", [](QPainter &p) {
        page(p, QRectF(4.5, 0.5, 7, 6));
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0xB0, 0xB0, 0xB8));
        p.drawRoundedRect(QRectF(0.5, 6.5, 15, 6), 1, 1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 10.5, 9, 5));
    });
    m_icons[CopyImage] = themed("edit-copy", [](QPainter &p) {
        page(p, QRectF(1.5, 1.5, 8, 10));
        page(p, QRectF(6.5, 4.5, 8, 10));
    });
    m_icons[PasteImage] = themed("edit-paste", [](QPainter &p) {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0xC0, 0x90, 0x50));
        p.drawRoundedRect(QRectF(1.5, 2.5, 11, 13), 1, 1);
        p.setBrush(QColor(0xA0, 0xA0, 0xA0));
        p.drawRect(QRectF(4.5, 0.5, 5, 3));
        page(p, QRectF(6.5, 6.5, 8, 9));
    });
    m_icons[FindTextImage] = themed("edit-find", [](QPainter &p) {
        page(p, QRectF(0.5, 0.5, 10, 13));
        magnifier(p, false);
    });
    m_icons[ColorImage] = themed("applications-graphics", [](QPainter &p) {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0xE8, 0xD0, 0xA0));
        p.drawEllipse(QRectF(0.5, 1.5, 15, 13));
        const QColor dots[] = {Qt::red, QColor(0x10, 0xA0, 0x10), Qt::blue, Qt::yellow};
        const QPointF at[] = {{4, 5}, {8, 4}, {12, 6}, {11, 10.5}};
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 4; ++i) {
            p.setBrush(dots[i]);
            p.drawEllipse(at[i], 1.8, 1.8);
        }
    });
    m_icons[InsertDateImage] = themed("x-office-calendar", [](QPainter &p) {
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 12));
        p.setBrush(QColor(0xC8, 0x20, 0x20));
        p.drawRect(QRectF(1.5, 2.5, 13, 3.5));
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        for (int x = 4; x <= 12; x += 3)
            for (int y = 8; y <= 12; y += 3)
                p.drawPoint(QPointF(x, y));
    });
    m_icons[SearchImage] = themed("system-search", [](QPainter &p) {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0x30, 0x30, 0x40));
        p.drawRoundedRect(QRectF(0.5, 5.5, 6.5, 9.5), 2, 2);
        p.drawRoundedRect(QRectF(9, 5.5, 6.5, 9.5), 2, 2);
        p.drawRect(QRectF(6, 7, 4, 3));
        p.setBrush(QColor(0x90, 0xC8, 0xFF));
        p.drawEllipse(QRectF(1.5, 10, 4.5, 4.5));
        p.drawEllipse(QRectF(10, 10, 4.5, 4.5));
    });
    m_icons[ZoomInImage] = themed("zoom-in", [](QPainter &p) { magnifier(p, true); });
    m_icons[ZoomOutImage] = themed("zoom-out", [](QPainter &p) { magnifier(p, false); });

    // An open door with a blue arrow leaving through it.
    m_exit = themed("application-exit", [](QPainter &p) {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0x80, 0x50, 0x28));
        p.drawRect(QRectF(1.5, 0.5, 8, 15));
        p.setBrush(QColor(0xC0, 0x88, 0x48));
        p.drawPolygon(QPolygonF(
            {QPointF(1.5, 0.5), QPointF(5.5, 2.5), QPointF(5.5, 15.5), QPointF(1.5, 15.5)}));
        p.setPen(QPen(blue, 2));
        p.drawLine(QPointF(8, 8), QPointF(14, 8));
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawPolygon(QPolygonF({QPointF(15.5, 8), QPointF(11.5, 4.5), QPointF(11.5, 11.5)}));
    });
}

} // namespace app

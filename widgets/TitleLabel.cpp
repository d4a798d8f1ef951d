#include "widgets/TitleLabel.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace widgets {

namespace {

// The outline of the text drawn from x = 0 on the baseline y = 0.
QRect inkOf(const QFont &font, const QString &text) {
    const QFontMetrics metrics(font);
    QRect ink = metrics.tightBoundingRect(text);
    ink.setRight(qMax(ink.right(), metrics.horizontalAdvance(text) - 1));
    return ink;
}

// How far right the text starts so that nothing of it stands left of x = 1.
int leftOffset(const QRect &ink) {
    return qMax(0, 1 - ink.left());
}

bool fits(const QRect &ink, QSize size) {
    return leftOffset(ink) + ink.right() <= size.width() - 2 && ink.height() <= size.height() - 2;
}

} // namespace

TitleLabel::TitleLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

void TitleLabel::setFixedTitleSize(QSize size) {
    setFixedSize(size);
    QFont font = this->font();
    int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    const int smallest = pixels / 2;
    while (pixels > smallest && !fits(inkOf(font, text()), size))
        font.setPixelSize(--pixels);
    setFont(font);
}

void TitleLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect ink = inkOf(font(), text());
    const int baseline = (height() - ink.height()) / 2 - ink.top();
    const QRect line(leftOffset(ink), baseline - metrics.ascent(), width(), metrics.height());
    style()->drawItemText(&painter, line, Qt::AlignLeft | Qt::AlignTop, palette(), isEnabled(),
                          text(), foregroundRole());
}

} // namespace widgets

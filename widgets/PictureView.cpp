#include "widgets/PictureView.h"

#include "widgets/Messages.h"

#include <QMouseEvent>
#include <QPainter>

#include <exception>

namespace widgets {

PictureView::PictureView(QWidget *parent)
    : QWidget(parent) {}

void PictureView::setPicture(const platform::JpegPicture &picture) {
    m_picture = picture;
    m_failed = false;
    update();
}

QPoint PictureView::pictureOrigin(QSize control, QSize picture) {
    // C++ integer division truncates toward zero, as wanted.
    return {(control.width() - picture.width()) / 2, (control.height() - picture.height()) / 2};
}

QSize PictureView::sizeHint() const {
    return m_picture.isNull() ? QSize(169, 193) : m_picture.size();
}

void PictureView::paintEvent(QPaintEvent *) {
    if (m_picture.isNull() || m_failed)
        return;
    const QPoint origin = pictureOrigin(size(), m_picture.size());
    const QRect shown = QRect(-origin, size()) & QRect(QPoint(), m_picture.size());
    if (shown.isEmpty())
        return;
    try {
        const platform::JpegPicture::Pixels pixels = m_picture.pixels(shown);
        QPainter painter(this);
        painter.drawImage(origin + pixels.origin, pixels.image);
    } catch (...) {
        // Never report from inside a paint: the report is modal and repaints.
        m_failed = true;
        QMetaObject::invokeMethod(
            this,
            [failure = std::current_exception()] {
                try {
                    std::rethrow_exception(failure);
                } catch (...) {
                    reportCurrentException();
                }
            },
            Qt::QueuedConnection);
    }
}

void PictureView::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QWidget::mousePressEvent(event);
}

void PictureView::mouseReleaseEvent(QMouseEvent *event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

} // namespace widgets

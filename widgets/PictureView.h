#pragma once

#include "platform/imaging/JpegPicture.h"

#include <QPoint>
#include <QSize>
#include <QWidget>

namespace widgets {

// An image control: shows its picture centred at natural size, never scaled, cropped
// equally on both sides when larger than the control. It keeps the last picture put
// into it until another replaces it. Pixels are decoded when first painted, and only
// those the control shows; damaged pixel data is reported after the paint, once per
// picture put in.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent = nullptr);

    void setPicture(const platform::JpegPicture &picture);
    const platform::JpegPicture &picture() const { return m_picture; }

    // Where a picture's top-left corner lies in a control: ((control - picture) div 2)
    // in each direction, the division truncating toward zero.
    static QPoint pictureOrigin(QSize control, QSize picture);

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    platform::JpegPicture m_picture;
    bool m_failed = false;
    bool m_pressed = false;
};

} // namespace widgets

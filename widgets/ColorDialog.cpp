#include "widgets/ColorDialog.h"

namespace widgets {

ColorDialog::ColorDialog(QWidget *parent)
    : QColorDialog(Qt::black, parent) {}

void ColorDialog::showEvent(QShowEvent *event) {
    m_shown = currentColor();
    QColorDialog::showEvent(event);
}

void ColorDialog::done(int result) {
    if (result != Accepted)
        setCurrentColor(m_shown);
    QColorDialog::done(result);
}

} // namespace widgets

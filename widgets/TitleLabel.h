#pragma once

#include <QLabel>

namespace widgets {

// A one-line title in a display face, in a label of fixed size. Such faces
// reserve more room above and below their letters than the label has, so the
// font is made smaller until the letters' own outline fits inside with a pixel
// to spare, and the text is drawn with that outline centred in the height:
// descenders and capitals show whole.
class TitleLabel : public QLabel {
    Q_OBJECT
public:
    TitleLabel(const QString &text, QWidget *parent = nullptr);

    // Sets the label's size and fits its current font to it.
    void setFixedTitleSize(QSize size);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace widgets

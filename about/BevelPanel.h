#pragma once

#include <QWidget>

namespace about {

// A flat panel with a single-line border and two lowered bevels separated by
// a gap, drawn in the panel's colour.
class BevelPanel : public QWidget {
    Q_OBJECT
public:
    explicit BevelPanel(const QColor &colour, QWidget *parent = nullptr);

    static constexpr int kBevelWidth = 5;
    static constexpr int kBorderWidth = 2;
    // Width of the whole frame, from the outer edge to the free area.
    static constexpr int kFrameWidth = 1 + kBevelWidth + kBorderWidth + kBevelWidth;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace about

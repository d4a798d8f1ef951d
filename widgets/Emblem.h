#pragma once

#include <QPixmap>
#include <QString>

class QPainter;
class QWidget;

namespace widgets {

// The program's emblem: 100 by 100 pixels, 24 bits per pixel. The window icon,
// the splash screen and the About box all show it.
QPixmap emblem();
// Paints the emblem into the painter's square from (0, 0) to (100, 100); the
// installed icons scale it to their sizes.
void paintEmblem(QPainter &painter);

// The face used wherever a window or dialog names the classic 8-point sans serif;
// it falls back to what the desktop has, as stored pages that name it do.
QFont windowFont(int pixelSize = 11);

// Shrinks the label's font, a pixel at a time and at most to two thirds of its
// size, until its text fits the width: the faces that stand in for the classic
// ones here are wider.
void fitToWidth(QWidget *label, const QString &text, int width);

// The pixel size fitToWidth would give font for text in width.
int fittingPixelSize(const QFont &font, const QString &text, int width);

} // namespace widgets

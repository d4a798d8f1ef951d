#pragma once

#include <QImage>
#include <QObject>
#include <QPageLayout>

class QPainter;
class QPrinter;

namespace reportengine {

// Pages of a report ready to be drawn: laid out by the engine, or replayed from
// a prepared report. Pages are drawn on demand; none is kept as a picture.
class ReportPages : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Paper size and orientation.
    virtual QPageLayout pageLayout() const = 0;
    // Pages ready to draw so far.
    virtual int pageCount() const = 0;
    virtual bool isComplete() const = 0;
    // Lays out further pages for about msecs; true when the layout is complete.
    virtual bool layoutFor(int msecs);
    // How far the layout has come, in per cent.
    virtual int layoutProgress() const { return isComplete() ? 100 : 0; }
    void completeLayout();

    // Draws a page with the painter in layout units, origin at the paper's corner.
    virtual void drawPage(QPainter &painter, int index) const = 0;

    // Draws a page on the painter's device, scaled from layout units to its pixels.
    void renderPage(QPainter &painter, int index) const;
    // The page as an image with the given resolution, white paper.
    QImage pageImage(int index, qreal dotsPerInch) const;
    // Paper size in millimetres, turned for the orientation.
    QSizeF paperSize() const;

signals:
    void pagesAdded(int pageCount);
    void layoutFinished();
};

} // namespace reportengine

#pragma once

#include "platform/reportengine/ReportDefinition.h"

#include <QFontMetricsF>
#include <vector>

class QPainter;

namespace reportengine {

class ReportSource;

// What the items of one printed band show.
struct ItemContext {
    const ReportSource *source = nullptr;
    int row = -1;
    int page = 0;
    QString printTime;
};

// One band of a definition with its items resolved to layout units and fonts.
// Draws the band's single-line items; rich-text items are drawn by RecordBand.
class BandPainter {
public:
    BandPainter(const ReportBand &band, const ReportFont &baseFont, qreal widthMm);

    qreal height() const { return m_height; }
    qreal width() const { return m_width; }
    bool hasRichText() const { return m_hasRichText; }

    struct Item {
        ReportItem item;
        QRectF rect; // layout units
        QFont font;
        QFontMetricsF metrics;
        QColor color;
        qreal boldPen = 0; // a bold face's strokes drawn over a regular one
    };
    const std::vector<Item> &items() const { return m_items; }

    // Draws the single-line items with the painter's origin at the band's top-left.
    void drawLineItems(QPainter &painter, const ItemContext &context) const;

    // The longest start of text that fits into width (whole characters only).
    static QString fittingText(const QString &text, const QFontMetricsF &metrics, qreal width);

private:
    QString itemText(const ReportItem &item, const ItemContext &context) const;
    void drawLine(QPainter &painter, const Item &item, const QString &text) const;

    qreal m_height = 0;
    qreal m_width = 0;
    bool m_hasRichText = false;
    std::vector<Item> m_items;
};

} // namespace reportengine

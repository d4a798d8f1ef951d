#include "platform/reportengine/BandPainter.h"

#include "platform/reportengine/ReportFonts.h"
#include "platform/reportengine/ReportSource.h"
#include "platform/reportengine/ReportUnits.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextBoundaryFinder>

namespace reportengine {

BandPainter::BandPainter(const ReportBand &band, const ReportFont &baseFont, qreal widthMm)
    : m_height(mmToUnits(band.height))
    , m_width(mmToUnits(widthMm)) {
    m_items.reserve(band.items.size());
    for (const ReportItem &item : band.items) {
        const ReportFont &font = item.font ? *item.font : baseFont;
        QFont layoutFont = font.layoutFont();
        const qreal boldPen = syntheticBoldWidth(layoutFont);
        if (boldPen > 0)
            layoutFont.setBold(false);
        const QRectF rect(mmToUnits(item.rect.left()), mmToUnits(item.rect.top()),
                          mmToUnits(item.rect.width()), mmToUnits(item.rect.height()));
        m_items.push_back({item, rect, layoutFont, QFontMetricsF(layoutFont), font.color, boldPen});
        if (item.kind == ItemKind::RichText)
            m_hasRichText = true;
    }
}

void BandPainter::drawLineItems(QPainter &painter, const ItemContext &context) const {
    for (const Item &item : m_items) {
        if (item.item.kind == ItemKind::RichText)
            continue;
        const QString text = itemText(item.item, context);
        if (!text.isEmpty())
            drawLine(painter, item, text);
    }
}

QString BandPainter::itemText(const ReportItem &item, const ItemContext &context) const {
    switch (item.kind) {
    case ItemKind::Text:
        return item.text;
    case ItemKind::PrintTime:
        return context.printTime;
    case ItemKind::PageNumber:
        return item.text + QString::number(context.page + 1);
    case ItemKind::Column:
        if (!context.source || context.row < 0)
            return {};
        try {
            QString text = context.source->displayText(context.row, item.column);
            // One line: breaks and tabs become blanks.
            for (QChar &c : text) {
                if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t') ||
                    c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
                    c = QLatin1Char(' ');
            }
            return text;
        } catch (...) {
            // A value that cannot be shown prints as nothing.
            return {};
        }
    case ItemKind::RichText:
        break;
    }
    return {};
}

void BandPainter::drawLine(QPainter &painter, const Item &item, const QString &text) const {
    const QRectF &rect = item.rect;
    const Qt::Alignment horizontal = item.item.alignment & Qt::AlignHorizontal_Mask;
    qreal room = rect.width();
    if (item.item.autoWidth) {
        if (horizontal & Qt::AlignRight)
            room = qMax(room, rect.right());
        else if (horizontal & Qt::AlignHCenter)
            room = qMax(room, 2 * qMin(rect.center().x(), m_width - rect.center().x()));
        else
            room = qMax(room, m_width - rect.left());
    }
    QString shown = text;
    qreal textWidth = item.metrics.horizontalAdvance(shown);
    if (textWidth > room) {
        shown = fittingText(text, item.metrics, room);
        textWidth = item.metrics.horizontalAdvance(shown);
    }
    qreal x = rect.left();
    if (horizontal & Qt::AlignRight)
        x = rect.right() - textWidth;
    else if (horizontal & Qt::AlignHCenter)
        x = rect.center().x() - textWidth / 2;
    const QPointF baseline(x, rect.top() + item.metrics.ascent());
    painter.setFont(item.font);
    painter.setPen(item.color);
    painter.drawText(baseline, shown);
    if (item.boldPen > 0) {
        // The text stays text (it can be searched and copied); its outline
        // drawn over it makes the strokes bold.
        QPainterPath outline;
        outline.addText(baseline, item.font, shown);
        painter.strokePath(
            outline, QPen(item.color, item.boldPen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
}

QString BandPainter::fittingText(const QString &text, const QFontMetricsF &metrics, qreal width) {
    // Grapheme boundaries, then a binary search for the longest start that fits.
    QList<int> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (int pos = finder.toNextBoundary(); pos > 0; pos = finder.toNextBoundary())
        ends.append(pos);
    int low = 0;
    int high = int(ends.size());
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(ends[mid - 1])) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    return low == 0 ? QString() : text.left(ends[low - 1]);
}

} // namespace reportengine

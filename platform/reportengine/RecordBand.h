#pragma once

#include "platform/reportengine/BandPainter.h"

#include <QTextDocument>
#include <memory>
#include <vector>

namespace reportengine {

// One printed instance of a band for one record: its rich-text items laid out,
// the height it stretches to, and where it may be cut at a page end.
class RecordBand {
public:
    RecordBand(const BandPainter &band, const ReportSource *source, int row);

    int row() const { return m_row; }

    qreal height() const { return m_height; }
    bool canSplit() const { return !m_texts.empty(); }

    // The lowest place at or above limit where no line of text is cut; may be
    // at or above from when no line fits between them.
    qreal breakBefore(qreal from, qreal limit) const;

    // Draws the part [from, to) of the band with its top at the painter's origin.
    void draw(QPainter &painter, const ItemContext &context, qreal from, qreal to) const;

    // Prepares a document for layout in layout units at the given width.
    static void prepareDocument(QTextDocument &document, const QFont &defaultFont, qreal width);
    // Turns point sizes into layout units, so the text draws alike on every device.
    static void fixFontSizes(QTextDocument &document);

private:
    struct Text {
        const BandPainter::Item *item;
        std::unique_ptr<QTextDocument> document;
    };

    const BandPainter &m_band;
    int m_row;
    std::vector<Text> m_texts;
    qreal m_height = 0;
};

} // namespace reportengine

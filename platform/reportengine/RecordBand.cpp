#include "platform/reportengine/RecordBand.h"

#include "platform/reportengine/ReportSource.h"
#include "platform/reportengine/ReportUnits.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <algorithm>

namespace reportengine {

namespace {
constexpr qreal kEpsilon = 0.01;
} // namespace

RecordBand::RecordBand(const BandPainter &band, const ReportSource *source, int row)
    : m_band(band)
    , m_row(row)
    , m_height(band.height()) {
    if (!band.hasRichText())
        return;
    for (const BandPainter::Item &item : band.items()) {
        if (item.item.kind != ItemKind::RichText)
            continue;
        auto document = std::make_unique<QTextDocument>();
        prepareDocument(*document, item.font, item.rect.width());
        if (source && row >= 0) {
            try {
                source->fillRichText(row, item.item.column, *document);
            } catch (...) {
                document->clear();
            }
        }
        fixFontSizes(*document);
        document->setTextWidth(item.rect.width());
        const qreal grown = document->size().height() - item.rect.height();
        m_height = qMax(m_height, band.height() + grown);
        m_texts.push_back({&item, std::move(document)});
    }
}

void RecordBand::prepareDocument(QTextDocument &document, const QFont &defaultFont, qreal width) {
    document.setUndoRedoEnabled(false);
    document.documentLayout()->setPaintDevice(layoutDevice());
    document.setDocumentMargin(0);
    document.setDefaultFont(defaultFont);
    document.setTextWidth(width);
}

void RecordBand::fixFontSizes(QTextDocument &document) {
    struct Change {
        int position;
        int length;
        QTextCharFormat format;
    };
    auto fixed = [](QTextCharFormat format, bool *changed) {
        if (format.hasProperty(QTextFormat::FontPointSize)) {
            const qreal points = format.doubleProperty(QTextFormat::FontPointSize);
            format.clearProperty(QTextFormat::FontPointSize);
            format.setProperty(QTextFormat::FontPixelSize, pointsToUnits(points));
            *changed = true;
        }
        return format;
    };
    std::vector<Change> changes;
    std::vector<std::pair<int, QTextCharFormat>> blockChanges;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        bool changed = false;
        QTextCharFormat blockFormat = fixed(block.charFormat(), &changed);
        if (changed)
            blockChanges.emplace_back(block.position(), blockFormat);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            changed = false;
            QTextCharFormat format = fixed(fragment.charFormat(), &changed);
            if (changed)
                changes.push_back({fragment.position(), fragment.length(), format});
        }
    }
    QTextCursor cursor(&document);
    for (const auto &[position, format] : blockChanges) {
        cursor.setPosition(position);
        cursor.setBlockCharFormat(format);
    }
    for (const Change &change : changes) {
        cursor.setPosition(change.position);
        cursor.setPosition(change.position + change.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(change.format);
    }
}

qreal RecordBand::breakBefore(qreal from, qreal limit) const {
    std::vector<std::pair<qreal, qreal>> lines; // top, bottom in band units
    for (const Text &text : m_texts) {
        const qreal top = text.item->rect.top();
        QAbstractTextDocumentLayout *layout = text.document->documentLayout();
        for (QTextBlock block = text.document->begin(); block.isValid(); block = block.next()) {
            const QRectF blockRect = layout->blockBoundingRect(block);
            if (top + blockRect.bottom() <= from || top + blockRect.top() >= limit)
                continue;
            const QTextLayout *lineLayout = block.layout();
            const qreal origin = top + blockRect.top();
            for (int i = 0; i < lineLayout->lineCount(); ++i) {
                const QRectF line = lineLayout->lineAt(i).rect();
                lines.emplace_back(origin + line.top(), origin + line.bottom());
            }
        }
    }
    std::sort(lines.begin(), lines.end(),
              [](const auto &a, const auto &b) { return a.second > b.second; });
    qreal cut = limit;
    bool moved = true;
    while (moved) {
        moved = false;
        for (const auto &[top, bottom] : lines) {
            if (top < cut - kEpsilon && cut < bottom - kEpsilon) {
                cut = top;
                moved = true;
            }
        }
    }
    return cut;
}

void RecordBand::draw(QPainter &painter, const ItemContext &context, qreal from, qreal to) const {
    const bool partial = from > kEpsilon || to < m_height - kEpsilon;
    painter.save();
    painter.translate(0, -from);
    if (partial) {
        const qreal wide = mmToUnits(2000);
        painter.setClipRect(QRectF(-wide, from, 2 * wide, to - from), Qt::IntersectClip);
    }
    m_band.drawLineItems(painter, context);
    for (const Text &text : m_texts) {
        const QRectF &rect = text.item->rect;
        painter.save();
        painter.translate(rect.topLeft());
        QAbstractTextDocumentLayout::PaintContext paint;
        paint.palette.setColor(QPalette::Text, text.item->color);
        if (partial) {
            // Only the lines inside the part, not those that touch its edges.
            paint.clip = QRectF(0, from - rect.top() + 0.5, rect.width(), to - from - 1);
        }
        text.document->documentLayout()->draw(&painter, paint);
        painter.restore();
    }
    painter.restore();
}

} // namespace reportengine

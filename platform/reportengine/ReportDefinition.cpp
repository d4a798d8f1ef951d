#include "platform/reportengine/ReportDefinition.h"

#include "platform/reportengine/ReportUnits.h"

namespace reportengine {

QFont ReportFont::layoutFont() const {
    QFont font(family);
    font.setPixelSize(pointsToUnits(pointSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

namespace {
ReportItem makeItem(ItemKind kind, const QString &text, const QString &column, const QRectF &rect,
                    std::optional<ReportFont> font) {
    ReportItem item;
    item.kind = kind;
    item.text = text;
    item.column = column;
    item.rect = rect;
    item.font = std::move(font);
    return item;
}
} // namespace

ReportItem ReportItem::fixedText(const QString &text, const QRectF &rect,
                                 std::optional<ReportFont> font) {
    return makeItem(ItemKind::Text, text, {}, rect, std::move(font));
}

ReportItem ReportItem::columnText(const QString &column, const QRectF &rect,
                                  std::optional<ReportFont> font) {
    return makeItem(ItemKind::Column, {}, column, rect, std::move(font));
}

ReportItem ReportItem::richText(const QString &column, const QRectF &rect,
                                std::optional<ReportFont> font) {
    return makeItem(ItemKind::RichText, {}, column, rect, std::move(font));
}

ReportItem ReportItem::printTime(const QRectF &rect, std::optional<ReportFont> font) {
    return makeItem(ItemKind::PrintTime, {}, {}, rect, std::move(font));
}

ReportItem ReportItem::pageNumber(const QString &prefix, const QRectF &rect,
                                  std::optional<ReportFont> font) {
    return makeItem(ItemKind::PageNumber, prefix, {}, rect, std::move(font));
}

QSizeF ReportDefinition::paperSize() const {
    const QSizeF size = QPageSize(paper).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? size.transposed() : size;
}

qreal ReportDefinition::printableWidth() const {
    return paperSize().width() - margins.left() - margins.right();
}

qreal ReportDefinition::printableHeight() const {
    return paperSize().height() - margins.top() - margins.bottom();
}

QPageLayout ReportDefinition::pageLayout() const {
    return QPageLayout(QPageSize(paper), orientation, margins, QPageLayout::Millimeter);
}

} // namespace reportengine

#pragma once

#include "platform/reportengine/ReportDefinition.h"

#include <QTemporaryDir>

// Report definitions of the shape the list reports use, for the tests.
namespace fixtures {

inline constexpr qreal kTitleHeight = 15.1;
inline constexpr qreal kHeaderHeight = 6.1;
inline constexpr qreal kDetailHeight = 6.35;
inline constexpr qreal kFooterHeight = 6.35;
inline constexpr qreal kLongLeft = 40.0;
inline constexpr qreal kLongWidth = 20.0;
inline constexpr qreal kAutoLeft = 100.0;

inline reportengine::ReportFont font(qreal points, bool bold = false, QColor color = Qt::black) {
    return {QStringLiteral("Arial"), points, bold, color};
}

// Title "Inventory" with the print time; headings; ID, Name, a fixed-width and
// an automatic-width column; "Page N" in the footer.
inline reportengine::ReportDefinition
listDefinition(QPageLayout::Orientation orientation = QPageLayout::Landscape) {
    using reportengine::ReportItem;
    reportengine::ReportDefinition definition;
    definition.orientation = orientation;
    const qreal width = definition.printableWidth();
    ReportItem time = ReportItem::printTime({0, 1.1, width, 4.5}, font(8, true));
    time.alignment = Qt::AlignRight;
    definition.title = reportengine::ReportBand{
        kTitleHeight,
        {ReportItem::fixedText(QStringLiteral("Inventory"), {59.5, 2.1, 60, 6.9},
                               font(14, true, Qt::blue)),
         time}};
    definition.columnHeader = reportengine::ReportBand{
        kHeaderHeight,
        {ReportItem::fixedText(QStringLiteral("No."), {2.1, 0, 10, 4.5}, font(10, true)),
         ReportItem::fixedText(QStringLiteral("Name"), {20, 0, 20, 4.5}, font(10, true)),
         ReportItem::fixedText(QStringLiteral("Long"), {kLongLeft, 0, 20, 4.5}, font(10, true)),
         ReportItem::fixedText(QStringLiteral("Auto"), {kAutoLeft, 0, 20, 4.5}, font(8, true))}};
    ReportItem autoItem = ReportItem::columnText(QStringLiteral("Auto"), {kAutoLeft, 0, 10, 4.5});
    autoItem.autoWidth = true;
    definition.detail = reportengine::ReportBand{
        kDetailHeight,
        {ReportItem::columnText(QStringLiteral("ID"), {0, 0, 15, 4.5}),
         ReportItem::columnText(QStringLiteral("Name"), {20, 0, 18, 4.5}),
         ReportItem::columnText(QStringLiteral("Long"), {kLongLeft, 0, kLongWidth, 4.5}),
         autoItem}};
    definition.pageFooter = reportengine::ReportBand{
        kFooterHeight, {ReportItem::pageNumber(QStringLiteral("Page "), {2.1, 1.1, 30, 4.5})}};
    return definition;
}

// Portrait, a title band with only the print time, one rich-text item per record.
inline reportengine::ReportDefinition notesDefinition() {
    using reportengine::ReportItem;
    reportengine::ReportDefinition definition;
    const qreal width = definition.printableWidth();
    ReportItem time = ReportItem::printTime({0, 1.1, width, 4.5}, font(8, true));
    time.alignment = Qt::AlignRight;
    definition.title = reportengine::ReportBand{19.3, {time}};
    definition.detail = reportengine::ReportBand{
        14.8, {ReportItem::richText(QStringLiteral("Notes"), {0, 2, 184.4, 10})}};
    definition.pageFooter = reportengine::ReportBand{
        kFooterHeight, {ReportItem::pageNumber(QStringLiteral("Page "), {2.1, 1.1, 30, 4.5})}};
    return definition;
}

} // namespace fixtures

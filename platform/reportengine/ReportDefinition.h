#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <optional>

namespace reportengine {

struct ReportFont {
    QString family = QStringLiteral("Arial");
    qreal pointSize = 10;
    bool bold = false;
    QColor color = Qt::black;

    // The font sized in layout units, for a painter that draws in them.
    QFont layoutFont() const;
};

enum class ItemKind {
    Text,       // fixed text
    Column,     // a column's value as text, on one line
    RichText,   // a column's rich text; stretches its band and may run over page ends
    PrintTime,  // the date and time the report was prepared
    PageNumber, // the page number behind the item's text
};

// One item of a band. Geometry is in millimetres relative to the band.
struct ReportItem {
    ItemKind kind = ItemKind::Text;
    QString text;
    QString column;
    QRectF rect;
    std::optional<ReportFont> font; // the report's base font when unset
    Qt::Alignment alignment = Qt::AlignLeft;
    bool autoWidth = false; // grows to fit its text

    static ReportItem fixedText(const QString &text, const QRectF &rect,
                                std::optional<ReportFont> font = {});
    static ReportItem columnText(const QString &column, const QRectF &rect,
                                 std::optional<ReportFont> font = {});
    static ReportItem richText(const QString &column, const QRectF &rect,
                               std::optional<ReportFont> font = {});
    static ReportItem printTime(const QRectF &rect, std::optional<ReportFont> font = {});
    static ReportItem pageNumber(const QString &prefix, const QRectF &rect,
                                 std::optional<ReportFont> font = {});
};

struct ReportBand {
    qreal height = 0; // millimetres
    QList<ReportItem> items;
};

struct ReportDefinition {
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{12.7, 12.7, 12.7, 12.7}; // millimetres: left, top, right, bottom
    ReportFont baseFont;

    std::optional<ReportBand> title;        // first page only
    std::optional<ReportBand> columnHeader; // every page, below the title on the first
    std::optional<ReportBand> detail;       // once per record
    std::optional<ReportBand> pageFooter;   // bottom of every page

    // Paper size in millimetres, turned for the orientation.
    QSizeF paperSize() const;
    qreal printableWidth() const;
    qreal printableHeight() const;
    QPageLayout pageLayout() const;
};

} // namespace reportengine

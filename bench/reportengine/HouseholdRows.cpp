#include "HouseholdRows.h"

#include "platform/reportengine/ReportFonts.h"

#include <QDate>
#include <QTextStream>

using reportengine::ReportFont;
using reportengine::ReportItem;

namespace {
const char *const kRooms[] = {"Kitchen", "Living Room", "Bedroom", "Garage",
                              "Attic",   "Study",       "Bathroom"};
const char *const kTypes[] = {"Furniture", "Appliance", "Electronics", "Tool",
                              "Jewellery", "Clothing",  "Book"};
const char *const kItems[] = {"Lamp", "Armchair", "Television", "Drill",   "Ring",
                              "Coat", "Atlas",    "Kettle",     "Bicycle", "Clock"};

ReportFont arial(qreal points, bool bold = false) {
    return {QStringLiteral("Arial"), points, bold, Qt::black};
}
} // namespace

QStringList HouseholdRows::columns() {
    return {QStringLiteral("Household ID"),   QStringLiteral("Room ID"),
            QStringLiteral("Item Name"),      QStringLiteral("Item Type"),
            QStringLiteral("Date Purchased"), QStringLiteral("Purchase Price"),
            QStringLiteral("Serial Number"),  QStringLiteral("Mode lNumber"),
            QStringLiteral("Insured"),        QStringLiteral("Description")};
}

QStringList HouseholdRows::headings() {
    return {QStringLiteral("No."),
            QStringLiteral("Room"),
            QStringLiteral("Item"),
            QStringLiteral("Type"),
            QStringLiteral("Date Purchased"),
            QStringLiteral("Purchase Price"),
            QStringLiteral("Serial No."),
            QStringLiteral("Model No."),
            QStringLiteral("Insured"),
            QStringLiteral("Description")};
}

QString HouseholdRows::displayText(int row, const QString &column) const {
    const int index = int(columns().indexOf(column));
    switch (index) {
    case 0:
        return QString::number(row + 1);
    case 1:
        return QString::fromLatin1(kRooms[row % 7]);
    case 2:
        return QStringLiteral("%1 %2").arg(QLatin1String(kItems[row % 10])).arg(row % 97);
    case 3:
        return QString::fromLatin1(kTypes[(row / 3) % 7]);
    case 4:
        return QDate(1990, 1, 1).addDays(row % 12000).toString(QStringLiteral("M/d/yyyy"));
    case 5:
        return row % 4 == 0 ? QString::number(50 + row % 2000)
                            : QStringLiteral("%1.%2").arg(10 + row % 900).arg(row % 100);
    case 6:
        return QStringLiteral("SN-%1-X").arg(row * 7919 % 1000000, 6, 10, QLatin1Char('0'));
    case 7:
        return QStringLiteral("M-%1").arg(1000 + row % 9000);
    case 8:
        return row % 3 == 0 ? QStringLiteral("False") : QStringLiteral("True");
    case 9:
        return QStringLiteral("Bought new, kept in the %1").arg(QLatin1String(kRooms[row % 7]));
    default:
        return {};
    }
}

reportengine::ReportDefinition HouseholdRows::definition() {
    reportengine::ReportDefinition definition;
    definition.orientation = QPageLayout::Landscape;
    const qreal width = definition.printableWidth();
    ReportItem time = ReportItem::printTime({0, 1.1, width, 4.5}, arial(8, true));
    time.alignment = Qt::AlignRight;
    definition.title = reportengine::ReportBand{
        15.1,
        {ReportItem::fixedText(QStringLiteral("Household  Items"), {59.5, 2.1, 80, 6.9},
                               ReportFont{reportengine::titleFontFamily(), 14, true, Qt::blue}),
         time}};
    const qreal headingLeft[] = {2.1, 10.6, 29.6, 52.9, 69.9, 95.3, 122.8, 146.1, 167.2, 186.3};
    const qreal valueLeft[] = {0.0, 10.6, 29.6, 52.9, 69.9, 95.3, 122.8, 146.1, 167.2, 182.0};
    const qreal valueWidth[] = {8.7, 17.2, 21.4, 15.1, 24.9, 25.7, 22.0, 18.5, 13.0, 17.5};
    reportengine::ReportBand header{6.1, {}};
    reportengine::ReportBand detail{6.35, {}};
    const QStringList names = columns();
    const QStringList titles = headings();
    for (int i = 0; i < names.size(); ++i) {
        header.items.append(ReportItem::fixedText(titles[i], {headingLeft[i], 0, 20, 4.5},
                                                  arial(i == 4 ? 8 : 10, true)));
        ReportItem value = ReportItem::columnText(names[i], {valueLeft[i], 0, valueWidth[i], 4.5});
        value.autoWidth = i == 4 || i == 9;
        detail.items.append(value);
    }
    definition.columnHeader = header;
    definition.detail = detail;
    definition.pageFooter = reportengine::ReportBand{
        6.35, {ReportItem::pageNumber(QStringLiteral("Page "), {2.1, 1.1, 30, 4.5})}};
    return definition;
}

reportengine::ReportDefinition HouseholdRows::notesDefinition() {
    reportengine::ReportDefinition definition;
    definition.title = reportengine::ReportBand{19.3, {}};
    definition.detail = reportengine::ReportBand{
        14.8, {ReportItem::richText(QStringLiteral("Description"), {0, 2, 184.4, 10})}};
    definition.pageFooter = reportengine::ReportBand{
        6.35, {ReportItem::pageNumber(QStringLiteral("Page "), {2.1, 1.1, 30, 4.5})}};
    return definition;
}

void HouseholdRows::writeFlatOdt(QIODevice &device) const {
    QTextStream out(&device);
    out << R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
<office:styles>
 <style:default-style style:family="paragraph"><style:text-properties fo:font-family="Arial" fo:font-size="10pt"/></style:default-style>
</office:styles>
<office:automatic-styles>
 <style:page-layout style:name="Page"><style:page-layout-properties fo:page-width="297mm" fo:page-height="210mm" style:print-orientation="landscape" fo:margin-top="12.7mm" fo:margin-bottom="12.7mm" fo:margin-left="12.7mm" fo:margin-right="12.7mm"/></style:page-layout>
 <style:style style:name="Items" style:family="table"><style:table-properties style:width="271.7mm" table:align="left"/></style:style>
 <style:style style:name="Row" style:family="table-row"><style:table-row-properties style:row-height="6.35mm"/></style:style>
 <style:style style:name="Title" style:family="paragraph"><style:text-properties fo:font-size="14pt" fo:font-weight="bold" fo:color="#0000ff"/></style:style>
 <style:style style:name="Heading" style:family="paragraph"><style:text-properties fo:font-weight="bold"/></style:style>
</office:automatic-styles>
<office:master-styles><style:master-page style:name="Standard" style:page-layout-name="Page"><style:footer><text:p>Page <text:page-number/></text:p></style:footer></style:master-page></office:master-styles>
<office:body><office:text>
<text:p text:style-name="Title">Household  Items</text:p>
<table:table table:name="Items" table:style-name="Items"><table:table-column table:number-columns-repeated="10"/>
<table:table-header-rows><table:table-row table:style-name="Row">)";
    for (const QString &heading : headings())
        out << "<table:table-cell><text:p text:style-name=\"Heading\">" << heading.toHtmlEscaped()
            << "</text:p></table:table-cell>";
    out << "</table:table-row></table:table-header-rows>\n";
    const QStringList names = columns();
    for (int row = 0; row < m_rows; ++row) {
        out << "<table:table-row table:style-name=\"Row\">";
        for (const QString &column : names)
            out << "<table:table-cell office:value-type=\"string\"><text:p>"
                << displayText(row, column).toHtmlEscaped() << "</text:p></table:table-cell>";
        out << "</table:table-row>\n";
    }
    out << "</table:table></office:text></office:body></office:document>\n";
}

#include "HouseholdRows.h"

#include "platform/report/ReportFonts.h"

#include <QDate>
#include <QTextStream>

using report::ReportFont;
using report::ReportItem;

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

report::ReportDefinition HouseholdRows::definition() {
    report::ReportDefinition definition;
    definition.orientation = QPageLayout::Landscape;
    const qreal width = definition.printableWidth();
    ReportItem time = ReportItem::printTime({0, 1.1, width, 4.5}, arial(8, true));
    time.alignment = Qt::AlignRight;
    definition.title = report::ReportBand{
        15.1,
        {ReportItem::fixedText(QStringLiteral("Household  Items"), {59.5, 2.1, 80, 6.9},
                               ReportFont{report::titleFontFamily(), 14, true, Qt::blue}),
         time}};
    const qreal headingLeft[] = {2.1, 10.6, 29.6, 52.9, 69.9, 95.3, 122.8, 146.1, 167.2, 186.3};
    const qreal valueLeft[] = {0.0, 10.6, 29.6, 52.9, 69.9, 95.3, 122.8, 146.1, 167.2, 182.0};
    const qreal valueWidth[] = {8.7, 17.2, 21.4, 15.1, 24.9, 25.7, 22.0, 18.5, 13.0, 17.5};
    report::ReportBand header{6.1, {}};
    report::ReportBand detail{6.35, {}};
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
    definition.pageFooter = report::ReportBand{
        6.35, {ReportItem::pageNumber(QStringLiteral("Page "), {2.1, 1.1, 30, 4.5})}};
    return definition;
}

report::ReportDefinition HouseholdRows::notesDefinition() {
    report::ReportDefinition definition;
    definition.title = report::ReportBand{19.3, {}};
    definition.detail = report::ReportBand{
        14.8, {ReportItem::richText(QStringLiteral("Description"), {0, 2, 184.4, 10})}};
    definition.pageFooter = report::ReportBand{
        6.35, {ReportItem::pageNumber(QStringLiteral("Page "), {2.1, 1.1, 30, 4.5})}};
    return definition;
}

void HouseholdRows::writeHtml(QIODevice &device) const {
    QTextStream out(&device);
    out << "<html><head><meta charset=\"utf-8\"><style>"
           "@page { size: 297mm 210mm; margin: 12.7mm }"
           " body { font-family: Arial; font-size: 10pt }"
           " td, th { padding: 0; height: 6.35mm; font-size: 10pt; text-align: left }"
           "</style></head><body><h1>Household  Items</h1>"
           "<table cellspacing=\"0\" cellpadding=\"0\"><thead><tr>";
    for (const QString &heading : headings())
        out << "<th>" << heading.toHtmlEscaped() << "</th>";
    out << "</tr></thead><tbody>\n";
    const QStringList names = columns();
    for (int row = 0; row < m_rows; ++row) {
        out << "<tr>";
        for (const QString &column : names)
            out << "<td>" << displayText(row, column).toHtmlEscaped() << "</td>";
        out << "</tr>\n";
    }
    out << "</tbody></table></body></html>\n";
}

#include "listreports/ReportLayouts.h"

#include "platform/reportengine/ReportFonts.h"

namespace listreports {

using reportengine::ReportBand;
using reportengine::ReportDefinition;
using reportengine::ReportFont;
using reportengine::ReportItem;

namespace {

constexpr qreal kLineHeight = 4.5;
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kPurple(0x80, 0x00, 0x80);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kRed(0xFF, 0x00, 0x00);

struct Column {
    const char *heading;
    qreal headingLeft;
    const char *column;
    qreal valueLeft;
    qreal valueWidth;
    bool automatic = false;
    QColor headingColour = Qt::black;
    qreal headingPoints = 10;
};

ReportFont headingFont(const Column &c) {
    return ReportFont{QStringLiteral("Arial"), c.headingPoints, true, c.headingColour};
}

ReportDefinition base(QPageLayout::Orientation orientation) {
    ReportDefinition d;
    d.orientation = orientation;
    d.baseFont = ReportFont{QStringLiteral("Arial"), 10, false, Qt::black};
    d.pageFooter = ReportBand{
        6.35, {ReportItem::pageNumber(QStringLiteral("Page "), {2.1, 1.1, 40, kLineHeight})}};
    return d;
}

// The title band: the title text (none for the Diary) and the date and time
// of printing at the band's right edge.
ReportBand titleBand(const ReportDefinition &d, qreal height, const QString &title, qreal left,
                     qreal top, qreal points) {
    ReportBand band{height, {}};
    if (!title.isEmpty()) {
        const ReportFont font{reportengine::titleFontFamily(), points, true, kBlue};
        ReportItem item =
            ReportItem::fixedText(title, {left, top, 120, points >= 14 ? 6.9 : 5.8}, font);
        item.autoWidth = true;
        band.items << item;
    }
    ReportItem time =
        ReportItem::printTime({0, 1.1, d.printableWidth(), kLineHeight},
                              ReportFont{QStringLiteral("Arial"), 8, true, Qt::black});
    time.alignment = Qt::AlignRight;
    band.items << time;
    return band;
}

// Column headings and one line of values per record.
void addColumns(ReportDefinition &d, qreal headerHeight, qreal detailHeight, qreal valueTop,
                const QList<Column> &columns) {
    ReportBand header{headerHeight, {}};
    ReportBand detail{detailHeight, {}};
    for (const Column &c : columns) {
        ReportItem heading =
            ReportItem::fixedText(QString::fromLatin1(c.heading),
                                  {c.headingLeft, 0, c.valueWidth, kLineHeight}, headingFont(c));
        heading.autoWidth = true;
        header.items << heading;
        ReportItem value = ReportItem::columnText(
            QString::fromLatin1(c.column), {c.valueLeft, valueTop, c.valueWidth, kLineHeight});
        value.autoWidth = c.automatic;
        detail.items << value;
    }
    d.columnHeader = header;
    d.detail = detail;
}

// One record's notes in full, stretching the band.
void addNotes(ReportDefinition &d, qreal detailHeight, qreal left, qreal width) {
    d.detail =
        ReportBand{detailHeight,
                   {ReportItem::richText(QStringLiteral("Notes"), {left, 0, width, detailHeight})}};
}

} // namespace

ReportDefinition householdLayout() {
    ReportDefinition d = base(QPageLayout::Landscape);
    d.title = titleBand(d, 15.1, QStringLiteral("Household  Items"), 59.5, 2.1, 14);
    addColumns(d, 6.1, 6.35, 0,
               {{"No.", 2.1, "Household ID", 0.0, 8.7},
                {"Room", 10.6, "Room ID", 10.6, 17.2},
                {"Item", 29.6, "Item Name", 29.6, 21.4},
                {"Type", 52.9, "Item Type", 52.9, 15.1},
                {"Date Purchased", 69.9, "Date Purchased", 69.9, 24.9, true, Qt::black, 8},
                {"Purchase Price", 95.3, "Purchase Price", 95.3, 25.7},
                {"Serial No.", 122.8, "Serial Number", 122.8, 22.0},
                {"Model No.", 146.1, "Mode lNumber", 146.1, 18.5},
                {"Insured", 167.2, "Insured", 167.2, 13.0},
                {"Description", 186.3, "Description", 182.0, 17.5, true}});
    return d;
}

ReportDefinition peopleLayout() {
    ReportDefinition d = base(QPageLayout::Landscape);
    d.title = titleBand(d, 17.2, QStringLiteral("people"), 78.3, 4.2, 14);
    addColumns(d, 6.1, 6.35, 2.1,
               {{"No.", 0.0, "People ID", 0.0, 6.6},
                {"First", 8.5, "First Name", 6.4, 15.1},
                {"Last", 23.3, "Last Name", 21.2, 15.1},
                {"Email", 38.1, "Email Address", 38.1, 38.4},
                {"Home", 78.3, "Home Phone", 78.3, 27.8},
                {"Work", 108.0, "Work Phone", 108.0, 27.8},
                {"Cell", 139.7, "Cell Phone", 139.7, 23.5},
                {"Birthdate", 167.2, "Birthdate", 167.2, 18.5},
                {"Last Talked", 192.6, "Date Last Talked To", 192.6, 18.5},
                {"Hobbies", 218.0, "Hobbies", 218.0, 20.4}});
    return d;
}

ReportDefinition diaryLayout() {
    ReportDefinition d = base(QPageLayout::Portrait);
    d.title = titleBand(d, 19.3, QString(), 0, 0, 14);
    addNotes(d, 14.8, 0, 184.4);
    return d;
}

ReportDefinition privacyLayout() {
    ReportDefinition d = base(QPageLayout::Landscape);
    d.title = titleBand(d, 10.6, QStringLiteral("Privacy"), 114.3, 0, 14);
    addColumns(d, 8.7, 6.35, 0,
               {{"No.", 0.0, "Privacy ID", 0.0, 8.7},
                {"Acct Name", 10.6, "Account Name", 10.6, 23.0, true, kBlue},
                {"Acct No.", 36.0, "Account Number", 36.0, 21.7, false, kBlue},
                {"Security Name", 59.3, "Security Name", 59.3, 23.0, true},
                {"Security Type", 88.9, "Security Type", 88.9, 21.4},
                {"Shares Owned", 114.3, "Shares Owned", 114.3, 22.8},
                {"Policy Type", 143.9, "Policy Type", 143.9, 21.4, false, kPurple},
                {"Policy No.", 167.2, "Policy Number", 167.2, 22.8, false, kPurple},
                {"Cash", 190.5, "Cash", 190.5, 10.8, false, kGreen},
                {"Jewelries", 203.2, "Jewelries", 203.2, 23.5, false, kSilver},
                {"Secret Place", 228.6, "Secret Place", 228.6, 20.1, true, kRed}});
    return d;
}

ReportDefinition helpLayout() {
    ReportDefinition d = base(QPageLayout::Portrait);
    d.title = titleBand(d, 29.9, QStringLiteral("help"), 78.3, 0, 12);
    addNotes(d, 44.45, 2.1, 182.3);
    return d;
}

} // namespace listreports

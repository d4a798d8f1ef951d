#include "private/PrivacyPage.h"

#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBMemo.h"
#include "widgets/DBNavigator.h"
#include "widgets/Emblem.h"
#include "widgets/FormBuilder.h"
#include "widgets/PictureView.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace privatepages {

namespace {

const QColor kWindowText = Qt::black;
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kGray(0x80, 0x80, 0x80);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kPurple(0x80, 0x00, 0x80);

// The small captions: 8 pixels high, bold, in their colour.
void makeSmall(QLabel *label, const QColor &colour) {
    QFont font = widgets::windowFont(8);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->adjustSize();
}

} // namespace

PrivacyPage::PrivacyPage(data::DataSource *source, QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Privacy"));
    widgets::FormBuilder form(this, source);

    struct Entry {
        widgets::DBEdit *&edit;
        const char *name;
        const char *column;
        int left, top, width;
        const char *caption;
        std::optional<QColor> small; // none: the page's own font
    };
    const Entry entries[] = {
        {DBEdit29, "DBEdit29", "Privacy ID", 8, 8, 57, "Privacy ID", std::nullopt},
        {DBEdit30, "DBEdit30", "Security Type", 80, 8, 90, "Security Type", kWindowText},
        {DBEdit31, "DBEdit31", "Security Name", 184, 8, 161, "Security Name", kWindowText},
        {DBEdit32, "DBEdit32", "Security Symbol", 360, 8, 112, "Security Symbol", kWindowText},
        {DBEdit33, "DBEdit33", "Account Name", 8, 64, 158, "Account Name", kBlue},
        {DBEdit34, "DBEdit34", "Account Number", 184, 64, 161, "Account Number", kBlue},
        {DBEdit36, "DBEdit36", "Shares Owned", 376, 64, 94, "Shares Owned", kWindowText},
        {DBEdit35, "DBEdit35", "Cash", 8, 120, 96, "Cash", kGreen},
        {DBEdit37, "DBEdit37", "Jewelries", 120, 120, 208, "Jewelries", kGray},
        {DBEdit38, "DBEdit38", "Secret Place", 344, 120, 126, "Secret Place", kRed},
        {DBEdit39, "DBEdit39", "Policy Type", 8, 168, 113, "Policy Type", kPurple},
        {DBEdit40, "DBEdit40", "Policy Number", 8, 208, 113, "Policy Number", kPurple},
    };
    for (const Entry &e : entries) {
        e.edit = form.edit(e.name, QString::fromLatin1(e.column), {e.left, e.top, e.width, 21});
        QLabel *caption = form.label(nullptr, QString::fromLatin1(e.caption), e.left, e.top + 24);
        if (e.small)
            makeSmall(caption, *e.small);
    }
    DBMemo3 = form.memo("DBMemo3", QStringLiteral("Notes"), {160, 168, 313, 73});
    makeSmall(form.label(nullptr, QStringLiteral("Notes"), 128, 232),
              palette().color(QPalette::WindowText));

    DBGrid3 = form.grid("DBGrid3", {0, 248, 665, 89},
                        {{QStringLiteral("Privacy ID"), 52},
                         {QStringLiteral("Cash"), 50},
                         {QStringLiteral("Account Name"), 100},
                         {QStringLiteral("Account Number"), 100},
                         {QStringLiteral("Security Name"), 100},
                         {QStringLiteral("Security Symbol"), 80},
                         {QStringLiteral("Security Type"), 75},
                         {QStringLiteral("Shares Owned")},
                         {QStringLiteral("Jewelries"), 80},
                         {QStringLiteral("Secret Place"), 80},
                         {QStringLiteral("Policy Type"), 70},
                         {QStringLiteral("Policy Number"), 90},
                         {QStringLiteral("Notes")}});
    DBGrid3->horizontalHeader()->setFont(widgets::windowFont(11));
    DBNavigator6 = form.navigator("DBNavigator6", {0, 345, 240, 25});

    Panel2 = form.pictureFrame("Panel2", {480, 0, 185, 241});
    PrivacyImage1 = new widgets::PictureView(Panel2);
    PrivacyImage1->setObjectName(QStringLiteral("PrivacyImage1"));
    PrivacyImage1->setGeometry(8, 8, 169, 225);
    NoPicture3 = widgets::FormBuilder::noPicturePanel("NoPicture3", Panel2, {8, 8, 169, 225});

    txtRecords = new QLineEdit(this);
    txtRecords->setObjectName(QStringLiteral("txtRecords"));
    txtRecords->setGeometry(248, 340, 57, 21);
    Label49 = form.label("Label49", QStringLiteral("Number of Records"), 248, 360);
    btnPasswordChange =
        form.button("btnPasswordChange", QStringLiteral("Change Password"), {384, 345, 115, 25});
    AddImages = form.button("AddImages", QStringLiteral("Add Picture"), {504, 345, 75, 25});
    BitBtn4 = form.closeButton("BitBtn4", {584, 345, 75, 25});

    widgets::FormBuilder::chainTabOrder({DBGrid3, DBEdit29, DBEdit30, DBEdit31, DBEdit32, DBEdit33,
                                         DBEdit34, DBEdit36, DBEdit35, DBEdit37, DBEdit38, DBEdit39,
                                         DBEdit40, DBMemo3, BitBtn4, AddImages, btnPasswordChange,
                                         txtRecords});
}

} // namespace privatepages

#include "records/HouseholdPage.h"

#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBNavigator.h"
#include "widgets/FormBuilder.h"
#include "widgets/PictureView.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace records {

HouseholdPage::HouseholdPage(data::DataSource *source, QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Household"));
    widgets::FormBuilder form(this, source);

    DBEdit1 = form.edit("DBEdit1", QStringLiteral("Household ID"), {8, 8, 73, 21});
    DBEdit1->setToolTip(QStringLiteral("Auto increment"));
    form.label(nullptr, QStringLiteral("Item Number"), 8, 32);
    DBEdit2 = form.edit("DBEdit2", QStringLiteral("Room ID"), {88, 8, 105, 21});
    form.label(nullptr, QStringLiteral("Room ID"), 88, 32);
    DBEdit3 = form.edit("DBEdit3", QStringLiteral("Item Name"), {200, 8, 137, 21});
    widgets::FormBuilder::setBold(DBEdit3);
    form.label(nullptr, QStringLiteral("Item Name"), 200, 32);
    DBEdit4 = form.edit("DBEdit4", QStringLiteral("Item Type"), {352, 8, 110, 21});
    form.label(nullptr, QStringLiteral("Item Type"), 352, 32);
    DBEdit5 = form.edit("DBEdit5", QStringLiteral("Description"), {8, 56, 457, 57});
    DBEdit5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    form.label(nullptr, QStringLiteral("Description"), 8, 112);
    DBEdit6 = form.edit("DBEdit6", QStringLiteral("Manufacturer"), {8, 128, 97, 21});
    form.label(nullptr, QStringLiteral("Manufacturer"), 8, 152);
    DBEdit7 = form.edit("DBEdit7", QStringLiteral("Mode lNumber"), {120, 128, 105, 21});
    form.label(nullptr, QStringLiteral("Mode lNumber"), 120, 152);
    DBEdit8 = form.edit("DBEdit8", QStringLiteral("Serial Number"), {248, 128, 110, 21});
    form.label(nullptr, QStringLiteral("Serial Number"), 248, 152);
    DBEdit9 = form.edit("DBEdit9", QStringLiteral("Date Purchased"), {376, 128, 86, 21});
    DBEdit9->setToolTip(QStringLiteral("mm/dd/yyyy"));
    form.label(nullptr, QStringLiteral("Date Purchased"), 376, 152);
    DBEdit10 = form.edit("DBEdit10", QStringLiteral("Place Purchased"), {8, 176, 193, 21});
    form.label(nullptr, QStringLiteral("Place Purchased"), 8, 200);
    DBEdit11 = form.edit("DBEdit11", QStringLiteral("Purchase Price"), {232, 176, 88, 21});
    form.label(nullptr, QStringLiteral("Purchase Price"), 232, 200);
    DBCheckBox1 = form.checkBox("DBCheckBox1", QStringLiteral("Insured"), {344, 184, 97, 17},
                                QStringLiteral("Insured"));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(472, 0, 185, 209);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    ADOImage1 = new widgets::PictureView(this);
    ADOImage1->setObjectName(QStringLiteral("ADOImage1"));
    ADOImage1->setGeometry(480, 8, 169, 193);
    ADOImage1->setToolTip(QStringLiteral("Double Click"));
    NoPicture1 = widgets::FormBuilder::noPicturePanel("NoPicture1", this, {480, 8, 169, 193});

    DBGrid1 = form.grid("DBGrid1", {8, 224, 649, 112},
                        {{QStringLiteral("Household ID"), 68},
                         {QStringLiteral("Room ID"), 100},
                         {QStringLiteral("Item Name"), 100, true},
                         {QStringLiteral("Item Type"), 60},
                         {QStringLiteral("Description"), 300},
                         {QStringLiteral("Manufacturer"), 100},
                         {QStringLiteral("Mode lNumber"), 100},
                         {QStringLiteral("Serial Number"), 100},
                         {QStringLiteral("Date Purchased"), 80},
                         {QStringLiteral("Place Purchased"), 200},
                         {QStringLiteral("Purchase Price"), 50},
                         {QStringLiteral("Insured")},
                         {QStringLiteral("Photograph")}});
    DBNavigator1 = form.navigator("DBNavigator1", {8, 344, 280, 25});

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(296, 340, 49, 21);
    Label12 = form.label("Label12", QStringLiteral("Number of Records"), 296, 360);
    Search = form.button("Search", QStringLiteral("Search"), {424, 344, 75, 25});
    AddPicture = form.button("AddPicture", QStringLiteral("Add Picture"), {504, 344, 75, 25});
    BitBtn1 = form.closeButton("BitBtn1", {584, 344, 75, 25});

    widgets::FormBuilder::chainTabOrder({DBGrid1, DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5,
                                         DBEdit6, DBEdit7, DBEdit8, DBEdit9, DBEdit10, DBEdit11,
                                         DBCheckBox1, BitBtn1, AddPicture, Edit1, Search});
}

} // namespace records

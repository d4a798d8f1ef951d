#include "records/PeoplePage.h"

#include "widgets/DBComboBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBMemo.h"
#include "widgets/DBNavigator.h"
#include "widgets/FormBuilder.h"
#include "widgets/PictureView.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace records {

PeoplePage::PeoplePage(data::DataSource *source, QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("People"));
    widgets::FormBuilder form(this, source);
    using widgets::FormBuilder;

    DBEdit13 = form.edit("DBEdit13", QStringLiteral("People ID"), {8, 8, 57, 21});
    DBEdit13->setToolTip(QStringLiteral("Auto increment"));
    form.label(nullptr, QStringLiteral("Person ID"), 8, 32);
    DBComboBox1 = form.comboBox("DBComboBox1", QStringLiteral("Title"), {80, 8, 49, 21},
                                {"Mr.", "Mrs.", "Ms.", "Dr.", "Capt"});
    form.label(nullptr, QStringLiteral("Title"), 80, 32);
    DBEdit14 = form.edit("DBEdit14", QStringLiteral("First Name"), {136, 8, 105, 21});
    FormBuilder::setBold(DBEdit14);
    form.label(nullptr, QStringLiteral("First Name"), 136, 32);
    DBEdit15 = form.edit("DBEdit15", QStringLiteral("Middle Ini"), {248, 8, 57, 21});
    FormBuilder::setBold(DBEdit15);
    form.label(nullptr, QStringLiteral("Middle Ini"), 248, 32);
    DBEdit16 = form.edit("DBEdit16", QStringLiteral("Last Name"), {312, 8, 105, 21});
    FormBuilder::setBold(DBEdit16);
    form.label(nullptr, QStringLiteral("Last Name"), 312, 32);
    DBComboBox2 = form.comboBox("DBComboBox2", QStringLiteral("Suffix"), {424, 8, 49, 21},
                                {"Jr.", "Sr.", "RN", "MD", "PhD", "DDS"});
    form.label(nullptr, QStringLiteral("Suffix"), 424, 32);

    DBEdit18 = form.edit("DBEdit18", QStringLiteral("Home Phone"), {8, 64, 106, 21});
    form.label(nullptr, QStringLiteral("Home Phone"), 8, 88);
    DBEdit19 = form.edit("DBEdit19", QStringLiteral("Work Phone"), {144, 64, 113, 21});
    form.label(nullptr, QStringLiteral("Work Phone"), 144, 88);
    DBEdit20 = form.edit("DBEdit20", QStringLiteral("Work Extension"), {264, 64, 57, 21});
    form.label(nullptr, QStringLiteral("Work Extension"), 256, 88);
    DBEdit22 = form.edit("DBEdit22", QStringLiteral("Fax Number"), {368, 64, 106, 21});
    form.label(nullptr, QStringLiteral("Fax Number"), 368, 88);
    DBEdit21 = form.edit("DBEdit21", QStringLiteral("Cell Phone"), {8, 120, 114, 21});
    form.label(nullptr, QStringLiteral("Cell Phone"), 8, 144);
    DBEdit17 = form.edit("DBEdit17", QStringLiteral("Email Address"), {144, 120, 158, 21});
    form.label(nullptr, QStringLiteral("Email Address"), 144, 144);
    DBEdit24 = form.edit("DBEdit24", QStringLiteral("Date Last Talked To"), {336, 120, 137, 21});
    form.label(nullptr, QStringLiteral("Date Last Talked To"), 336, 144);
    DBEdit25 = form.edit("DBEdit25", QStringLiteral("Nickname"), {64, 168, 81, 21});
    form.label(nullptr, QStringLiteral("Nickname"), 8, 176);
    DBEdit23 = form.edit("DBEdit23", QStringLiteral("Birthdate"), {64, 208, 81, 21});
    form.label(nullptr, QStringLiteral("Birthdate"), 8, 216);
    DBMemo1 = form.memo("DBMemo1", QStringLiteral("Notes"), {168, 160, 305, 73});
    form.label(nullptr, QStringLiteral("Notes"), 168, 232);

    Panel1 = form.pictureFrame("Panel1", {480, 0, 185, 241});
    PeopleImage1 = new widgets::PictureView(Panel1);
    PeopleImage1->setObjectName(QStringLiteral("PeopleImage1"));
    PeopleImage1->setGeometry(8, 8, 169, 225);
    PeopleImage1->setToolTip(QStringLiteral("Click"));
    NoPicture2 = FormBuilder::noPicturePanel("NoPicture2", Panel1, {8, 8, 169, 225});

    DBGrid2 = form.grid("DBGrid2", {8, 248, 649, 88},
                        {{QStringLiteral("People ID")},
                         {QStringLiteral("Title"), 25},
                         {QStringLiteral("First Name"), 60, true},
                         {QStringLiteral("Middle Ini"), 30},
                         {QStringLiteral("Last Name"), 60, true},
                         {QStringLiteral("Suffix"), 30},
                         {QStringLiteral("Email Address"), 120},
                         {QStringLiteral("Home Phone"), 80},
                         {QStringLiteral("Work Phone"), 80},
                         {QStringLiteral("Work Extension"), 40},
                         {QStringLiteral("Cell Phone"), 80},
                         {QStringLiteral("Fax Number"), 80},
                         {QStringLiteral("Birthdate"), 65},
                         {QStringLiteral("Date Last Talked To"), 65},
                         {QStringLiteral("Nickname"), 60},
                         {QStringLiteral("Notes")},
                         {QStringLiteral("Hobbies"), 100},
                         {QStringLiteral("Photograph")}});
    DBNavigator3 = form.navigator("DBNavigator3", {8, 344, 250, 25});

    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(264, 340, 41, 21);
    Label30 = form.label("Label30", QStringLiteral("Number of Records"), 264, 360);
    AddImage = form.button("AddImage", QStringLiteral("Add Picture"), {424, 344, 75, 25});
    LookUp = form.button("LookUp", QStringLiteral("Search"), {504, 344, 75, 25});
    BitBtn2 = form.closeButton("BitBtn2", {584, 344, 75, 25});

    FormBuilder::chainTabOrder({DBGrid2,     DBEdit13, DBComboBox1, DBEdit14, DBEdit15, DBEdit16,
                                DBComboBox2, DBEdit18, DBEdit19,    DBEdit20, DBEdit22, DBEdit21,
                                DBEdit17,    DBEdit24, DBEdit25,    DBEdit23, DBMemo1,  BitBtn2,
                                LookUp,      AddImage, Edit2});
}

} // namespace records

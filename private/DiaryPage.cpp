#include "private/DiaryPage.h"

#include "widgets/DBEdit.h"
#include "widgets/DBNavigator.h"
#include "widgets/DBRichEdit.h"
#include "widgets/Emblem.h"
#include "widgets/FormBuilder.h"

#include <QLabel>
#include <QPushButton>

namespace privatepages {

DiaryPage::DiaryPage(data::DataSource *source, QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Diary"));
    widgets::FormBuilder form(this, source);

    DBRichEdit1 = new widgets::DBRichEdit(this);
    DBRichEdit1->setObjectName(QStringLiteral("DBRichEdit1"));
    DBRichEdit1->setGeometry(8, 16, 649, 321);
    DBRichEdit1->setFont(widgets::windowFont(13));
    QPalette palette = DBRichEdit1->palette();
    palette.setColor(QPalette::Base, QColor(0xA6, 0xCA, 0xF0));
    DBRichEdit1->setPalette(palette);
    DBRichEdit1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    DBRichEdit1->setLineWidth(3);
    DBRichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBRichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBRichEdit1->setTabChangesFocus(false);
    DBRichEdit1->setDataSource(source);
    DBRichEdit1->setDataField(QStringLiteral("Notes"));

    DBNavigator5 = form.navigator("DBNavigator5", {8, 344, 240, 25});
    BitBtn3 = form.closeButton("BitBtn3", {576, 344, 75, 25});
    DBEdit27 = form.edit("DBEdit27", QStringLiteral("DiaryID"), {256, 340, 57, 21});
    Label31 = form.label("Label31", QStringLiteral("Page number:"), 256, 360);
    DBEdit28 = form.edit("DBEdit28", QStringLiteral("Password"), {328, 336, 81, 21});
    DBEdit28->hide();
    Label33 = form.label("Label33", QStringLiteral("Password"), 336, 360);
    Label33->hide();
    btnChangePassword =
        form.button("btnChangePassword", QStringLiteral("Change Password"), {480, 344, 90, 25});
    btnChangePassword->setFont(widgets::windowFont(8));

    widgets::FormBuilder::chainTabOrder({DBRichEdit1, BitBtn3, DBEdit27, btnChangePassword});
}

} // namespace privatepages

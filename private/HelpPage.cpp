#include "private/HelpPage.h"

#include "widgets/DBEdit.h"
#include "widgets/DBNavigator.h"
#include "widgets/DBRichEdit.h"
#include "widgets/FormBuilder.h"

#include <QLabel>

namespace privatepages {

HelpPage::HelpPage(data::DataSource *help, data::DataSource *phrases, QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Help"));
    widgets::FormBuilder form(this, phrases);
    DBEdit44 = form.edit("DBEdit44", QStringLiteral("Phrase"), {456, 8, 103, 21});
    DBEdit44->hide();
    Label50 = form.label("Label50", QStringLiteral("Phrase"), 456, 16);
    Label50->hide();

    DBRichEdit2 = new widgets::DBRichEdit(this);
    DBRichEdit2->setObjectName(QStringLiteral("DBRichEdit2"));
    DBRichEdit2->setEditingAllowed(false);
    DBRichEdit2->setTabChangesFocus(false);
    DBRichEdit2->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    DBRichEdit2->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    DBRichEdit2->setDataSource(help);
    DBRichEdit2->setDataField(QStringLiteral("Notes"));

    DBNavigator8 = widgets::FormBuilder(this, help).navigator("DBNavigator8", {544, 355, 100, 18});
    DBNavigator8->setVisibleButtons({widgets::DBNavigator::nbFirst, widgets::DBNavigator::nbPrior,
                                     widgets::DBNavigator::nbNext, widgets::DBNavigator::nbLast});
    DBNavigator8->raise();
}

void HelpPage::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    DBRichEdit2->setGeometry(rect()); // fills the whole page
}

} // namespace privatepages

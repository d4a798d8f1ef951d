#include "app/TForm1.h"

#include "loans/UtilitiesPage.h"
#include "records/HouseholdPage.h"
#include "records/NameSearch.h"
#include "records/PeoplePage.h"
#include "records/PictureRoutines.h"
#include "widgets/DBEdit.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

QList<QToolButton *> TForm1::textTools() const {
    return {ToolUndo, ToolFindText,  ToolCopy,  ToolCut,       ToolPaste,
            ToolFont, ToolSelectAll, ToolColor, ToolDateInsert};
}

void TForm1::setPrintEnabled(bool enabled) {
    Print1->setEnabled(enabled);
    ToolPrint->setEnabled(enabled);
}

void TForm1::raisePasswordGate() {
    PageControl1->currentWidget()->hide();
    Password->show();
    txtPassword->clear();
    txtPassword->setFocus();
}

void TForm1::PageControl1Change() {
    setPrintEnabled(true);
    for (QToolButton *tool : textTools())
        tool->setEnabled(false);
    ToolSearch->setEnabled(false);
    ToolZoomIn->setEnabled(false);
    ToolZoomOut->setEnabled(false);
    Format1->menuAction()->setEnabled(true);
    Edit3->menuAction()->setEnabled(true);
    for (int i = 0; i < PageControl1->count(); ++i)
        PageControl1->setTabHighlighted(i, false);

    const int page = pageIndex();
    switch (page) {
    case 0:
    case 1:
        Password->hide();
        NumberOfRecords();
        IsImage();
        if (page == 0)
            Household->DBEdit2->setFocus();
        else
            People->DBEdit14->setFocus();
        ToolSearch->setEnabled(true);
        ToolZoomIn->setEnabled(true);
        ToolZoomOut->setEnabled(true);
        Format1->menuAction()->setEnabled(false);
        Edit3->menuAction()->setEnabled(false);
        break;
    case 2:
        raisePasswordGate();
        m_search->closeBox();
        for (QToolButton *tool : textTools())
            tool->setEnabled(true);
        PageControl1->setTabHighlighted(2, true);
        setPrintEnabled(false);
        return;
    case 3:
        raisePasswordGate();
        NumberOfRecords();
        IsImage();
        m_search->closeBox();
        ToolSearch->setEnabled(false);
        ToolZoomIn->setEnabled(true);
        ToolZoomOut->setEnabled(true);
        Format1->menuAction()->setEnabled(false);
        Edit3->menuAction()->setEnabled(false);
        PageControl1->setTabHighlighted(3, true);
        setPrintEnabled(false);
        return;
    case 4:
        PageControl1->setTabHighlighted(4, true);
        Utilities->txtPrincipal->setFocus();
        Password->hide();
        m_search->closeBox();
        Edit3->menuAction()->setEnabled(false);
        Format1->menuAction()->setEnabled(false);
        return;
    case 5:
        Password->hide();
        m_search->closeBox();
        for (QToolButton *tool : textTools())
            tool->setEnabled(true);
        break;
    default:
        return;
    }
    PageControl1->setTabHighlighted(page, true);
}

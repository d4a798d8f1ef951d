#include "app/MainWindowUi.h"
#include "app/TForm1.h"

#include "loans/UtilitiesPage.h"
#include "private/PasswordGate.h"
#include "records/HouseholdPage.h"
#include "records/NameSearch.h"
#include "records/PeoplePage.h"
#include "records/RecordRoutines.h"
#include "widgets/DBEdit.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

namespace app {

QList<QToolButton *> TForm1::textTools() const {
    return {m_ui->ToolUndo,      m_ui->ToolFindText, m_ui->ToolCopy,
            m_ui->ToolCut,       m_ui->ToolPaste,    m_ui->ToolFont,
            m_ui->ToolSelectAll, m_ui->ToolColor,    m_ui->ToolDateInsert};
}

void TForm1::setPrintEnabled(bool enabled) {
    m_ui->Print1->setEnabled(enabled);
    m_ui->ToolPrint->setEnabled(enabled);
}

void TForm1::PageControl1Change() {
    setPrintEnabled(true);
    for (QToolButton *tool : textTools())
        tool->setEnabled(false);
    m_ui->ToolSearch->setEnabled(false);
    m_ui->ToolZoomIn->setEnabled(false);
    m_ui->ToolZoomOut->setEnabled(false);
    m_ui->Format1->menuAction()->setEnabled(true);
    m_ui->Edit3->menuAction()->setEnabled(true);
    for (widgets::Page each : widgets::kPages)
        m_ui->PageControl1->setTabHighlighted(each, false);

    using widgets::Page;
    const Page page = currentPage();
    switch (page) {
    case Page::Household:
    case Page::People:
        m_ui->Password->hide();
        NumberOfRecords();
        IsImage();
        if (page == Page::Household)
            m_ui->Household->DBEdit2->setFocus();
        else
            m_ui->People->DBEdit14->setFocus();
        m_ui->ToolSearch->setEnabled(true);
        m_ui->ToolZoomIn->setEnabled(true);
        m_ui->ToolZoomOut->setEnabled(true);
        m_ui->Format1->menuAction()->setEnabled(false);
        m_ui->Edit3->menuAction()->setEnabled(false);
        break;
    case Page::Diary:
        m_gate->lock(m_ui->PageControl1->currentWidget());
        m_search->closeBox();
        for (QToolButton *tool : textTools())
            tool->setEnabled(true);
        m_ui->PageControl1->setTabHighlighted(Page::Diary, true);
        setPrintEnabled(false);
        return;
    case Page::Privacy:
        m_gate->lock(m_ui->PageControl1->currentWidget());
        NumberOfRecords();
        IsImage();
        m_search->closeBox();
        m_ui->ToolSearch->setEnabled(false);
        m_ui->ToolZoomIn->setEnabled(true);
        m_ui->ToolZoomOut->setEnabled(true);
        m_ui->Format1->menuAction()->setEnabled(false);
        m_ui->Edit3->menuAction()->setEnabled(false);
        m_ui->PageControl1->setTabHighlighted(Page::Privacy, true);
        setPrintEnabled(false);
        return;
    case Page::Utilities:
        m_ui->PageControl1->setTabHighlighted(Page::Utilities, true);
        m_ui->Utilities->txtPrincipal->setFocus();
        m_ui->Password->hide();
        m_search->closeBox();
        m_ui->Edit3->menuAction()->setEnabled(false);
        m_ui->Format1->menuAction()->setEnabled(false);
        return;
    case Page::Help:
        m_ui->Password->hide();
        m_search->closeBox();
        for (QToolButton *tool : textTools())
            tool->setEnabled(true);
        break;
    default:
        return;
    }
    m_ui->PageControl1->setTabHighlighted(page, true);
}

} // namespace app

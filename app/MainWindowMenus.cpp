#include "app/MainWindowUi.h"
#include "app/TForm1.h"

#include <QMenu>
#include <QMenuBar>

namespace app {

namespace {

QAction *addItem(QMenu *menu, const char *name, const char *caption) {
    QAction *action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction *addSeparator(QMenu *menu, const char *name) {
    QAction *action = menu->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu *addMenu(QMenuBar *bar, const char *name, const char *caption) {
    QMenu *menu = bar->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
    return menu;
}

} // namespace

void TForm1::buildMenus() {
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setNativeMenuBar(false);

    m_ui->File1 = addMenu(bar, "File1", "&File");
    m_ui->Print1 = addItem(m_ui->File1, "Print1", "Print");
    m_ui->PrintScreen1 = addItem(m_ui->File1, "PrintScreen1", "Print Screen");
    m_ui->N1 = addSeparator(m_ui->File1, "N1");
    m_ui->Exit1 = addItem(m_ui->File1, "Exit1", "E&xit");

    m_ui->Edit3 = addMenu(bar, "Edit3", "Edit");
    m_ui->Undo = addItem(m_ui->Edit3, "Undo", "Undo");
    m_ui->N2 = addSeparator(m_ui->Edit3, "N2");
    m_ui->Cut = addItem(m_ui->Edit3, "Cut", "Cut");
    m_ui->Copy = addItem(m_ui->Edit3, "Copy", "Copy");
    m_ui->Paste = addItem(m_ui->Edit3, "Paste", "Paste");
    m_ui->N3 = addSeparator(m_ui->Edit3, "N3");
    m_ui->SelectAll = addItem(m_ui->Edit3, "SelectAll", "Select &All");
    m_ui->FindText = addItem(m_ui->Edit3, "FindText", "Find Text");

    m_ui->Format1 = addMenu(bar, "Format1", "Format");
    m_ui->Color1 = addItem(m_ui->Format1, "Color1", "Color");
    m_ui->Font1 = addItem(m_ui->Format1, "Font1", "Font");
    m_ui->InsertDate1 = addItem(m_ui->Format1, "InsertDate1", "Insert Date");

    m_ui->Help1 = addMenu(bar, "Help1", "&Help");
    m_ui->About1 = addItem(m_ui->Help1, "About1", "&About");
}

void TForm1::buildPopupMenu() {
    m_ui->PopupMenu1 = new QMenu(this);
    m_ui->PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    m_ui->pUndo = addItem(m_ui->PopupMenu1, "pUndo", "Undo");
    m_ui->N4 = addSeparator(m_ui->PopupMenu1, "N4");
    m_ui->pCut = addItem(m_ui->PopupMenu1, "pCut", "Cut");
    m_ui->pPaste = addItem(m_ui->PopupMenu1, "pPaste", "Paste");
    m_ui->pCopy = addItem(m_ui->PopupMenu1, "pCopy", "Copy");
    m_ui->N5 = addSeparator(m_ui->PopupMenu1, "N5");
    m_ui->pSelectAll = addItem(m_ui->PopupMenu1, "pSelectAll", "Select All");
    m_ui->pFindText = addItem(m_ui->PopupMenu1, "pFindText", "Find Text");
    m_ui->N6 = addSeparator(m_ui->PopupMenu1, "N6");
    m_ui->pFont = addItem(m_ui->PopupMenu1, "pFont", "Font");
    m_ui->pInsertDate = addItem(m_ui->PopupMenu1, "pInsertDate", "Insert Date");
}

} // namespace app

#include "app/TForm1.h"

#include <QMenu>
#include <QMenuBar>

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

    File1 = addMenu(bar, "File1", "&File");
    Print1 = addItem(File1, "Print1", "Print");
    PrintScreen1 = addItem(File1, "PrintScreen1", "Print Screen");
    N1 = addSeparator(File1, "N1");
    Exit1 = addItem(File1, "Exit1", "E&xit");

    Edit3 = addMenu(bar, "Edit3", "Edit");
    Undo = addItem(Edit3, "Undo", "Undo");
    N2 = addSeparator(Edit3, "N2");
    Cut = addItem(Edit3, "Cut", "Cut");
    Copy = addItem(Edit3, "Copy", "Copy");
    Paste = addItem(Edit3, "Paste", "Paste");
    N3 = addSeparator(Edit3, "N3");
    SelectAll = addItem(Edit3, "SelectAll", "Select &All");
    FindText = addItem(Edit3, "FindText", "Find Text");

    Format1 = addMenu(bar, "Format1", "Format");
    Color1 = addItem(Format1, "Color1", "Color");
    Font1 = addItem(Format1, "Font1", "Font");
    InsertDate1 = addItem(Format1, "InsertDate1", "Insert Date");

    Help1 = addMenu(bar, "Help1", "&Help");
    About1 = addItem(Help1, "About1", "&About");
}

void TForm1::buildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    pUndo = addItem(PopupMenu1, "pUndo", "Undo");
    N4 = addSeparator(PopupMenu1, "N4");
    pCut = addItem(PopupMenu1, "pCut", "Cut");
    pPaste = addItem(PopupMenu1, "pPaste", "Paste");
    pCopy = addItem(PopupMenu1, "pCopy", "Copy");
    N5 = addSeparator(PopupMenu1, "N5");
    pSelectAll = addItem(PopupMenu1, "pSelectAll", "Select All");
    pFindText = addItem(PopupMenu1, "pFindText", "Find Text");
    N6 = addSeparator(PopupMenu1, "N6");
    pFont = addItem(PopupMenu1, "pFont", "Font");
    pInsertDate = addItem(PopupMenu1, "pInsertDate", "Insert Date");
}

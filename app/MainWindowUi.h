#pragma once

#include "app/TForm1.h"

class QAction;
class QColorDialog;
class QDateEdit;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class QToolButton;
namespace data {
class Connection;
class DataSource;
class TableObject;
} // namespace data
namespace loans {
class UtilitiesPage;
}
namespace privatepages {
class DiaryPage;
class HelpPage;
class PrivacyPage;
} // namespace privatepages
namespace records {
class HouseholdPage;
class PeoplePage;
} // namespace records
namespace widgets {
class DBEdit;
class DBNavigator;
class FindDialog;
class FontDialog;
class PageControl;
class PictureView;
} // namespace widgets

namespace app {

class ToolbarImages;

// The main window's controls and data objects, each named as its member. Only
// the window's own files see them; the controllers get theirs through their Parts.
struct TForm1::Ui {
    QWidget *client = nullptr;

    // Main menu
    QMenu *File1 = nullptr;
    QAction *Print1 = nullptr;
    QAction *PrintScreen1 = nullptr;
    QAction *N1 = nullptr;
    QAction *Exit1 = nullptr;
    QMenu *Edit3 = nullptr;
    QAction *Undo = nullptr;
    QAction *N2 = nullptr;
    QAction *Cut = nullptr;
    QAction *Copy = nullptr;
    QAction *Paste = nullptr;
    QAction *N3 = nullptr;
    QAction *SelectAll = nullptr;
    QAction *FindText = nullptr;
    QMenu *Format1 = nullptr;
    QAction *Color1 = nullptr;
    QAction *Font1 = nullptr;
    QAction *InsertDate1 = nullptr;
    QMenu *Help1 = nullptr;
    QAction *About1 = nullptr;

    // Context menu of the rich-text fields
    QMenu *PopupMenu1 = nullptr;
    QAction *pUndo = nullptr;
    QAction *N4 = nullptr;
    QAction *pCut = nullptr;
    QAction *pPaste = nullptr;
    QAction *pCopy = nullptr;
    QAction *N5 = nullptr;
    QAction *pSelectAll = nullptr;
    QAction *pFindText = nullptr;
    QAction *N6 = nullptr;
    QAction *pFont = nullptr;
    QAction *pInsertDate = nullptr;

    // Toolbar
    QWidget *ToolBar1 = nullptr;
    ToolbarImages *ImageList = nullptr;
    QToolButton *ToolUndo = nullptr;
    QToolButton *ToolFindText = nullptr;
    QToolButton *ToolCopy = nullptr;
    QToolButton *ToolCut = nullptr;
    QToolButton *ToolPaste = nullptr;
    QToolButton *ToolFont = nullptr;
    QToolButton *ToolPrint = nullptr;
    QToolButton *ToolSelectAll = nullptr;
    QToolButton *ToolSearch = nullptr;
    QToolButton *ToolColor = nullptr;
    QToolButton *ToolDateInsert = nullptr;
    QToolButton *ToolAbout = nullptr;
    QToolButton *ToolZoomIn = nullptr;
    QToolButton *ToolZoomOut = nullptr;
    QToolButton *ToolExit = nullptr;

    // Pages
    widgets::PageControl *PageControl1 = nullptr;
    records::HouseholdPage *Household = nullptr;
    records::PeoplePage *People = nullptr;
    privatepages::DiaryPage *Diary = nullptr;
    privatepages::PrivacyPage *Privacy = nullptr;
    loans::UtilitiesPage *Utilities = nullptr;
    privatepages::HelpPage *Help = nullptr;

    QDateEdit *DateTimePicker1 = nullptr;

    // Overlays, hidden at start
    widgets::PictureView *ADOImage2 = nullptr;
    widgets::PictureView *PeopleImage2 = nullptr;
    widgets::PictureView *PrivacyImage2 = nullptr;
    widgets::DBNavigator *DBNavigator2 = nullptr;
    widgets::DBNavigator *DBNavigator4 = nullptr;
    widgets::DBNavigator *DBNavigator7 = nullptr;
    widgets::DBEdit *DBEdit12 = nullptr;
    widgets::DBEdit *DBEdit26 = nullptr;
    widgets::DBEdit *DBEdit41 = nullptr;
    QPushButton *GoBack = nullptr;
    QGroupBox *Searching = nullptr;
    QGroupBox *Password = nullptr;
    QLineEdit *txtPassword = nullptr;
    QLabel *Label32 = nullptr;
    QPushButton *OKpassword = nullptr;
    QGroupBox *ChangePassword = nullptr;
    QLineEdit *txtChange1 = nullptr;
    QLabel *Label34 = nullptr;
    QLineEdit *txtChange2 = nullptr;
    QLabel *Label35 = nullptr;
    QPushButton *btnChange = nullptr;

    // Connections, tables and their data sources
    data::Connection *ADOConnection1 = nullptr;
    data::Connection *ADOConnection2 = nullptr;
    data::TableObject *ADOTable1 = nullptr;
    data::TableObject *ADOTable2 = nullptr;
    data::TableObject *ADOTable3 = nullptr;
    data::TableObject *ADOTable4 = nullptr;
    data::TableObject *ADOTable5 = nullptr;
    data::TableObject *ADOTable6 = nullptr;
    data::DataSource *DataSource1 = nullptr;
    data::DataSource *DataSource2 = nullptr;
    data::DataSource *DataSource3 = nullptr;
    data::DataSource *DataSource4 = nullptr;
    data::DataSource *DataSource5 = nullptr;
    data::DataSource *DataSource6 = nullptr;
    // The hidden field on the Help page through which the phrases are read.
    widgets::DBEdit *DBEdit44 = nullptr;

    // Dialogs and timer
    QFileDialog *OpenDialog1 = nullptr;
    QColorDialog *ColorDialog1 = nullptr;
    widgets::FontDialog *FontDialog1 = nullptr;
    widgets::FindDialog *FindDialog1 = nullptr;
    QTimer *Timer1 = nullptr;
};

} // namespace app

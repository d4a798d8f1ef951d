#pragma once

#include <QMainWindow>

class QAction;
class QColorDialog;
class QDateEdit;
class QFileDialog;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;
class DiaryPage;
class HelpPage;
class PasswordGate;
class PrivacyPage;
class TextCommands;
class ToolbarImages;
namespace data {
class Connection;
class DataSource;
class TableObject;
} // namespace data
namespace loans {
class UtilitiesPage;
}
namespace platform {
class GlobalHotKeys;
}
namespace records {
class HouseholdPage;
class PeoplePage;
class EnlargedView;
class NameSearch;
class PictureCommands;
class RecordRoutines;
} // namespace records
namespace reports {
class TQRListForm;
class TQRListForm2;
class TQRListForm3;
class TQRListForm4;
class TQRListForm5;
} // namespace reports
namespace widgets {
class DBEdit;
class FindDialog;
class FontDialog;
class DBNavigator;
class PageControl;
class PictureView;
} // namespace widgets

// The main window: menus, toolbar, the six pages, the date box, the overlays
// that other commands show, and the objects that live for the whole run.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // programDir is where both database files lie; by default the executable's.
    explicit TForm1(const QString &programDir = QString(), QWidget *parent = nullptr);
    ~TForm1() override;

    QString programDir() const { return m_programDir; }
    int pageIndex() const;

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
    DiaryPage *Diary = nullptr;
    PrivacyPage *Privacy = nullptr;
    loans::UtilitiesPage *Utilities = nullptr;
    HelpPage *Help = nullptr;

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

    // The record pages' shared routines: picture refresh, record count.
    records::RecordRoutines *routines() const { return m_routines; }
    void IsImage();
    void NumberOfRecords();

    // Dialogs and timer
    QFileDialog *OpenDialog1 = nullptr;
    QColorDialog *ColorDialog1 = nullptr;
    widgets::FontDialog *FontDialog1 = nullptr;
    widgets::FindDialog *FindDialog1 = nullptr;
    QTimer *Timer1 = nullptr;

    // Commands
    void Exit1Click();
    void About1Click();
    // The current page's list report in the preview window; nothing on Utilities.
    void Print1Click();
    // The screen, stretched over one page of the default printer.
    void PrintScreen1Click();

    // The system-wide hot keys: their ids, and what each does.
    int id1 = 0;
    int id2 = 0;
    int id3 = 0;
    int id4 = 0;
    void WMHotKey(int id);

    // The report objects made most recently, one per kind.
    reports::TQRListForm *QRListForm = nullptr;
    reports::TQRListForm2 *QRListForm2 = nullptr;
    reports::TQRListForm3 *QRListForm3 = nullptr;
    reports::TQRListForm4 *QRListForm4 = nullptr;
    reports::TQRListForm5 *QRListForm5 = nullptr;

    // Title bar: the record state of the current page's table, and the phrases.
    void DataSource1DataChange();
    void Timer1Timer();
    static QString stateWord(data::TableObject *table);

    // Page switching: command availability, focus, count and picture, the
    // password gate in front of Diary and Privacy.
    void PageControl1Change();
    // The nine text tools, always switched together in this order.
    QList<QToolButton *> textTools() const;

    records::NameSearch *nameSearch() const { return m_search; }
    records::EnlargedView *enlargedView() const { return m_view; }
    records::PictureCommands *pictureCommands() const { return m_pictures; }
    PasswordGate *passwordGate() const { return m_gate; }
    TextCommands *textCommands() const { return m_text; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Key preview: true when the key was taken from the focused control.
    bool FormKeyDown(const QKeyEvent *key);
    bool FormKeyPress(QWidget *focused, const QKeyEvent *key);
    void buildMenus();
    void buildPopupMenu();
    void buildToolBar();
    void buildPages();
    void buildOverlays();
    void buildDialogs();
    void setFocusOrder();
    void buildDataObjects();
    void buildRecordPages();
    void buildPasswordGate();
    void buildTextCommands();
    void setUpHotKeys();
    void setPrintEnabled(bool enabled);
    void raisePasswordGate();
    void FormCreate();
    void FormDestroy();

    QWidget *m_client = nullptr;
    records::RecordRoutines *m_routines = nullptr;
    PasswordGate *m_gate = nullptr;
    TextCommands *m_text = nullptr;
    platform::GlobalHotKeys *m_hotKeys = nullptr;
    records::NameSearch *m_search = nullptr;
    records::EnlargedView *m_view = nullptr;
    records::PictureCommands *m_pictures = nullptr;
    QString m_programDir;
};

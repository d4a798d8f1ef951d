#pragma once

#include <QMainWindow>

class QAction;
class QColorDialog;
class QDateEdit;
class QFileDialog;
class QFontDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;
class ToolbarImages;
namespace widgets {
class PageControl;
}

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
    QWidget *Household = nullptr;
    QWidget *People = nullptr;
    QWidget *Diary = nullptr;
    QWidget *Privacy = nullptr;
    QWidget *Utilities = nullptr;
    QWidget *Help = nullptr;

    QDateEdit *DateTimePicker1 = nullptr;

    // Overlays, hidden at start
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

    // Dialogs and timer
    QFileDialog *OpenDialog1 = nullptr;
    QColorDialog *ColorDialog1 = nullptr;
    QFontDialog *FontDialog1 = nullptr;
    QTimer *Timer1 = nullptr;

    // Commands
    void Exit1Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildPopupMenu();
    void buildToolBar();
    void buildPages();
    void buildOverlays();
    void buildDialogs();
    void FormCreate();
    void FormDestroy();

    QWidget *m_client = nullptr;
    QString m_programDir;
};

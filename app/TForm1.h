#pragma once

#include "widgets/Page.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QKeyEvent;
class QToolButton;
namespace data {
class TableObject;
}
namespace platform {
class GlobalHotKeys;
}
namespace privatepages {
class PasswordGate;
class TextCommands;
} // namespace privatepages
namespace records {
class EnlargedView;
class NameSearch;
class PictureCommands;
class RecordRoutines;
} // namespace records
namespace listreports {
class ListReport;
}

namespace app {

// The main window: menus, toolbar, the six pages, the date box, the overlays
// that other commands show, and the objects that live for the whole run. Its
// controls are private; each carries its name as its object name.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // programDir is where both database files lie; by default the executable's.
    explicit TForm1(const QString &programDir = QString(), QWidget *parent = nullptr);
    ~TForm1() override;

    QString programDir() const { return m_programDir; }

    // Commands, as their menu items, tool buttons and hot keys run them.
    void Exit1Click();
    void About1Click();
    // The current page's list report in the preview window; nothing on Utilities,
    // nor on a Diary or Privacy page whose password has not been given.
    void Print1Click();
    // The screen, stretched over one page of the default printer.
    void PrintScreen1Click();
    // The title bar's phrase, as each tick of Timer1 writes it.
    void Timer1Timer();
    // The current record page's picture and record count, as a page change shows them.
    void IsImage();
    void NumberOfRecords();

    // The ids the four system-wide hot keys were registered with.
    std::array<int, 4> hotKeyIds() const { return m_hotKeyIds; }
    // The report object the Print command made most recently for the page, or null.
    listreports::ListReport *latestReport(widgets::Page page) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Ui;

    widgets::Page currentPage() const;
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
    void WMHotKey(int id);
    void setPrintEnabled(bool enabled);
    void FormCreate();
    void FormDestroy();
    // Title bar: the record state of the current page's table.
    void DataSource1DataChange();
    static QString stateWord(data::TableObject *table);
    // Page switching: command availability, focus, count and picture, the
    // password gate in front of Diary and Privacy.
    void PageControl1Change();
    // The nine text tools, always switched together in this order.
    QList<QToolButton *> textTools() const;

    std::unique_ptr<Ui> m_ui;
    records::RecordRoutines *m_routines = nullptr;
    privatepages::PasswordGate *m_gate = nullptr;
    privatepages::TextCommands *m_text = nullptr;
    platform::GlobalHotKeys *m_hotKeys = nullptr;
    records::NameSearch *m_search = nullptr;
    records::EnlargedView *m_view = nullptr;
    records::PictureCommands *m_pictures = nullptr;
    std::array<int, 4> m_hotKeyIds = {};
    std::array<listreports::ListReport *, widgets::kPageCount> m_latestReports = {};
    QString m_programDir;
};

} // namespace app

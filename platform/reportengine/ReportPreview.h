#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QPrinter;
class QProgressBar;
class QScrollArea;
class QSpinBox;

namespace reportengine {

class PageView;
class ReportPages;

// The preview window: pages through a report, zooms, sets up the printer,
// prints, saves and loads prepared reports and exports PDF. Long reports are
// laid out in slices while the window stays responsive.
class ReportPreview : public QWidget {
    Q_OBJECT
public:
    enum class Zoom { FitPage, FullSize, FitWidth };

    // The pages must outlive the window.
    explicit ReportPreview(ReportPages &pages, QWidget *parent = nullptr);
    ~ReportPreview() override;

    // Shows the pages in a new preview window and returns when it has closed
    // (or the program is ending).
    static void preview(ReportPages &pages, QWidget *parent = nullptr);

    // Shows the window and returns when it has closed (or the program is ending).
    void exec();

    ReportPages &pages() const { return *m_pages; }
    PageView *pageView() const { return m_view; }
    int currentPage() const;
    void setCurrentPage(int index);
    Zoom zoom() const { return m_zoom; }
    void setZoom(Zoom zoom);

    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();

    // These throw core::Error; the window's own commands show it instead.
    void savePrepared(const QString &fileName);
    void loadPrepared(const QString &fileName);
    void exportPdf(const QString &fileName);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *makeAction(const QString &name, const QString &text, const QKeySequence &key,
                        void (ReportPreview::*slot)());
    void setPages(ReportPages *pages);
    void continueLayout();
    void pagesChanged();
    void updateControls();
    void updateZoom();
    void printerSetup();
    void print();
    void askSave();
    void askLoad();
    void askExportPdf();
    void guarded(const std::function<void()> &command);
    QPrinter &printer();

    ReportPages *m_pages;
    std::unique_ptr<ReportPages> m_loaded;
    std::unique_ptr<QPrinter> m_printer;
    Zoom m_zoom = Zoom::FitPage;
    QTimer m_layoutTimer;

    QScrollArea *m_scroll = nullptr;
    PageView *m_view = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QLabel *m_pageCountLabel = nullptr;
    QLabel *m_statusLabel = nullptr;
    QProgressBar *m_progress = nullptr;
    QActionGroup *m_zoomGroup = nullptr;
    QAction *m_fitPage = nullptr;
    QAction *m_fullSize = nullptr;
    QAction *m_fitWidth = nullptr;
    QAction *m_first = nullptr;
    QAction *m_prior = nullptr;
    QAction *m_next = nullptr;
    QAction *m_last = nullptr;
};

} // namespace reportengine

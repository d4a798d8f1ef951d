#include "platform/reportengine/ReportPreview.h"

#include "core/Error.h"
#include "platform/reportengine/PageView.h"
#include "platform/reportengine/PreparedReport.h"
#include "platform/reportengine/ReportOutput.h"
#include "platform/reportengine/ReportPages.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

namespace reportengine {

namespace {
constexpr int kLayoutSliceMs = 40;
const char *const kPreparedFilter = "Prepared reports (*.hlr);;All files (*)";

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
} // namespace

ReportPreview::ReportPreview(ReportPages &pages, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_pages(&pages) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));

    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("previewToolBar"));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly); // text where there is no icon

    m_zoomGroup = new QActionGroup(this);
    m_fitPage =
        makeAction(QStringLiteral("fitPageAction"), QStringLiteral("Fit Page"), {}, nullptr);
    m_fullSize = makeAction(QStringLiteral("fullSizeAction"), QStringLiteral("100 %"), {}, nullptr);
    m_fitWidth =
        makeAction(QStringLiteral("fitWidthAction"), QStringLiteral("Fit Width"), {}, nullptr);
    const std::pair<QAction *, Zoom> zooms[] = {
        {m_fitPage, Zoom::FitPage}, {m_fullSize, Zoom::FullSize}, {m_fitWidth, Zoom::FitWidth}};
    for (const auto &[action, zoom] : zooms) {
        action->setCheckable(true);
        m_zoomGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, zoom = zoom] { setZoom(zoom); });
        toolBar->addAction(action);
    }
    m_fitPage->setChecked(true);
    toolBar->addSeparator();

    m_first = makeAction(QStringLiteral("firstPageAction"), QStringLiteral("First Page"),
                         QKeySequence(Qt::CTRL | Qt::Key_Home), &ReportPreview::firstPage);
    m_prior = makeAction(QStringLiteral("priorPageAction"), QStringLiteral("Previous Page"),
                         QKeySequence(Qt::Key_PageUp), &ReportPreview::priorPage);
    m_next = makeAction(QStringLiteral("nextPageAction"), QStringLiteral("Next Page"),
                        QKeySequence(Qt::Key_PageDown), &ReportPreview::nextPage);
    m_last = makeAction(QStringLiteral("lastPageAction"), QStringLiteral("Last Page"),
                        QKeySequence(Qt::CTRL | Qt::Key_End), &ReportPreview::lastPage);
    const std::pair<QAction *, QStyle::StandardPixmap> icons[] = {
        {m_first, QStyle::SP_MediaSkipBackward},
        {m_prior, QStyle::SP_MediaSeekBackward},
        {m_next, QStyle::SP_MediaSeekForward},
        {m_last, QStyle::SP_MediaSkipForward}};
    for (const auto &[each, icon] : icons)
        each->setIcon(style()->standardIcon(icon));
    toolBar->addAction(m_first);
    toolBar->addAction(m_prior);
    m_pageBox = new QSpinBox(toolBar);
    m_pageBox->setObjectName(QStringLiteral("pageNumberBox"));
    m_pageBox->setToolTip(QStringLiteral("Go to page"));
    m_pageBox->setKeyboardTracking(false);
    connect(m_pageBox, &QSpinBox::valueChanged, this,
            [this](int value) { setCurrentPage(value - 1); });
    toolBar->addWidget(m_pageBox);
    m_pageCountLabel = new QLabel(toolBar);
    m_pageCountLabel->setObjectName(QStringLiteral("pageCountLabel"));
    toolBar->addWidget(m_pageCountLabel);
    toolBar->addAction(m_next);
    toolBar->addAction(m_last);
    toolBar->addSeparator();

    toolBar->addAction(makeAction(QStringLiteral("printerSetupAction"),
                                  QStringLiteral("Printer Setup"), {},
                                  &ReportPreview::printerSetup));
    toolBar->addAction(makeAction(QStringLiteral("printAction"), QStringLiteral("Print"),
                                  QKeySequence::Print, &ReportPreview::print));
    toolBar->addSeparator();
    toolBar->addAction(makeAction(QStringLiteral("saveReportAction"), QStringLiteral("Save Report"),
                                  QKeySequence::Save, &ReportPreview::askSave));
    toolBar->addAction(makeAction(QStringLiteral("loadReportAction"), QStringLiteral("Load Report"),
                                  QKeySequence::Open, &ReportPreview::askLoad));
    toolBar->addAction(makeAction(QStringLiteral("exportPdfAction"), QStringLiteral("Export PDF"),
                                  {}, &ReportPreview::askExportPdf));
    toolBar->addSeparator();
    toolBar->addAction(makeAction(QStringLiteral("closePreviewAction"), QStringLiteral("Close"),
                                  QKeySequence(Qt::Key_Escape), nullptr));
    connect(findChild<QAction *>(QStringLiteral("closePreviewAction")), &QAction::triggered, this,
            &QWidget::close);

    m_view = new PageView;
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("pageScrollArea"));
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_view);
    m_scroll->viewport()->installEventFilter(this);

    auto *statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    m_statusLabel = new QLabel(statusBar);
    m_statusLabel->setObjectName(QStringLiteral("previewStatusLabel"));
    m_progress = new QProgressBar(statusBar);
    m_progress->setObjectName(QStringLiteral("layoutProgressBar"));
    m_progress->setRange(0, 100);
    m_progress->setMaximumWidth(200);
    statusBar->addWidget(m_statusLabel, 1);
    statusBar->addPermanentWidget(m_progress);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(statusBar);

    m_layoutTimer.setSingleShot(true);
    m_layoutTimer.setInterval(0);
    connect(&m_layoutTimer, &QTimer::timeout, this, &ReportPreview::continueLayout);

    resize(1000, 740);
    setPages(&pages);
}

ReportPreview::~ReportPreview() = default;

QAction *ReportPreview::makeAction(const QString &name, const QString &text,
                                   const QKeySequence &key, void (ReportPreview::*slot)()) {
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    action->setToolTip(text);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        QWidget::addAction(action);
    }
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    return action;
}

void ReportPreview::preview(ReportPages &pages, QWidget *parent) {
    // On the heap: a parent that goes away while the window is open takes it along.
    const QPointer<ReportPreview> window = new ReportPreview(pages, parent);
    window->exec();
    delete window.data();
}

void ReportPreview::exec() {
    showNormal();
    raise();
    activateWindow();
    if (!isVisible())
        return;
    QEventLoop loop;
    connect(this, &ReportPreview::closed, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    loop.exec();
}

void ReportPreview::closeEvent(QCloseEvent *event) {
    m_layoutTimer.stop();
    event->accept();
    emit closed();
}

bool ReportPreview::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize &&
        m_zoom != Zoom::FullSize)
        QTimer::singleShot(0, this, &ReportPreview::updateZoom);
    return QWidget::eventFilter(watched, event);
}

void ReportPreview::setPages(ReportPages *pages) {
    if (m_pages)
        disconnect(m_pages, nullptr, this, nullptr);
    m_pages = pages;
    connect(m_pages, &ReportPages::pagesAdded, this, &ReportPreview::pagesChanged);
    connect(m_pages, &ReportPages::layoutFinished, this, &ReportPreview::pagesChanged);
    m_view->setPages(m_pages);
    updateZoom();
    continueLayout();
}

void ReportPreview::continueLayout() {
    if (!m_pages->isComplete()) {
        m_pages->layoutFor(kLayoutSliceMs);
        if (!m_pages->isComplete())
            m_layoutTimer.start();
    }
    pagesChanged();
}

void ReportPreview::pagesChanged() {
    if (m_view->page() < 0 && m_pages->pageCount() > 0)
        m_view->setPage(0);
    updateControls();
}

int ReportPreview::currentPage() const {
    return m_view->page();
}

void ReportPreview::setCurrentPage(int index) {
    const int count = m_pages->pageCount();
    if (count == 0)
        return;
    index = qBound(0, index, count - 1);
    if (index != m_view->page()) {
        m_view->setPage(index);
        m_scroll->verticalScrollBar()->setValue(0);
    }
    updateControls();
}

void ReportPreview::firstPage() {
    setCurrentPage(0);
}

void ReportPreview::priorPage() {
    setCurrentPage(currentPage() - 1);
}

void ReportPreview::nextPage() {
    setCurrentPage(currentPage() + 1);
}

void ReportPreview::lastPage() {
    // The last page is known only once the layout is done.
    if (!m_pages->isComplete()) {
        BusyCursor busy;
        m_pages->completeLayout();
    }
    setCurrentPage(m_pages->pageCount() - 1);
}

void ReportPreview::updateControls() {
    const int count = m_pages->pageCount();
    const int page = currentPage();
    const bool complete = m_pages->isComplete();
    {
        const QSignalBlocker blocker(m_pageBox);
        m_pageBox->setRange(count > 0 ? 1 : 0, qMax(count, 0));
        m_pageBox->setValue(page + 1);
    }
    m_pageCountLabel->setText(complete ? QStringLiteral(" of %1 ").arg(count)
                                       : QStringLiteral(" of %1+ ").arg(count));
    m_first->setEnabled(page > 0);
    m_prior->setEnabled(page > 0);
    m_next->setEnabled(page + 1 < count);
    m_last->setEnabled(page + 1 < count || !complete);
    m_progress->setVisible(!complete);
    m_progress->setValue(m_pages->layoutProgress());
    m_statusLabel->setText(complete ? QStringLiteral("Page %1 of %2").arg(page + 1).arg(count)
                                    : QStringLiteral("Preparing pages..."));
}

void ReportPreview::setZoom(Zoom zoom) {
    m_zoom = zoom;
    const std::pair<QAction *, Zoom> zooms[] = {
        {m_fitPage, Zoom::FitPage}, {m_fullSize, Zoom::FullSize}, {m_fitWidth, Zoom::FitWidth}};
    for (const auto &[action, each] : zooms)
        action->setChecked(each == zoom);
    updateZoom();
}

void ReportPreview::updateZoom() {
    const QSizeF paper = m_pages->paperSize() / 25.4; // inches
    const QScreen *shown = screen();
    const qreal screenDpi = shown ? shown->logicalDotsPerInchX() : 96.0;
    const QSize room = m_scroll->maximumViewportSize() -
                       QSize(2 * PageView::kMargin + 4, 2 * PageView::kMargin + 4);
    qreal dpi = screenDpi;
    if (m_zoom == Zoom::FitPage) {
        dpi = qMin(room.width() / paper.width(), room.height() / paper.height());
    } else if (m_zoom == Zoom::FitWidth) {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
        dpi = (room.width() - bar) / paper.width();
    }
    const int before = m_view->dotsPerInch();
    m_view->setDotsPerInch(int(std::floor(dpi)));
    m_view->resize(m_view->sizeHint());
    if (m_view->dotsPerInch() != before) {
        QTimer::singleShot(0, this, [this] {
            m_scroll->horizontalScrollBar()->setValue(0);
            m_scroll->verticalScrollBar()->setValue(0);
        });
    }
}

QPrinter &ReportPreview::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        setUpPrinter(*m_printer, *m_pages);
    }
    return *m_printer;
}

void ReportPreview::printerSetup() {
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

void ReportPreview::print() {
    guarded([this] {
        if (!m_pages->isComplete()) {
            BusyCursor busy;
            m_pages->completeLayout();
        }
        QPrinter &target = printer();
        setUpPrinter(target, *m_pages);
        QPrintDialog dialog(&target, this);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
        dialog.setMinMax(1, qMax(1, m_pages->pageCount()));
        if (dialog.exec() != QDialog::Accepted)
            return;
        BusyCursor busy;
        printPages(*m_pages, target, currentPage());
    });
}

void ReportPreview::askSave() {
    const QString fileName = QFileDialog::getSaveFileName(this, QStringLiteral("Save Report"), {},
                                                          QString::fromLatin1(kPreparedFilter));
    if (!fileName.isEmpty())
        guarded([&] { savePrepared(fileName); });
}

void ReportPreview::askLoad() {
    const QString fileName = QFileDialog::getOpenFileName(this, QStringLiteral("Load Report"), {},
                                                          QString::fromLatin1(kPreparedFilter));
    if (!fileName.isEmpty())
        guarded([&] { loadPrepared(fileName); });
}

void ReportPreview::askExportPdf() {
    const QString fileName = QFileDialog::getSaveFileName(this, QStringLiteral("Export PDF"), {},
                                                          QStringLiteral("PDF files (*.pdf)"));
    if (!fileName.isEmpty())
        guarded([&] { exportPdf(fileName); });
}

void ReportPreview::savePrepared(const QString &fileName) {
    BusyCursor busy;
    PreparedReport::save(*m_pages, fileName);
    updateControls();
}

void ReportPreview::loadPrepared(const QString &fileName) {
    auto loaded = std::make_unique<PreparedReport>(fileName);
    m_layoutTimer.stop();
    setPages(loaded.get());
    m_loaded = std::move(loaded); // the one shown before, if loaded too, goes now
    m_printer.reset();
}

void ReportPreview::exportPdf(const QString &fileName) {
    BusyCursor busy;
    reportengine::exportPdf(*m_pages, fileName);
    updateControls();
}

void ReportPreview::guarded(const std::function<void()> &command) {
    QString text;
    try {
        command();
        return;
    } catch (const core::Error &error) {
        text = error.text();
    } catch (const std::exception &error) {
        text = QString::fromLocal8Bit(error.what());
    }
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        text += QLatin1Char('.');
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, this);
    box.exec();
}

} // namespace reportengine

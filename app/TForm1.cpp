#include "app/TForm1.h"
#include "app/MainWindowUi.h"

#include "about/TAbout.h"
#include "app/Lifetime.h"
#include "widgets/Emblem.h"
#include "widgets/Messages.h"

#include "widgets/PageControl.h"
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

namespace app {

namespace {
// Client area below the menu bar; the outer frame adds the caption and borders.
constexpr int kClientWidth = 689;
constexpr int kClientHeight = 465;
} // namespace

TForm1::TForm1(const QString &programDir, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui>())
    , m_programDir(programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Hearthledger"));
    setWindowIcon(QIcon(widgets::emblem()));
    setFont(widgets::windowFont());

    m_ui->client = new QWidget(this);
    m_ui->client->setObjectName(QStringLiteral("ClientArea"));
    m_ui->client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(m_ui->client);

    buildMenus();
    buildPopupMenu();
    buildDialogs();
    buildDataObjects();
    buildPages();
    buildToolBar();
    buildOverlays();
    buildRecordPages();
    setFocusOrder();
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

    qApp->installEventFilter(this);
    try {
        FormCreate();
    } catch (...) {
        widgets::reportCurrentException();
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
}

TForm1::~TForm1() {
    FormDestroy();
}

widgets::Page TForm1::currentPage() const {
    return m_ui->PageControl1->currentPage();
}

listreports::ListReport *TForm1::latestReport(widgets::Page page) const {
    return m_latestReports.at(widgets::indexOf(page));
}

void TForm1::closeEvent(QCloseEvent *event) {
    event->accept();
    lifetime::requestTerminate();
}

void TForm1::About1Click() {
    // Each use makes a fresh box, kept until the program ends.
    auto *box = new TAbout(nullptr, widgets::emblem());
    lifetime::adopt(box);
    box->exec();
}

} // namespace app

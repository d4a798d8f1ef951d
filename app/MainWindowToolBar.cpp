#include "app/MainWindowUi.h"
#include "app/TForm1.h"

#include "app/ToolbarImages.h"
#include "widgets/Messages.h"

#include <QToolButton>

namespace app {

namespace {
constexpr int kButtonTop = 2;
} // namespace

void TForm1::buildToolBar() {
    m_ui->ImageList = new ToolbarImages(this);

    m_ui->ToolBar1 = new QWidget(m_ui->client);
    m_ui->ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    m_ui->ToolBar1->setGeometry(0, 0, 687, 29);
    // Opaque: the enlarged picture beneath must not show between the buttons.
    m_ui->ToolBar1->setAutoFillBackground(true);

    auto tool = [this](const char *name, int left, const char *hint, int image, bool enabled) {
        auto *button = new QToolButton(m_ui->ToolBar1);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(left, kButtonTop, 23, 22);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setIcon(m_ui->ImageList->icon(image));
        button->setIconSize(QSize(16, 16));
        button->setToolTip(QString::fromUtf8(hint));
        button->setText(QString::fromUtf8(hint));
        button->setFocusPolicy(Qt::NoFocus);
        button->setEnabled(enabled);
        return button;
    };
    using I = ToolbarImages;
    m_ui->ToolUndo = tool("ToolUndo", 8, "Undo", I::UndoImage, false);
    m_ui->ToolFindText = tool("ToolFindText", 31, "Find Text", I::FindTextImage, false);
    m_ui->ToolCopy = tool("ToolCopy", 54, "Copy", I::CopyImage, false);
    m_ui->ToolCut = tool("ToolCut", 77, "Cut", I::CutImage, false);
    m_ui->ToolPaste = tool("ToolPaste", 100, "Paste", I::PasteImage, false);
    m_ui->ToolFont = tool("ToolFont", 123, "Font", I::FontImage, false);
    m_ui->ToolPrint = tool("ToolPrint", 146, "Print", I::PrintImage, true);
    m_ui->ToolSelectAll = tool("ToolSelectAll", 169, "Select All", I::SelectAllImage, false);
    m_ui->ToolSearch = tool("ToolSearch", 192, "Search", I::SearchImage, false);
    m_ui->ToolColor = tool("ToolColor", 215, "Color", I::ColorImage, false);
    m_ui->ToolDateInsert = tool("ToolDateInsert", 238, "Insert Date", I::InsertDateImage, false);
    m_ui->ToolAbout = tool("ToolAbout", 261, "About", I::AboutImage, true);
    m_ui->ToolZoomIn = tool("ToolZoomIn", 284, "Image Zoom In", I::ZoomInImage, false);
    m_ui->ToolZoomOut = tool("ToolZoomOut", 307, "Image Zoom Out", I::ZoomOutImage, false);

    // A speed button with its own picture and caption, and no hint.
    m_ui->ToolExit = new QToolButton(m_ui->ToolBar1);
    m_ui->ToolExit->setObjectName(QStringLiteral("ToolExit"));
    m_ui->ToolExit->setGeometry(586, kButtonTop, 47, 22);
    m_ui->ToolExit->setAutoRaise(true);
    m_ui->ToolExit->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_ui->ToolExit->setIcon(m_ui->ImageList->exitIcon());
    m_ui->ToolExit->setIconSize(QSize(16, 16));
    m_ui->ToolExit->setText(QStringLiteral("Exit"));
    m_ui->ToolExit->setFocusPolicy(Qt::NoFocus);

    connect(m_ui->ToolExit, &QToolButton::clicked, this,
            widgets::guarded([this] { Exit1Click(); }));
    connect(m_ui->Exit1, &QAction::triggered, this, widgets::guarded([this] { Exit1Click(); }));
    connect(m_ui->ToolPrint, &QToolButton::clicked, this,
            widgets::guarded([this] { Print1Click(); }));
    connect(m_ui->Print1, &QAction::triggered, this, widgets::guarded([this] { Print1Click(); }));
    connect(m_ui->PrintScreen1, &QAction::triggered, this,
            widgets::guarded([this] { PrintScreen1Click(); }));
    connect(m_ui->ToolAbout, &QToolButton::clicked, this,
            widgets::guarded([this] { About1Click(); }));
    connect(m_ui->About1, &QAction::triggered, this, widgets::guarded([this] { About1Click(); }));
}

} // namespace app

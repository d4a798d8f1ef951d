#include "app/TForm1.h"

#include "app/ToolbarImages.h"
#include "widgets/Messages.h"

#include <QToolButton>

namespace {
constexpr int kButtonTop = 2;
} // namespace

void TForm1::buildToolBar() {
    ImageList = new ToolbarImages(this);

    ToolBar1 = new QWidget(m_client);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setGeometry(0, 0, 687, 29);
    // Opaque: the enlarged picture beneath must not show between the buttons.
    ToolBar1->setAutoFillBackground(true);

    auto tool = [this](const char *name, int left, const char *hint, int image, bool enabled) {
        auto *button = new QToolButton(ToolBar1);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(left, kButtonTop, 23, 22);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setIcon(ImageList->icon(image));
        button->setIconSize(QSize(16, 16));
        button->setToolTip(QString::fromUtf8(hint));
        button->setText(QString::fromUtf8(hint));
        button->setFocusPolicy(Qt::NoFocus);
        button->setEnabled(enabled);
        return button;
    };
    using I = ToolbarImages;
    ToolUndo = tool("ToolUndo", 8, "Undo", I::UndoImage, false);
    ToolFindText = tool("ToolFindText", 31, "Find Text", I::FindTextImage, false);
    ToolCopy = tool("ToolCopy", 54, "Copy", I::CopyImage, false);
    ToolCut = tool("ToolCut", 77, "Cut", I::CutImage, false);
    ToolPaste = tool("ToolPaste", 100, "Paste", I::PasteImage, false);
    ToolFont = tool("ToolFont", 123, "Font", I::FontImage, false);
    ToolPrint = tool("ToolPrint", 146, "Print", I::PrintImage, true);
    ToolSelectAll = tool("ToolSelectAll", 169, "Select All", I::SelectAllImage, false);
    ToolSearch = tool("ToolSearch", 192, "Search", I::SearchImage, false);
    ToolColor = tool("ToolColor", 215, "Color", I::ColorImage, false);
    ToolDateInsert = tool("ToolDateInsert", 238, "Insert Date", I::InsertDateImage, false);
    ToolAbout = tool("ToolAbout", 261, "About", I::AboutImage, true);
    ToolZoomIn = tool("ToolZoomIn", 284, "Image Zoom In", I::ZoomInImage, false);
    ToolZoomOut = tool("ToolZoomOut", 307, "Image Zoom Out", I::ZoomOutImage, false);

    // A speed button with its own picture and caption, and no hint.
    ToolExit = new QToolButton(ToolBar1);
    ToolExit->setObjectName(QStringLiteral("ToolExit"));
    ToolExit->setGeometry(586, kButtonTop, 47, 22);
    ToolExit->setAutoRaise(true);
    ToolExit->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolExit->setIcon(ImageList->exitIcon());
    ToolExit->setIconSize(QSize(16, 16));
    ToolExit->setText(QStringLiteral("Exit"));
    ToolExit->setFocusPolicy(Qt::NoFocus);

    connect(ToolExit, &QToolButton::clicked, this, widgets::guarded([this] { Exit1Click(); }));
    connect(Exit1, &QAction::triggered, this, widgets::guarded([this] { Exit1Click(); }));
    connect(ToolPrint, &QToolButton::clicked, this, widgets::guarded([this] { Print1Click(); }));
    connect(Print1, &QAction::triggered, this, widgets::guarded([this] { Print1Click(); }));
    connect(PrintScreen1, &QAction::triggered, this,
            widgets::guarded([this] { PrintScreen1Click(); }));
    connect(ToolAbout, &QToolButton::clicked, this, widgets::guarded([this] { About1Click(); }));
    connect(About1, &QAction::triggered, this, widgets::guarded([this] { About1Click(); }));
}

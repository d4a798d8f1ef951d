#include "records/EnlargedView.h"

#include "records/RecordRoutines.h"
#include "widgets/DBEdit.h"
#include "widgets/PictureView.h"

#include <QPushButton>

namespace records {

EnlargedView::EnlargedView(QWidget *pageControl, QPushButton *goBack, RecordRoutines *routines,
                           QObject *parent)
    : QObject(parent)
    , m_pageControl(pageControl)
    , m_goBack(goBack)
    , m_routines(routines) {}

void EnlargedView::setParts(widgets::Page page, const Parts &parts) {
    m_parts.at(widgets::indexOf(page)) = parts;
}

bool EnlargedView::isOpen() const {
    return !m_goBack->isHidden();
}

void EnlargedView::open(widgets::Page page) {
    const Parts &parts = m_parts.at(widgets::indexOf(page));
    if (!parts.largeImage)
        return;
    parts.largeImage->show();
    parts.navigator->show();
    m_pageControl->hide();
    m_goBack->show();
    parts.keyField->show();
    RecordRoutines::loadPicture(parts.photograph, parts.largeImage);
}

void EnlargedView::ToolZoomInClick() {
    const widgets::Page page = m_routines->currentPage();
    if (widgets::isRecordPage(page))
        open(page);
}

void EnlargedView::GoBackClick() {
    for (const Parts &parts : m_parts)
        if (parts.largeImage)
            parts.largeImage->hide();
    for (const Parts &parts : m_parts)
        if (parts.navigator)
            parts.navigator->hide();
    m_pageControl->show();
    m_goBack->hide();
    for (const Parts &parts : m_parts)
        if (parts.keyField)
            parts.keyField->hide();
}

void EnlargedView::navigatorClick(widgets::DBNavigator::Button button) {
    if (button <= widgets::DBNavigator::nbLast)
        m_routines->IsImage();
}

} // namespace records

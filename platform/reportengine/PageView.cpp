#include "platform/reportengine/PageView.h"

#include "platform/reportengine/ReportPages.h"

#include <QPainter>
#include <cmath>

namespace reportengine {

PageView::PageView(QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("pageView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setPages(const ReportPages *pages) {
    m_pages = pages;
    m_page = -1;
    refresh();
}

void PageView::setPage(int index) {
    if (index == m_page)
        return;
    m_page = index;
    refresh();
}

void PageView::setDotsPerInch(int dotsPerInch) {
    dotsPerInch = qBound(10, dotsPerInch, 1200);
    if (dotsPerInch == m_dotsPerInch)
        return;
    m_dotsPerInch = dotsPerInch;
    resize(sizeHint());
    refresh();
}

void PageView::refresh() {
    m_stale = true;
    update();
}

QSize PageView::pagePixels() const {
    if (!m_pages)
        return {};
    const QSizeF paper = m_pages->paperSize();
    return QSize(int(std::lround(paper.width() / 25.4 * m_dotsPerInch)),
                 int(std::lround(paper.height() / 25.4 * m_dotsPerInch)));
}

QSize PageView::sizeHint() const {
    return pagePixels() + QSize(2 * kMargin, 2 * kMargin);
}

void PageView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    if (!m_pages || m_page < 0 || m_page >= m_pages->pageCount())
        return;
    const qreal ratio = devicePixelRatioF();
    if (m_stale) {
        m_image = m_pages->pageImage(m_page, m_dotsPerInch * ratio);
        m_image.setDevicePixelRatio(ratio);
        m_stale = false;
    }
    const QSize size = pagePixels();
    const QPoint origin((width() - size.width()) / 2, kMargin);
    painter.fillRect(QRect(origin + QPoint(3, 3), size), palette().color(QPalette::Shadow));
    painter.drawImage(origin, m_image);
}

} // namespace reportengine

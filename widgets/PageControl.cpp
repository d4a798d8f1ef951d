#include "widgets/PageControl.h"

#include <QPainter>
#include <QProxyStyle>

namespace widgets {

namespace {
// Narrow side padding, so that a long caption fits a fixed-width tab.
class NarrowTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override {
        if (metric == PM_TabBarTabHSpace)
            return 4;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};
} // namespace

PageTabBar::PageTabBar(QSize tabSize, QWidget *parent)
    : QTabBar(parent)
    , m_tabSize(tabSize) {
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    auto *style = new NarrowTabStyle;
    style->setParent(this);
    setStyle(style);
}

void PageTabBar::setTabHighlighted(int index, bool highlighted) {
    if (index < 0 || index >= count())
        return;
    m_highlighted.resize(count());
    if (m_highlighted[index] == highlighted)
        return;
    m_highlighted[index] = highlighted;
    update(tabRect(index));
}

bool PageTabBar::isTabHighlighted(int index) const {
    return index >= 0 && index < m_highlighted.size() && m_highlighted[index];
}

QSize PageTabBar::tabSizeHint(int) const {
    return m_tabSize;
}

void PageTabBar::paintEvent(QPaintEvent *event) {
    QTabBar::paintEvent(event);
    QPainter p(this);
    QColor highlight = palette().color(QPalette::Highlight);
    highlight.setAlpha(70);
    for (int i = 0; i < count(); ++i)
        if (isTabHighlighted(i))
            p.fillRect(tabRect(i).adjusted(2, 2, -2, -1), highlight);
}

PageControl::PageControl(QSize tabSize, QWidget *parent)
    : QTabWidget(parent)
    , m_tabBar(new PageTabBar(tabSize, this)) {
    setTabBar(m_tabBar);
}

void PageControl::setTabHighlighted(Page page, bool highlighted) {
    m_tabBar->setTabHighlighted(widgets::indexOf(page), highlighted);
}

bool PageControl::isTabHighlighted(Page page) const {
    return m_tabBar->isTabHighlighted(widgets::indexOf(page));
}

} // namespace widgets

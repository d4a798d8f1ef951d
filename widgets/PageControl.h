#pragma once

#include "widgets/Page.h"

#include <QTabBar>
#include <QTabWidget>

namespace widgets {

// Tabs of a fixed size that can each be drawn highlighted.
class PageTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit PageTabBar(QSize tabSize, QWidget *parent = nullptr);

    void setTabHighlighted(int index, bool highlighted);
    bool isTabHighlighted(int index) const;

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void paintEvent(QPaintEvent *event) override;

private:
    QSize m_tabSize;
    QList<bool> m_highlighted;
};

// A page control: a tab widget whose tabs have a fixed size and a highlight,
// holding the main window's pages in the order of Page.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QSize tabSize, QWidget *parent = nullptr);

    Page currentPage() const { return static_cast<Page>(currentIndex()); }
    void setCurrentPage(Page page) { setCurrentIndex(widgets::indexOf(page)); }
    void setTabHighlighted(Page page, bool highlighted);
    bool isTabHighlighted(Page page) const;

private:
    PageTabBar *m_tabBar;
};

} // namespace widgets

#pragma once

#include <QImage>
#include <QWidget>

namespace reportengine {

class ReportPages;

// Shows one page of a report at a resolution; the page is drawn when shown and
// only the page in view is kept as an image.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

    void setPages(const ReportPages *pages);
    void setPage(int index);
    void setDotsPerInch(int dotsPerInch);
    // Drops the drawn page, e.g. when more of it has been laid out.
    void refresh();

    int page() const { return m_page; }
    int dotsPerInch() const { return m_dotsPerInch; }
    // The page's size on screen, in pixels.
    QSize pagePixels() const;
    // The page as last drawn (null before the first paint).
    const QImage &image() const { return m_image; }

    static constexpr int kMargin = 12;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ReportPages *m_pages = nullptr;
    int m_page = -1;
    int m_dotsPerInch = 96;
    QImage m_image;
    bool m_stale = true;
};

} // namespace reportengine

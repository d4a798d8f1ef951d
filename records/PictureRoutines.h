#pragma once

#include "widgets/DBNavigator.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>

class QLineEdit;

namespace data {
class Field;
class TableObject;
} // namespace data
namespace widgets {
class PictureView;
}

namespace records {

// What the record routines need of one record page.
struct RecordPage {
    data::TableObject *table = nullptr;
    data::Field *photograph = nullptr;
    widgets::PictureView *smallImage = nullptr;
    widgets::PictureView *largeImage = nullptr;
    QWidget *noPicture = nullptr;
    QLineEdit *countBox = nullptr;
};

// The routines shared by the three record pages (page indexes 0, 1 and 3):
// the picture refresh, the record count and the page navigators' handler.
// Each acts on the page that is current when it runs.
class RecordRoutines : public QObject {
    Q_OBJECT
public:
    static constexpr int kPageCount = 6;

    explicit RecordRoutines(std::function<int()> pageIndex, QObject *parent = nullptr);

    void setPage(int pageIndex, const RecordPage &page);
    const RecordPage *page(int pageIndex) const;
    int pageIndex() const { return m_pageIndex(); }

    // Hides every no-picture panel, then shows the current record's picture
    // or the current page's panel.
    void IsImage();
    // Decodes the current page's picture blob into its small and large image.
    void ShowImage();
    // Writes the current page's record count into its count box.
    void NumberOfRecords();
    // Offset of the first JPEG start marker in the blob, or -1.
    static int JpegStartsInBlob(data::Field *picField);
    // The picture of the field's current blob, from its start marker; throws
    // "Stream read error" when the blob holds none.
    static void loadPicture(data::Field *picField, widgets::PictureView *view);

    // The handler of the page navigators, after their operation.
    void navigatorClick(widgets::DBNavigator::Button button);

private:
    std::function<int()> m_pageIndex;
    std::array<RecordPage, kPageCount> m_pages;
    std::array<bool, kPageCount> m_present = {};
};

} // namespace records

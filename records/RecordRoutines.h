#pragma once

#include "widgets/DBNavigator.h"
#include "widgets/Page.h"

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

// The routines shared by the three record pages (Household, People, Privacy):
// the picture refresh, the record count and the page navigators' handler.
// Each acts on the page that is current when it runs.
class RecordRoutines : public QObject {
    Q_OBJECT
public:
    explicit RecordRoutines(std::function<widgets::Page()> currentPage, QObject *parent = nullptr);

    void setPage(widgets::Page page, const RecordPage &parts);
    const RecordPage *page(widgets::Page page) const;
    widgets::Page currentPage() const { return m_currentPage(); }

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
    std::function<widgets::Page()> m_currentPage;
    std::array<RecordPage, widgets::kPageCount> m_pages;
    std::array<bool, widgets::kPageCount> m_present = {};
};

} // namespace records

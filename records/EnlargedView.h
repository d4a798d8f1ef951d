#pragma once

#include "widgets/DBNavigator.h"
#include "widgets/Page.h"

#include <QObject>
#include <array>

class QPushButton;

namespace data {
class Field;
}
namespace widgets {
class DBEdit;
class PictureView;
} // namespace widgets

namespace records {

class RecordRoutines;

// The enlarged picture view: the current record's picture in a large image in
// place of the page area, with a four-button navigator, the record's key and
// "Go Back". It exists for the record pages.
class EnlargedView : public QObject {
    Q_OBJECT
public:
    struct Parts {
        widgets::PictureView *largeImage = nullptr;
        widgets::DBNavigator *navigator = nullptr;
        widgets::DBEdit *keyField = nullptr;
        data::Field *photograph = nullptr;
    };

    EnlargedView(QWidget *pageControl, QPushButton *goBack, RecordRoutines *routines,
                 QObject *parent = nullptr);

    void setParts(widgets::Page page, const Parts &parts);

    // Opening for the record pages, as the small images' clicks do.
    void ADOImage1Click() { open(widgets::Page::Household); }
    void PeopleImage1Click() { open(widgets::Page::People); }
    void PrivacyImage1Click() { open(widgets::Page::Privacy); }
    void ToolZoomInClick();
    void GoBackClick();
    // The view's navigators: the picture refresh after each move.
    void navigatorClick(widgets::DBNavigator::Button button);

    bool isOpen() const;

private:
    void open(widgets::Page page);

    QWidget *m_pageControl;
    QPushButton *m_goBack;
    RecordRoutines *m_routines;
    std::array<Parts, widgets::kPageCount> m_parts;
};

} // namespace records

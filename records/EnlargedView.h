#pragma once

#include "widgets/DBNavigator.h"

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
// "Go Back". It exists for pages 0, 1 and 3.
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

    void setParts(int pageIndex, const Parts &parts);

    // Opening for pages 0, 1 and 3, as the small images' clicks do.
    void ADOImage1Click() { open(0); }
    void PeopleImage1Click() { open(1); }
    void PrivacyImage1Click() { open(3); }
    void ToolZoomInClick();
    void GoBackClick();
    // The view's navigators: the picture refresh after each move.
    void navigatorClick(widgets::DBNavigator::Button button);

    bool isOpen() const;

private:
    void open(int pageIndex);

    QWidget *m_pageControl;
    QPushButton *m_goBack;
    RecordRoutines *m_routines;
    std::array<Parts, 4> m_parts;
};

} // namespace records

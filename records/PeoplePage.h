#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace data {
class DataSource;
}
namespace widgets {
class DBComboBox;
class DBEdit;
class DBGrid;
class DBMemo;
class DBNavigator;
class PictureView;
} // namespace widgets

namespace records {

// The People tab sheet: the address book, one record of "People" at a time.
class PeoplePage : public QWidget {
    Q_OBJECT
public:
    explicit PeoplePage(data::DataSource *source, QWidget *parent = nullptr);

    widgets::DBEdit *DBEdit13, *DBEdit14, *DBEdit15, *DBEdit16, *DBEdit17, *DBEdit18, *DBEdit19,
        *DBEdit20, *DBEdit21, *DBEdit22, *DBEdit23, *DBEdit24, *DBEdit25;
    widgets::DBComboBox *DBComboBox1, *DBComboBox2;
    widgets::DBMemo *DBMemo1;
    QFrame *Panel1;
    widgets::PictureView *PeopleImage1;
    QLabel *NoPicture2;
    widgets::DBGrid *DBGrid2;
    widgets::DBNavigator *DBNavigator3;
    QLineEdit *Edit2;
    QLabel *Label30;
    QPushButton *AddImage;
    QPushButton *LookUp;
    QPushButton *BitBtn2;
};

} // namespace records

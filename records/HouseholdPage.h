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
class DBCheckBox;
class DBEdit;
class DBGrid;
class DBNavigator;
class PictureView;
} // namespace widgets

namespace records {

// The Household Items tab sheet: the inventory, one record of
// "Household Inventory" at a time, with its grid, navigator, picture and count.
class HouseholdPage : public QWidget {
    Q_OBJECT
public:
    explicit HouseholdPage(data::DataSource *source, QWidget *parent = nullptr);

    widgets::DBEdit *DBEdit1, *DBEdit2, *DBEdit3, *DBEdit4, *DBEdit5, *DBEdit6, *DBEdit7, *DBEdit8,
        *DBEdit9, *DBEdit10, *DBEdit11;
    widgets::DBCheckBox *DBCheckBox1;
    QFrame *Bevel1;
    widgets::PictureView *ADOImage1;
    QLabel *NoPicture1;
    widgets::DBGrid *DBGrid1;
    widgets::DBNavigator *DBNavigator1;
    QLineEdit *Edit1;
    QLabel *Label12;
    QPushButton *Search;
    QPushButton *AddPicture;
    QPushButton *BitBtn1;
};

} // namespace records

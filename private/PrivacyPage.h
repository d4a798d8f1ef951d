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
class DBEdit;
class DBGrid;
class DBMemo;
class DBNavigator;
class PictureView;
} // namespace widgets

namespace privatepages {

// The Privacy tab sheet: the household's confidential records, one record of
// "Privacy" at a time, shown only once the password has been given.
class PrivacyPage : public QWidget {
    Q_OBJECT
public:
    explicit PrivacyPage(data::DataSource *source, QWidget *parent = nullptr);

    widgets::DBEdit *DBEdit29, *DBEdit30, *DBEdit31, *DBEdit32, *DBEdit33, *DBEdit34, *DBEdit35,
        *DBEdit36, *DBEdit37, *DBEdit38, *DBEdit39, *DBEdit40;
    widgets::DBMemo *DBMemo3;
    widgets::DBGrid *DBGrid3;
    widgets::DBNavigator *DBNavigator6;
    QFrame *Panel2;
    widgets::PictureView *PrivacyImage1;
    QLabel *NoPicture3;
    QLineEdit *txtRecords;
    QLabel *Label49;
    QPushButton *btnPasswordChange;
    QPushButton *AddImages;
    QPushButton *BitBtn4;
};

} // namespace privatepages

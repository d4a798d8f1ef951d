#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace data {
class DataSource;
}
namespace widgets {
class DBEdit;
class DBNavigator;
class DBRichEdit;
} // namespace widgets

namespace privatepages {

// The Diary tab sheet: one rich-text page per record of "Diary", shown only
// once the password has been given.
class DiaryPage : public QWidget {
    Q_OBJECT
public:
    explicit DiaryPage(data::DataSource *source, QWidget *parent = nullptr);

    widgets::DBRichEdit *DBRichEdit1;
    widgets::DBNavigator *DBNavigator5;
    QPushButton *BitBtn3;
    widgets::DBEdit *DBEdit27;
    QLabel *Label31;
    // The path by which the password gate reads and writes the stored password.
    widgets::DBEdit *DBEdit28;
    QLabel *Label33;
    QPushButton *btnChangePassword;
};

} // namespace privatepages

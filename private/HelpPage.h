#pragma once

#include <QWidget>

class QLabel;

namespace data {
class DataSource;
}
namespace widgets {
class DBEdit;
class DBNavigator;
class DBRichEdit;
} // namespace widgets

namespace privatepages {

// The Help tab sheet: the help texts, read-only, one record at a time, and the
// hidden field through which the title bar reads its phrases.
class HelpPage : public QWidget {
    Q_OBJECT
public:
    HelpPage(data::DataSource *help, data::DataSource *phrases, QWidget *parent = nullptr);

    widgets::DBRichEdit *DBRichEdit2;
    widgets::DBNavigator *DBNavigator8;
    widgets::DBEdit *DBEdit44;
    QLabel *Label50;

protected:
    void resizeEvent(QResizeEvent *event) override;
};

} // namespace privatepages

#pragma once

#include "widgets/TableModel.h"

#include <QRect>
#include <QString>
#include <initializer_list>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace data {
class DataSource;
}

namespace widgets {

class DBCheckBox;
class DBComboBox;
class DBEdit;
class DBGrid;
class DBMemo;
class DBNavigator;

// Places named controls at fixed positions on a page, bound to one data source.
class FormBuilder {
public:
    FormBuilder(QWidget *page, data::DataSource *source);

    DBEdit *edit(const char *name, const QString &column, QRect geometry);
    DBMemo *memo(const char *name, const QString &column, QRect geometry);
    DBComboBox *comboBox(const char *name, const QString &column, QRect geometry,
                         const QStringList &items);
    DBCheckBox *checkBox(const char *name, const QString &column, QRect geometry,
                         const QString &caption);
    DBGrid *grid(const char *name, QRect geometry, const QList<TableModel::Column> &columns);
    DBNavigator *navigator(const char *name, QRect geometry);
    // A caption label at (left, top), sized to its text; name may be null.
    QLabel *label(const char *name, const QString &text, int left, int top);
    QPushButton *button(const char *name, const QString &caption, QRect geometry);
    // A button captioned "&Close" with a door picture that closes the window.
    QPushButton *closeButton(const char *name, QRect geometry);
    // A frame with lowered inner and outer bevels of width 2 that holds a small
    // picture and its no-picture panel.
    QFrame *pictureFrame(const char *name, QRect geometry);
    // A raised panel with the centred caption "No Picture", hidden at start.
    static QLabel *noPicturePanel(const char *name, QWidget *parent, QRect geometry);

    static void setBold(QWidget *widget);
    // The widgets take the focus one after another in the order given.
    static void chainTabOrder(std::initializer_list<QWidget *> order);

private:
    QWidget *m_page;
    data::DataSource *m_source;
};

} // namespace widgets

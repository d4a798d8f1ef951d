#pragma once

#include <QObject>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace data {
class DataSource;
}

namespace records {

class RecordRoutines;

// The floating search box of the Household Items and People pages: finds a
// record by the first letters of its name (Item Name or First Name).
class NameSearch : public QObject {
    Q_OBJECT
public:
    // Fills the box with its controls; Household and People search the given sources.
    NameSearch(QGroupBox *box, data::DataSource *items, data::DataSource *people,
               RecordRoutines *routines, QObject *parent = nullptr);

    QLineEdit *ItemName;
    QLabel *Label13;
    QPushButton *SearchClose;
    QPushButton *btnOK;

    void SearchClick();
    void btnOKClick();
    void SearchCloseClick();
    // Performs the click of SearchClose.
    void closeBox() { SearchCloseClick(); }
    bool isOpen() const;

private:
    data::DataSource *sourceOfPage() const;
    QString columnOf(data::DataSource *source) const;

    QGroupBox *m_box;
    data::DataSource *m_items;
    data::DataSource *m_people;
    RecordRoutines *m_routines;
};

} // namespace records

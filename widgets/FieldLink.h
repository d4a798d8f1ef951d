#pragma once

#include "data/DataSource.h"
#include "data/TableObject.h"

#include <QObject>

class QFocusEvent;
#include <QPointer>
#include <QString>
#include <functional>

namespace data {
class DataSource;
class Field;
class TableObject;
} // namespace data

namespace widgets {

// The tie between one bound control and one column of a data source. It
// finds the field, tells the control when to show the current value again,
// starts an edit when the user begins to type, and writes the control's
// pending text into the record on request.
class FieldLink : public QObject, public data::PendingEdit {
    Q_OBJECT
public:
    explicit FieldLink(QObject *control);
    ~FieldLink() override;

    void setDataSource(data::DataSource *source);
    data::DataSource *dataSource() const { return m_source; }
    void setFieldName(const QString &column);
    QString fieldName() const { return m_column; }

    data::TableObject *table() const;
    // The bound field while the table is open, else null.
    data::Field *field() const;
    bool canModify() const;

    // Puts the record into edit (or keeps an insert); false when the control
    // may not change the column. Errors of the table throw.
    bool edit();
    bool editing() const;
    // edit() for a change the user is making: an error of the table is
    // reported, and false means the change must not go ahead.
    bool beginUserChange();
    // The control lost the focus: a move within the window writes the pending
    // text; bad text brings the focus back, selects the text and is reported.
    void focusLeft(const QFocusEvent *event);

    // The control's text differs from the field's value.
    void setModified(bool modified) { m_modified = modified; }
    bool isModified() const { return m_modified; }
    // True while onLoad runs, so the control can tell its own changes apart.
    bool isLoading() const { return m_loading; }

    // How the control shows the value and hands back its pending text.
    std::function<void()> onLoad;
    std::function<void()> onWrite;

    // Writes the pending text now (throws on bad text).
    void writePending() override;
    // Writes the pending text of every control bound to the source; callers
    // that are about to post or move run it first, so bad text stops them.
    static void writeAllPending(data::DataSource *source);

    // Shows the field's current value again, dropping any pending text.
    void reload();

signals:
    void activeChanged();

private:
    void dataChange(data::Field *changed);
    void updateData();

    QObject *m_control;
    QPointer<data::DataSource> m_source;
    QString m_column;
    bool m_modified = false;
    bool m_loading = false;
    bool m_writing = false;
    QList<QMetaObject::Connection> m_links;
};

} // namespace widgets

#pragma once

#include "data/Field.h"

#include <QObject>
#include <QPointer>

namespace data {

class TableObject;

// A bound control's tie to its data source that may hold text the user typed
// and the record does not have yet.
class PendingEdit {
public:
    // Writes the pending text into the record; throws on bad text.
    virtual void writePending() = 0;

protected:
    ~PendingEdit() = default;
};

// Links a table object to its bound controls. dataChange comes when the
// table opens, the current row changes, the rows are read again, an edit or
// insertion begins, is posted or cancelled, a row is deleted (field null),
// and when a field's value is set (that field). A move that stays on its row
// but changes the beginning or end flag reports one too, so that navigators
// can follow the flags. Closing reports none.
// updateData comes just before a post, so controls write their pending text.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr);
    ~DataSource() override;

    TableObject *dataSet() const { return m_table; }
    void setDataSet(TableObject *table);

    // The bound controls' pending edits; each registers while it is bound.
    void addPendingEdit(PendingEdit *edit);
    void removePendingEdit(PendingEdit *edit);
    // Writes the pending text of every bound control, the latest bound first;
    // callers about to post or move run it first, so bad text stops them.
    void writePendingEdits();

signals:
    void dataChange(data::Field *field);
    void stateChange();
    void updateData();
    void dataSetChanged();

private:
    QPointer<TableObject> m_table;
    QList<QMetaObject::Connection> m_links;
    QList<PendingEdit *> m_pendingEdits;
};

} // namespace data

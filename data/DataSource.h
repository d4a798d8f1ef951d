#pragma once

#include "data/Field.h"

#include <QObject>
#include <QPointer>

namespace data {

class TableObject;

// Links a table object to its bound controls. dataChange comes when the
// table opens, the current row changes, the rows are read again, an edit or
// insertion begins, is posted or cancelled, a row is deleted (field null),
// and when a field's value is set (that field). Closing reports none.
// updateData comes just before a post, so controls write their pending text.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr);
    ~DataSource() override;

    TableObject *dataSet() const { return m_table; }
    void setDataSet(TableObject *table);

signals:
    void dataChange(data::Field *field);
    void stateChange();
    void updateData();
    void dataSetChanged();

private:
    QPointer<TableObject> m_table;
    QList<QMetaObject::Connection> m_links;
};

} // namespace data

#pragma once

#include "data/DataSource.h"
#include "data/TableObject.h"

#include "widgets/TableModel.h"

#include <QPointer>
#include <QTableView>

namespace data {
class DataSource;
}

namespace widgets {

// A grid of every record of a data source's table, one row per record, the
// current one marked. Choosing a row makes it the current record; a move of
// the table moves the grid. Cells edit in place; Ctrl+Delete deletes the
// current record after "Delete record?".
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget *parent = nullptr);

    void setDataSource(data::DataSource *source);
    data::DataSource *dataSource() const { return m_source; }
    void setColumns(const QList<TableModel::Column> &columns);
    TableModel *tableModel() const { return m_model; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void followTable();
    void applyWidths();

    TableModel *m_model;
    QPointer<data::DataSource> m_source;
    QMetaObject::Connection m_dataSetLink;
    bool m_following = false;
};

} // namespace widgets

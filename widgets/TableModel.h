#pragma once

#include "data/TableObject.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

namespace data {
class Field;
class TableObject;
} // namespace data

namespace widgets {

// An item model over a table object's rows, without a copy of them: every
// cell is read from the table object when the view asks for it.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString name;
        int width = -1; // the grid's default when negative
        bool bold = false;
    };

    explicit TableModel(QObject *parent = nullptr);

    void setTable(data::TableObject *table);
    data::TableObject *table() const { return m_table; }
    void setColumns(const QList<Column> &columns);
    const QList<Column> &columns() const { return m_columns; }
    data::Field *fieldAt(int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // The text a cell shows: the field's display text, or "(BLOB)"/"(Blob)" and
    // "(MEMO)"/"(Memo)" for blob and memo columns, capitals when they hold a value.
    QString cellText(int row, int column) const;

private:
    void reset();
    void currentMoved(int row);

    QPointer<data::TableObject> m_table;
    QList<Column> m_columns;
    QList<QMetaObject::Connection> m_links;
    int m_rows = 0;
    int m_current = -1;
};

} // namespace widgets

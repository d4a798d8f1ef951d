#pragma once

#include <QStyledItemDelegate>

namespace widgets {

// Paints and edits the cells of a grid over a TableModel. A cell shows only what
// fits in it, however long its value. The editor takes the value whole, up to as
// many characters as the column holds, and writes back only what the user changed;
// text the field refuses reaches the error report.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

} // namespace widgets

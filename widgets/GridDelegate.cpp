#include "widgets/GridDelegate.h"

#include "widgets/DBEdit.h"
#include "widgets/Messages.h"
#include "widgets/TableModel.h"

#include <QLineEdit>

namespace widgets {

namespace {

// What a size hint, asked before there is a cell, looks at.
constexpr qsizetype kHintCharacters = 1000;

} // namespace

void GridDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // The style lays out the whole text to elide it. A character is at least a pixel
    // wide, so one more character than the cell has pixels still overflows it and
    // shows the same elided start.
    const int width = option->rect.width();
    qsizetype shown = width > 0 ? width + 1 : kHintCharacters;
    if (option->text.size() <= shown)
        return;
    if (option->text.at(shown - 1).isHighSurrogate())
        --shown;
    option->text = option->text.left(shown);
}

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const {
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto *line = qobject_cast<QLineEdit *>(editor);
    const auto *model = qobject_cast<const TableModel *>(index.model());
    if (line && model) {
        if (const data::Field *field = model->fieldAt(index.column()))
            line->setMaxLength(editLimit(field));
    }
    return editor;
}

void GridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                const QModelIndex &index) const {
    // Untouched, the editor may hold less than a value longer than the column.
    if (auto *line = qobject_cast<QLineEdit *>(editor); line && !line->isModified())
        return;
    try {
        QStyledItemDelegate::setModelData(editor, model, index);
    } catch (...) {
        reportCurrentException();
    }
}

} // namespace widgets

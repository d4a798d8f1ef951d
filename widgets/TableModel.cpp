#include "widgets/TableModel.h"

#include "data/Field.h"
#include "data/TableObject.h"

#include <QFont>

namespace widgets {

using data::Field;
using data::TableObject;

TableModel::TableModel(QObject *parent)
    : QAbstractTableModel(parent) {}

void TableModel::setTable(TableObject *table) {
    for (const auto &link : std::as_const(m_links))
        disconnect(link);
    m_links.clear();
    m_table = table;
    if (table) {
        m_links << connect(table, &TableObject::rowsReset, this, &TableModel::reset)
                << connect(table, &TableObject::rowInserted, this,
                           [this](int row) {
                               beginInsertRows(QModelIndex(), row, row);
                               ++m_rows;
                               endInsertRows();
                           })
                // The row is already gone from the table when this comes.
                << connect(table, &TableObject::rowRemoved, this, &TableModel::reset)
                << connect(table, &TableObject::rowChanged, this,
                           [this](int row) {
                               if (row >= 0 && row < m_rows && !m_columns.isEmpty())
                                   emit dataChanged(index(row, 0),
                                                    index(row, int(m_columns.size()) - 1));
                           })
                << connect(table, &TableObject::currentRowChanged, this, &TableModel::currentMoved)
                << connect(table, &TableObject::stateChanged, this,
                           [this] { currentMoved(m_table->currentIndex()); });
    }
    reset();
}

void TableModel::setColumns(const QList<Column> &columns) {
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

Field *TableModel::fieldAt(int column) const {
    if (!m_table || !m_table->isActive() || column < 0 || column >= m_columns.size())
        return nullptr;
    return m_table->findField(m_columns[column].name);
}

void TableModel::reset() {
    beginResetModel();
    m_rows = m_table ? m_table->rowCount() : 0;
    m_current = m_table ? m_table->currentIndex() : -1;
    endResetModel();
}

void TableModel::currentMoved(int row) {
    const int old = m_current;
    m_current = row;
    if (old >= 0 && old < m_rows)
        emit headerDataChanged(Qt::Vertical, old, old);
    if (row >= 0 && row < m_rows)
        emit headerDataChanged(Qt::Vertical, row, row);
}

int TableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString TableModel::cellText(int row, int column) const {
    Field *field = fieldAt(column);
    if (!field || row < 0 || row >= m_rows)
        return QString();
    switch (field->type()) {
    case Field::Type::Blob:
    case Field::Type::Memo: {
        const QString word =
            field->type() == Field::Type::Blob ? QStringLiteral("Blob") : QStringLiteral("Memo");
        const QVariant value = m_table->value(row, field->index());
        const bool holds = field->type() == Field::Type::Blob ? value.toLongLong() > 0
                                                              : !value.toString().isEmpty();
        return QLatin1Char('(') + (holds ? word.toUpper() : word) + QLatin1Char(')');
    }
    default:
        return m_table->displayText(row, field->index());
    }
}

QVariant TableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= m_rows)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cellText(index.row(), index.column());
    case Qt::FontRole:
        if (m_columns[index.column()].bold) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return QVariant();
    case Qt::TextAlignmentRole:
        if (Field *field = fieldAt(index.column())) {
            const auto type = field->type();
            if (type == Field::Type::AutoIncrement || type == Field::Type::Currency ||
                type == Field::Type::Float)
                return int(Qt::AlignRight | Qt::AlignVCenter);
        }
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? m_columns[section].name : QVariant();
    if (section != m_current || !m_table)
        return QString();
    switch (m_table->state()) {
    case TableObject::State::Edit:
        return QStringLiteral("I");
    case TableObject::State::Insert:
        return QStringLiteral("*");
    default:
        return QStringLiteral("\u25B6");
    }
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    Field *field = fieldAt(index.column());
    if (field && !field->isReadOnly() && field->type() != Field::Type::Blob &&
        field->type() != Field::Type::Memo && m_table->canModify())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TableModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    Field *field = fieldAt(index.column());
    if (role != Qt::EditRole || !field || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString text = value.toString();
    if (text == cellText(index.row(), index.column()))
        return false;
    if (m_table->currentIndex() != index.row())
        m_table->moveTo(index.row());
    field->setAsString(text);
    return true;
}

} // namespace widgets

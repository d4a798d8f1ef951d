#include "widgets/DBGrid.h"

#include "data/DataSource.h"
#include "data/TableObject.h"
#include "widgets/FieldLink.h"
#include "widgets/GridDelegate.h"
#include "widgets/Messages.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace widgets {

namespace {

constexpr int kDefaultColumnWidth = 64;

} // namespace

DBGrid::DBGrid(QWidget *parent)
    : QTableView(parent)
    , m_model(new TableModel(this)) {
    setModel(m_model);
    setItemDelegate(new GridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setFixedWidth(14);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DBGrid::followTable);
    connect(m_model, &QAbstractItemModel::headerDataChanged, this, &DBGrid::followTable);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &DBGrid::followTable);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &DBGrid::followTable);
}

void DBGrid::setDataSource(data::DataSource *source) {
    disconnect(m_dataSetLink);
    m_source = source;
    m_model->setTable(source ? source->dataSet() : nullptr);
    if (source)
        m_dataSetLink = connect(source, &data::DataSource::dataSetChanged, this,
                                [this] { m_model->setTable(m_source->dataSet()); });
}

void DBGrid::setColumns(const QList<TableModel::Column> &columns) {
    m_model->setColumns(columns);
    applyWidths();
}

void DBGrid::applyWidths() {
    const auto &columns = m_model->columns();
    for (int i = 0; i < columns.size(); ++i)
        setColumnWidth(i, columns[i].width >= 0 ? columns[i].width : kDefaultColumnWidth);
}

void DBGrid::followTable() {
    data::TableObject *table = m_model->table();
    if (!table || !table->isActive() || m_model->rowCount() == 0)
        return;
    const int row = table->currentIndex();
    if (row < 0 || row >= m_model->rowCount())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    if (currentIndex().row() == row)
        return;
    m_following = true;
    setCurrentIndex(m_model->index(row, column));
    m_following = false;
}

void DBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
    QTableView::currentChanged(current, previous);
    data::TableObject *table = m_model->table();
    if (m_following || !current.isValid() || !table || current.row() == table->currentIndex())
        return;
    try {
        FieldLink::writeAllPending(m_source);
        table->moveTo(current.row());
    } catch (...) {
        reportCurrentException();
        followTable();
    }
}

void DBGrid::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        data::TableObject *table = m_model->table();
        if (table && table->isActive() && table->canModify() && !table->isEmpty() &&
            confirm(QStringLiteral("Delete record?"), QStringLiteral("Confirm"))) {
            try {
                table->remove();
            } catch (...) {
                reportCurrentException();
            }
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace widgets

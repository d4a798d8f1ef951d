#include "records/NameSearch.h"

#include "data/DataSource.h"
#include "data/TableObject.h"
#include "records/RecordRoutines.h"
#include "widgets/Emblem.h"
#include "widgets/FieldLink.h"
#include "widgets/Messages.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace records {

namespace {

QIcon checkMark() {
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x10, 0x90, 0x20), 2.4));
    p.drawPolyline(QPolygonF({QPointF(2, 7), QPointF(5.5, 11), QPointF(12, 3)}));
    return QIcon(pixmap);
}

} // namespace

NameSearch::NameSearch(QGroupBox *box, data::DataSource *items, data::DataSource *people,
                       RecordRoutines *routines, QObject *parent)
    : QObject(parent)
    , m_box(box)
    , m_items(items)
    , m_people(people)
    , m_routines(routines) {
    ItemName = new QLineEdit(box);
    ItemName->setObjectName(QStringLiteral("ItemName"));
    ItemName->setGeometry(8, 24, 161, 21);
    QPalette palette = ItemName->palette();
    palette.setColor(QPalette::Text, Qt::black);
    ItemName->setPalette(palette);
    // The box's own style sheet (its bold blue caption) would give its controls
    // the toolkit's default face: they take the window's, not bold.
    const QFont normal = widgets::windowFont();
    ItemName->setFont(normal);

    Label13 = new QLabel(QStringLiteral("Enter first few letters of the name:"), box);
    Label13->setObjectName(QStringLiteral("Label13"));
    Label13->move(8, 48);
    Label13->setFont(normal);
    // It ends short of the buttons' column (left 184), smaller where the face is wide.
    widgets::fitToWidth(Label13, Label13->text(), 184 - 4 - 8);
    Label13->adjustSize();

    SearchClose = new QPushButton(QStringLiteral("Close"), box);
    SearchClose->setObjectName(QStringLiteral("SearchClose"));
    SearchClose->setGeometry(184, 24, 67, 25);
    SearchClose->setFont(normal);
    btnOK = new QPushButton(checkMark(), QStringLiteral("OK"), box);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(184, 56, 67, 25);
    btnOK->setFont(normal);

    connect(SearchClose, &QPushButton::clicked, this,
            widgets::guarded([this] { SearchCloseClick(); }));
    connect(btnOK, &QPushButton::clicked, this, widgets::guarded([this] { btnOKClick(); }));
}

bool NameSearch::isOpen() const {
    return m_box->isVisible();
}

data::DataSource *NameSearch::sourceOfPage() const {
    switch (m_routines->currentPage()) {
    case widgets::Page::Household:
        return m_items;
    case widgets::Page::People:
        return m_people;
    default:
        return nullptr;
    }
}

QString NameSearch::columnOf(data::DataSource *source) const {
    return source == m_items ? QStringLiteral("Item Name") : QStringLiteral("First Name");
}

void NameSearch::SearchClick() {
    m_box->show();
    m_box->raise();
    ItemName->setFocus();
    ItemName->selectAll();
    if (data::DataSource *source = sourceOfPage()) {
        widgets::FieldLink::writeAllPending(source);
        source->dataSet()->refresh();
        // While the user types, get the names ready for the search.
        QPointer<data::TableObject> table = source->dataSet();
        const QString column = columnOf(source);
        QTimer::singleShot(0, this, [table, column] {
            if (table)
                table->prepareLocate(column);
        });
    }
}

void NameSearch::btnOKClick() {
    const QString info = ItemName->text();
    data::DataSource *source = sourceOfPage();
    if (!source)
        return;
    const QString column = columnOf(source);
    widgets::FieldLink::writeAllPending(source);
    if (source->dataSet()->locate(column, info))
        m_routines->IsImage();
    else
        widgets::showMessage(QStringLiteral("Item had not found."));
}

void NameSearch::SearchCloseClick() {
    m_box->hide();
}

} // namespace records

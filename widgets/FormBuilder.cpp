#include "widgets/FormBuilder.h"

#include "widgets/DBCheckBox.h"
#include "widgets/DBComboBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBMemo.h"
#include "widgets/DBNavigator.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace widgets {

namespace {

template <class W> W *placed(W *widget, const char *name, QRect geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QIcon doorIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x20, 0x20, 0x20));
    p.setBrush(QColor(0x80, 0x50, 0x28));
    p.drawRect(QRect(3, 1, 9, 14));
    p.setBrush(QColor(0xE0, 0xC0, 0x40));
    p.drawEllipse(QRect(9, 7, 2, 2));
    return QIcon(pixmap);
}

} // namespace

FormBuilder::FormBuilder(QWidget *page, data::DataSource *source)
    : m_page(page)
    , m_source(source) {}

DBEdit *FormBuilder::edit(const char *name, const QString &column, QRect geometry) {
    auto *edit = placed(new DBEdit(m_page), name, geometry);
    edit->setDataSource(m_source);
    edit->setDataField(column);
    return edit;
}

DBMemo *FormBuilder::memo(const char *name, const QString &column, QRect geometry) {
    auto *memo = placed(new DBMemo(m_page), name, geometry);
    memo->setDataSource(m_source);
    memo->setDataField(column);
    return memo;
}

DBComboBox *FormBuilder::comboBox(const char *name, const QString &column, QRect geometry,
                                  const QStringList &items) {
    auto *box = placed(new DBComboBox(m_page), name, geometry);
    box->addItems(items);
    box->setDataSource(m_source);
    box->setDataField(column);
    return box;
}

DBCheckBox *FormBuilder::checkBox(const char *name, const QString &column, QRect geometry,
                                  const QString &caption) {
    auto *box = placed(new DBCheckBox(caption, m_page), name, geometry);
    box->setDataSource(m_source);
    box->setDataField(column);
    return box;
}

DBGrid *FormBuilder::grid(const char *name, QRect geometry,
                          const QList<TableModel::Column> &columns) {
    auto *grid = placed(new DBGrid(m_page), name, geometry);
    grid->setDataSource(m_source);
    grid->setColumns(columns);
    return grid;
}

DBNavigator *FormBuilder::navigator(const char *name, QRect geometry) {
    auto *navigator = placed(new DBNavigator(m_page), name, geometry);
    navigator->setDataSource(m_source);
    return navigator;
}

QLabel *FormBuilder::label(const char *name, const QString &text, int left, int top) {
    auto *label = new QLabel(text, m_page);
    if (name)
        label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QPushButton *FormBuilder::button(const char *name, const QString &caption, QRect geometry) {
    return placed(new QPushButton(caption, m_page), name, geometry);
}

QPushButton *FormBuilder::closeButton(const char *name, QRect geometry) {
    QPushButton *close = button(name, QStringLiteral("&Close"), geometry);
    close->setIcon(doorIcon());
    QObject::connect(close, &QPushButton::clicked, close, [close] { close->window()->close(); });
    return close;
}

QFrame *FormBuilder::pictureFrame(const char *name, QRect geometry) {
    auto *frame = placed(new QFrame(m_page), name, geometry);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(2);
    frame->setMidLineWidth(2);
    return frame;
}

QLabel *FormBuilder::noPicturePanel(const char *name, QWidget *parent, QRect geometry) {
    auto *panel = placed(new QLabel(QStringLiteral("No Picture"), parent), name, geometry);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setAutoFillBackground(true);
    panel->hide();
    return panel;
}

void FormBuilder::chainTabOrder(std::initializer_list<QWidget *> order) {
    QWidget *previous = nullptr;
    for (QWidget *widget : order) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void FormBuilder::setBold(QWidget *widget) {
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

} // namespace widgets

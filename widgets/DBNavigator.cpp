#include "widgets/DBNavigator.h"

#include "data/DataSource.h"
#include "data/TableObject.h"
#include "widgets/FieldLink.h"
#include "widgets/Messages.h"

#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace widgets {

namespace {

const char *const kNames[] = {"nbFirst",  "nbPrior", "nbNext", "nbLast",   "nbInsert",
                              "nbDelete", "nbEdit",  "nbPost", "nbCancel", "nbRefresh"};
const char *const kHints[] = {"First record",  "Prior record",  "Next record", "Last record",
                              "Insert record", "Delete record", "Edit record", "Post edit",
                              "Cancel edit",   "Refresh data"};

QIcon glyph(int which) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x20, 0x20, 0x20);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    auto triangle = [&](qreal x, bool left) {
        if (left)
            p.drawPolygon(QPolygonF({QPointF(x + 4, 2), QPointF(x + 4, 10), QPointF(x, 6)}));
        else
            p.drawPolygon(QPolygonF({QPointF(x, 2), QPointF(x, 10), QPointF(x + 4, 6)}));
    };
    switch (which) {
    case DBNavigator::nbFirst:
        p.drawRect(QRectF(2, 2, 1.5, 8));
        triangle(4, true);
        break;
    case DBNavigator::nbPrior:
        triangle(4, true);
        break;
    case DBNavigator::nbNext:
        triangle(4, false);
        break;
    case DBNavigator::nbLast:
        triangle(4, false);
        p.drawRect(QRectF(8.5, 2, 1.5, 8));
        break;
    case DBNavigator::nbInsert:
        p.drawRect(QRectF(5, 2, 2, 8));
        p.drawRect(QRectF(2, 5, 8, 2));
        break;
    case DBNavigator::nbDelete:
        p.drawRect(QRectF(2, 5, 8, 2));
        break;
    case DBNavigator::nbEdit:
        p.drawPolygon(QPolygonF({QPointF(6, 2), QPointF(10, 10), QPointF(2, 10)}));
        break;
    case DBNavigator::nbPost:
        p.setPen(QPen(ink, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(2, 6), QPointF(5, 9.5), QPointF(10, 2.5)}));
        break;
    case DBNavigator::nbCancel:
        p.setPen(QPen(QColor(0xA0, 0x10, 0x10), 1.8));
        p.drawLine(QPointF(2.5, 2.5), QPointF(9.5, 9.5));
        p.drawLine(QPointF(9.5, 2.5), QPointF(2.5, 9.5));
        break;
    case DBNavigator::nbRefresh: {
        p.setPen(QPen(ink, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2, 2, 8, 8), 90 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(6, 0), QPointF(9, 2), QPointF(6, 4)}));
        break;
    }
    }
    return QIcon(pixmap);
}

} // namespace

DBNavigator::DBNavigator(QWidget *parent)
    : QWidget(parent) {
    for (int i = 0; i < ButtonCount; ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(kNames[i]));
        button->setIcon(glyph(i));
        button->setText(QString::fromLatin1(kHints[i]));
        button->setToolTip(QString::fromLatin1(kHints[i]));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setFocusPolicy(Qt::NoFocus);
        button->setEnabled(false);
        connect(button, &QToolButton::clicked, this,
                [this, i] { clickButton(static_cast<Button>(i)); });
        m_buttons[i] = button;
    }
}

void DBNavigator::setDataSource(data::DataSource *source) {
    for (const auto &link : std::as_const(m_links))
        disconnect(link);
    m_links.clear();
    m_source = source;
    if (source)
        m_links << connect(source, &data::DataSource::dataChange, this, &DBNavigator::updateButtons)
                << connect(source, &data::DataSource::stateChange, this,
                           &DBNavigator::updateButtons)
                << connect(source, &data::DataSource::dataSetChanged, this,
                           &DBNavigator::updateButtons);
    updateButtons();
}

void DBNavigator::setVisibleButtons(const QList<Button> &buttons) {
    for (int i = 0; i < ButtonCount; ++i)
        m_buttons[i]->setVisible(buttons.contains(static_cast<Button>(i)));
    layoutButtons();
}

void DBNavigator::setShowHints(bool show) {
    m_showHints = show;
    for (int i = 0; i < ButtonCount; ++i)
        m_buttons[i]->setToolTip(show ? QString::fromLatin1(kHints[i]) : QString());
}

void DBNavigator::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    layoutButtons();
}

void DBNavigator::layoutButtons() {
    QList<QToolButton *> shown;
    for (QToolButton *button : m_buttons)
        if (!button->isHidden())
            shown << button;
    if (shown.isEmpty())
        return;
    // The buttons share the bar's width equally; the remainder is spread
    // over the first ones.
    const int count = int(shown.size());
    const int each = width() / count;
    int extra = width() - each * count;
    int x = 0;
    for (QToolButton *button : shown) {
        const int w = each + (extra-- > 0 ? 1 : 0);
        button->setGeometry(x, 0, w, height());
        x += w;
    }
}

void DBNavigator::updateButtons() {
    data::TableObject *table = m_source ? m_source->dataSet() : nullptr;
    const bool active = table && table->isActive();
    const bool canModify = active && table->canModify();
    const bool editing = active && table->isEditing();
    const bool atBeginning = !active || table->bof();
    const bool atEnd = !active || table->eof();
    m_buttons[nbFirst]->setEnabled(!atBeginning);
    m_buttons[nbPrior]->setEnabled(!atBeginning);
    m_buttons[nbNext]->setEnabled(!atEnd);
    m_buttons[nbLast]->setEnabled(!atEnd);
    m_buttons[nbInsert]->setEnabled(canModify);
    m_buttons[nbDelete]->setEnabled(canModify && !table->isEmpty());
    m_buttons[nbEdit]->setEnabled(canModify && !editing);
    m_buttons[nbPost]->setEnabled(editing);
    m_buttons[nbCancel]->setEnabled(editing);
    m_buttons[nbRefresh]->setEnabled(canModify);
}

void DBNavigator::clickButton(Button which) {
    try {
        perform(which);
    } catch (...) {
        reportCurrentException();
        return;
    }
    emit click(which);
}

void DBNavigator::perform(Button which) {
    data::TableObject *table = m_source ? m_source->dataSet() : nullptr;
    if (!table)
        return;
    if (which == nbDelete) {
        if (confirm(QStringLiteral("Delete record?"), QStringLiteral("Confirm")))
            table->remove();
        return;
    }
    if (which != nbCancel)
        FieldLink::writeAllPending(m_source);
    switch (which) {
    case nbFirst:
        table->first();
        break;
    case nbPrior:
        table->prior();
        break;
    case nbNext:
        table->next();
        break;
    case nbLast:
        table->last();
        break;
    case nbInsert:
        table->insert();
        break;
    case nbEdit:
        table->edit();
        break;
    case nbPost:
        table->post();
        break;
    case nbCancel:
        table->cancel();
        break;
    case nbRefresh:
        table->refresh();
        break;
    default:
        break;
    }
}

} // namespace widgets

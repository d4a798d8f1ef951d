#include "widgets/DBMemo.h"

#include "data/Field.h"
#include "widgets/DBEdit.h"
#include "widgets/FieldLink.h"
#include "widgets/Messages.h"

#include <QKeyEvent>
#include <QMenu>
#include <memory>

namespace widgets {

DBMemo::DBMemo(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_link(new FieldLink(this)) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    m_link->onLoad = [this] {
        data::Field *field = m_link->field();
        const QString shown = field ? field->asString() : QString();
        if (toPlainText() != shown)
            setPlainText(shown);
        setReadOnly(field && field->isReadOnly());
    };
    m_link->onWrite = [this] {
        if (data::Field *field = m_link->field())
            field->setAsString(toPlainText());
    };
    connect(this, &QPlainTextEdit::textChanged, m_link, [this] {
        if (!m_link->isLoading())
            m_link->setModified(true);
    });
}

void DBMemo::setDataSource(data::DataSource *source) {
    m_link->setDataSource(source);
}

void DBMemo::setDataField(const QString &column) {
    m_link->setFieldName(column);
}

void DBMemo::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && m_link->isModified()) {
        m_link->reload();
        return;
    }
    const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if ((newLine || isEditingKey(event)) && !m_link->beginUserChange()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DBMemo::inputMethodEvent(QInputMethodEvent *event) {
    if (!event->commitString().isEmpty() && !m_link->beginUserChange())
        return;
    QPlainTextEdit::inputMethodEvent(event);
}

void DBMemo::insertFromMimeData(const QMimeData *source) {
    if (m_link->beginUserChange())
        QPlainTextEdit::insertFromMimeData(source);
}

void DBMemo::contextMenuEvent(QContextMenuEvent *event) {
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    const QString before = toPlainText();
    menu->exec(event->globalPos());
    if (toPlainText() == before || m_link->editing())
        return;
    const QString changed = toPlainText();
    if (m_link->beginUserChange()) {
        setPlainText(changed);
        m_link->setModified(true);
    } else {
        m_link->reload();
    }
}

void DBMemo::focusOutEvent(QFocusEvent *event) {
    QPlainTextEdit::focusOutEvent(event);
    m_link->focusLeft(event);
}

} // namespace widgets

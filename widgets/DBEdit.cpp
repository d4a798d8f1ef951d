#include "widgets/DBEdit.h"

#include "data/Field.h"
#include "widgets/FieldLink.h"
#include "widgets/Messages.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace widgets {

bool isEditingKey(const QKeyEvent *event) {
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
        event->matches(QKeySequence::DeleteEndOfWord) ||
        event->matches(QKeySequence::DeleteStartOfWord))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return true;
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

int editLimit(const data::Field *field) {
    return field->type() == data::Field::Type::Text && field->size() > 0 ? field->size() : 32767;
}

DBEdit::DBEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_link(new FieldLink(this)) {
    m_link->onLoad = [this] { load(); };
    m_link->onWrite = [this] { write(); };
    connect(this, &QLineEdit::textEdited, m_link, [this] { m_link->setModified(true); });
}

void DBEdit::setDataSource(data::DataSource *source) {
    m_link->setDataSource(source);
}

void DBEdit::setDataField(const QString &column) {
    m_link->setFieldName(column);
}

void DBEdit::load() {
    data::Field *field = m_link->field();
    if (!field) {
        clear();
        return;
    }
    const auto type = field->type();
    if (maxLength() != editLimit(field))
        setMaxLength(editLimit(field));
    const bool number = type == data::Field::Type::AutoIncrement ||
                        type == data::Field::Type::Currency || type == data::Field::Type::Float;
    const Qt::Alignment align =
        (alignment() & Qt::AlignVertical_Mask) | (number ? Qt::AlignRight : Qt::AlignLeft);
    if (alignment() != align)
        setAlignment(align);
    if (isReadOnly() != field->isReadOnly())
        setReadOnly(field->isReadOnly());
    const QString shown = field->asString();
    if (text() != shown) {
        setText(shown);
        setCursorPosition(0);
    }
}

void DBEdit::write() {
    if (data::Field *field = m_link->field())
        field->setAsString(text());
}

void DBEdit::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && m_link->isModified()) {
        m_link->reload();
        selectAll();
        return;
    }
    if (isEditingKey(event) && !m_link->beginUserChange()) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DBEdit::inputMethodEvent(QInputMethodEvent *event) {
    if (!event->commitString().isEmpty() && !m_link->beginUserChange())
        return;
    QLineEdit::inputMethodEvent(event);
}

void DBEdit::dropEvent(QDropEvent *event) {
    if (!m_link->beginUserChange())
        return;
    QLineEdit::dropEvent(event);
}

void DBEdit::contextMenuEvent(QContextMenuEvent *event) {
    // The edit's own menu may cut, paste or delete: that starts an edit too.
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (!m_link->canModify()) {
        static const QStringList modifying = {"edit-undo", "edit-redo", "edit-cut", "edit-paste",
                                              "edit-delete"};
        for (QAction *action : menu->actions())
            if (modifying.contains(action->objectName()))
                action->setEnabled(false);
    }
    const QString before = text();
    menu->exec(event->globalPos());
    if (text() == before)
        return;
    const QString changed = text();
    if (m_link->beginUserChange()) {
        setText(changed);
        m_link->setModified(true);
    } else {
        setText(before);
    }
}

void DBEdit::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    m_link->focusLeft(event);
}

} // namespace widgets

#include "widgets/DBComboBox.h"

#include "data/Field.h"
#include "widgets/DBEdit.h"
#include "widgets/FieldLink.h"
#include "widgets/Messages.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace widgets {

DBComboBox::DBComboBox(QWidget *parent)
    : QComboBox(parent)
    , m_link(new FieldLink(this)) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    setCompleter(nullptr);
    lineEdit()->installEventFilter(this);
    m_link->onLoad = [this] {
        data::Field *field = m_link->field();
        if (field && field->type() == data::Field::Type::Text && field->size() > 0 &&
            lineEdit()->maxLength() != field->size())
            lineEdit()->setMaxLength(field->size());
        const QString shown = field ? field->asString() : QString();
        if (currentText() == shown)
            return;
        setCurrentIndex(findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive));
        setEditText(shown);
    };
    m_link->onWrite = [this] {
        if (data::Field *field = m_link->field())
            field->setAsString(currentText());
    };
    connect(lineEdit(), &QLineEdit::textEdited, m_link, [this] { m_link->setModified(true); });
    connect(this, &QComboBox::activated, this, &DBComboBox::picked);
}

void DBComboBox::setDataSource(data::DataSource *source) {
    m_link->setDataSource(source);
}

void DBComboBox::setDataField(const QString &column) {
    m_link->setFieldName(column);
}

void DBComboBox::showPopup() {
    if (m_link->canModify())
        QComboBox::showPopup();
}

void DBComboBox::picked(int index) {
    const QString chosen = itemText(index);
    if (!m_link->beginUserChange()) {
        m_link->reload();
        return;
    }
    setEditText(chosen);
    m_link->setModified(true);
}

bool DBComboBox::eventFilter(QObject *watched, QEvent *event) {
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && m_link->isModified()) {
            m_link->reload();
            return true;
        }
        if (isEditingKey(key) && !m_link->beginUserChange())
            return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void DBComboBox::focusOutEvent(QFocusEvent *event) {
    QComboBox::focusOutEvent(event);
    m_link->focusLeft(event);
}

} // namespace widgets

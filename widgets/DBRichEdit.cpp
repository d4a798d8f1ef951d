#include "widgets/DBRichEdit.h"

#include "data/Field.h"
#include "platform/rtf/RtfFormat.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "widgets/DBEdit.h"
#include "widgets/FieldLink.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>

namespace widgets {

DBRichEdit::DBRichEdit(QWidget *parent)
    : QTextEdit(parent)
    , m_link(new FieldLink(this)) {
    setLineWrapMode(QTextEdit::WidgetWidth);
    setAcceptRichText(true);
    m_link->onLoad = [this] { load(); };
    m_link->onWrite = [this] { write(); };
    connect(this, &QTextEdit::textChanged, m_link, [this] {
        if (!m_link->isLoading() && m_editingAllowed)
            m_link->setModified(true);
    });
}

void DBRichEdit::setDataSource(data::DataSource *source) {
    m_link->setDataSource(source);
}

void DBRichEdit::setDataField(const QString &column) {
    m_link->setFieldName(column);
}

void DBRichEdit::setEditingAllowed(bool allowed) {
    m_editingAllowed = allowed;
    setReadOnly(!allowed);
    setTextInteractionFlags(allowed ? Qt::TextEditorInteraction
                                    : Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void DBRichEdit::load() {
    data::Field *field = m_link->field();
    const QString value = field ? field->value().toString() : QString();
    // Starting an edit, or saving, reports a data change: the text on view
    // already is the record's, and the caret stays where it is.
    if (m_shown && value == m_shownValue && !document()->isModified())
        return;
    platform::RtfReader reader;
    reader.setDefaultCharFormat(typingFormat());
    reader.read(value, document());
    m_shown = true;
    m_shownValue = value;
    document()->setModified(false);
    // A new text shows from its top.
    setTextCursor(QTextCursor(document()));
    scrollToTop();
    m_topWhenShown = !isVisible();
}

QTextCharFormat DBRichEdit::typingFormat() const {
    // The control's font, with the character set and pitch that a stored
    // page names with the face.
    QTextCharFormat format;
    format.setFont(font());
    format.setProperty(platform::CharSetProperty, 0);
    format.setProperty(platform::PitchProperty, QFontInfo(font()).fixedPitch() ? 1 : 2);
    return format;
}

void DBRichEdit::write() {
    data::Field *field = m_link->field();
    if (!field)
        return;
    const QString rtf = platform::RtfWriter().writeColumnText(*document());
    field->setValue(rtf);
    m_shownValue = rtf;
    document()->setModified(false);
}

void DBRichEdit::scrollToTop() {
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void DBRichEdit::showEvent(QShowEvent *event) {
    QTextEdit::showEvent(event);
    // A text loaded while hidden was laid out for another size.
    if (m_topWhenShown) {
        m_topWhenShown = false;
        QTimer::singleShot(0, this, &DBRichEdit::scrollToTop);
    }
}

void DBRichEdit::keyPressEvent(QKeyEvent *event) {
    // Escape drops what was not yet written into the record; the record
    // itself stays in edit.
    if (event->key() == Qt::Key_Escape && m_editingAllowed) {
        if (m_link->isModified())
            m_link->reload();
        event->accept();
        return;
    }
    const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool changes = newLine || event->key() == Qt::Key_Tab || isEditingKey(event);
    if (changes && (!m_editingAllowed || !m_link->beginUserChange())) {
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void DBRichEdit::insertFromMimeData(const QMimeData *source) {
    if (m_editingAllowed && m_link->beginUserChange())
        QTextEdit::insertFromMimeData(source);
}

void DBRichEdit::focusOutEvent(QFocusEvent *event) {
    QTextEdit::focusOutEvent(event);
    if (m_editingAllowed)
        m_link->focusLeft(event);
}

} // namespace widgets

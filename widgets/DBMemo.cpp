#include "widgets/DBMemo.h"

#include "data/Field.h"
#include "widgets/DBEdit.h"
#include "widgets/FieldLink.h"
#include "widgets/MemoText.h"
#include "widgets/Messages.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
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
        if (!memoShows(document(), shown))
            setMemoText(this, shown);
        setReadOnly(field && field->isReadOnly());
    };
    m_link->onWrite = [this] {
        if (data::Field *field = m_link->field())
            field->setAsString(memoText(document()));
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
    if (editAcrossPieces(event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

// Keys that would treat the break between two pieces of a long paragraph as a
// character: Enter in a piece starts a paragraph of its own, Backspace and Delete
// reach the character on the other side of the break.
bool DBMemo::editAcrossPieces(const QKeyEvent *event) {
    QTextCursor cursor = textCursor();
    if (!continuesParagraph(cursor.block()) && !continuesParagraph(cursor.block().next()))
        return false;
    if (event->matches(QKeySequence::InsertParagraphSeparator)) {
        cursor.insertBlock(QTextBlockFormat());
    } else if (cursor.hasSelection()) {
        return false;
    } else if (event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier &&
               cursor.atBlockStart() && continuesParagraph(cursor.block())) {
        cursor.movePosition(QTextCursor::PreviousCharacter);
        cursor.deletePreviousChar();
    } else if (event->matches(QKeySequence::Delete) && cursor.atBlockEnd() &&
               continuesParagraph(cursor.block().next())) {
        cursor.movePosition(QTextCursor::NextCharacter);
        cursor.deleteChar();
    } else {
        return false;
    }
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

void DBMemo::inputMethodEvent(QInputMethodEvent *event) {
    if (!event->commitString().isEmpty() && !m_link->beginUserChange())
        return;
    QPlainTextEdit::inputMethodEvent(event);
}

void DBMemo::insertFromMimeData(const QMimeData *source) {
    if (!m_link->beginUserChange())
        return;
    QTextCursor cursor = textCursor();
    QString pasted = source->text();
    if (!source->hasText() ||
        (!holdsPieces(document()) && pasted.size() + cursor.block().length() <= kLongParagraph)) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // The whole text again, so that a long paragraph is held in pieces.
    pasted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const int from = memoPosition(document(), cursor.selectionStart());
    const int to = memoPosition(document(), cursor.selectionEnd());
    setMemoText(this, memoText(document()).replace(from, to - from, pasted));
    cursor.setPosition(documentPosition(document(), from + int(pasted.size())));
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData *DBMemo::createMimeDataFromSelection() const {
    if (!holdsPieces(document()))
        return QPlainTextEdit::createMimeDataFromSelection();
    auto *selected = new QMimeData;
    selected->setText(memoSelection(textCursor()));
    return selected;
}

void DBMemo::contextMenuEvent(QContextMenuEvent *event) {
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    const QString before = memoText(document());
    menu->exec(event->globalPos());
    if (memoShows(document(), before) || m_link->editing())
        return;
    const QString changed = memoText(document());
    if (m_link->beginUserChange()) {
        setMemoText(this, changed);
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

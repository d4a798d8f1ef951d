#include "private/TextCommands.h"

#include "core/Clock.h"
#include "data/DataSource.h"
#include "data/TableObject.h"
#include "private/PasswordGate.h"
#include "widgets/DBRichEdit.h"
#include "widgets/FieldLink.h"
#include "widgets/FindDialog.h"
#include "widgets/FontDialog.h"
#include "widgets/Messages.h"

#include <QColorDialog>
#include <QLocale>
#include <QTextDocument>

namespace privatepages {

TextCommands::TextCommands(const Parts &parts, QObject *parent)
    : QObject(parent)
    , m_parts(parts) {}

widgets::DBRichEdit *TextCommands::target() const {
    if (!m_parts.gate->privateContentsVisible())
        return nullptr;
    switch (m_parts.currentPage()) {
    case widgets::Page::Diary:
        return m_parts.diaryText;
    case widgets::Page::Help:
        return m_parts.helpText;
    default:
        return nullptr;
    }
}

void TextCommands::UndoClick() {
    if (widgets::DBRichEdit *text = target())
        text->undo();
}

void TextCommands::CutClick() {
    widgets::DBRichEdit *text = target();
    if (text && text->editingAllowed() && text->link()->beginUserChange())
        text->cut();
}

void TextCommands::CopyClick() {
    if (widgets::DBRichEdit *text = target())
        text->copy();
}

void TextCommands::PasteClick() {
    widgets::DBRichEdit *text = target();
    if (text && text->editingAllowed() && text->link()->beginUserChange())
        text->paste();
}

void TextCommands::SelectAllClick() {
    if (widgets::DBRichEdit *text = target())
        text->selectAll();
}

void TextCommands::Font1Click() {
    widgets::DBRichEdit *text = target();
    if (!text || m_parts.fontDialog->exec() != QDialog::Accepted)
        return;
    const QFont font = m_parts.fontDialog->currentFont();
    QTextCharFormat format;
    format.setForeground(m_parts.fontDialog->colour());
    format.setFontFamilies({font.family()});
    format.setFontPointSize(font.pointSizeF() > 0 ? font.pointSizeF()
                                                  : QFontInfo(font).pointSizeF());
    format.setFontWeight(font.weight());
    format.setFontItalic(font.italic());
    format.setFontUnderline(font.underline());
    format.setFontStrikeOut(font.strikeOut());
    format.setFontFixedPitch(font.fixedPitch());
    // With nothing selected, the format applies to what is typed next.
    text->mergeCurrentCharFormat(format);
}

void TextCommands::startDiaryEdit() {
    data::TableObject *diary = m_parts.diary->dataSet();
    if (!diary->isEditing())
        diary->edit(); // on an empty table, a new page
}

void TextCommands::Color1Click() {
    widgets::DBRichEdit *text = target();
    if (!text || m_parts.colourDialog->exec() != QDialog::Accepted)
        return;
    startDiaryEdit();
    // The colour belongs to the text area, not to the text: nothing is stored.
    QPalette palette = text->palette();
    palette.setColor(QPalette::Base, m_parts.colourDialog->currentColor());
    text->setPalette(palette);
    widgets::FieldLink::writeAllPending(m_parts.diary);
}

void TextCommands::InsertDate1Click() {
    // Only into the diary page on view: never into a hidden or locked one.
    if (target() != m_parts.diaryText)
        return;
    startDiaryEdit();
    const QString date = QLocale().toString(core::Clock::today(), QLocale::ShortFormat);
    m_parts.diaryText->textCursor().insertText(date);
}

void TextCommands::FindTextClick() {
    switch (m_parts.currentPage()) {
    case widgets::Page::Household:
    case widgets::Page::People:
        widgets::showMessage(QStringLiteral("Use \"Search\" tool for this page."));
        break;
    case widgets::Page::Diary:
    case widgets::Page::Help:
        if (widgets::DBRichEdit *text = target())
            openFindDialogAt(text);
        break;
    case widgets::Page::Privacy:
        widgets::showMessage(QStringLiteral("This feature is not for this page."));
        break;
    default:
        break;
    }
}

void TextCommands::openFindDialogAt(widgets::DBRichEdit *text) {
    widgets::FindDialog *dialog = m_parts.findDialog;
    dialog->move(text->mapToGlobal(QPoint(text->width(), 0)));
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TextCommands::FindDialog1Find() {
    widgets::DBRichEdit *text = target();
    if (!text)
        return;
    const QString wanted = m_parts.findDialog->findText();
    const QTextCursor selection = text->textCursor();
    const int start = selection.hasSelection() ? selection.selectionEnd() : 0;
    // Forward and case-sensitive, matching anywhere, whatever the dialog's boxes say.
    const QTextCursor hit =
        text->document()->find(wanted, start, QTextDocument::FindCaseSensitively);
    if (hit.isNull())
        return;
    text->setFocus();
    text->setTextCursor(hit);
}

} // namespace privatepages

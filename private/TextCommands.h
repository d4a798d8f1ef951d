#pragma once

#include "widgets/Page.h"

#include <QObject>
#include <functional>

class QColorDialog;

namespace data {
class DataSource;
}
namespace widgets {
class DBRichEdit;
class FontDialog;
class FindDialog;
} // namespace widgets

namespace privatepages {

class PasswordGate;

// The commands on the rich text of the Diary and Help pages: undo, cut, copy,
// paste, select all, font, colour and the date, and finding a text. Their target
// is chosen anew each time from the page in front: the help text on Help, the
// diary text on an opened Diary page; elsewhere, and while the password gate
// stands, there is none and the commands do nothing.
class TextCommands : public QObject {
    Q_OBJECT
public:
    struct Parts {
        widgets::DBRichEdit *diaryText = nullptr;
        widgets::DBRichEdit *helpText = nullptr;
        data::DataSource *diary = nullptr;
        widgets::FontDialog *fontDialog = nullptr;
        QColorDialog *colourDialog = nullptr;
        widgets::FindDialog *findDialog = nullptr;
        std::function<widgets::Page()> currentPage;
        const PasswordGate *gate = nullptr;
    };

    explicit TextCommands(const Parts &parts, QObject *parent = nullptr);

    // The text the commands act on now, or null.
    widgets::DBRichEdit *target() const;

    void UndoClick();
    void CutClick();
    void CopyClick();
    void PasteClick();
    void SelectAllClick();
    void Font1Click();
    void Color1Click();
    void InsertDate1Click();
    void FindTextClick();
    void FindDialog1Find();

private:
    void startDiaryEdit();
    void openFindDialogAt(widgets::DBRichEdit *text);

    Parts m_parts;
};

} // namespace privatepages

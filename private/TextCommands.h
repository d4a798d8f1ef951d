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

// The commands on the rich text of the Diary and Help pages: undo, cut, copy,
// paste, select all, font, colour and the date, and finding a text. Their target
// is chosen anew each time from the page in front: the help text on Help, the
// diary text anywhere else.
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
    };

    explicit TextCommands(const Parts &parts, QObject *parent = nullptr);

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

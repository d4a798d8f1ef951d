#pragma once

#include <QTextEdit>

namespace data {
class DataSource;
}

namespace widgets {

class FieldLink;

// A rich-text area bound to a memo column that holds RTF (or plain text): it
// shows the current record's text and reloads it whenever the record changes.
// A read-only one never starts an edit; an editable one writes its text back
// as RTF when it loses the focus and before a post.
class DBRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit DBRichEdit(QWidget *parent = nullptr);

    void setDataSource(data::DataSource *source);
    void setDataField(const QString &column);
    FieldLink *link() const { return m_link; }

    // Off for good on a viewer: typing, cutting and pasting never edit it.
    void setEditingAllowed(bool allowed);
    bool editingAllowed() const { return m_editingAllowed; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void showEvent(QShowEvent *event) override;

private:
    void load();
    void write();
    // The format of plain-text values and of what is typed into an empty page.
    QTextCharFormat typingFormat() const;
    void scrollToTop();

    FieldLink *m_link;
    bool m_editingAllowed = true;
    bool m_topWhenShown = false;
    bool m_shown = false;
    QString m_shownValue; // the column text the document stands for
};

} // namespace widgets

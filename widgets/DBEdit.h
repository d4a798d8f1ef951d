#pragma once

#include <QLineEdit>

namespace data {
class DataSource;
class Field;
} // namespace data

namespace widgets {

class FieldLink;

// A single-line edit bound to one column: shows the current record's value,
// starts an edit when the user types, writes its text when it loses the focus
// and before a post. Bad text (a wrong date) is reported, the text selected and
// the focus kept.
class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);

    void setDataSource(data::DataSource *source);
    void setDataField(const QString &column);
    FieldLink *link() const { return m_link; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void load();
    void write();

    FieldLink *m_link;
};

// The most characters an edit of the field takes: the column's width for text,
// else QLineEdit's own limit.
int editLimit(const data::Field *field);

// True when the key would change the text of an editor.
bool isEditingKey(const QKeyEvent *event);

} // namespace widgets

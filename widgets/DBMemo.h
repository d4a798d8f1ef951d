#pragma once

#include <QPlainTextEdit>

namespace data {
class DataSource;
}

namespace widgets {

class FieldLink;

// A multi-line memo bound to one column: wraps at its width, no scroll bars. Text
// of any length shows at once (see MemoText.h).
class DBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DBMemo(QWidget *parent = nullptr);

    void setDataSource(data::DataSource *source);
    void setDataField(const QString &column);
    FieldLink *link() const { return m_link; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    bool editAcrossPieces(const QKeyEvent *event);

    FieldLink *m_link;
};

} // namespace widgets

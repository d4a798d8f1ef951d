#pragma once

#include <QComboBox>

namespace data {
class DataSource;
}

namespace widgets {

class FieldLink;

// A drop-down combo box bound to one column: pick an entry of its fixed list
// or type any other text; it shows the column's value also when it is not in
// the list.
class DBComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DBComboBox(QWidget *parent = nullptr);

    void setDataSource(data::DataSource *source);
    void setDataField(const QString &column);
    FieldLink *link() const { return m_link; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void showPopup() override;

private:
    void picked(int index);

    FieldLink *m_link;
};

} // namespace widgets

#pragma once

#include <QCheckBox>

namespace data {
class DataSource;
}

namespace widgets {

class FieldLink;

// A check box bound to a boolean column: checked for true, unchecked for
// false, indeterminate without a value. A click writes true (from unchecked or
// indeterminate) or false (from checked).
class DBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DBCheckBox(const QString &caption, QWidget *parent = nullptr);

    void setDataSource(data::DataSource *source);
    void setDataField(const QString &column);
    FieldLink *link() const { return m_link; }

protected:
    void nextCheckState() override;

private:
    FieldLink *m_link;
};

} // namespace widgets

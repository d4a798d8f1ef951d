#pragma once

#include <QColor>
#include <QColorDialog>

namespace widgets {

// The colour dialog: it first shows black, then the last choice; cancelling
// forgets whatever was picked in it.
class ColorDialog : public QColorDialog {
    Q_OBJECT
public:
    explicit ColorDialog(QWidget *parent = nullptr);

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QColor m_shown = Qt::black;
};

} // namespace widgets

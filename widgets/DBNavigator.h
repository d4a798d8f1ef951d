#pragma once

#include "data/DataSource.h"
#include "data/TableObject.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QToolButton;

namespace data {
class DataSource;
}

namespace widgets {

// A bar of record buttons bound to a data source. Each button carries out its
// table operation and then calls the click handler with its index; a refused
// operation is reported and the handler is not called.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button {
        nbFirst,
        nbPrior,
        nbNext,
        nbLast,
        nbInsert,
        nbDelete,
        nbEdit,
        nbPost,
        nbCancel,
        nbRefresh,
        ButtonCount
    };
    Q_ENUM(Button)

    explicit DBNavigator(QWidget *parent = nullptr);

    void setDataSource(data::DataSource *source);
    data::DataSource *dataSource() const { return m_source; }
    // The buttons shown, in index order; all ten by default.
    void setVisibleButtons(const QList<Button> &buttons);
    void setShowHints(bool show);

    QToolButton *button(Button which) const { return m_buttons[which]; }
    // Performs the button's operation as a click does, whether or not the
    // button is enabled, and calls the click handler after it succeeded.
    void clickButton(Button which);

    // The enabling rules, from the table's state and flags.
    void updateButtons();

signals:
    void click(widgets::DBNavigator::Button button);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void perform(Button which);
    void layoutButtons();

    QPointer<data::DataSource> m_source;
    QList<QMetaObject::Connection> m_links;
    QToolButton *m_buttons[ButtonCount] = {};
    bool m_showHints = true;
};

} // namespace widgets

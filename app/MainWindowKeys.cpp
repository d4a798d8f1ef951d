#include "app/TForm1.h"

#include "records/NameSearch.h"
#include "widgets/Messages.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

bool insideItemView(QWidget *widget) {
    for (QWidget *w = widget; w; w = w->parentWidget())
        if (qobject_cast<QAbstractItemView *>(w))
            return true;
    return false;
}

} // namespace

bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!enter || !widget || !isAncestorOf(widget))
        return QMainWindow::eventFilter(watched, event);

    // Enter on a focused push button presses it.
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        if (button->isEnabled())
            button->click();
        return true;
    }
    // While the change box or the search box shows, its OK is the window's
    // default button: Enter in a single-line edit of the window presses it. A
    // grid's cell editor keeps its Enter.
    auto *edit = qobject_cast<QLineEdit *>(widget);
    if (edit && !insideItemView(edit)) {
        if (ChangePassword->isVisible()) {
            btnChange->click();
            return true;
        }
        if (Searching->isVisible()) {
            widgets::guarded([this] { m_search->btnOKClick(); })();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

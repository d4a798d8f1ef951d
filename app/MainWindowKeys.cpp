#include "app/MainWindowUi.h"
#include "app/TForm1.h"

#include "records/NameSearch.h"
#include "widgets/Messages.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace app {

namespace {

bool insideItemView(QWidget *widget) {
    for (QWidget *w = widget; w; w = w->parentWidget())
        if (qobject_cast<QAbstractItemView *>(w))
            return true;
    return false;
}

// A single-line edit field: an edit, or the entry of an editable combo box (which
// has the focus in its entry's place).
bool isSingleLineField(QWidget *widget) {
    auto *combo = qobject_cast<QComboBox *>(widget);
    const bool field = qobject_cast<QLineEdit *>(widget) || (combo && combo->isEditable());
    return field && !insideItemView(widget);
}

bool isEnter(const QKeyEvent *key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

// The window sees every key before the focused control does.
bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    auto *widget = qobject_cast<QWidget *>(watched);
    if (event->type() != QEvent::KeyPress || !widget || !isAncestorOf(widget))
        return QMainWindow::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (FormKeyDown(key) || FormKeyPress(widget, key))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::FormKeyDown(const QKeyEvent *key) {
    // Up and Down never reach a control: they move the focus, whatever the modifiers.
    if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down)
        return false;
    focusNextPrevChild(key->key() == Qt::Key_Down);
    return true;
}

bool TForm1::FormKeyPress(QWidget *focused, const QKeyEvent *key) {
    if (!isEnter(key))
        return false;
    // Enter on a focused push button presses it.
    if (auto *button = qobject_cast<QPushButton *>(focused)) {
        if (button->isEnabled())
            button->click();
        return true;
    }
    // While the change box or the search box shows, its OK is the window's
    // default button: Enter in a single-line edit presses it.
    if (isSingleLineField(focused)) {
        if (m_ui->ChangePassword->isVisible()) {
            m_ui->btnChange->click();
            return true;
        }
        if (m_ui->Searching->isVisible()) {
            widgets::guarded([this] { m_search->btnOKClick(); })();
            return true;
        }
    }
    // Elsewhere than on the Diary and Help pages, Enter moves to the next control.
    const widgets::Page page = currentPage();
    if (page == widgets::Page::Diary || page == widgets::Page::Help)
        return false;
    focusNextPrevChild(true);
    return true;
}

} // namespace app

#include "app/TForm1.h"

#include "records/NameSearch.h"
#include "widgets/Messages.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>

bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // While the search box shows, its OK is the window's default button:
        // Enter in any single-line edit of the window runs the search.
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (enter && edit && Searching->isVisible() && isAncestorOf(edit)) {
            widgets::guarded([this] { m_search->btnOKClick(); })();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

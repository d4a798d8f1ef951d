#include "tests/support/ModalAnswerer.h"

#include <QApplication>
#include <QDialog>

ModalAnswerer::ModalAnswerer() {
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start();
}

QStringList ModalAnswerer::texts() const {
    QStringList result;
    for (const Box &box : m_boxes)
        result << box.text;
    return result;
}

void ModalAnswerer::poll() {
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        m_boxes.append({box->windowTitle(), box->text(), box->icon()});
        const auto answer = m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
        if (QAbstractButton *button = box->button(answer))
            button->click();
        else
            box->done(answer);
        return;
    }
    if (m_handler) {
        m_handler(modal);
        return;
    }
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
}

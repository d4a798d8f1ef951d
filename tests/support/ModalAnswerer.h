#pragma once

#include <QAbstractButton>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// Answers the modal boxes that a test provokes, and remembers what they said.
// While it lives, every modal QMessageBox that opens is recorded and answered
// with the next queued button (OK when nothing is queued). Other modal dialogs
// are handed to a custom handler, or rejected.
class ModalAnswerer : public QObject {
    Q_OBJECT
public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    ModalAnswerer();

    void queue(QMessageBox::StandardButton button) { m_answers.append(button); }
    void setDialogHandler(std::function<void(QWidget *)> handler) {
        m_handler = std::move(handler);
    }

    const QList<Box> &boxes() const { return m_boxes; }
    QStringList texts() const;
    QString lastText() const { return m_boxes.isEmpty() ? QString() : m_boxes.back().text; }
    void clear() { m_boxes.clear(); }

private:
    void poll();

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    QList<Box> m_boxes;
    std::function<void(QWidget *)> m_handler;
};

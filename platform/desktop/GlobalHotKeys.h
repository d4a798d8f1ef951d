#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>

namespace platform {

// Key combinations bound system-wide: pressed in any program, they are taken
// from it and reported here as hotKey(id). On X11 each binding is a key grab on
// the root window (also with NumLock and CapsLock on); elsewhere nothing can be
// bound. The bindings last until the object is destroyed.
class GlobalHotKeys : public QObject, private QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit GlobalHotKeys(QObject *parent = nullptr);
    ~GlobalHotKeys() override;

    // Binds the combination under id. False, quietly, when another program or
    // another object of this one holds it, when the key is not on the keyboard, or
    // when there is no X11 display. One id may name several combinations.
    bool registerHotKey(int id, Qt::KeyboardModifiers modifiers, Qt::Key key);

    // Whether this program can bind keys at all (it runs on X11).
    static bool isAvailable();

signals:
    // Queued: the press is handled from the event loop like any other command.
    void hotKey(int id);

private:
    struct Grab {
        int id = 0;
        quint32 root = 0;
        quint8 keycode = 0;
        quint16 modifiers = 0;
    };

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    QList<quint16> lockVariants() const;
    void release(const QList<Grab> &grabs);

    QList<Grab> m_grabs;
    quint16 m_numLockMask = 0;
    bool m_filtering = false;
};

} // namespace platform

#include "platform/desktop/GlobalHotKeys.h"

#include "platform/desktop/XcbKeys.h"

#include <QCoreApplication>
#include <QSet>

#include <cstdlib>

namespace platform {

namespace {

// Combinations held by any object of this process: the X server lets one client
// grab a combination twice, so a second holder here must be refused by us.
QSet<quint64> &heldHere() {
    static QSet<quint64> held;
    return held;
}

quint64 comboKey(quint32 root, quint8 keycode, quint16 modifiers) {
    return (quint64(root) << 32) | (quint64(keycode) << 16) | modifiers;
}

} // namespace

GlobalHotKeys::GlobalHotKeys(QObject *parent)
    : QObject(parent) {}

GlobalHotKeys::~GlobalHotKeys() {
    release(m_grabs);
    if (m_filtering && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool GlobalHotKeys::isAvailable() {
    return xcb::connection() != nullptr;
}

QList<quint16> GlobalHotKeys::lockVariants() const {
    QList<quint16> variants{0, XCB_MOD_MASK_LOCK};
    if (m_numLockMask && m_numLockMask != XCB_MOD_MASK_LOCK)
        variants << m_numLockMask << quint16(m_numLockMask | XCB_MOD_MASK_LOCK);
    return variants;
}

bool GlobalHotKeys::registerHotKey(int id, Qt::KeyboardModifiers modifiers, Qt::Key key) {
    xcb_connection_t *connection = xcb::connection();
    const xcb_keysym_t symbol = xcb::keysym(key);
    const std::optional<uint16_t> mask = xcb::modifierMask(modifiers);
    if (!connection || !symbol || !mask)
        return false;
    const QList<xcb_keycode_t> codes = xcb::keycodes(connection, symbol);
    if (codes.isEmpty())
        return false;
    if (!m_filtering) {
        m_numLockMask = xcb::numLockMask(connection);
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_filtering = true;
    }

    QList<Grab> grabs;
    for (xcb_window_t root : xcb::rootWindows(connection))
        for (xcb_keycode_t code : codes) {
            if (heldHere().contains(comboKey(root, code, *mask)))
                return false;
            grabs.append({id, root, code, *mask});
        }

    QList<xcb_void_cookie_t> cookies;
    for (const Grab &grab : grabs)
        for (quint16 variant : lockVariants())
            cookies.append(xcb_grab_key_checked(connection, 0, grab.root,
                                                uint16_t(grab.modifiers | variant), grab.keycode,
                                                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool refused = false;
    for (xcb_void_cookie_t cookie : cookies)
        if (xcb_generic_error_t *error = xcb_request_check(connection, cookie)) {
            refused = true; // BadAccess: another program holds the combination
            std::free(error);
        }
    if (refused) {
        // Ungrabbing never touches another program's grab.
        for (const Grab &grab : grabs)
            for (quint16 variant : lockVariants())
                xcb_ungrab_key(connection, grab.keycode, grab.root,
                               uint16_t(grab.modifiers | variant));
        xcb_flush(connection);
        return false;
    }
    for (const Grab &grab : grabs)
        heldHere().insert(comboKey(grab.root, grab.keycode, grab.modifiers));
    m_grabs += grabs;
    return true;
}

void GlobalHotKeys::release(const QList<Grab> &grabs) {
    for (const Grab &grab : grabs)
        heldHere().remove(comboKey(grab.root, grab.keycode, grab.modifiers));
    // Without the application the display connection is gone, and its grabs with it.
    xcb_connection_t *connection = xcb::connection();
    if (!connection || grabs.isEmpty())
        return;
    for (const Grab &grab : grabs)
        for (quint16 variant : lockVariants())
            xcb_ungrab_key(connection, grab.keycode, grab.root, uint16_t(grab.modifiers | variant));
    xcb_flush(connection);
}

bool GlobalHotKeys::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) {
    if (m_grabs.isEmpty() || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const uint8_t type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto *keyEvent = static_cast<const xcb_key_press_event_t *>(message);
    const quint16 modifiers =
        keyEvent->state & xcb::kKeyModifiers & ~(XCB_MOD_MASK_LOCK | m_numLockMask);
    for (const Grab &grab : std::as_const(m_grabs)) {
        if (grab.root != keyEvent->event || grab.keycode != keyEvent->detail ||
            grab.modifiers != modifiers)
            continue;
        if (type == XCB_KEY_PRESS) {
            const int id = grab.id;
            QMetaObject::invokeMethod(
                this, [this, id] { emit hotKey(id); }, Qt::QueuedConnection);
        }
        return true;
    }
    return false;
}

} // namespace platform

#include "platform/desktop/XcbKeys.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace platform::xcb {

namespace {

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <class T> using Reply = std::unique_ptr<T, FreeDeleter>;

constexpr xcb_keysym_t kNumLock = 0xff7f;

struct KeyEntry {
    Qt::Key key;
    xcb_keysym_t symbol;
};

constexpr KeyEntry kSpecialKeys[] = {
    {Qt::Key_Escape, 0xff1b},     {Qt::Key_Tab, 0xff09},      {Qt::Key_Backspace, 0xff08},
    {Qt::Key_Return, 0xff0d},     {Qt::Key_Enter, 0xff8d},    {Qt::Key_Insert, 0xff63},
    {Qt::Key_Delete, 0xffff},     {Qt::Key_Pause, 0xff13},    {Qt::Key_Print, 0xff61},
    {Qt::Key_Home, 0xff50},       {Qt::Key_End, 0xff57},      {Qt::Key_Left, 0xff51},
    {Qt::Key_Up, 0xff52},         {Qt::Key_Right, 0xff53},    {Qt::Key_Down, 0xff54},
    {Qt::Key_PageUp, 0xff55},     {Qt::Key_PageDown, 0xff56}, {Qt::Key_Space, 0x20},
    {Qt::Key_ScrollLock, 0xff14},
};

} // namespace

xcb_connection_t *connection() {
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

QList<xcb_window_t> rootWindows(xcb_connection_t *connection) {
    QList<xcb_window_t> roots;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem;
         xcb_screen_next(&it))
        roots.append(it.data->root);
    return roots;
}

xcb_keysym_t keysym(Qt::Key key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return xcb_keysym_t('a' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return xcb_keysym_t('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return xcb_keysym_t(0xffbe + (key - Qt::Key_F1));
    for (const KeyEntry &entry : kSpecialKeys)
        if (entry.key == key)
            return entry.symbol;
    return 0;
}

std::optional<uint16_t> modifierMask(Qt::KeyboardModifiers modifiers) {
    constexpr Qt::KeyboardModifiers grabbable =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (modifiers & ~grabbable)
        return std::nullopt;
    uint16_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

QList<xcb_keycode_t> keycodes(xcb_connection_t *connection, xcb_keysym_t symbol) {
    QList<xcb_keycode_t> codes;
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    Reply<xcb_get_keyboard_mapping_reply_t> reply(xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
    if (!reply)
        return codes;
    const xcb_keysym_t *symbols = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int perCode = reply->keysyms_per_keycode;
    const int columns = qMin(perCode, 2);
    for (int i = 0; i < count; ++i)
        for (int column = 0; column < columns; ++column)
            if (symbols[i * perCode + column] == symbol) {
                codes.append(xcb_keycode_t(first + i));
                break;
            }
    return codes;
}

uint16_t numLockMask(xcb_connection_t *connection) {
    const QList<xcb_keycode_t> numLockCodes = keycodes(connection, kNumLock);
    if (numLockCodes.isEmpty())
        return 0;
    Reply<xcb_get_modifier_mapping_reply_t> reply(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (!reply)
        return 0;
    const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier)
        for (int j = 0; j < perModifier; ++j)
            if (numLockCodes.contains(codes[modifier * perModifier + j]))
                return uint16_t(1u << modifier);
    return 0;
}

} // namespace platform::xcb

#pragma once

#include <QList>
#include <Qt>

#include <optional>

#include <xcb/xcb.h>

// The X11 side of the global hot keys: the display connection, key symbols,
// key codes and modifier masks.
namespace platform::xcb {

// The application's X11 connection, or null when the program does not run on X11
// (offscreen, Wayland, no application object).
xcb_connection_t *connection();

// The root windows of every screen of the display.
QList<xcb_window_t> rootWindows(xcb_connection_t *connection);

// The key symbol of a Qt key, or 0 for a key without one here.
xcb_keysym_t keysym(Qt::Key key);

// The X11 modifier mask of Qt modifiers, or nothing for a modifier X11 cannot grab.
std::optional<uint16_t> modifierMask(Qt::KeyboardModifiers modifiers);

// The key codes that carry the symbol, unshifted or shifted, in the current mapping.
QList<xcb_keycode_t> keycodes(xcb_connection_t *connection, xcb_keysym_t symbol);

// The modifier that NumLock sets, or 0 when NumLock is not a modifier.
uint16_t numLockMask(xcb_connection_t *connection);

// The modifiers a grab compares: Shift, Control and Mod1 to Mod5.
inline constexpr uint16_t kKeyModifiers = 0xff;

} // namespace platform::xcb

// A running X11 window manager announces itself with _NET_SUPPORTING_WM_CHECK:
// the root window names a child window that names itself again. A stale name
// (a manager that has gone) fails the second look.
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <xcb/xcb.h>

#include "platform/core/WindowManager.h"

namespace platform {

namespace {

struct FreeReply {
  void operator()(void *reply) const { std::free(reply); }
};

xcb_atom_t Atom(xcb_connection_t *connection, const char *name) {
  const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The window that `window`'s property names, or none (also for a window that no longer exists).
xcb_window_t NamedWindow(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property) {
  xcb_generic_error_t *error = nullptr;
  const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1), &error));
  std::free(error);
  if (!reply || reply->type != XCB_ATOM_WINDOW || xcb_get_property_value_length(reply.get()) < 4)
    return XCB_WINDOW_NONE;
  return *static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
}

} // namespace

bool WindowManagerActs() {
  if (QGuiApplication::platformName() != "xcb")
    return true;
  const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t *connection = x11 != nullptr ? x11->connection() : nullptr;
  if (connection == nullptr)
    return true;
  const xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
  if (check == XCB_ATOM_NONE)
    return false;
  const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const xcb_window_t child = NamedWindow(connection, screen->root, check);
  return child != XCB_WINDOW_NONE && NamedWindow(connection, child, check) == child;
}

} // namespace platform

// A running X11 window manager announces itself with _NET_SUPPORTING_WM_CHECK:
// the root window names a child window that names itself again. A stale name
// (a manager that has gone) fails the second look.
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <xcb/xcb.h>

#include "platform/core/WindowManager.h"

namespace platform {

namespace {

struct FreeReply {
  void operator()(void *reply) const { std::free(reply); }
};
struct Disconnect {
  void operator()(xcb_connection_t *connection) const { xcb_disconnect(connection); }
};

xcb_atom_t Atom(xcb_connection_t *connection, const std::string &name) {
  const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.c_str()), nullptr));
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

bool Exists(xcb_connection_t *connection, xcb_window_t window) {
  xcb_generic_error_t *error = nullptr;
  const std::unique_ptr<xcb_get_window_attributes_reply_t, FreeReply> reply(
      xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), &error));
  std::free(error);
  return reply != nullptr;
}

// Whoever holds the manager selection of the screen (ICCCM), or none.
xcb_window_t ManagerSelectionOwner(xcb_connection_t *connection, int screenNumber) {
  const xcb_atom_t selection = Atom(connection, "WM_S" + std::to_string(screenNumber));
  if (selection == XCB_ATOM_NONE)
    return XCB_WINDOW_NONE;
  const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> reply(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr));
  return reply ? reply->owner : xcb_window_t{XCB_WINDOW_NONE};
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

void ForgetGoneWindowManager() {
  // Under Wayland the compositor manages the X windows too, for as long as
  // the session lives.
  const char *platform = std::getenv("QT_QPA_PLATFORM");
  const char *wayland = std::getenv("WAYLAND_DISPLAY");
  const bool xcbAsked = platform != nullptr && std::strncmp(platform, "xcb", 3) == 0;
  if (platform != nullptr && *platform != '\0' && !xcbAsked)
    return;
  if (!xcbAsked && wayland != nullptr && *wayland != '\0')
    return;
  int screenNumber = 0;
  const std::unique_ptr<xcb_connection_t, Disconnect> connection(xcb_connect(nullptr, &screenNumber));
  if (xcb_connection_has_error(connection.get()) != 0)
    return;
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
    xcb_screen_next(&screens);
  const xcb_atom_t check = Atom(connection.get(), "_NET_SUPPORTING_WM_CHECK");
  const xcb_atom_t supported = Atom(connection.get(), "_NET_SUPPORTED");
  if (screens.rem == 0 || check == XCB_ATOM_NONE || supported == XCB_ATOM_NONE)
    return;
  const xcb_window_t root = screens.data->root;
  auto gone = [&] {
    const xcb_window_t named = NamedWindow(connection.get(), root, check);
    return named != XCB_WINDOW_NONE && !Exists(connection.get(), named) &&
           ManagerSelectionOwner(connection.get(), screenNumber) == XCB_WINDOW_NONE;
  };
  // The usual answer, a live manager, costs no grab. A manager that is
  // starting takes the selection first, so the second look, under the grab,
  // cannot remove what it has just announced.
  if (!gone())
    return;
  xcb_grab_server(connection.get());
  if (gone())
    xcb_delete_property(connection.get(), root, supported);
  xcb_ungrab_server(connection.get());
  // Done before the application connects and reads the root window.
  std::free(xcb_get_input_focus_reply(connection.get(), xcb_get_input_focus(connection.get()), nullptr));
}

} // namespace platform

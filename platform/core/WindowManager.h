#pragma once
// Whether a window manager answers a top-level window's requests (the
// full-screen state, placement, decoration) on this desktop. Where none does,
// as in a bare X session, a window must place and size itself.
namespace platform {

// True on desktops whose windowing system acts on its own (Wayland, the
// headless platforms) and on X11 while a manager announces itself on the root
// window (_NET_SUPPORTING_WM_CHECK). Asked anew each time: a manager may come
// or go while the program runs.
bool WindowManagerActs();

// A manager that was killed leaves the list of what it supports on the root
// window, and Qt reads that list once, when it connects: it would hand window
// activation and full screen to nobody. Removes the list when the manager is
// gone; call before the application connects to the display.
void ForgetGoneWindowManager();

} // namespace platform

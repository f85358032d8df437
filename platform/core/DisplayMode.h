#pragma once
// Switching the display to 640 by 480 for full screen, and back. The colour
// depth is never changed; nothing is stored in the system's settings.
#include <memory>

namespace platform {

class DisplayModeSwitcher {
public:
  virtual ~DisplayModeSwitcher() = default;
  // Switches the display to 640 by 480; false when no output offers that mode
  // (the display then stays as it is).
  virtual bool SwitchTo640x480() = 0;
  // Restores the mode that was in force before the switch; nothing when there was none.
  virtual void Restore() = 0;
};

// The real switcher for this desktop (XRandR under X11; one that never
// switches elsewhere, e.g. under Wayland or with no display).
std::unique_ptr<DisplayModeSwitcher> MakeDesktopDisplayModeSwitcher();

} // namespace platform

#pragma once
// The display mode as the menu shows it, and the four top menu items that full
// screen hides and the top strip (or the network dialog) flips.
#include <array>
#include <string>

#include "game/MainWindowOps.h"

namespace game {

inline constexpr const char *kWindowModeCaption = "ﾌﾙｽｸﾘｰﾝ表示(&F)"; // N_MenFull1 in window mode
inline constexpr const char *kFullScreenCaption = "ｳｲﾝﾄﾞｳ表示(&F)";  // N_MenFull1 in full screen

inline constexpr std::array<MenuItem, 4> kTopMenuItems{MenuItem::N_MenEnd1, MenuItem::N_MenOption1,
                                                       MenuItem::N_MenTool1, MenuItem::N_MenHelp1};

inline bool InFullScreen(const MainWindowOps &ui) {
  return ui.Caption(MenuItem::N_MenFull1) == kFullScreenCaption;
}

inline void ShowTopMenuItems(MainWindowOps &ui, bool show) {
  for (MenuItem item : kTopMenuItems)
    ui.SetVisible(item, show);
}

// In full screen: hides the four items when they show, shows them when hidden.
inline void FlipTopMenuItems(MainWindowOps &ui) {
  if (InFullScreen(ui))
    ShowTopMenuItems(ui, !ui.Visible(MenuItem::N_MenEnd1));
}

} // namespace game

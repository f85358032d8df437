#pragma once
// What the game's operations need of the main window: its pictures, labels,
// timers and menu items, and a few services. The real window implements it
// with its controls; tests implement it without a window.
#include <string>

#include "platform/core/Bitmap.h"

namespace game {

// Pictures. Values 1..100 are the cell pictures Image1..Image100 (use CellPicture).
enum class Picture : int {
  N_ImaMain1 = 101,
  N_ImaMark1,   // tile sheet, never shown
  N_ImaLife1,   // the player's pieces-left bar
  N_ImaLife2,   // the opponent's pieces-left bar
  N_ImaEffect1, // danger indicator
  N_ImaEffect2,
  N_ImaDanger1,  // danger frames, off-screen
  N_ImaCast2,    // the player's face frames, off-screen
  N_ImaCast4,    // the opponent's face frames, off-screen
  N_ImaFace2,    // the opponent's portrait
  N_ImaMessage1, // game-over picture
  N_ImaFace1,    // the player's portrait
  N_ImaWork1,    // work picture of the opponent's portrait (sound and system window)
  N_ImaWork2,    // work picture of the player's portrait (sound and system window)
};

constexpr Picture CellPicture(int k) { return static_cast<Picture>(k); }
constexpr bool IsCellPicture(Picture p) { return static_cast<int>(p) >= 1 && static_cast<int>(p) <= 100; }

enum class Label {
  N_LabMessage1,
  N_LabFull1,
  N_LabTimer1,
  N_LabScore8,
  N_LabScore1,
  N_LabMessage2,
  N_LabScore9
};

enum class Timer {
  N_TimCreate1,
  N_TimClose1,
  N_TimFace1,
  N_TimFace2,
  N_TimTurn1,
  N_TimTurn2,
  N_TimTimer1,
  N_TimEffect1,
  N_TimEffect2,
  N_TimEffect3,
};

enum class MenuItem {
  N_MenEnd1,
  N_MenOption1,
  N_MenNew1,
  N_MenNet1,
  N_MenLevel1,
  N_MenLevel2,
  N_MenLevel3,
  N_MenFull1,
  N_MenDebug1,
  N_MenTool1,
  N_MenHelp1,
};

class MainWindowOps {
public:
  virtual ~MainWindowOps() = default;

  // Pictures. Canvas gives the bitmap for block copies; a copy does not repaint,
  // the copier calls Refresh. LoadPicture throws platform::Exception on failure
  // and leaves the picture as it was.
  virtual platform::TBitmap &Canvas(Picture picture) = 0;
  virtual void LoadPicture(Picture picture, const std::string &path) = 0;
  virtual void Refresh(Picture picture) = 0;
  virtual void SetVisible(Picture picture, bool visible) = 0;
  virtual bool Visible(Picture picture) const = 0;
  virtual void SetWidth(Picture picture, int width) = 0;
  virtual int Width(Picture picture) const = 0;

  // Labels.
  virtual void SetCaption(Label label, const std::string &text) = 0;
  virtual std::string Caption(Label label) const = 0;
  virtual void SetVisible(Label label, bool visible) = 0;
  virtual bool Visible(Label label) const = 0;

  // Timers: switching a disabled timer on starts its interval afresh; switching
  // on a running one changes nothing.
  virtual void SetEnabled(Timer timer, bool enabled) = 0;
  virtual bool Enabled(Timer timer) const = 0;

  // Menu items.
  virtual void SetChecked(MenuItem item, bool checked) = 0;
  virtual bool Checked(MenuItem item) const = 0;
  virtual void SetEnabled(MenuItem item, bool enabled) = 0;
  virtual bool Enabled(MenuItem item) const = 0;
  virtual void SetVisible(MenuItem item, bool visible) = 0;
  virtual bool Visible(MenuItem item) const = 0;
  virtual void SetCaption(MenuItem item, const std::string &caption) = 0;
  virtual std::string Caption(MenuItem item) const = 0;

  // Services.
  virtual std::string DataFolder() const = 0;                  // with its trailing "/"
  virtual void PlaySound(const std::string &bareFileName) = 0; // asynchronous; a missing file plays nothing
  virtual void SendPacket(const void *data, int size) = 0;     // through the client packet socket
  virtual int MessageBox(const std::string &text, const std::string &caption, int flags) = 0;
  virtual void ReportError(const std::string &text) = 0; // the application's error box
};

} // namespace game

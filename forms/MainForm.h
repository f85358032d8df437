#pragma once
// Form description of the main window "MarvokZT Ver 0.5": its pictures, labels,
// timers and menu, in stacking order (bottom to top) and with their state
// after creation. Positions are client coordinates.
#include <array>
#include <string_view>

#include "forms/FormTypes.h"
#include "game/MainWindowOps.h"

namespace forms::mainform {

inline constexpr std::string_view kCaption = "MarvokZT Ver 0.5";
inline constexpr int kClientWidth = 640;
inline constexpr int kClientHeight = 480;
using forms::kFontFamily;
inline constexpr std::string_view kStartMessage = "自軍Marvokの配置場所を指定してください。";

struct PictureEntry {
  game::Picture id;
  int left, top, width, height; // width/height 0: the picture's own size (auto)
  std::string_view file;        // loaded by bare name at creation; empty: none
  bool visible;
  bool stretch;
  bool transparent;
};

struct LabelEntry {
  game::Label id;
  int left, top, width, height;
  std::string_view caption;
  int pixelSize;
  bool bold;
  unsigned rgb; // 0xRRGGBB
  int align;    // 0 left, 1 centre, 2 right
  bool visible;
  // The figures of the countdown take half the font's height each, as "000"
  // in 72 pixels needs: the fixed-pitch family has such figures.
  std::string_view family = kFontFamily;
};

inline constexpr unsigned kWhite = 0xFFFFFF;
inline constexpr unsigned kScoreGrey = 0x404042; // RGB(64,64,66)

using game::Label;
using game::Picture;

// One entry of the stacking order: a picture, a label, or the cell pictures
// (all but Image70, in number order), or Image70 on its own.
struct ComponentEntry {
  enum Kind { kPicture, kLabel, kCells, kImage70 } kind;
  PictureEntry picture{};
  LabelEntry label{};
};
constexpr ComponentEntry Pic(PictureEntry p) { return {ComponentEntry::kPicture, p, {}}; }
constexpr ComponentEntry Lab(LabelEntry l) { return {ComponentEntry::kLabel, {}, l}; }

// Bottom to top: a control higher up paints over and takes the mouse before
// the ones below it. Image70 lies above N_ImaEffect2, which overlaps it.
inline constexpr std::array<ComponentEntry, 21> kStacking{{
    Pic({Picture::N_ImaMain1, 0, 0, 640, 480, "Window2.jpg", true, false, false}),
    {ComponentEntry::kCells, {}, {}},
    Lab({Label::N_LabMessage1, 20, 417, 580, 50, kStartMessage, 21, true, kWhite, 0, true}),
    Pic({Picture::N_ImaMark1, 0, 0, 0, 0, "Mark00.bmp", false, false, false}),
    Lab({Label::N_LabFull1, 0, 0, 640, 20, "", 12, false, kWhite, 0, true}),
    Lab({Label::N_LabTimer1, 285, 20, 72, 48, "000", 48, false, kWhite, 1, true, "IPAGothic"}),
    Lab({Label::N_LabScore8, 24, 417, 177, 44, "HIGHSCORE", 21, true, kWhite, 0, false}),
    Lab({Label::N_LabScore1, 456, 10, 177, 44, "HIGHSCORE", 27, true, kScoreGrey, 2, true}),
    Pic({Picture::N_ImaLife1, 10, 356, 164, 20, "Life1.bmp", true, true, false}),
    Pic({Picture::N_ImaLife2, 467, 356, 164, 20, "Life1.bmp", true, true, false}),
    Pic({Picture::N_ImaEffect1, 8, 332, 0, 0, "Danger2.bmp", true, false, false}),
    Pic({Picture::N_ImaEffect2, 408, 332, 93, 20, "", true, false, false}),
    Pic({Picture::N_ImaDanger1, 147, 511, 0, 0, "Danger1.bmp", true, false, false}),
    Pic({Picture::N_ImaCast2, 384, 504, 0, 0, "Face1.bmp", true, false, false}),
    Pic({Picture::N_ImaCast4, 432, 504, 0, 0, "Face2.bmp", true, false, false}),
    {ComponentEntry::kImage70, {}, {}},
    Pic({Picture::N_ImaFace2, 490, 86, 0, 0, "Cast2.bmp", true, false, false}),
    Pic({Picture::N_ImaMessage1, 20, 200, 640, 105, "GameOver.bmp", false, false, true}),
    Pic({Picture::N_ImaFace1, 7, 86, 0, 0, "Cast1.bmp", true, false, false}),
    Lab({Label::N_LabMessage2, 178, 200, 284, 40, "Congratulations!", 40, true, kWhite, 0, false}),
    Lab({Label::N_LabScore9, 456, 40, 177, 33, "HIGHSCORE", 27, true, kScoreGrey, 2, true}),
}};

// Diamond rule: where the picture of cell (r,c) stands. Corners sit at (0,0), hidden.
struct Point {
  int left, top;
};
constexpr bool IsCorner(int row, int column) {
  return (row == 1 || row == 10) && (column == 1 || column == 10);
}
constexpr Point CellPosition(int row, int column) {
  if (IsCorner(row, column))
    return {0, 0};
  return {310 + 32 * (column - row), 62 + 16 * (column + row)};
}
inline constexpr std::string_view kCellStartFile = "Mark06.bmp";

struct TimerEntry {
  game::Timer id;
  int intervalMs;
  bool enabled;
};
inline constexpr std::array<TimerEntry, 10> kTimers{{
    {game::Timer::N_TimCreate1, 100, true},
    {game::Timer::N_TimClose1, 2000, true},
    {game::Timer::N_TimFace1, 100, true},
    {game::Timer::N_TimFace2, 100, true},
    {game::Timer::N_TimTurn1, 1000, false},
    {game::Timer::N_TimTurn2, 1000, false},
    {game::Timer::N_TimTimer1, 100, false},
    {game::Timer::N_TimEffect1, 500, false},
    {game::Timer::N_TimEffect2, 50, false},
    {game::Timer::N_TimEffect3, 50, false},
}};

struct MenuEntry {
  game::MenuItem id;
  bool inOptions; // an item of the sub-menu of N_MenOption1
  std::string_view caption;
  std::string_view shortcut; // in QKeySequence's portable text
  bool checked;
  bool enabled;
  bool separatorBefore;
};
// In menu order.
inline constexpr std::array<MenuEntry, 11> kMenu{{
    {game::MenuItem::N_MenEnd1, false, "終了(&X)", "", false, true, false},
    {game::MenuItem::N_MenOption1, false, "ｵﾌﾟｼｮﾝ(&O)", "", false, true, false},
    {game::MenuItem::N_MenNew1, true, "ﾆｭｰｹﾞｰﾑ(&N)", "Ctrl+N", false, true, false},
    {game::MenuItem::N_MenNet1, true, "ﾈｯﾄﾜｰｸ対戦", "F4", false, true, false},
    {game::MenuItem::N_MenLevel1, true, "初級", "", true, true, true},
    {game::MenuItem::N_MenLevel2, true, "中級", "", false, true, false},
    {game::MenuItem::N_MenLevel3, true, "上級", "", false, true, false},
    {game::MenuItem::N_MenFull1, true, "ﾌﾙｽｸﾘｰﾝ表示(&F)", "F2", false, true, true},
    {game::MenuItem::N_MenDebug1, true, "ﾃﾞﾊﾞｯｸﾞﾓｰﾄﾞ(&D)", "", false, false, true},
    {game::MenuItem::N_MenTool1, false, "ｼｽﾃﾑ情報(&Ｓ)", "", false, true, false},
    {game::MenuItem::N_MenHelp1, false, "ﾍﾙﾌﾟ(&H)", "F1", false, true, false},
}};

} // namespace forms::mainform

namespace forms::mainform {

// The size each start-up picture has, for a blank stand-in when its file is missing.
struct ExpectedSize {
  std::string_view file;
  int width, height;
};
inline constexpr std::array<ExpectedSize, 11> kExpectedSizes{{
    {"Window2.jpg", 640, 480},
    {"Mark00.bmp", 60, 42},
    {"Mark06.bmp", 20, 21},
    {"Life1.bmp", 164, 20},
    {"Danger2.bmp", 93, 20},
    {"Danger1.bmp", 93, 140},
    {"Face1.bmp", 180, 90},
    {"Face2.bmp", 195, 100},
    {"Cast1.bmp", 143, 104},
    {"Cast2.bmp", 143, 104},
    {"GameOver.bmp", 640, 105},
}};

constexpr ExpectedSize ExpectedSizeOf(std::string_view file) {
  for (const auto &entry : kExpectedSizes)
    if (entry.file == file)
      return entry;
  return {file, 20, 21};
}

} // namespace forms::mainform

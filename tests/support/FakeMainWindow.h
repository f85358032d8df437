#pragma once
// A main window without a window: it keeps every picture, label, timer and menu
// state the game's operations touch, and records sounds, packets, loads,
// refreshes, message boxes and errors so tests can check them; its sends can
// run a probe, or fail as a broken connection's do.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/MainWindowOps.h"
#include "platform/core/Exception.h"
#include "tests/support/MessageBoxes.h"

namespace gametest {

using game::Label;
using game::MenuItem;
using game::Picture;
using game::Timer;

// A distinct solid colour for each tile of the fake tile sheet, and for each
// file a fake load puts into a picture.
inline QRgb TileColour(int tileX, int tileY) { return qRgb(40 + tileX * 3, 90 + tileY * 5, 200); }
inline QRgb FileColour(const std::string &file) {
  unsigned h = 0;
  for (char ch : file)
    h = h * 31 + static_cast<unsigned char>(ch);
  return qRgb(h & 0xFF, (h >> 8) & 0xFF, (h >> 16) & 0xFF);
}

class FakeMainWindow : public game::MainWindowOps, public testsupport::BoxLog {
public:
  FakeMainWindow() {
    for (int k = 1; k <= 100; ++k)
      bitmaps_[game::CellPicture(k)] = platform::TBitmap(20, 21);
    platform::TBitmap sheet(60, 42);
    for (int ty = 0; ty < 2; ++ty)
      for (int tx = 0; tx < 3; ++tx)
        for (int y = 0; y < 21; ++y)
          for (int x = 0; x < 20; ++x)
            sheet.Image().setPixel(tx * 20 + x, ty * 21 + y, TileColour(tx * 20, ty * 21));
    bitmaps_[Picture::N_ImaMark1] = sheet;
    bitmaps_[Picture::N_ImaCast2] = platform::TBitmap(180, 90);
    bitmaps_[Picture::N_ImaCast4] = platform::TBitmap(195, 100);
    bitmaps_[Picture::N_ImaFace1] = platform::TBitmap(143, 104);
    bitmaps_[Picture::N_ImaFace2] = platform::TBitmap(143, 104);
    bitmaps_[Picture::N_ImaWork1] = platform::TBitmap(143, 104);
    bitmaps_[Picture::N_ImaWork2] = platform::TBitmap(143, 104);
    bitmaps_[Picture::N_ImaDanger1] = platform::TBitmap(93, 140);
    bitmaps_[Picture::N_ImaEffect1] = platform::TBitmap(93, 20);
    widths_[Picture::N_ImaLife1] = 164;
    widths_[Picture::N_ImaLife2] = 164;
    visiblePictures_ = {Picture::N_ImaMain1,   Picture::N_ImaLife1,   Picture::N_ImaLife2,
                        Picture::N_ImaEffect1, Picture::N_ImaEffect2, Picture::N_ImaFace1,
                        Picture::N_ImaFace2};
    for (int k = 2; k <= 99; ++k)
      if (k != 10 && k != 91)
        visiblePictures_.insert(game::CellPicture(k));
    menuEnabled_ = {MenuItem::N_MenEnd1,   MenuItem::N_MenOption1, MenuItem::N_MenNew1,
                    MenuItem::N_MenNet1,   MenuItem::N_MenLevel1,  MenuItem::N_MenLevel2,
                    MenuItem::N_MenLevel3, MenuItem::N_MenFull1,   MenuItem::N_MenTool1,
                    MenuItem::N_MenHelp1};
    menuVisible_ = menuEnabled_;
    menuVisible_.insert(MenuItem::N_MenDebug1);
    menuChecked_ = {MenuItem::N_MenLevel1};
    menuCaptions_[MenuItem::N_MenFull1] = "ﾌﾙｽｸﾘｰﾝ表示(&F)";
    captions_[Label::N_LabTimer1] = "000";
    visibleLabels_ = {Label::N_LabMessage1, Label::N_LabFull1, Label::N_LabTimer1, Label::N_LabScore1,
                      Label::N_LabScore9};
  }

  // Pictures.
  platform::TBitmap &Canvas(Picture picture) override { return bitmaps_[picture]; }
  void LoadPicture(Picture picture, const std::string &path) override {
    loads.push_back({picture, path});
    if (failingPaths.count(path))
      throw platform::Exception("ファイルが見つかりません: " + path);
    auto &bitmap = bitmaps_[picture];
    int w = bitmap.Empty() ? 20 : bitmap.Width(), h = bitmap.Empty() ? 21 : bitmap.Height();
    bitmap = platform::TBitmap(w, h);
    bitmap.Image().fill(FileColour(BaseName(path)));
    lastLoaded[picture] = BaseName(path);
  }
  void Refresh(Picture picture) override { ++refreshes[picture]; }
  void SetVisible(Picture picture, bool visible) override { Toggle(visiblePictures_, picture, visible); }
  bool Visible(Picture picture) const override { return visiblePictures_.count(picture) != 0; }
  void SetWidth(Picture picture, int width) override { widths_[picture] = width; }
  int Width(Picture picture) const override {
    auto it = widths_.find(picture);
    return it == widths_.end() ? 0 : it->second;
  }

  // Labels.
  void SetCaption(Label label, const std::string &text) override {
    captions_[label] = text;
    if (label == Label::N_LabMessage1)
      messages.push_back(text);
  }
  std::string Caption(Label label) const override {
    auto it = captions_.find(label);
    return it == captions_.end() ? std::string() : it->second;
  }
  void SetVisible(Label label, bool visible) override { Toggle(visibleLabels_, label, visible); }
  bool Visible(Label label) const override { return visibleLabels_.count(label) != 0; }

  // Timers.
  void SetEnabled(Timer timer, bool enabled) override {
    if (enabled && !enabledTimers_.count(timer))
      ++timerStarts[timer];
    Toggle(enabledTimers_, timer, enabled);
  }
  bool Enabled(Timer timer) const override { return enabledTimers_.count(timer) != 0; }

  // Menu.
  void SetChecked(MenuItem item, bool checked) override { Toggle(menuChecked_, item, checked); }
  bool Checked(MenuItem item) const override { return menuChecked_.count(item) != 0; }
  void SetEnabled(MenuItem item, bool enabled) override { Toggle(menuEnabled_, item, enabled); }
  bool Enabled(MenuItem item) const override { return menuEnabled_.count(item) != 0; }
  void SetVisible(MenuItem item, bool visible) override { Toggle(menuVisible_, item, visible); }
  bool Visible(MenuItem item) const override { return menuVisible_.count(item) != 0; }
  void SetCaption(MenuItem item, const std::string &caption) override { menuCaptions_[item] = caption; }
  std::string Caption(MenuItem item) const override {
    auto it = menuCaptions_.find(item);
    return it == menuCaptions_.end() ? std::string() : it->second;
  }

  // Services.
  std::string DataFolder() const override { return dataFolder; }
  void PlaySound(const std::string &bareFileName) override { sounds.push_back(bareFileName); }
  void SendPacket(const void *data, int size) override {
    if (onSend)
      onSend();
    if (failSends)
      throw platform::Exception("送信できません"); // as a broken connection does
    packets.emplace_back(static_cast<const char *>(data), static_cast<std::size_t>(size));
  }
  int MessageBox(const std::string &text, const std::string &caption, int flags) override {
    return Answer({text, caption, flags});
  }
  void ReportError(const std::string &text) override { errors.push_back(text); }

  // The tile whose colour a cell picture's top-left pixel shows, as its source
  // position in the sheet, or (-1,-1) for anything else.
  std::pair<int, int> TileAt(int k) {
    QRgb pixel = bitmaps_[game::CellPicture(k)].Pixel(0, 0);
    for (int ty : {0, 21})
      for (int tx : {0, 20, 40})
        if (pixel == TileColour(tx, ty))
          return {tx, ty};
    return {-1, -1};
  }

  static std::string BaseName(const std::string &path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
  }

  struct Load {
    Picture picture;
    std::string path;
  };

  std::string dataFolder = "/data/";
  std::vector<Load> loads;
  std::map<Picture, std::string> lastLoaded;
  std::set<std::string> failingPaths;
  std::map<Picture, int> refreshes;
  std::map<Timer, int> timerStarts;
  std::vector<std::string> messages;
  std::vector<std::string> sounds;
  std::vector<std::string> packets; // each with its bytes, the NUL included
  std::function<void()> onSend;     // a probe run at each send
  bool failSends = false;
  std::vector<std::string> errors;

private:
  template <typename Set, typename Key> static void Toggle(Set &set, Key key, bool on) {
    if (on)
      set.insert(key);
    else
      set.erase(key);
  }

  std::map<Picture, platform::TBitmap> bitmaps_;
  std::map<Picture, int> widths_;
  std::set<Picture> visiblePictures_;
  std::map<Label, std::string> captions_;
  std::set<Label> visibleLabels_;
  std::set<Timer> enabledTimers_;
  std::set<MenuItem> menuChecked_, menuEnabled_, menuVisible_;
  std::map<MenuItem, std::string> menuCaptions_;
};

} // namespace gametest

// The main window as it stands after creation, measured on the real window:
// its state, every picture's place, size and visibility, the cells on the
// diamond, the stacking order and who takes the mouse, and the ten timers.
#include <gtest/gtest.h>

#include "tests/support/MainWindowRig.h"

using game::Label;
using game::Picture;
using game::Timer;

namespace {

class MainWindowLayout : public ::testing::Test {
protected:
  apptest::MainWindowRig<> rig_;
  TN_FrmMain1 *window_ = rig_.window.get();
};

TEST_F(MainWindowLayout, StateRightAfterCreation) {
  const auto &st = window_->State();
  EXPECT_EQ(
      (std::vector<int>{st.gamePhase, st.ownPiecesLeft, st.opponentPiecesLeft, st.opponentPortraitStage}),
      (std::vector<int>{0, 0, 0, 100}));
  EXPECT_TRUE(st.ownBoard == game::Board{} && st.opponentBoard == game::Board{} &&
              st.opponentMarks == game::Board{});
  EXPECT_EQ(window_->windowTitle().toStdString(), "MarvokZT Ver 0.5");
  EXPECT_EQ(window_->ClientArea().size(), QSize(640, 480));
  EXPECT_GE(window_->Canvas(Picture::N_ImaMark1).Width(), 60);
  EXPECT_GE(window_->Canvas(Picture::N_ImaMark1).Height(), 42);
  EXPECT_TRUE(rig_.boxes.empty()) << "a start-up picture is missing: " << rig_.boxes[0].text;
}

// Pictures take their place, size and visibility from the form.
TEST_F(MainWindowLayout, Pictures) {
  const struct {
    Picture id;
    int left, top, width, height; // 0 by 0: the size of its picture
    bool shown;                   // off-screen pictures count as shown
  } rows[] = {
      {Picture::N_ImaMain1, 0, 0, 640, 480, true},     {Picture::N_ImaLife1, 10, 356, 164, 20, true},
      {Picture::N_ImaLife2, 467, 356, 164, 20, true},  {Picture::N_ImaEffect1, 8, 332, 0, 0, true},
      {Picture::N_ImaEffect2, 408, 332, 93, 20, true}, {Picture::N_ImaDanger1, 147, 511, 0, 0, true},
      {Picture::N_ImaCast2, 384, 504, 0, 0, true},     {Picture::N_ImaCast4, 432, 504, 0, 0, true},
      {Picture::N_ImaFace2, 490, 86, 0, 0, true},      {Picture::N_ImaMessage1, 20, 200, 640, 105, false},
      {Picture::N_ImaFace1, 7, 86, 0, 0, true},
  };
  for (const auto &row : rows) {
    SCOPED_TRACE(static_cast<int>(row.id));
    platform::TImage &image = window_->PictureControl(row.id);
    EXPECT_EQ(image.pos(), QPoint(row.left, row.top));
    const QSize own(image.Picture().Width(), image.Picture().Height());
    EXPECT_EQ(image.size(), row.width > 0 ? QSize(row.width, row.height) : own);
    EXPECT_EQ(image.isVisibleTo(&window_->ClientArea()), row.shown);
  }
  EXPECT_FALSE(window_->PictureControl(Picture::N_ImaMark1).isVisibleTo(&window_->ClientArea()));
  for (auto offScreen : {Picture::N_ImaDanger1, Picture::N_ImaCast2, Picture::N_ImaCast4})
    EXPECT_GE(window_->PictureControl(offScreen).y(), 480);
}

// Cell (r,c) stands at (310 + 32(c - r), 62 + 16(c + r)), 20 by 21; the four
// corners are hidden at (0,0).
TEST_F(MainWindowLayout, CellsStandOnTheDiamondAndCornersAreHidden) {
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 10; ++c) {
      const auto picture = game::CellPicture(game::CellNumber(r, c));
      const bool corner = (r == 1 || r == 10) && (c == 1 || c == 10);
      EXPECT_EQ(window_->PictureControl(picture).pos(),
                corner ? QPoint(0, 0) : QPoint(310 + 32 * (c - r), 62 + 16 * (c + r)))
          << r << "," << c;
      EXPECT_EQ(window_->Visible(picture), !corner) << r << "," << c;
      EXPECT_EQ(window_->PictureControl(picture).size(), QSize(20, 21));
    }
}

// Bottom to top; a control higher up paints over and takes the mouse first.
TEST_F(MainWindowLayout, StackingOrderDecidesWhoTakesTheMouse) {
  std::vector<QWidget *> order{&window_->PictureControl(Picture::N_ImaMain1)};
  for (int k = 1; k <= 100; ++k)
    if (k != 70)
      order.push_back(&window_->PictureControl(game::CellPicture(k)));
  auto label = [&](Label id) { order.push_back(&window_->LabelControl(id)); };
  auto picture = [&](Picture id) { order.push_back(&window_->PictureControl(id)); };
  label(Label::N_LabMessage1);
  picture(Picture::N_ImaMark1);
  for (auto id : {Label::N_LabFull1, Label::N_LabTimer1, Label::N_LabScore8, Label::N_LabScore1})
    label(id);
  for (auto id : {Picture::N_ImaLife1, Picture::N_ImaLife2, Picture::N_ImaEffect1, Picture::N_ImaEffect2,
                  Picture::N_ImaDanger1, Picture::N_ImaCast2, Picture::N_ImaCast4, game::CellPicture(70),
                  Picture::N_ImaFace2, Picture::N_ImaMessage1, Picture::N_ImaFace1})
    picture(id);
  label(Label::N_LabMessage2);
  label(Label::N_LabScore9);
  const QObjectList stack = window_->ClientArea().children();
  for (std::size_t i = 1; i < order.size(); ++i)
    EXPECT_LT(stack.indexOf(order[i - 1]), stack.indexOf(order[i])) << "entry " << i << " of the order";

  // All of Image70 lies above N_ImaEffect2; the bottom 7 rows of Image60
  // (y 332..338) lie under it; a corner cell's spot reaches the background only.
  QWidget *image70 = &window_->PictureControl(game::CellPicture(70));
  QWidget *image60 = &window_->PictureControl(game::CellPicture(60));
  QWidget *effect2 = &window_->PictureControl(Picture::N_ImaEffect2);
  const std::pair<QPoint, QWidget *> probes[] = {
      {{410, 340}, image70}, {{425, 354}, image70}, {{445, 331}, image60},
      {{445, 332}, effect2}, {{445, 338}, effect2}, {{5, 5}, &window_->LabelControl(Label::N_LabFull1)}};
  for (const auto &[at, widget] : probes)
    EXPECT_EQ(window_->ClientArea().childAt(at), widget) << at.x() << "," << at.y();
}

// Every timer's interval and whether it runs from creation.
TEST_F(MainWindowLayout, Timers) {
  const struct {
    Timer id;
    const char *name;
    int intervalMs;
    bool enabled;
  } rows[] = {
      {Timer::N_TimCreate1, "N_TimCreate1", 100, true}, {Timer::N_TimClose1, "N_TimClose1", 2000, true},
      {Timer::N_TimFace1, "N_TimFace1", 100, true},     {Timer::N_TimFace2, "N_TimFace2", 100, true},
      {Timer::N_TimTurn1, "N_TimTurn1", 1000, false},   {Timer::N_TimTurn2, "N_TimTurn2", 1000, false},
      {Timer::N_TimTimer1, "N_TimTimer1", 100, false},  {Timer::N_TimEffect1, "N_TimEffect1", 500, false},
      {Timer::N_TimEffect2, "N_TimEffect2", 50, false}, {Timer::N_TimEffect3, "N_TimEffect3", 50, false},
  };
  for (const auto &row : rows) {
    const platform::TTimer &timer = window_->TimerControl(row.id);
    EXPECT_EQ(timer.Interval(), row.intervalMs) << row.name;
    EXPECT_EQ(timer.Enabled(), row.enabled) << row.name;
  }
  // The search countdown keeps real time.
  EXPECT_EQ(window_->TimerControl(Timer::N_TimTimer1).Type(), Qt::PreciseTimer);
}

} // namespace

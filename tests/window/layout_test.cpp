// The main window as it stands after creation, measured on the real window:
// every component's place, size, font, colour, alignment and visibility, the
// stacking order, and the ten timers.
#include <QFontMetrics>
#include <gtest/gtest.h>

#include "MainWindowRig.h"
#include "tests/support/Pixels.h"

using game::Label;
using game::Picture;
using game::Timer;
using testpixels::Count;
using testpixels::Ink;
using testpixels::Painted;

namespace {

class MainWindowLayout : public ::testing::Test {
protected:
  windowtest::MainWindowRig rig_;
  TN_FrmMain1 *window_ = rig_.window.get();
};

// A background no caption uses.
const QRgb kKey = qRgb(255, 0, 255);

struct PictureRow {
  Picture id;
  int left, top, width, height; // 0 by 0: the size of its picture
  bool shown;                   // off-screen pictures count as shown
};

// Pictures take their place, size and visibility from the form.
TEST_F(MainWindowLayout, Pictures) {
  const PictureRow rows[] = {
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

struct LabelRow {
  Label id;
  const char *name;
  int left, top, width, height;
  QRgb colour;
  bool bold;
  int pixels;
  Qt::Alignment align;
  bool shown;
};

// Labels keep their edge (left, right or centre as aligned) and top, at least
// their form size, and paint their caption in their font and colour.
TEST_F(MainWindowLayout, Labels) {
  const QRgb white = qRgb(255, 255, 255), grey = qRgb(64, 64, 66);
  const LabelRow rows[] = {
      {Label::N_LabMessage1, "N_LabMessage1", 20, 417, 580, 50, white, true, 21, Qt::AlignLeft, true},
      {Label::N_LabFull1, "N_LabFull1", 0, 0, 640, 20, white, false, 0, Qt::AlignLeft, true},
      {Label::N_LabTimer1, "N_LabTimer1", 285, 20, 72, 48, white, false, 48, Qt::AlignHCenter, true},
      {Label::N_LabScore8, "N_LabScore8", 24, 417, 177, 44, white, true, 21, Qt::AlignLeft, false},
      {Label::N_LabScore1, "N_LabScore1", 456, 10, 177, 44, grey, true, 27, Qt::AlignRight, true},
      {Label::N_LabMessage2, "N_LabMessage2", 178, 200, 284, 40, white, true, 40, Qt::AlignLeft, false},
      {Label::N_LabScore9, "N_LabScore9", 456, 40, 177, 33, grey, true, 27, Qt::AlignRight, true},
  };
  // The countdown's figures fill its box: one figure shows where it is aligned.
  window_->SetCaption(Label::N_LabTimer1, "0");
  for (const auto &row : rows) {
    SCOPED_TRACE(row.name);
    platform::TLabel &label = window_->LabelControl(row.id);
    const QRect at = label.geometry();
    EXPECT_EQ(at.top(), row.top);
    EXPECT_GE(at.width(), row.width);
    EXPECT_GE(at.height(), row.height);
    EXPECT_EQ(label.isVisibleTo(&window_->ClientArea()), row.shown);
    const int right = row.left + row.width, centre = row.left + row.width / 2;
    if (row.align == Qt::AlignLeft)
      EXPECT_EQ(at.left(), row.left);
    else if (row.align == Qt::AlignRight)
      EXPECT_EQ(at.left() + at.width(), right);
    else
      EXPECT_NEAR(at.left() + at.width() / 2.0, centre, 1);
    if (row.pixels == 0) {
      EXPECT_TRUE(Ink(Painted(label, kKey), kKey).isEmpty()) << "an empty strip paints nothing";
      continue;
    }
    EXPECT_EQ(label.font().pixelSize(), row.pixels);
    EXPECT_EQ(label.font().bold(), row.bold);
    const QImage painted = Painted(label, kKey);
    EXPECT_GE(Count(painted, row.colour), 3) << "the caption's colour";
    const QRect ink = Ink(painted, kKey).translated(at.topLeft());
    ASSERT_FALSE(ink.isEmpty());
    // Painted in its own font, as far as the label's box shows it.
    const QString caption = QString::fromStdString(label.Caption());
    const int fontInk = QFontMetrics(label.font()).tightBoundingRect(caption).height();
    EXPECT_NEAR(ink.height(), std::min(fontInk, at.bottom() + 1 - ink.top()), 2);
    if (row.align == Qt::AlignLeft)
      EXPECT_NEAR(ink.left(), row.left, 4);
    else if (row.align == Qt::AlignRight)
      EXPECT_NEAR(ink.right() + 1, right, 4);
    else
      EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0, centre, 2);
  }
}

// Bottom to top; a control higher up paints over and takes the mouse first.
TEST_F(MainWindowLayout, StackingOrder) {
  std::vector<QWidget *> order{&window_->PictureControl(Picture::N_ImaMain1)};
  for (int k = 1; k <= 100; ++k)
    if (k != 70)
      order.push_back(&window_->PictureControl(game::CellPicture(k)));
  auto label = [&](Label id) { order.push_back(&window_->LabelControl(id)); };
  auto picture = [&](Picture id) { order.push_back(&window_->PictureControl(id)); };
  label(Label::N_LabMessage1);
  picture(Picture::N_ImaMark1);
  label(Label::N_LabFull1);
  label(Label::N_LabTimer1);
  label(Label::N_LabScore8);
  label(Label::N_LabScore1);
  for (auto id : {Picture::N_ImaLife1, Picture::N_ImaLife2, Picture::N_ImaEffect1, Picture::N_ImaEffect2,
                  Picture::N_ImaDanger1, Picture::N_ImaCast2, Picture::N_ImaCast4, game::CellPicture(70),
                  Picture::N_ImaFace2, Picture::N_ImaMessage1, Picture::N_ImaFace1})
    picture(id);
  label(Label::N_LabMessage2);
  label(Label::N_LabScore9);

  const QObjectList stack = window_->ClientArea().children();
  for (std::size_t i = 1; i < order.size(); ++i)
    EXPECT_LT(stack.indexOf(order[i - 1]), stack.indexOf(order[i])) << "entry " << i << " of the order";
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

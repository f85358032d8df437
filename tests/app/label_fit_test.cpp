// Every label of the main window, the network dialog and the system window
// shows its whole caption in the font it is drawn with, at the place its
// window gives it; the main window's labels paint it in their colour.
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <gtest/gtest.h>

#include "forms/FormTypes.h"
#include "platform/core/Controls.h"
#include "tests/support/FakeInformation.h"
#include "tests/support/MainWindowRig.h"
#include "tests/support/ModalDialog.h"
#include "tests/support/Pixels.h"

using game::Label;
using testpixels::Count;
using testpixels::Ink;
using testpixels::Painted;

namespace {

enum class Edge { Left, Centre, Right };

// A label's place and font as its window describes them.
struct Spot {
  int left, top, width, height;
  int pixels; // 0: the table names no font
  bool bold;
  Edge kept;
};

// The label shows `caption` whole, in a real (not substituted) font of the
// given size, keeps its top and the edge its alignment keeps, and grows from
// its design size only for a caption that does not fit.
void ExpectShowsWhole(const platform::TLabel &label, const Spot &spot, const std::string &caption) {
  SCOPED_TRACE(caption);
  ASSERT_EQ(label.Caption(), caption);
  if (spot.pixels != 0) {
    const QFontInfo used(label.font());
    EXPECT_EQ(used.family(), label.font().family()) << "the named family is not installed";
    EXPECT_EQ(used.pixelSize(), spot.pixels);
    EXPECT_EQ(used.bold(), spot.bold);
  }
  const QRect text = QFontMetrics(label.font())
                         .boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft | Qt::AlignTop,
                                       QString::fromStdString(caption));
  const QRect box = label.geometry();
  const QRect design(spot.left, spot.top, spot.width, spot.height);
  EXPECT_GE(box.width(), text.width());
  EXPECT_GE(box.height(), text.height());
  EXPECT_TRUE(box.contains(design)) << "smaller than its design size";
  EXPECT_EQ(box.top(), spot.top);
  switch (spot.kept) {
  case Edge::Left: EXPECT_EQ(box.left(), spot.left); break;
  case Edge::Right: EXPECT_EQ(box.right(), design.right()); break;
  case Edge::Centre: EXPECT_LE(std::abs(box.center().x() - design.center().x()), 1); break;
  }
  if (text.width() <= spot.width && text.height() <= spot.height) {
    EXPECT_EQ(box, design) << "grown for a caption that fits";
  }
}

// Painted on a key colour: the caption's colour, its own font's height as
// far as the box shows it, and the ink at the kept edge.
void ExpectPaintedAt(const platform::TLabel &label, const Spot &spot, QRgb colour) {
  const QRgb key = qRgb(255, 0, 255); // a background no caption uses
  const QImage painted = Painted(const_cast<platform::TLabel &>(label), key);
  if (spot.pixels == 0) {
    EXPECT_TRUE(Ink(painted, key).isEmpty()) << "an empty strip paints nothing";
    return;
  }
  EXPECT_GE(Count(painted, colour), 3) << "the caption's colour";
  const QRect at = label.geometry();
  const QRect ink = Ink(painted, key).translated(at.topLeft());
  ASSERT_FALSE(ink.isEmpty());
  const int fontInk =
      QFontMetrics(label.font()).tightBoundingRect(QString::fromStdString(label.Caption())).height();
  EXPECT_NEAR(ink.height(), std::min(fontInk, at.bottom() + 1 - ink.top()), 2);
  const int right = spot.left + spot.width;
  switch (spot.kept) {
  case Edge::Left: EXPECT_NEAR(ink.left(), spot.left, 4); break;
  case Edge::Right: EXPECT_NEAR(ink.right() + 1, right, 4); break;
  case Edge::Centre: EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0, spot.left + spot.width / 2, 2); break;
  }
}

// A label too small for a caption set later grows away from the edge its alignment keeps.
TEST(LabelGrowth, KeepsTheEdgeItsAlignmentKeeps) {
  QWidget parent;
  const std::pair<Qt::Alignment, Edge> alignments[] = {
      {Qt::AlignLeft, Edge::Left}, {Qt::AlignHCenter, Edge::Centre}, {Qt::AlignRight, Edge::Right}};
  for (const auto &[alignment, edge] : alignments) {
    platform::TLabel label(&parent);
    label.SetFont(QString::fromUtf8(forms::kFontFamily.data(), forms::kFontFamily.size()), 20, false);
    label.SetAlignment(alignment | Qt::AlignTop);
    label.SetBounds(100, 50, 40, 10);
    label.SetCaption("much wider than forty pixels");
    ExpectShowsWhole(label, {100, 50, 40, 10, 20, false, edge}, "much wider than forty pixels");
  }
}

// Main-window labels: as created (caption, visibility, colour, painted ink),
// then with the captions the game gives them, the longest and two-line ones included.
TEST(MainWindowLabels, ShowTheirCaptionsInTheirFontAndColour) {
  const QRgb white = qRgb(255, 255, 255), grey = qRgb(64, 64, 66);
  const struct {
    Label label;
    Spot spot;
    QRgb colour;
    bool shown;
    std::vector<std::string> captions; // the first as created
  } rows[] = {
      {Label::N_LabMessage1,
       {20, 417, 580, 50, 21, true, Edge::Left},
       white,
       true,
       {"自軍Marvokの配置場所を指定してください。", "警告！敵Marvokの反応をキャッチ、近くにあります。",
        "再戦します。\n自軍Marvokを配置してください。",
        "ログイン：::ffff:192.168.100.200\n対戦相手を待っています・・・・・。", "ゲーム開始。"}},
      {Label::N_LabFull1, {0, 0, 640, 20, 0, false, Edge::Left}, white, true, {""}},
      // One figure of the countdown shows where it is aligned; three fill the box.
      {Label::N_LabTimer1,
       {285, 20, 72, 48, 48, false, Edge::Centre},
       white,
       true,
       {"000", "0", "200", "99"}},
      {Label::N_LabScore8,
       {24, 417, 177, 44, 21, true, Edge::Left},
       white,
       false,
       {"HIGHSCORE", "\nX-05 Y-06", ""}},
      {Label::N_LabScore1,
       {456, 10, 177, 44, 27, true, Edge::Right},
       grey,
       true,
       {"HIGHSCORE", "0", "99999"}},
      {Label::N_LabMessage2, {178, 200, 284, 40, 40, true, Edge::Left}, white, false, {"Congratulations!"}},
      {Label::N_LabScore9,
       {456, 40, 177, 33, 27, true, Edge::Right},
       grey,
       true,
       {"HIGHSCORE", "0", "99999"}},
  };
  apptest::MainWindowRig<> rig;
  for (const auto &row : rows) {
    SCOPED_TRACE(static_cast<int>(row.label));
    const platform::TLabel &label = rig.window->LabelControl(row.label);
    EXPECT_EQ(label.isVisibleTo(&rig.window->ClientArea()), row.shown);
    for (const auto &caption : row.captions) {
      if (caption != row.captions.front())
        rig.window->SetCaption(row.label, caption);
      ExpectShowsWhole(label, row.spot, caption);
      if (row.label == Label::N_LabTimer1 ? caption == "0" : caption == row.captions.front())
        ExpectPaintedAt(label, row.spot, row.colour);
    }
  }
}

// The win label spreads over the field's cells only while it is shown.
TEST(MainWindowLabels, GrownWinLabelTakesTheMouseOnlyWhileShown) {
  apptest::MainWindowRig<> rig;
  QWidget &client = rig.window->ClientArea();
  const QPoint past284(475, 212); // beyond the design width, on cell (2,7)
  QWidget *cell = &rig.window->PictureControl(game::CellPicture(game::CellNumber(2, 7)));
  EXPECT_EQ(client.childAt(past284), cell);
  rig.window->SetVisible(Label::N_LabMessage2, true);
  EXPECT_EQ(client.childAt(past284), &rig.window->LabelControl(Label::N_LabMessage2));
  rig.window->SetVisible(Label::N_LabMessage2, false);
  EXPECT_EQ(client.childAt(past284), cell);
}

// The dialog's captions show whole and stay clear of the boxes below them.
TEST(NetworkDialogLabels, ShowWholeAboveTheirBoxes) {
  TN_FrmSub2 dialog;
  ExpectShowsWhole(*dialog.Label1, {6, 6, 46, 12, 12, false, Edge::Left}, "接続先IP");
  ExpectShowsWhole(*dialog.Label2, {6, 48, 55, 12, 12, false, Edge::Left}, "ポート番号");
  EXPECT_LT(dialog.Label1->geometry().bottom(), dialog.N_EdiNet1->y());
  EXPECT_LT(dialog.Label2->geometry().bottom(), dialog.N_EdiNet2->y());
}

// The information page's values, long ones too, show whole and keep their right edge.
TEST(SystemWindowLabels, InformationValuesShowWhole) {
  TN_FrmSystem1 window;
  auto source = std::make_unique<systemtest::FakeInformation>();
  source->name = "workstation-0123456789-abcdefghijklm";
  source->processor = sysinfo::kMips, source->os = {2, 10, 0}, source->width = 3840, source->height = 2160;
  source->bits = 32, source->memory = 64ull << 30;
  window.SetSystemInformationSource(std::move(source));
  window.show();
  apptest::ClickButton(window, "情報(&S)");
  const int tops[] = {35, 49, 63, 77, 91, 105};
  for (int n = 1; n <= 6; ++n) {
    SCOPED_TRACE(n);
    const platform::TLabel &label = window.InformationLabel(n);
    ASSERT_TRUE(label.isVisible());
    ExpectShowsWhole(label, {178, tops[n - 1], 222, label.geometry().height(), 12, false, Edge::Right},
                     label.Caption());
  }
  EXPECT_EQ(window.InformationLabel(1).Caption(), " workstation-0123456789-abcdefghijklm");
  EXPECT_EQ(window.InformationLabel(6).Caption(), "67108864 KB");
}

} // namespace

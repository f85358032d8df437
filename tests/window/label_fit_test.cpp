// Every label of the main window, the network dialog and the system window
// shows its whole caption in the font it is drawn with, at the place its
// window gives it.
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/TN_FrmMain1.h"
#include "network/TN_FrmSub2.h"
#include "platform/core/Controls.h"
#include "platform/core/MessageBox.h"
#include "system/SystemInformation.h"
#include "system/TN_FrmSystem1.h"
#include "tests/support/TestPaths.h"

using game::Label;

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
// given size, and keeps the edge its alignment keeps.
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

// A label too small for a caption set later grows away from the edge its alignment keeps.
TEST(LabelGrowth, KeepsTheEdgeItsAlignmentKeeps) {
  QWidget parent;
  const std::pair<Qt::Alignment, Edge> alignments[] = {
      {Qt::AlignLeft, Edge::Left}, {Qt::AlignHCenter, Edge::Centre}, {Qt::AlignRight, Edge::Right}};
  for (const auto &[alignment, edge] : alignments) {
    platform::TLabel label(&parent);
    label.SetFont("IPAPGothic", 20, false);
    label.SetAlignment(alignment | Qt::AlignTop);
    label.SetBounds(100, 50, 40, 10);
    label.SetCaption("much wider than forty pixels");
    ExpectShowsWhole(label, {100, 50, 40, 10, 20, false, edge}, "much wider than forty pixels");
  }
}

class LabelFitTest : public ::testing::Test {
protected:
  void SetUp() override {
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(testpaths::GameDir());
    previousResponder_ =
        platform::SetMessageBoxResponder([](const platform::MessageBoxRequest &) { return platform::IDNO; });
    window_ = std::make_unique<TN_FrmMain1>();
  }
  void TearDown() override {
    window_.reset();
    platform::SetMessageBoxResponder(previousResponder_);
    QDir::setCurrent(previousDir_);
  }

  QString previousDir_;
  platform::MessageBoxResponder previousResponder_;
  std::unique_ptr<TN_FrmMain1> window_;
};

// Main-window labels with the captions the game gives them, the longest and the two-line ones included.
TEST_F(LabelFitTest, MainWindowLabelsShowTheirCaptions) {
  struct Row {
    Label label;
    Spot spot;
    std::vector<std::string> captions;
  };
  const Row rows[] = {
      {Label::N_LabMessage1,
       {20, 417, 580, 50, 21, true, Edge::Left},
       {"自軍Marvokの配置場所を指定してください。", "警告！敵Marvokの反応をキャッチ、近くにあります。",
        "再戦します。\n自軍Marvokを配置してください。",
        "ログイン：::ffff:192.168.100.200\n対戦相手を待っています・・・・・。", "ゲーム開始。"}},
      {Label::N_LabFull1, {0, 0, 640, 20, 0, false, Edge::Left}, {""}},
      {Label::N_LabTimer1, {285, 20, 72, 48, 48, false, Edge::Centre}, {"000", "200", "99", "0"}},
      {Label::N_LabScore8, {24, 417, 177, 44, 21, true, Edge::Left}, {"HIGHSCORE", "\nX-05 Y-06", ""}},
      {Label::N_LabScore1, {456, 10, 177, 44, 27, true, Edge::Right}, {"HIGHSCORE", "0", "99999"}},
      {Label::N_LabMessage2, {178, 200, 284, 40, 40, true, Edge::Left}, {"Congratulations!"}},
      {Label::N_LabScore9, {456, 40, 177, 33, 27, true, Edge::Right}, {"HIGHSCORE", "0", "99999"}},
  };
  for (const auto &row : rows) {
    SCOPED_TRACE(static_cast<int>(row.label));
    for (const auto &caption : row.captions) {
      window_->SetCaption(row.label, caption);
      ExpectShowsWhole(window_->LabelControl(row.label), row.spot, caption);
    }
  }
}

// The win label spreads over the field's cells only while it is shown.
TEST_F(LabelFitTest, GrownWinLabelTakesTheMouseOnlyWhileShown) {
  QWidget &client = window_->ClientArea();
  const QPoint past284(475, 212); // beyond the design width, on cell (2,7)
  QWidget *cell = &window_->PictureControl(game::CellPicture(game::CellNumber(2, 7)));
  EXPECT_EQ(client.childAt(past284), cell);
  window_->SetVisible(Label::N_LabMessage2, true);
  EXPECT_EQ(client.childAt(past284), &window_->LabelControl(Label::N_LabMessage2));
  window_->SetVisible(Label::N_LabMessage2, false);
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

struct LongValues : sysinfo::SystemInformationSource {
  std::optional<std::string> ComputerName() const override { return "workstation-0123456789-abcdefghijklm"; }
  int Processor() const override { return sysinfo::kMips; }
  sysinfo::OsVersion Os() const override { return {2, 10, 0}; }
  int ScreenWidth() const override { return 3840; }
  int ScreenHeight() const override { return 2160; }
  int BitsPerPixel() const override { return 32; }
  std::uint64_t AvailableMemoryBytes() const override { return 64ull << 30; }
  std::vector<std::string> Environment() const override { return {}; }
};

// The information page's values, long ones too, show whole and keep their right edge.
TEST(SystemWindowLabels, InformationValuesShowWhole) {
  TN_FrmSystem1 window;
  window.SetSystemInformationSource(std::make_unique<LongValues>());
  window.show();
  for (auto *button : window.findChildren<QPushButton *>())
    if (button->text() == "情報(&S)")
      QTest::mouseClick(button, Qt::LeftButton);
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

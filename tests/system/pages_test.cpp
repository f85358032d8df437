// The sound and system window's layout, tabs and pages, with the information
// page's values from a source the test controls.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "platform/core/Controls.h"
#include "system/TN_FrmSystem1.h"
#include "tests/support/FakeInformation.h"

namespace {

TEST(SystemInformationText, ValuesAreWrittenAsThePageShowsThem) {
  EXPECT_EQ(sysinfo::ComputerNameText(std::string("box")), " box");
  EXPECT_EQ(sysinfo::ComputerNameText(std::nullopt), "不明");
  EXPECT_EQ(sysinfo::ComputerNameText(std::string(40, 'h')),
            " " + std::string(40, 'h')); // no 15-character cut
  EXPECT_EQ(sysinfo::ProcessorText(586), "Pentium");
  EXPECT_EQ(sysinfo::ProcessorText(21064), "Alpha");
  EXPECT_EQ(sysinfo::ProcessorText(0), "不明");
  EXPECT_EQ(sysinfo::OsText({2, 5, 1}), "Windows NT 5.1");
  EXPECT_EQ(sysinfo::OsText({3, 6, 1}), "不明 6.1");
  EXPECT_EQ(sysinfo::ResolutionText(1024, 768), "1024 x 768");
  EXPECT_EQ(sysinfo::ColoursText(32), "32 ﾋﾞｯﾄ");
  EXPECT_EQ(sysinfo::MemoryText(134217728), "131072 KB");
  EXPECT_EQ(sysinfo::MemoryText(6ull << 30), "6291456 KB"); // above 4 GiB
  EXPECT_EQ(sysinfo::MemoryText(1023), "0 KB");
}

TEST(SystemInformationText, AvailableMemoryFromMeminfo) {
  EXPECT_EQ(sysinfo::ParseAvailableMemory("MemTotal: 100 kB\nMemFree: 10 kB\nMemAvailable: 8000000 kB\n"),
            8000000ull * 1024);
  EXPECT_EQ(sysinfo::ParseAvailableMemory("MemTotal: 100 kB\nMemFree: 10 kB\n"), 10240u);
  EXPECT_FALSE(sysinfo::ParseAvailableMemory("nonsense").has_value());
}

class PagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    auto source = std::make_unique<systemtest::FakeInformation>();
    source->name = "a-rather-long-host-name";
    info_ = source.get();
    window_.SetSystemInformationSource(std::move(source));
  }
  bool Hidden(QWidget &widget) { return !widget.isVisibleTo(&window_); }

  TN_FrmSystem1 window_;
  systemtest::FakeInformation *info_ = nullptr;
};

TEST_F(PagesTest, WindowAsCreated) {
  EXPECT_EQ(window_.windowTitle().toStdString(), "VelmorasystemC Ver 0.8");
  EXPECT_EQ(window_.size(), QSize(412, 230));
  EXPECT_FALSE(Hidden(window_.StartPicture()));
  EXPECT_EQ(window_.StartPicture().geometry(), QRect(8, 4, 396, 150));
  EXPECT_FALSE(Hidden(window_.InformationPicture()));
  EXPECT_TRUE(window_.InformationPicture().Picture().Empty());
  for (QWidget *control : window_.SoundPageControls())
    EXPECT_TRUE(Hidden(*control));
  EXPECT_TRUE(Hidden(window_.EnvironmentList()));
  EXPECT_TRUE(Hidden(window_.InformationLabel(1)));
}

TEST_F(PagesTest, TabsSwitchThePages) {
  window_.N_ButTab3Click();
  EXPECT_TRUE(Hidden(window_.StartPicture()));
  for (QWidget *control : window_.SoundPageControls())
    EXPECT_FALSE(Hidden(*control));
  EXPECT_TRUE(Hidden(window_.CdCheckButton())) << "shown only with the CD source";
  EXPECT_TRUE(Hidden(window_.InformationPicture()));

  window_.CdRadio().setChecked(true);
  window_.N_ButTab3Click();
  EXPECT_FALSE(Hidden(window_.CdCheckButton()));
  window_.CdRadio().setChecked(false);
  window_.N_ButTab3Click();
  EXPECT_FALSE(Hidden(window_.CdCheckButton())) << "unchanged when the CD source is not checked";

  window_.N_ButTab4Click();
  EXPECT_TRUE(Hidden(window_.CdCheckButton()));
  EXPECT_FALSE(Hidden(window_.EnvironmentList()));
  for (QWidget *control : window_.SoundPageControls())
    EXPECT_TRUE(Hidden(*control));

  window_.N_ButTab2Click();
  EXPECT_TRUE(Hidden(window_.EnvironmentList()));
  EXPECT_FALSE(Hidden(window_.InformationPicture()));
  EXPECT_FALSE(Hidden(window_.InformationLabel(3)));
  EXPECT_TRUE(Hidden(window_.StartPicture())) << "the start picture never comes back";
}

// Each click on the information tab reads the values again (the page's rows
// and how the values show: layout_test).
TEST_F(PagesTest, InformationTabReadsTheValuesAgain) {
  window_.N_ButTab2Click();
  EXPECT_EQ(window_.InformationLabel(1).Caption(), " a-rather-long-host-name");
  info_->name.reset();
  window_.N_ButTab2Click();
  EXPECT_EQ(window_.InformationLabel(1).Caption(), "不明");
}

} // namespace

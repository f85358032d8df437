// How the sound and system window's pages look: group frames that leave their
// controls whole, sunken status boxes, 12-pixel environment rows, and a "..."
// dialog that speaks Japanese.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/core/Translation.h"
#include "system/TN_FrmSystem1.h"
#include "tests/support/ModalDialog.h"
#include "tests/support/Pixels.h"
#include "tests/support/FakeInformation.h"

namespace {

class SoundPageLooksTest : public ::testing::Test {
protected:
  void SetUp() override {
    auto source = std::make_unique<systemtest::FakeInformation>();
    source->environment = {"A_B=1", "HOME=/root", "EMPTY="};
    window_.SetSystemInformationSource(std::move(source));
    window_.show();
  }
  template <typename Widget> Widget *Find(const std::function<bool(Widget *)> &match) {
    for (auto *widget : window_.findChildren<Widget *>())
      if (match(widget))
        return widget;
    return nullptr;
  }
  void ClickTab(const QString &caption) {
    auto *tab = Find<QPushButton>([&](QPushButton *button) { return button->text() == caption; });
    ASSERT_NE(tab, nullptr) << caption.toStdString();
    QTest::mouseClick(tab, Qt::LeftButton);
  }
  QLabel *StaticTextAt(const QRect &rect) {
    return Find<QLabel>([&](QLabel *label) { return label->geometry() == rect; });
  }

  TN_FrmSystem1 window_;
};

// Each group's caption sits on its frame's top line, which crosses neither the caption nor the controls
// inside.
TEST_F(SoundPageLooksTest, GroupFramesRunThroughTheirCaptions) {
  ClickTab("音源設定(&B)");
  const QImage shot = window_.grab().toImage();
  struct Row {
    QString caption;
    QRect box;
    QStringList inside;
  };
  const Row rows[] = {
      {"音源の設定", {8, 4, 185, 65}, {"CDによるBGM(&C)", "MIDIによるBGM(&M)"}},
      {"再生方法", {8, 72, 185, 81}, {"オートリピート", "選曲再生", "リスト再生"}},
  };
  for (const auto &row : rows) {
    SCOPED_TRACE(row.caption.toStdString());
    auto *group = Find<QGroupBox>([&](QGroupBox *box) { return box->title() == row.caption; });
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->geometry(), row.box);
    // The top line: the first pixel down the frame's right part that is not the window's colour.
    const QRgb background = shot.pixel(row.box.left() - 4, row.box.top() + 2);
    const int x = row.box.right() - 4;
    int line = row.box.top();
    while (line < row.box.bottom() && shot.pixel(x, line) == background)
      ++line;
    const QFontMetrics metrics(group->font());
    EXPECT_LT(line - row.box.top(), metrics.height()) << "the line runs below the caption";
    int run = 0, longestRun = 0; // of line-coloured pixels along the caption
    for (int cx = row.box.left() + 8; cx < row.box.left() + 8 + metrics.horizontalAdvance(row.caption);
         ++cx) {
      run = shot.pixel(cx, line) == shot.pixel(x, line) ? run + 1 : 0;
      longestRun = std::max(longestRun, run);
    }
    EXPECT_LT(longestRun, 4) << "the frame line crosses the caption";
    for (const QString &caption : row.inside) {
      auto *control = Find<QAbstractButton>([&](QAbstractButton *b) { return b->text() == caption; });
      ASSERT_NE(control, nullptr) << caption.toStdString();
      EXPECT_GT(control->y(), line + 1) << caption.toStdString() << " is cut by the frame line";
      EXPECT_LT(control->geometry().bottom(), row.box.bottom() - 1) << caption.toStdString();
    }
  }
}

// The status box is sunken, white bold 18 points on black with the text
// centred; the help strip is sunken too.
TEST_F(SoundPageLooksTest, StaticTextsAreSunkenAndTheStatusWhiteOnBlack) {
  ClickTab("音源設定(&B)");
  QLabel *status = StaticTextAt({232, 86, 153, 30});
  QLabel *help = StaticTextAt({8, 186, 396, 39});
  ASSERT_NE(status, nullptr);
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->text(), "VelmorasystemC Ver 0.8");
  EXPECT_EQ(QFontInfo(status->font()).pointSize(), 18);
  EXPECT_TRUE(QFontInfo(status->font()).bold());
  const QRect text = QFontMetrics(status->font()).boundingRect("MIDIPAUSE");
  EXPECT_LE(text.width(), status->contentsRect().width());
  EXPECT_LE(QFontMetrics(status->font()).height(), status->contentsRect().height());

  status->setText("MIDIPLAY");
  for (QLabel *box : {status, help}) {
    SCOPED_TRACE(box->text().toStdString());
    EXPECT_EQ(box->frameShadow(), QFrame::Sunken);
    const QImage shot = box->grab().toImage();
    // Shadow along the top and left, light along the bottom and right.
    const int w = shot.width(), h = shot.height();
    EXPECT_LT(qGray(shot.pixel(w / 2, 0)), qGray(shot.pixel(w / 2, h - 1)));
    EXPECT_LT(qGray(shot.pixel(0, h / 2)), qGray(shot.pixel(w - 1, h / 2)));
  }
  const QImage shown = status->grab().toImage();
  const QImage inside = shown.copy(shown.rect().adjusted(3, 3, -3, -3)); // within the sunken frame
  const QRgb black = qRgb(0, 0, 0);
  EXPECT_GT(testpixels::Count(inside, black), inside.width() * inside.height() / 2) << "a black box";
  EXPECT_GE(testpixels::Count(inside, qRgb(255, 255, 255)), 20) << "white text";
  const QRect ink = testpixels::Ink(inside, black);
  EXPECT_NEAR(ink.center().x(), inside.width() / 2, 3);
  EXPECT_NEAR(ink.center().y(), inside.height() / 2, 3);
  // Its capitals stand as tall as the 18-point font draws them.
  EXPECT_NEAR(ink.height(), QFontMetrics(status->font()).tightBoundingRect("MIDIPLAY").height(), 2);
}

// The environment list: rebuilt at each click, not appended to; its rows are 12 pixels high.
TEST_F(SoundPageLooksTest, EnvironmentListIsRebuiltWithTwelvePixelRows) {
  ClickTab("環境変数(&O)");
  ClickTab("環境変数(&O)");
  QListWidget &list = window_.EnvironmentList();
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.item(0)->text(), "A_B=1");
  EXPECT_EQ(list.item(2)->text(), "EMPTY=");
  for (int i = 0; i < 3; ++i) {
    const QRect row = list.visualItemRect(list.item(i));
    EXPECT_EQ(row.height(), 12) << i;
    EXPECT_EQ(row.top() - list.visualItemRect(list.item(0)).top(), 12 * i) << i;
  }
}

// "..." opens Qt's own dialog, in Japanese, its filter captioned exactly as written.
TEST_F(SoundPageLooksTest, OpenDialogIsJapaneseWithTheFilterAsWritten) {
  ASSERT_TRUE(platform::InstallJapaneseQtTranslation(*QCoreApplication::instance()));
  ClickTab("音源設定(&B)");
  const QString before = window_.N_EdiBgm1->text();
  bool seen = false, qtDialog = false;
  QStringList filters;
  QString typeCaption;
  testsupport::WhenModal<QFileDialog> cancel([&](QFileDialog &dialog) {
    seen = true;
    qtDialog = dialog.testOption(QFileDialog::DontUseNativeDialog);
    if (auto *types = dialog.findChild<QComboBox *>("fileTypeCombo"))
      for (int i = 0; i < types->count(); ++i)
        filters << types->itemText(i);
    if (auto *label = dialog.findChild<QLabel *>("fileTypeLabel"))
      typeCaption = label->text();
    dialog.reject();
  });
  QTest::mouseClick(&window_.OpenButton(), Qt::LeftButton);
  ASSERT_TRUE(seen);
  EXPECT_TRUE(qtDialog);
  EXPECT_EQ(filters, QStringList{"MIDIﾌｧｲﾙ（*.mid）"});
  EXPECT_EQ(typeCaption, "ファイルの種類:");
  EXPECT_EQ(window_.N_EdiBgm1->text(), before) << "a cancelled dialog changes nothing";
}

} // namespace

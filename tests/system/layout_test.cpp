// The sound and system window measured as it shows: what stands at each place
// of each page, its size, caption and font, the looks of the information page,
// and the values it reads from this Linux system.
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QSysInfo>
#include <gtest/gtest.h>

#include <sys/utsname.h>

#include "MusicRig.h"
#include "platform/core/Controls.h"
#include "tests/support/Pixels.h"

namespace {

using musictest::MusicRig;
using testpixels::Ink;
using testpixels::Painted;

// The window's own child at a point of its client area.
QWidget *ControlAt(QWidget &window, QPoint at) {
  QWidget *widget = window.childAt(at);
  while (widget != nullptr && widget->parentWidget() != &window)
    widget = widget->parentWidget();
  return widget;
}

QString CaptionOf(QWidget *widget) {
  if (auto *button = qobject_cast<QAbstractButton *>(widget))
    return button->text();
  if (auto *group = qobject_cast<QGroupBox *>(widget))
    return group->title();
  if (auto *label = qobject_cast<QLabel *>(widget))
    return label->text();
  if (auto *label = qobject_cast<platform::TLabel *>(widget))
    return QString::fromStdString(label->Caption());
  return {};
}

// A font's height in pixels against the points the form gives.
int PixelsOf(QWidget *widget) { return QFontInfo(widget->font()).pixelSize(); }
int Points(QWidget *widget, int points) { return qRound(points * widget->logicalDpiY() / 72.0); }

struct Place {
  const char *tab;     // the page it shows on; null: always
  const char *caption; // "": a right-aligned value label, which keeps its right edge
  QRect rect;
  bool minimumSize; // a caption control may be wider than the form for this font
  int points;       // 0: not given
};

// Each page shows its controls at their places, with their captions and fonts.
TEST(SystemWindowLayout, ControlsStandWhereThePagesPutThem) {
  const Place places[] = {
      {"情報(&S)", "", {178, 35, 222, 12}, true, 9},
      {"情報(&S)", "", {178, 105, 222, 12}, true, 9},
      {"情報(&S)", nullptr, {8, 4, 396, 150}, false, 0},
      {"環境変数(&O)", nullptr, {8, 4, 396, 150}, false, 9},
      {"音源設定(&B)", "音源の設定", {8, 4, 185, 65}, false, 9},
      {"音源設定(&B)", "CDによるBGM(&C)", {23, 20, 113, 17}, true, 9},
      {"音源設定(&B)", "MIDIによるBGM(&M)", {23, 44, 113, 17}, true, 9},
      {"音源設定(&B)", "再生方法", {8, 72, 185, 81}, false, 9},
      {"音源設定(&B)", "オートリピート", {23, 88, 97, 17}, true, 9},
      {"音源設定(&B)", "選曲再生", {23, 108, 97, 17}, true, 9},
      {"音源設定(&B)", "リスト再生", {23, 128, 97, 17}, true, 9},
      {"音源設定(&B)", nullptr, {216, 17, 179, 20}, false, 9},
      {"音源設定(&B)", nullptr, {216, 57, 153, 20}, false, 9},
      {"音源設定(&B)", "...", {374, 57, 20, 20}, false, 9},
      {"音源設定(&B)", nullptr, {232, 86, 153, 30}, false, 18},
      {"音源設定(&B)", nullptr, {219, 123, 30, 30}, false, 0},
      {"音源設定(&B)", nullptr, {251, 123, 30, 30}, false, 0},
      {"音源設定(&B)", nullptr, {283, 123, 30, 30}, false, 0},
      {"音源設定(&B)", nullptr, {331, 123, 30, 30}, false, 0},
      {"音源設定(&B)", nullptr, {363, 123, 30, 30}, false, 0},
      {nullptr, "環境変数(&O)", {10, 160, 92, 21}, false, 9},
      {nullptr, "音源設定(&B)", {110, 160, 92, 21}, false, 9},
      {nullptr, "情報(&S)", {210, 160, 92, 21}, false, 9},
      {nullptr, "終了(&X)", {310, 160, 92, 21}, false, 9},
      {nullptr, "VelmorasystemC Ver 0.8", {8, 186, 396, 39}, false, 9},
  };
  MusicRig rig;
  TN_FrmSystem1 &w = rig.window;
  w.show();
  for (const char *tab : {"情報(&S)", "環境変数(&O)", "音源設定(&B)"}) {
    for (QAbstractButton *button : w.findChildren<QAbstractButton *>())
      if (button->text() == QString::fromUtf8(tab))
        QTest::mouseClick(button, Qt::LeftButton);
    for (const Place &place : places) {
      if (place.tab != nullptr && std::string(place.tab) != tab)
        continue;
      SCOPED_TRACE(std::string(tab) + " at " + std::to_string(place.rect.x()) + "," +
                   std::to_string(place.rect.y()));
      // Probed near the bottom-left corner, clear of any control inside a frame.
      QWidget *control = ControlAt(w, place.rect.bottomLeft() + QPoint(2, -2));
      ASSERT_NE(control, nullptr);
      const QRect at = control->geometry();
      const bool valueLabel = place.caption != nullptr && *place.caption == '\0';
      EXPECT_EQ(at.top(), place.rect.top());
      EXPECT_EQ(valueLabel ? at.right() : at.left(), valueLabel ? place.rect.right() : place.rect.left());
      if (place.minimumSize) {
        EXPECT_GE(at.width(), place.rect.width());
        EXPECT_GE(at.height(), place.rect.height());
      } else {
        EXPECT_EQ(at.size(), place.rect.size());
      }
      if (place.caption != nullptr && *place.caption != '\0') {
        EXPECT_EQ(CaptionOf(control).toStdString(), place.caption);
      }
      control->ensurePolished();
      if (place.points > 0) {
        EXPECT_EQ(PixelsOf(control), Points(control, place.points));
      }
    }
  }
  // While the CD source is chosen its check button covers the five glyph buttons.
  rig.ChooseCd();
  QWidget *check = ControlAt(w, {234, 138});
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(CaptionOf(check).toStdString(), "CDチェック(&H)");
  EXPECT_EQ(check->geometry(), QRect(219, 123, 174, 30));
  EXPECT_EQ(ControlAt(w, {378, 138}), check);
  EXPECT_EQ(PixelsOf(check), Points(check, 9));
}

// What this Linux system answers for each row of the information page.
struct LinuxValues {
  std::string name, processor, os, resolution, colours;
  long long memoryKb = 0;
  LinuxValues() {
    name = " " + QSysInfo::machineHostName().toStdString();
    utsname info{};
    uname(&info);
    const std::string machine = info.machine;
    // Every x86 of today counts as the family's Pentium line.
    processor = machine == "x86_64" || machine == "i686" || machine == "i586" ? "Pentium"
                : machine == "i486"                                           ? "i486"
                : machine == "i386"                                           ? "i386"
                                                                              : "不明";
    int major = 0, minor = 0;
    std::sscanf(info.release, "%d.%d", &major, &minor);
    os = "不明 " + std::to_string(major) + "." + std::to_string(minor); // Linux is no known platform
    const QScreen *screen = QGuiApplication::primaryScreen();
    resolution =
        std::to_string(screen->geometry().width()) + " x " + std::to_string(screen->geometry().height());
    colours = std::to_string(screen->depth()) + " ﾋﾞｯﾄ";
    QFile meminfo("/proc/meminfo");
    EXPECT_TRUE(meminfo.open(QIODevice::ReadOnly));
    for (const QByteArray &line : meminfo.readAll().split('\n'))
      if (line.startsWith("MemAvailable:"))
        memoryKb = line.mid(13).trimmed().split(' ').first().toLongLong();
  }
};

// The information page: its rows drawn white on black at their places, and
// each value in its label, read from this system.
TEST(SystemWindowLayout, InformationPageRowsAndTheirLinuxValues) {
  MusicRig rig;
  TN_FrmSystem1 &w = rig.window;
  w.show();
  const LinuxValues here;
  w.N_ButTab2Click();
  w.N_ButTab2Click(); // each click draws the page afresh

  const struct {
    int y;
    const char *text;
    std::string value;
  } rows[] = {
      {3, "ｼｽﾃﾑ情報", ""},
      {31, "コンピュータ名:", here.name},
      {45, "プロセッサタイプ:", here.processor},
      {59, "OS :", here.os},
      {73, "画面解像度 :", here.resolution},
      {87, "表示色 :", here.colours},
      {101, "物理ﾒﾓﾘ:", "KB"},
      {129, "VELMORASYSTEMは正常に動作しています_", ""},
  };
  QImage expected(396, 150, QImage::Format_RGB32);
  expected.fill(Qt::black);
  {
    QPainter painter(&expected);
    QFont font = w.font();
    font.setPointSize(9);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255));
    for (const auto &row : rows)
      painter.drawText(QRect(5, row.y, 391, 150), Qt::AlignLeft | Qt::AlignTop, QString::fromUtf8(row.text));
  }
  const QImage page = w.InformationPicture().Picture().Image().convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(page == expected) << "the rows' texts, places, font and colour";

  int label = 1;
  for (const auto &row : rows) {
    if (row.value.empty())
      continue;
    SCOPED_TRACE(row.text);
    platform::TLabel &value = w.InformationLabel(label++);
    EXPECT_EQ(value.geometry().top(), row.y + 4) << "the row's y in the window";
    EXPECT_EQ(value.geometry().right() + 1, 400) << "right-aligned at 178 + 222";
    // Painted on black: the text is white and ends at the right edge.
    const QImage painted = Painted(value, qRgb(0, 0, 0));
    int brightest = 0;
    for (int y = 0; y < painted.height(); ++y)
      for (int x = 0; x < painted.width(); ++x) {
        const QRgb pixel = painted.pixel(x, y);
        brightest = std::max(brightest, std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}));
      }
    EXPECT_GE(brightest, 200) << "white";
    EXPECT_NEAR(value.geometry().left() + Ink(painted, qRgb(0, 0, 0)).right() + 1, 400, 3) << "right-aligned";
    if (row.value != "KB") {
      EXPECT_EQ(value.Caption(), row.value);
      continue;
    }
    // Available memory moves a little between two readings.
    const std::string caption = value.Caption();
    ASSERT_GT(caption.size(), 3u);
    EXPECT_EQ(caption.substr(caption.size() - 3), " KB");
    EXPECT_NEAR(std::stoll(caption), here.memoryKb, 65536);
  }
}

} // namespace

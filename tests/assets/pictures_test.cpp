// The generated pictures: formats and sizes the game's loaders rely on, and
// the layout properties the main window's drawing depends on.
#include "tests/assets/AssetFiles.h"

#include <QColor>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

using namespace assettest;

namespace {

struct Expected {
  const char *name;
  int width, height;
};

constexpr std::array<Expected, 20> kBitmaps{{
    {"Mark00.bmp", 60, 42},  {"Mark02.bmp", 20, 21},  {"Mark03.bmp", 20, 21},     {"Mark04.bmp", 20, 21},
    {"Mark05.bmp", 20, 21},  {"Mark06.bmp", 20, 21},  {"Life1.bmp", 164, 20},     {"Danger1.bmp", 93, 140},
    {"Danger2.bmp", 93, 20}, {"Face1.bmp", 180, 90},  {"Face2.bmp", 195, 100},    {"Face3.bmp", 195, 100},
    {"Cast0.bmp", 143, 104}, {"Cast1.bmp", 143, 104}, {"Cast2.bmp", 143, 104},    {"Cast3.bmp", 143, 104},
    {"Cast4.bmp", 143, 104}, {"Cast5.bmp", 143, 104}, {"GameOver.bmp", 640, 105}, {"Window2.jpg", 640, 480},
}};

double ColourDistance(QRgb a, QRgb b) {
  return std::sqrt(std::pow(qRed(a) - qRed(b), 2) + std::pow(qGreen(a) - qGreen(b), 2) +
                   std::pow(qBlue(a) - qBlue(b), 2));
}

// How different two equally sized pictures look: the mean colour distance
// of their pixels.
double Unlikeness(const QImage &a, const QImage &b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      sum += ColourDistance(a.pixel(x, y), b.pixel(x, y));
  return sum / (a.width() * a.height());
}

// Pixels that differ between two equally sized images.
int Differences(const QImage &a, const QImage &b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
  return n;
}

} // namespace

TEST(GeneratedPictures, EveryBitmapIsAPlain24BitWindowsBitmapOfItsSize) {
  for (const Expected &e : kBitmaps) {
    SCOPED_TRACE(e.name);
    const QByteArray bytes = ReadAll(GamePath(e.name));
    ASSERT_FALSE(bytes.isEmpty());
    const QImage image(GamePath(e.name));
    EXPECT_EQ(image.size(), QSize(e.width, e.height));
    if (!QString(e.name).endsWith(".bmp")) {
      EXPECT_EQ(static_cast<std::uint8_t>(bytes[0]), 0xFF); // JPEG start of image
      EXPECT_EQ(static_cast<std::uint8_t>(bytes[1]), 0xD8);
      continue;
    }
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(Le(bytes, 2, 4), static_cast<std::uint32_t>(bytes.size()));
    EXPECT_EQ(Le(bytes, 10, 4), 54u); // pixels right after the headers
    EXPECT_EQ(Le(bytes, 14, 4), 40u); // BITMAPINFOHEADER
    EXPECT_EQ(Le(bytes, 18, 4), static_cast<std::uint32_t>(e.width));
    EXPECT_EQ(Le(bytes, 22, 4), static_cast<std::uint32_t>(e.height)); // bottom-up
    EXPECT_EQ(Le(bytes, 26, 2), 1u);
    EXPECT_EQ(Le(bytes, 28, 2), 24u);
    EXPECT_EQ(Le(bytes, 30, 4), 0u); // uncompressed
    const std::uint32_t stride = (static_cast<std::uint32_t>(e.width) * 3 + 3) & ~3u;
    EXPECT_EQ(Le(bytes, 34, 4), stride * static_cast<std::uint32_t>(e.height));
    EXPECT_EQ(static_cast<std::uint32_t>(bytes.size()), 54 + stride * static_cast<std::uint32_t>(e.height));
  }
}

TEST(GeneratedPictures, TilesAreTellableApartAndMarksMatchTheirTiles) {
  const QImage sheet = LoadGameImage("Mark00.bmp");
  ASSERT_EQ(sheet.size(), QSize(60, 42));
  // Blank, own nothing, reaction; own piece, destroyed opponent, opponent nothing.
  std::vector<QImage> tiles;
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 3; ++col)
      tiles.push_back(sheet.copy(col * 20, row * 21, 20, 21));
  for (std::size_t i = 0; i < tiles.size(); ++i)
    for (std::size_t j = i + 1; j < tiles.size(); ++j) {
      SCOPED_TRACE(testing::Message() << "tiles " << i << " and " << j);
      EXPECT_GT(Unlikeness(tiles[i], tiles[j]), 60.0);
    }

  // Each mark picture looks most like the tile that replaces it at the next view.
  const std::array<std::pair<const char *, std::size_t>, 4> kMarks{
      {{"Mark03.bmp", 1}, {"Mark04.bmp", 2}, {"Mark05.bmp", 5}, {"Mark06.bmp", 0}}};
  for (const auto &[name, tile] : kMarks) {
    SCOPED_TRACE(name);
    const QImage mark = LoadGameImage(name);
    ASSERT_EQ(mark.size(), QSize(20, 21));
    for (std::size_t other = 0; other < tiles.size(); ++other) {
      if (other != tile) {
        EXPECT_LT(Unlikeness(mark, tiles[tile]), Unlikeness(mark, tiles[other])) << "tile " << other;
      }
    }
  }
  const QImage hit = LoadGameImage("Mark02.bmp");
  for (const QImage &tile : tiles)
    EXPECT_GT(Unlikeness(hit, tile), 60.0);
}

TEST(GeneratedPictures, TileCornersBlendIntoTheFieldOfTheBackground) {
  // A tile is an opaque 20 x 21 block: its corners must carry the colour of
  // the field cell around it, or every cell would show a box.
  const QImage background = LoadGameImage("Window2.jpg");
  const QImage blank = LoadGameImage("Mark00.bmp");
  for (const auto &[r, c] : std::array<std::pair<int, int>, 4>{{{2, 2}, {5, 5}, {9, 3}, {4, 9}}}) {
    const int left = 310 + 32 * (c - r);
    const int top = 62 + 16 * (c + r);
    for (const QPoint corner : {QPoint(0, 0), QPoint(19, 0), QPoint(0, 20), QPoint(19, 20)}) {
      SCOPED_TRACE(testing::Message()
                   << "cell " << r << "," << c << " corner " << corner.x() << "," << corner.y());
      EXPECT_LT(ColourDistance(background.pixel(left + corner.x(), top + corner.y()), blank.pixel(corner)),
                14.0);
    }
  }
}

TEST(GeneratedPictures, BackgroundKeepsEveryLabelReadable) {
  const QImage background = LoadGameImage("Window2.jpg");
  // The win counters are painted in dark grey: they need a pale ground.
  EXPECT_GT(MeanLuminance(background, QRect(540, 12, 90, 60)), 140.0);
  // White texts: the message line and the countdown need a dark ground.
  EXPECT_LT(MeanLuminance(background, QRect(20, 417, 580, 50)), 50.0);
  EXPECT_LT(MeanLuminance(background, QRect(285, 20, 72, 48)), 50.0);
}

TEST(GeneratedPictures, FaceFramesPasteSeamlesslyIntoTheirPortraits) {
  struct Set {
    const char *sheet, *portrait;
    QRect face;
  };
  for (const Set &set : {Set{"Face1.bmp", "Cast1.bmp", QRect(50, 45, 60, 45)},
                         Set{"Face2.bmp", "Cast2.bmp", QRect(33, 46, 65, 50)},
                         Set{"Face3.bmp", "Cast3.bmp", QRect(33, 46, 65, 50)}}) {
    SCOPED_TRACE(set.sheet);
    const QImage sheet = LoadGameImage(set.sheet);
    const QImage region = LoadGameImage(set.portrait).copy(set.face);
    const int w = set.face.width();
    const int h = set.face.height();
    ASSERT_EQ(sheet.size(), QSize(3 * w, 2 * h));
    std::vector<QImage> frames;
    for (int row = 0; row < 2; ++row)
      for (int col = 0; col < 3; ++col)
        frames.push_back(sheet.copy(col * w, row * h, w, h));
    // F1 is the portrait's own face: pasting it restores the portrait.
    EXPECT_EQ(Differences(frames[0], region), 0);
    for (std::size_t i = 0; i < frames.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "frame " << i);
      // The outermost ring of every frame equals the portrait's, so no seam shows.
      for (int x = 0; x < w; ++x) {
        EXPECT_EQ(frames[i].pixel(x, 0), region.pixel(x, 0));
        EXPECT_EQ(frames[i].pixel(x, h - 1), region.pixel(x, h - 1));
      }
      for (int y = 0; y < h; ++y) {
        EXPECT_EQ(frames[i].pixel(0, y), region.pixel(0, y));
        EXPECT_EQ(frames[i].pixel(w - 1, y), region.pixel(w - 1, y));
      }
      // Every expression is visibly its own.
      for (std::size_t j = i + 1; j < frames.size(); ++j)
        EXPECT_GT(Differences(frames[i], frames[j]), 40) << "frames " << i << " and " << j;
    }
  }
}

TEST(GeneratedPictures, DangerFramesFormAPulse) {
  const QImage strip = LoadGameImage("Danger1.bmp");
  ASSERT_EQ(strip.size(), QSize(93, 140));
  std::array<double, 7> level{};
  for (int i = 0; i < 7; ++i)
    level[static_cast<std::size_t>(i)] = MeanLuminance(strip, QRect(0, 20 * i, 93, 20));
  // y 0 brightest, dimmer down to y 100, and y 120 dark: shown as 100, 80, ...,
  // 0, 120, 0, 120, 0, 20, ... 120 it swells, flashes and fades.
  for (std::size_t i = 0; i + 1 < level.size(); ++i)
    EXPECT_GT(level[i], level[i + 1] + 2.0) << "frame at y " << 20 * i;
  const QImage rest = LoadGameImage("Danger2.bmp");
  EXPECT_LT(MeanLuminance(rest, rest.rect()), level[0]);
}

TEST(GeneratedPictures, LifeBarStretchesWithoutDistortion) {
  // Shown at 164, 132, 100, 68 and 36 pixels wide: away from its ends every
  // column must be the same.
  const QImage bar = LoadGameImage("Life1.bmp");
  for (int x = 6; x < bar.width() - 6; ++x)
    for (int y = 0; y < bar.height(); ++y)
      ASSERT_EQ(bar.pixel(x, y), bar.pixel(6, y)) << "column " << x << " row " << y;
  EXPECT_GT(MeanLuminance(bar, QRect(6, 3, bar.width() - 12, 14)), 90.0);
}

TEST(GeneratedPictures, GameOverHasOneKeyColourAroundItsLettering) {
  const QImage banner = LoadGameImage("GameOver.bmp");
  const QRgb key = banner.pixel(0, banner.height() - 1); // the see-through colour
  for (const QPoint corner : {QPoint(0, 0), QPoint(639, 0), QPoint(639, 104)})
    EXPECT_EQ(banner.pixel(corner), key);
  // The lettering is solid: nothing inside it turns see-through, and it covers
  // a good part of the middle of the banner, centred on the window's middle
  // (the picture is placed 20 pixels in).
  int solid = 0;
  double sumX = 0;
  for (int y = 0; y < banner.height(); ++y)
    for (int x = 0; x < banner.width(); ++x)
      if (banner.pixel(x, y) != key) {
        ++solid;
        sumX += x;
      }
  ASSERT_GT(solid, 640 * 105 / 4);
  EXPECT_NEAR(sumX / solid + 20, 320, 6);
  const QRect letters(120, 40, 360, 30);
  for (int y = letters.top(); y <= letters.bottom(); ++y)
    for (int x = letters.left(); x <= letters.right(); ++x)
      ASSERT_NE(banner.pixel(x, y), key) << x << "," << y;
}

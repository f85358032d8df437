// Loading the sample pictures made by real encoders, in place.
#include "platform/core/Bitmap.h"
#include "platform/core/Exception.h"
#include "platform/core/ImageDecoders.h"
#include "tests/support/TestPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

using platform::TBitmap;

namespace {

std::string Sample(const QString &relative) { return testpaths::TestData(relative).toStdString(); }

TBitmap Load(const QString &relative) {
  TBitmap bitmap;
  bitmap.LoadFromFile(Sample(relative));
  return bitmap;
}

::testing::AssertionResult Near(const TBitmap &bitmap, int x, int y, QRgb want, int tolerance) {
  const QRgb got = bitmap.Pixel(x, y);
  if (std::abs(qRed(got) - qRed(want)) <= tolerance && std::abs(qGreen(got) - qGreen(want)) <= tolerance &&
      std::abs(qBlue(got) - qBlue(want)) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << x << "," << y << ") is " << std::hex << got << ", wanted " << want;
}

const QRgb kGold = qRgb(255, 215, 0), kFirebrick = qRgb(178, 34, 34), kNavy = qRgb(0, 0, 128),
           kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);

TEST(PictureFiles, BmpTilesOfEveryKind) {
  // Tolerances for the palette reductions of the encoder.
  const std::pair<const char *, int> files[] = {{"tile-24bit.bmp", 0},         {"tile-32bit-v5.bmp", 0},
                                                {"tile-16bit-565.bmp", 8},     {"tile-8bit-palette.bmp", 16},
                                                {"tile-4bit-palette.bmp", 16}, {"tile-8bit-rle.bmp", 16}};
  for (auto [file, t] : files) {
    SCOPED_TRACE(file);
    const TBitmap tile = Load(QString("bmp/") + file);
    ASSERT_EQ(tile.Image().size(), QSize(20, 21));
    EXPECT_EQ(tile.Image().format(), QImage::Format_RGB32);
    // Both sides of each quarter's edges: flipped rows, swapped nibbles or
    // channels in the wrong order show here.
    EXPECT_TRUE(Near(tile, 0, 0, kGold, t) && Near(tile, 9, 10, kGold, t));
    EXPECT_TRUE(Near(tile, 10, 11, kFirebrick, t) && Near(tile, 19, 20, kFirebrick, t));
    EXPECT_TRUE(Near(tile, 10, 0, kNavy, t) && Near(tile, 19, 1, kNavy, t) && Near(tile, 9, 11, kNavy, t) &&
                Near(tile, 0, 20, kNavy, t));
    EXPECT_TRUE(Near(tile, 19, 0, kWhite, t));
  }
  const TBitmap mono = Load("bmp/tile-1bit.bmp");
  ASSERT_EQ(mono.Image().size(), QSize(20, 21));
  EXPECT_TRUE(Near(mono, 0, 0, kWhite, 0) && Near(mono, 19, 0, kWhite, 0));
  EXPECT_TRUE(Near(mono, 18, 0, kBlack, 0) && Near(mono, 0, 20, kBlack, 0) && Near(mono, 19, 20, kBlack, 0));
}

// 143 pixels of 3 bytes: rows are padded from 429 to 432 bytes. Ignoring the
// padding shears the rows, and the left and right edges part.
TEST(PictureFiles, OddWidthRowsArePadded) {
  const TBitmap face = Load("bmp/face-143x104-24bit.bmp");
  ASSERT_EQ(face.Image().size(), QSize(143, 104));
  EXPECT_TRUE(Near(face, 5, 5, kBlack, 0) && Near(face, 6, 0, qRgb(135, 206, 235), 0));
  EXPECT_TRUE(Near(face, 70, 52, kWhite, 0) && Near(face, 142, 103, qRgb(0, 100, 0), 0));
  for (int y = 6; y < 104; ++y)
    ASSERT_EQ(face.Pixel(0, y), face.Pixel(142, y)) << "row " << y;
}

// All 640 x 480 files hold the same picture: each must agree with the
// baseline within JPEG's loss; the grayscale one comes out grey.
TEST(PictureFiles, JpegVariants) {
  const TBitmap baseline = Load("jpeg/baseline-640x480.jpg");
  ASSERT_EQ(baseline.Image().size(), QSize(640, 480));
  const QPoint points[] = {{20, 20}, {320, 240}, {600, 60}, {100, 400}, {620, 460}};
  for (const char *file : {"progressive-640x480.jpg", "yuv444-640x480.jpg", "cmyk-640x480.jpg",
                           "grayscale-640x480.jpg", "truncated-90pct.jpg"}) {
    SCOPED_TRACE(file);
    const TBitmap variant = Load(QString("jpeg/") + file);
    ASSERT_EQ(variant.Image().size(), QSize(640, 480));
    EXPECT_EQ(variant.Image().format(), QImage::Format_RGB32);
    for (QPoint p : points) {
      const QRgb c = variant.Pixel(p.x(), p.y());
      if (QString(file).startsWith("grayscale")) {
        EXPECT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << p.x() << "," << p.y();
      } else if (!QString(file).startsWith("truncated") || p.y() < 400) {
        EXPECT_TRUE(Near(variant, p.x(), p.y(), baseline.Pixel(p.x(), p.y()), 24));
      }
    }
  }
  EXPECT_TRUE(Near(Load("jpeg/truncated-90pct.jpg"), 620, 479, qRgb(128, 128, 128), 8)); // lost rows: grey
  EXPECT_EQ(Load("jpeg/odd-size-143x104.jpg").Image().size(), QSize(143, 104));
}

// Damaged, empty, mislabelled and missing files fail with a message naming the
// file and leave the bitmap as it was.
TEST(PictureFiles, BadFilesFailAndLeaveTheBitmap) {
  const std::pair<const char *, const char *> cases[] = {
      {"bmp/truncated-header.bmp", "ビットマップ形式が正しくありません"},
      {"bmp/truncated-pixels.bmp", "ビットマップ形式が正しくありません"},
      {"bmp/not-a-bitmap.bmp", "ビットマップ形式が正しくありません"},
      {"jpeg/truncated-before-scan.jpg", "JPEG を読み込めません"},
      {"jpeg/empty.jpg", "JPEG を読み込めません"},
      {"jpeg/bitmap-named-jpg.jpg", "Not a JPEG"},
      {"bmp/missing-file.bmp", "ファイルを開けません"},
      {"bmp", "ファイルを開けません"}, // a folder
  };
  for (auto [file, text] : cases) {
    SCOPED_TRACE(file);
    TBitmap bitmap(3, 2);
    bitmap.Image().setPixel(1, 1, qRgb(1, 2, 3));
    const QImage before = bitmap.Image();
    try {
      bitmap.LoadFromFile(Sample(file));
      ADD_FAILURE() << "loaded";
    } catch (const platform::Exception &error) {
      EXPECT_NE(error.Message().find(text), std::string::npos) << error.Message();
      EXPECT_NE(error.Message().find(Sample(file)), std::string::npos) << error.Message();
    }
    EXPECT_EQ(bitmap.Image(), before);
  }
}

// The name picks the decoder, whatever the case of its extension.
TEST(PictureFiles, ExtensionChoosesTheDecoder) {
  QTemporaryDir dir;
  for (const char *name : {"a.JPG", "b.Jpeg", "c.bmp"})
    ASSERT_TRUE(QFile::copy(testpaths::TestData("jpeg/odd-size-143x104.jpg"), dir.filePath(name)));
  TBitmap bitmap;
  bitmap.LoadFromFile(dir.filePath("a.JPG").toStdString());
  bitmap.LoadFromFile(dir.filePath("b.Jpeg").toStdString());
  EXPECT_EQ(bitmap.Width(), 143);
  EXPECT_THROW(bitmap.LoadFromFile(dir.filePath("c.bmp").toStdString()), platform::Exception);
}

// Files cut anywhere or with damaged bytes decode or fail with Exception; the
// sanitizers watch that no read or write strays.
TEST(PictureFiles, CutOrDamagedDataFailsCleanly) {
  for (const char *file :
       {"jpeg/progressive-640x480.jpg", "jpeg/odd-size-143x104.jpg", "bmp/tile-8bit-rle.bmp",
        "bmp/tile-16bit-565.bmp", "bmp/tile-4bit-palette.bmp", "bmp/tile-1bit.bmp"}) {
    SCOPED_TRACE(file);
    QFile in(testpaths::TestData(file));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray whole = in.readAll();
    auto decode = [&](const QByteArray &bytes) {
      try {
        const bool jpeg = QString(file).endsWith(".jpg");
        EXPECT_FALSE((jpeg ? platform::DecodeJpeg(bytes, file) : platform::DecodeBmp(bytes, file)).isNull());
      } catch (const platform::Exception &) {
      }
    };
    for (qsizetype cut = 0; cut < whole.size(); cut += std::max<qsizetype>(1, whole.size() / 40))
      decode(whole.left(cut));
    for (qsizetype i = 0; i < 60; ++i) {
      QByteArray damaged = whole;
      damaged[(i * 7919) % whole.size()] ^= static_cast<char>(0x5a + i);
      decode(damaged);
    }
  }
}

} // namespace

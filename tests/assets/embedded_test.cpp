// Pictures compiled into the program, and the generator's determinism.
#include "assets/Embedded.h"
#include "tests/assets/AssetFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace assettest;

TEST(EmbeddedPictures, StartPicturesAreColourJpegsOfTheirSize) {
  for (const auto &[path, size] :
       {std::pair{assets::kSplash, QSize(412, 230)}, std::pair{assets::kSystemStart, QSize(396, 150)}}) {
    SCOPED_TRACE(path);
    const QImage image(path);
    ASSERT_EQ(image.size(), size);
    EXPECT_FALSE(image.isGrayscale());
    int colourful = 0;
    for (int y = 0; y < image.height(); y += 3)
      for (int x = 0; x < image.width(); x += 3) {
        const QColor c = image.pixelColor(x, y);
        colourful += std::abs(c.red() - c.blue()) > 30 || std::abs(c.green() - c.red()) > 30 ? 1 : 0;
      }
    EXPECT_GT(colourful, 100);
  }
}

TEST(EmbeddedPictures, ButtonsAndIconsHaveTheirSizesAndTransparentMargins) {
  for (const char *path : {assets::kButtonPlay, assets::kButtonPause, assets::kButtonStop,
                           assets::kButtonPrevious, assets::kButtonNext}) {
    SCOPED_TRACE(path);
    const QImage glyph(path);
    ASSERT_EQ(glyph.size(), QSize(30, 30));
    EXPECT_TRUE(glyph.hasAlphaChannel());
    EXPECT_EQ(qAlpha(glyph.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(glyph.pixel(10, 15)), 255); // a point every glyph covers
  }
  const QIcon icon = assets::WindowIcon();
  for (int size : {16, 32, 48, 64, 128, 256})
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
  EXPECT_FALSE(assets::SystemWindowIcon().pixmap(32, 32).isNull());
}

TEST(EmbeddedPictures, CursorIsATwoColourPointerWithItsTipAtTheHotSpot) {
  const QImage cursor = QImage(assets::kCursor1).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(cursor.size(), QSize(32, 32));
  int black = 0, white = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const QRgb p = cursor.pixel(x, y);
      if (qAlpha(p) == 0)
        continue;
      ASSERT_EQ(qAlpha(p), 255) << x << "," << y;
      ASSERT_TRUE(qRgb(qRed(p), qGreen(p), qBlue(p)) == qRgb(0, 0, 0) ||
                  qRgb(qRed(p), qGreen(p), qBlue(p)) == qRgb(255, 255, 255))
          << x << "," << y;
      (qRed(p) == 0 ? black : white) += 1;
    }
  EXPECT_GT(black, 20);
  EXPECT_GT(white, 20);
  // The tip is the hot spot: opaque there, nothing above or left of it.
  EXPECT_EQ(qAlpha(cursor.pixel(1, 1)), 255);
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(qAlpha(cursor.pixel(i, 0)), 0);
    EXPECT_EQ(qAlpha(cursor.pixel(0, i)), 0);
  }
  EXPECT_EQ(assets::GameCursor().hotSpot(), QPoint(1, 1));
}

// Runs the generator into these folders; false if it does not finish.
bool Generate(QProcess &generator, const QString &game, const QString &embedded) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("ASAN_OPTIONS", "detect_leaks=0");
  generator.setProcessEnvironment(env);
  generator.start(MARVOK_ASSETGEN, {game, embedded});
  return generator.waitForFinished(120000);
}

TEST(AssetGenerator, WritesIdenticalFilesOnEveryRun) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QProcess generator;
  ASSERT_TRUE(Generate(generator, dir.filePath("game"), dir.filePath("embedded")));
  ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
  const QStringList files = QDir(dir.filePath("game")).entryList(QDir::Files);
  EXPECT_EQ(files.size(), 23);
  for (const QString &name : files) {
    SCOPED_TRACE(name.toStdString());
    const QByteArray again = ReadAll(dir.filePath("game/" + name));
    EXPECT_FALSE(again.isEmpty());
    EXPECT_TRUE(again == ReadAll(GamePath(name)));
  }
}

TEST(AssetGenerator, FailsWithAMessageWhenItCannotWrite) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // A plain file where the output folder should be.
  QFile blocker(dir.filePath("blocked"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  QProcess generator;
  ASSERT_TRUE(Generate(generator, dir.filePath("blocked"), dir.filePath("embedded")));
  EXPECT_NE(generator.exitCode(), 0);
  EXPECT_FALSE(generator.readAllStandardError().isEmpty());
}

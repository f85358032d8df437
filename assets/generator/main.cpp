// Draws and writes every picture, sound and tune of the game.
//   marvok_assetgen <game folder> <embedded folder> [--preview <folder>]
// Output is byte-identical on every run: all randomness is seeded.
#include "assets/generator/Audio.h"
#include "assets/generator/Background.h"
#include "assets/generator/EmbeddedArt.h"
#include "assets/generator/Hud.h"
#include "assets/generator/Layout.h"
#include "assets/generator/Midi.h"
#include "assets/generator/Output.h"
#include "assets/generator/Portraits.h"
#include "assets/generator/Preview.h"
#include "assets/generator/Tiles.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

using namespace assetgen;

void WriteGameFiles(const QDir &dir) {
  auto at = [&dir](const char *name) { return dir.filePath(QString::fromUtf8(name)); };
  SaveJpeg(at("Window2.jpg"), MainBackground(), 92);
  SaveBmp(at("Mark00.bmp"), TileSheet());
  SaveBmp(at("Mark02.bmp"), DrawTile(Tile::Hit));
  SaveBmp(at("Mark03.bmp"), DrawTile(Tile::OwnNothing, true));
  SaveBmp(at("Mark04.bmp"), DrawTile(Tile::Reaction, true));
  SaveBmp(at("Mark05.bmp"), DrawTile(Tile::OpponentNothing, true));
  SaveBmp(at("Mark06.bmp"), DrawTile(Tile::Standby));
  SaveBmp(at("Life1.bmp"), LifeBar());
  SaveBmp(at("Danger1.bmp"), DangerStrip());
  SaveBmp(at("Danger2.bmp"), DangerRest());
  SaveBmp(at("Face1.bmp"), FaceSheet(&PlayerPortrait, layout::kOwnFace));
  SaveBmp(at("Face2.bmp"), FaceSheet(&RobotPortrait, layout::kOpponentFace));
  SaveBmp(at("Face3.bmp"), FaceSheet(&RivalPortrait, layout::kOpponentFace));
  SaveBmp(at("Cast0.bmp"), ConnectingCard());
  SaveBmp(at("Cast1.bmp"), PlayerPortrait(Expression::Normal));
  SaveBmp(at("Cast2.bmp"), RobotPortrait(Expression::Normal));
  SaveBmp(at("Cast3.bmp"), RivalPortrait(Expression::Normal));
  SaveBmp(at("Cast4.bmp"), ConnectedCard());
  SaveBmp(at("Cast5.bmp"), DisconnectedCard());
  SaveBmp(at("GameOver.bmp"), GameOverBanner());
  WriteBytes(at("wave18.wav"), EncodeWav(SonarPing(kSampleRate), kSampleRate));
  WriteBytes(at("wave03.wav"), EncodeWav(Explosion(kSampleRate), kSampleRate));
  WriteBytes(at("Marvok01.mid"), BackgroundTune());
}

void WriteEmbeddedFiles(const QDir &dir) {
  auto at = [&dir](const QString &name) { return dir.filePath(name); };
  SaveJpeg(at("splash.jpg"), Splash(), 92);
  SaveJpeg(at("systemstart.jpg"), SystemStart(), 92);
  SavePng(at("play.png"), ButtonGlyph(Glyph::Play));
  SavePng(at("pause.png"), ButtonGlyph(Glyph::Pause));
  SavePng(at("stop.png"), ButtonGlyph(Glyph::Stop));
  SavePng(at("previous.png"), ButtonGlyph(Glyph::Previous));
  SavePng(at("next.png"), ButtonGlyph(Glyph::Next));
  for (int size : {16, 32, 48, 64, 128, 256})
    SavePng(at(QString("icon%1.png").arg(size)), GameIcon(size));
  for (int size : {16, 32})
    SavePng(at(QString("systemicon%1.png").arg(size)), SystemIcon(size));
  SavePng(at("cursor1.png"), Pointer());
}

void WritePreview(const QDir &dir) {
  SavePng(dir.filePath("mainwindow.png"), MainWindowPreview());
  QImage over = MainWindowPreview();
  {
    QPainter p(&over);
    const QImage banner = GameOverBanner();
    const QImage key = banner.createMaskFromColor(banner.pixel(0, banner.height() - 1), Qt::MaskOutColor);
    QImage shown = banner.convertToFormat(QImage::Format_ARGB32);
    shown.setAlphaChannel(key);
    p.drawImage(layout::kGameOver.topLeft(), shown);
  }
  SavePng(dir.filePath("gameover.png"), over);
}

int Usage() {
  std::fputs("usage: marvok_assetgen <game folder> <embedded folder> [--preview <folder>]\n", stderr);
  return 2;
}

} // namespace

int main(int argc, char **argv) {
  // Raster painting only: no display is needed.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 3 && !(args.size() == 5 && args[3] == "--preview"))
    return Usage();
  try {
    const QDir game(args[1]);
    const QDir embedded(args[2]);
    for (const QDir &dir : {game, embedded})
      if (!QDir().mkpath(dir.absolutePath()))
        throw std::runtime_error(("cannot create " + dir.absolutePath()).toStdString());
    WriteGameFiles(game);
    WriteEmbeddedFiles(embedded);
    if (args.size() == 5) {
      const QDir preview(args[4]);
      QDir().mkpath(preview.absolutePath());
      WritePreview(preview);
    }
  } catch (const std::exception &e) {
    std::fprintf(stderr, "marvok_assetgen: %s\n", e.what());
    return 1;
  }
  return 0;
}

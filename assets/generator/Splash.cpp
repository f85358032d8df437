#include "assets/generator/EmbeddedArt.h"

#include "assets/generator/Paint.h"
#include "assets/generator/Palette.h"
#include "assets/generator/Tiles.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace assetgen {

namespace {

// A field of hexagons seen at a slant, fading into the distance.
void SlantedField(QPainter &p, QRectF area, QPointF ping) {
  p.save();
  p.setClipRect(area);
  for (int row = 0; row < 14; ++row) {
    const double depth = row / 13.0;                 // 0 far .. 1 near
    const double scale = 0.35 + 0.9 * depth * depth; // nearer rows are larger
    const double y = area.top() + area.height() * (0.08 + 0.92 * depth * depth);
    for (int col = -14; col <= 14; ++col) {
      const double x = area.center().x() + (col + (row % 2) * 0.5) * 34.0 * scale;
      const QPointF c(x, y);
      const double dist = std::hypot((c.x() - ping.x()) / 1.0, (c.y() - ping.y()) * 2.2);
      const double ring = std::exp(-std::pow((dist - 60.0) / 14.0, 2.0));
      QColor edge = Mix(QColor(30, 80, 110), QColor(255, 190, 60), ring);
      edge.setAlpha(static_cast<int>(60 + 160 * depth));
      p.setPen(QPen(edge, 1.0));
      p.setBrush(WithAlpha(Mix(palette::Plate(), QColor(120, 80, 20), ring * 0.6),
                           static_cast<int>(90 + 120 * depth)));
      p.drawPath(Hexagon(c, 16.0 * scale, 6.2 * scale, 9.6 * scale));
    }
  }
  p.restore();
}

} // namespace

QImage Splash() {
  constexpr int kW = 412, kH = 230;
  QImage image = NewImage(kW, kH, palette::Void());
  QPainter p;
  Begin(p, image);
  QLinearGradient sky(0, 0, 0, kH);
  sky.setColorAt(0.0, QColor(2, 6, 14));
  sky.setColorAt(0.5, QColor(8, 26, 46));
  sky.setColorAt(1.0, QColor(4, 12, 22));
  p.fillRect(image.rect(), sky);
  Noise noise(0x5EA5u);
  for (int i = 0; i < 90; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(160, 220, 255, 40 + static_cast<int>(noise.Uniform() * 150)));
    const double r = 0.4 + noise.Uniform() * 0.8;
    p.drawEllipse(QPointF(noise.Uniform() * kW, noise.Uniform() * 110), r, r);
  }
  const QPointF ping(300, 182);
  SlantedField(p, QRectF(0, 118, kW, kH - 118), ping);
  // The horizon glow.
  QLinearGradient horizon(0, 108, 0, 130);
  horizon.setColorAt(0.0, QColor(63, 208, 255, 0));
  horizon.setColorAt(0.5, QColor(63, 208, 255, 70));
  horizon.setColorAt(1.0, QColor(63, 208, 255, 0));
  p.fillRect(QRectF(0, 108, kW, 22), horizon);
  // A contact pinging on the field, and two of our units.
  QRadialGradient flare(ping, 26);
  flare.setColorAt(0.0, QColor(255, 230, 150, 230));
  flare.setColorAt(0.3, QColor(255, 170, 30, 120));
  flare.setColorAt(1.0, QColor(255, 170, 30, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(flare);
  p.drawEllipse(ping, 26, 26);
  p.drawImage(QPointF(96, 168), DrawTile(Tile::OwnPiece));
  p.drawImage(QPointF(150, 196), DrawTile(Tile::OwnPiece));

  GlowText(p, QRectF(0, 26, kW, 64), Qt::AlignCenter, "MarvokZT", PixelFont(kSans, 58, true, true),
           QColor(225, 248, 255), QColor(30, 160, 255), 10);
  QFont sub = PixelFont(kSans, 11, true);
  sub.setLetterSpacing(QFont::AbsoluteSpacing, 3);
  p.setFont(sub);
  p.setPen(QColor(130, 205, 240));
  p.drawText(QRectF(0, 88, kW, 16), Qt::AlignCenter, "HIDDEN UNIT SEARCH");
  p.setFont(PixelFont(kJapanese, 12));
  p.setPen(QColor(200, 230, 245));
  p.drawText(QRectF(0, 104, kW, 16), Qt::AlignCenter, QString::fromUtf8("見えない敵を探し出せ"));
  p.setFont(PixelFont(kSans, 9, true));
  p.setPen(QColor(110, 170, 200));
  p.drawText(QRectF(0, kH - 16, kW - 8, 12), Qt::AlignRight | Qt::AlignVCenter, "Ver 0.5");
  p.setPen(QPen(QColor(63, 208, 255, 160), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, kW - 1, kH - 1));
  return image;
}

QImage SystemStart() {
  constexpr int kW = 396, kH = 150;
  QImage image = NewImage(kW, kH, QColor(6, 10, 20));
  QPainter p;
  Begin(p, image);
  QLinearGradient bg(0, 0, kW, kH);
  bg.setColorAt(0.0, QColor(24, 14, 46));
  bg.setColorAt(1.0, QColor(4, 20, 34));
  p.fillRect(image.rect(), bg);
  // Spectrum bars.
  for (int i = 0; i < 33; ++i) {
    const double x = 10 + i * 11.6;
    const double h =
        16 + 44 * std::pow(std::sin(i * 0.37 + 0.6) * 0.5 + 0.5, 1.4) * (0.6 + 0.4 * std::sin(i * 1.3));
    QLinearGradient bar(0, kH - 12 - h, 0, kH - 12);
    bar.setColorAt(0.0, QColor(255, 120, 220, 220));
    bar.setColorAt(1.0, QColor(60, 200, 255, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(bar);
    for (double y = kH - 12 - 4; y > kH - 12 - h; y -= 5)
      p.drawRect(QRectF(x, y, 8.5, 3.5));
  }
  // A waveform across the middle.
  QPainterPath wave;
  wave.moveTo(0, 64);
  for (int x = 0; x <= kW; ++x)
    wave.lineTo(x, 64 + 10 * std::sin(x * 0.07) * std::sin(x * 0.013 + 0.4));
  GlowStroke(p, wave, QColor(120, 230, 255, 150), 1.0, 2);
  GlowText(p, QRectF(14, 10, kW - 28, 40), Qt::AlignLeft | Qt::AlignVCenter, "VelmorasystemC",
           PixelFont(kSans, 30, true, true), QColor(250, 240, 255), QColor(200, 80, 255), 7);
  p.setFont(PixelFont(kSans, 10, true));
  p.setPen(QColor(200, 190, 240));
  p.drawText(QRectF(16, 44, 200, 14), Qt::AlignLeft | Qt::AlignVCenter, "SOUND  &  SYSTEM");
  p.drawText(QRectF(0, 44, kW - 16, 14), Qt::AlignRight | Qt::AlignVCenter, "Ver 0.8");
  return image;
}

} // namespace assetgen

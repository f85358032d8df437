#include "assets/generator/Hud.h"

#include "assets/generator/Layout.h"
#include "assets/generator/Paint.h"
#include "assets/generator/Palette.h"

#include <QLinearGradient>

#include <algorithm>
#include <array>
#include <cmath>

namespace assetgen {

namespace {

constexpr int kDangerWidth = 93;
constexpr int kDangerHeight = 20;

// Brightness of the danger frames by their place in the strip.
constexpr std::array<double, 7> kDangerLevels{1.0, 0.8, 0.62, 0.46, 0.32, 0.2, 0.0};

void DangerFrame(QPainter &p, int top, double level, bool rest) {
  const QRectF r(0, top, kDangerWidth, kDangerHeight);
  const QColor off = rest ? QColor(14, 20, 28) : QColor(24, 6, 8);
  const QColor on(150, 10, 14);
  QLinearGradient bg(r.topLeft(), r.bottomLeft());
  bg.setColorAt(0.0, Mix(off, on.lighter(140), level));
  bg.setColorAt(1.0, Mix(off.darker(150), on.darker(160), level));
  p.fillRect(r, bg);

  // Hazard stripes at both ends.
  const QColor stripe = rest ? QColor(50, 56, 64) : Mix(QColor(44, 34, 8), QColor(255, 210, 40), level);
  p.save();
  p.setClipRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(stripe);
  for (const double x0 : {0.0, kDangerWidth - 14.0}) {
    QPainterPath clip;
    clip.addRect(QRectF(x0 + 2, top + 2, 12, kDangerHeight - 4));
    p.save();
    p.setClipPath(clip, Qt::IntersectClip);
    for (double x = x0 - 20; x < x0 + 20; x += 6) {
      QPolygonF band;
      band << QPointF(x, top + kDangerHeight) << QPointF(x + 3, top + kDangerHeight)
           << QPointF(x + 3 + 20, top) << QPointF(x + 20, top);
      p.drawPolygon(band);
    }
    p.restore();
  }
  p.restore();

  const QColor text = rest ? QColor(70, 84, 100) : Mix(QColor(64, 18, 20), QColor(255, 240, 225), level);
  const QRectF label(16, top, kDangerWidth - 32, kDangerHeight);
  const QFont font = PixelFont(kSans, 13, true);
  if (!rest && level > 0.3)
    GlowText(p, label, Qt::AlignCenter, "DANGER", font, text,
             QColor(255, 60, 40, static_cast<int>(220 * level)), 4);
  else {
    p.setFont(font);
    p.setPen(text);
    p.drawText(label, Qt::AlignCenter, "DANGER");
  }
  p.setPen(QPen(rest ? QColor(60, 70, 84) : Mix(QColor(70, 20, 20), QColor(255, 120, 100), level), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace

QImage LifeBar() {
  const int w = layout::LifeWidth(5);
  constexpr int h = 20;
  QImage image = NewImage(w, h, QColor(4, 10, 18));
  QPainter p;
  Begin(p, image);
  const QRectF bar(1, 2, w - 2, h - 4);
  QLinearGradient energy(bar.topLeft(), bar.bottomLeft());
  energy.setColorAt(0.0, QColor(200, 255, 236));
  energy.setColorAt(0.22, QColor(90, 245, 180));
  energy.setColorAt(0.6, QColor(30, 190, 120));
  energy.setColorAt(1.0, QColor(8, 90, 60));
  p.setPen(QPen(QColor(2, 40, 26), 1.0));
  p.setBrush(energy);
  p.drawRoundedRect(bar.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  p.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
  p.drawLine(QPointF(4, 4.5), QPointF(w - 4, 4.5));
  p.end();
  return image;
}

QImage DangerStrip() {
  QImage image = NewImage(kDangerWidth, kDangerHeight * static_cast<int>(kDangerLevels.size()), Qt::black);
  QPainter p;
  Begin(p, image);
  for (std::size_t i = 0; i < kDangerLevels.size(); ++i)
    DangerFrame(p, static_cast<int>(i) * kDangerHeight, kDangerLevels[i], false);
  return image;
}

QImage DangerRest() {
  QImage image = NewImage(kDangerWidth, kDangerHeight, Qt::black);
  QPainter p;
  Begin(p, image);
  DangerFrame(p, 0, 0.0, true);
  return image;
}

QImage GameOverBanner() {
  const QRect area = layout::kGameOver;
  const double centre = 320.0 - area.left(); // the window's centre line
  // Drawn with alpha first; every pixel it touches is then made opaque over a
  // dark ground, and every pixel it leaves becomes the key colour.
  QImage art = NewImage(area.width(), area.height());
  {
    QPainter p;
    Begin(p, art);
    const QRectF band(centre - 290, 14, 580, 77);
    QPainterPath shape;
    shape.moveTo(band.left() + 18, band.top());
    shape.lineTo(band.right() - 18, band.top());
    shape.lineTo(band.right(), band.center().y());
    shape.lineTo(band.right() - 18, band.bottom());
    shape.lineTo(band.left() + 18, band.bottom());
    shape.lineTo(band.left(), band.center().y());
    shape.closeSubpath();
    QLinearGradient fill(band.topLeft(), band.bottomLeft());
    fill.setColorAt(0.0, QColor(40, 8, 12));
    fill.setColorAt(0.5, QColor(16, 4, 8));
    fill.setColorAt(1.0, QColor(36, 6, 10));
    p.setPen(QPen(QColor(255, 80, 50), 2.0));
    p.setBrush(fill);
    p.drawPath(shape);
    p.setPen(QPen(QColor(255, 140, 90, 120), 1.0));
    p.drawLine(QPointF(band.left() + 30, band.top() + 6.5), QPointF(band.right() - 30, band.top() + 6.5));
    p.drawLine(QPointF(band.left() + 30, band.bottom() - 6.5),
               QPointF(band.right() - 30, band.bottom() - 6.5));

    QFont font = PixelFont(kSans, 62, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    QPainterPath text;
    const QString caption = "GAME OVER";
    const double width = QFontMetricsF(font).horizontalAdvance(caption);
    text.addText(centre - width / 2 + 3, band.center().y() + 22, font, caption);
    QLinearGradient metal(0, band.top() + 8, 0, band.bottom() - 8);
    metal.setColorAt(0.0, QColor(255, 250, 225));
    metal.setColorAt(0.45, QColor(255, 170, 60));
    metal.setColorAt(0.55, QColor(235, 70, 30));
    metal.setColorAt(1.0, QColor(150, 16, 16));
    p.setPen(QPen(QColor(255, 220, 160, 90), 6.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    p.setPen(QPen(QColor(60, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(metal);
    p.drawPath(text);
  }
  QImage banner(area.width(), area.height(), QImage::Format_RGB32);
  const QColor ground(12, 4, 6);
  for (int y = 0; y < art.height(); ++y) {
    for (int x = 0; x < art.width(); ++x) {
      const QRgb a = art.pixel(x, y); // premultiplied source
      if (qAlpha(a) == 0) {
        banner.setPixel(x, y, kGameOverKey);
        continue;
      }
      const double k = 1.0 - qAlpha(a) / 255.0;
      QRgb c =
          qRgb(qRed(a) + static_cast<int>(ground.red() * k), qGreen(a) + static_cast<int>(ground.green() * k),
               qBlue(a) + static_cast<int>(ground.blue() * k));
      if (c == kGameOverKey)
        c = qRgb(1, 0, 0); // the lettering must never turn see-through
      banner.setPixel(x, y, c);
    }
  }
  return banner;
}

} // namespace assetgen

#include "assets/generator/EmbeddedArt.h"

#include "assets/generator/Paint.h"
#include "assets/generator/Palette.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <array>

namespace assetgen {

namespace {

void GlyphPath(QPainterPath &path, Glyph glyph) {
  auto triangle = [&path](double left, double right, double top, double bottom, bool pointRight) {
    const double mid = (top + bottom) / 2;
    if (pointRight) {
      path.moveTo(left, top);
      path.lineTo(right, mid);
      path.lineTo(left, bottom);
    } else {
      path.moveTo(right, top);
      path.lineTo(left, mid);
      path.lineTo(right, bottom);
    }
    path.closeSubpath();
  };
  switch (glyph) {
  case Glyph::Play: triangle(9, 24, 6, 24, true); break;
  case Glyph::Pause:
    path.addRoundedRect(QRectF(8, 6, 5.5, 18), 1.2, 1.2);
    path.addRoundedRect(QRectF(16.5, 6, 5.5, 18), 1.2, 1.2);
    break;
  case Glyph::Stop: path.addRoundedRect(QRectF(7, 7, 16, 16), 2, 2); break;
  case Glyph::Previous:
    path.addRect(QRectF(5, 8, 3, 14));
    triangle(8, 17, 8, 22, false);
    triangle(16, 25, 8, 22, false);
    break;
  case Glyph::Next:
    triangle(5, 14, 8, 22, true);
    triangle(13, 22, 8, 22, true);
    path.addRect(QRectF(22, 8, 3, 14));
    break;
  }
}

QColor GlyphColour(Glyph glyph) {
  switch (glyph) {
  case Glyph::Play: return QColor(40, 200, 100);
  case Glyph::Pause: return QColor(240, 160, 20);
  case Glyph::Stop: return QColor(220, 50, 40);
  case Glyph::Previous:
  case Glyph::Next: break;
  }
  return QColor(30, 150, 220);
}

// The game's emblem: a hexagon with sonar rings and a contact, drawn at any size.
void Emblem(QPainter &p, double s) {
  const QPointF c(s / 2, s / 2);
  QLinearGradient plate(0, 0, 0, s);
  plate.setColorAt(0.0, QColor(20, 60, 90));
  plate.setColorAt(1.0, QColor(4, 14, 28));
  p.setPen(QPen(palette::Cyan(), std::max(1.0, s / 20)));
  p.setBrush(plate);
  p.drawPath(Hexagon(c, s * 0.48, s * 0.42, s * 0.26));
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 2; ++i) {
    p.setPen(QPen(QColor(63, 208, 255, 200 - 60 * i), std::max(1.0, s / 28)));
    p.drawEllipse(c, s * 0.13 * i, s * 0.13 * i);
  }
  p.setPen(QPen(QColor(63, 208, 255, 150), std::max(1.0, s / 32)));
  p.drawLine(c, c + QPointF(s * 0.3, -s * 0.17));
  p.setPen(Qt::NoPen);
  QRadialGradient blip(c + QPointF(s * 0.17, s * 0.1), s * 0.1);
  blip.setColorAt(0.0, QColor(255, 240, 180));
  blip.setColorAt(1.0, QColor(255, 170, 30, 0));
  p.setBrush(blip);
  p.drawEllipse(c + QPointF(s * 0.17, s * 0.1), s * 0.1, s * 0.1);
  p.setBrush(palette::Green());
  p.drawEllipse(c, s * 0.05, s * 0.05);
}

} // namespace

QImage ButtonGlyph(Glyph glyph) {
  QImage image = NewImage(30, 30);
  QPainter p;
  Begin(p, image);
  QPainterPath path;
  GlyphPath(path, glyph);
  const QColor base = GlyphColour(glyph);
  QLinearGradient fill(0, 5, 0, 25);
  fill.setColorAt(0.0, base.lighter(160));
  fill.setColorAt(1.0, base.darker(130));
  p.setPen(QPen(QColor(20, 24, 30), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(fill);
  p.drawPath(path);
  return image;
}

QImage GameIcon(int size) {
  QImage image = NewImage(size, size);
  QPainter p;
  Begin(p, image);
  Emblem(p, size);
  return image;
}

QImage SystemIcon(int size) {
  QImage image = NewImage(size, size);
  QPainter p;
  Begin(p, image);
  const double s = size;
  QLinearGradient plate(0, 0, s, s);
  plate.setColorAt(0.0, QColor(80, 40, 140));
  plate.setColorAt(1.0, QColor(20, 40, 80));
  p.setPen(QPen(QColor(200, 160, 255), std::max(1.0, s / 24)));
  p.setBrush(plate);
  p.drawRoundedRect(QRectF(s * 0.05, s * 0.05, s * 0.9, s * 0.9), s * 0.18, s * 0.18);
  // A note over three level bars.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 230, 255));
  const std::array<double, 3> levels{0.35, 0.6, 0.45};
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const double h = s * levels[i] * 0.7;
    p.drawRect(QRectF(s * (0.2 + 0.2 * static_cast<double>(i)), s * 0.82 - h, s * 0.13, h));
  }
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(s * 0.62, s * 0.33), s * 0.09, s * 0.07);
  p.drawRect(QRectF(s * 0.68, s * 0.12, s * 0.05, s * 0.22));
  return image;
}

QImage Pointer() {
  // Rasterise the arrow without smoothing, then outline it: edge pixels black,
  // the inside white, everything else transparent.
  QImage mask(32, 32, QImage::Format_ARGB32);
  mask.fill(Qt::transparent);
  {
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPolygonF arrow;
    arrow << QPointF(1, 1) << QPointF(1, 22) << QPointF(6, 17) << QPointF(10, 26) << QPointF(14, 24)
          << QPointF(10, 16) << QPointF(17, 16);
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(Qt::black);
    p.drawPolygon(arrow);
  }
  auto inside = [&mask](int x, int y) {
    return x >= 0 && y >= 0 && x < 32 && y < 32 && qAlpha(mask.pixel(x, y)) != 0;
  };
  QImage cursor(32, 32, QImage::Format_ARGB32);
  cursor.fill(Qt::transparent);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (!inside(x, y))
        continue;
      const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      cursor.setPixel(x, y, edge ? qRgba(0, 0, 0, 255) : qRgba(255, 255, 255, 255));
    }
  return cursor;
}

} // namespace assetgen

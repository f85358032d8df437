#include "assets/generator/Paint.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace assetgen {

double Hash(int x, int y, std::uint32_t seed) {
  std::uint32_t h = seed * 0x9E3779B1u;
  h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h / 4294967296.0;
}

QFont PixelFont(const char *family, int pixels, bool bold, bool italic) {
  QFont font{QString::fromUtf8(family)};
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setItalic(italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QImage NewImage(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

QImage NewImage(int width, int height, QColor fill) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(fill);
  return image;
}

void Begin(QPainter &painter, QImage &image) {
  painter.begin(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QColor Mix(QColor a, QColor b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                lerp(a.alpha(), b.alpha()));
}

QColor WithAlpha(QColor c, int alpha) {
  c.setAlpha(std::clamp(alpha, 0, 255));
  return c;
}

QPainterPath Hexagon(QPointF centre, double halfWidth, double halfHeight, double flatHalf) {
  QPainterPath path;
  const double x = centre.x();
  const double y = centre.y();
  path.moveTo(x - halfWidth, y);
  path.lineTo(x - flatHalf, y - halfHeight);
  path.lineTo(x + flatHalf, y - halfHeight);
  path.lineTo(x + halfWidth, y);
  path.lineTo(x + flatHalf, y + halfHeight);
  path.lineTo(x - flatHalf, y + halfHeight);
  path.closeSubpath();
  return path;
}

namespace {

// One horizontal or vertical box pass over premultiplied ARGB.
void BoxPass(QImage &image, int radius, bool horizontal) {
  const int w = image.width();
  const int h = image.height();
  const int lines = horizontal ? h : w;
  const int length = horizontal ? w : h;
  std::vector<std::array<int, 4>> line(static_cast<std::size_t>(length));
  for (int l = 0; l < lines; ++l) {
    for (int i = 0; i < length; ++i) {
      const QRgb p = horizontal ? image.pixel(i, l) : image.pixel(l, i);
      line[static_cast<std::size_t>(i)] = {qAlpha(p), qRed(p), qGreen(p), qBlue(p)};
    }
    for (int i = 0; i < length; ++i) {
      // Pixels beyond the edge count as transparent, so glows fade at borders.
      std::array<int, 4> sum{};
      for (int k = std::max(0, i - radius); k <= std::min(length - 1, i + radius); ++k)
        for (std::size_t c = 0; c < 4; ++c)
          sum[c] += line[static_cast<std::size_t>(k)][c];
      const int count = 2 * radius + 1;
      const QRgb p = qRgba(sum[1] / count, sum[2] / count, sum[3] / count, sum[0] / count);
      if (horizontal)
        image.setPixel(i, l, p);
      else
        image.setPixel(l, i, p);
    }
  }
}

} // namespace

QImage Blurred(const QImage &image, int radius) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (radius <= 0)
    return out;
  const int r = std::max(1, radius / 2);
  for (int pass = 0; pass < 3; ++pass) {
    BoxPass(out, r, true);
    BoxPass(out, r, false);
  }
  return out;
}

void GlowText(QPainter &painter, const QRectF &rect, int flags, const QString &text, const QFont &font,
              QColor colour, QColor glowColour, int radius) {
  const QRect bounds = rect.toAlignedRect().adjusted(-2 * radius, -2 * radius, 2 * radius, 2 * radius);
  QImage halo = NewImage(bounds.width(), bounds.height());
  {
    QPainter p;
    Begin(p, halo);
    p.setFont(font);
    p.setPen(glowColour);
    p.drawText(rect.translated(-bounds.topLeft()), flags, text);
  }
  painter.drawImage(bounds.topLeft(), Blurred(halo, radius));
  painter.save();
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(rect, flags, text);
  painter.restore();
}

void GlowStroke(QPainter &painter, const QPainterPath &path, QColor colour, double coreWidth, int layers) {
  painter.save();
  painter.setBrush(Qt::NoBrush);
  for (int i = layers; i >= 1; --i) {
    QColor c = colour;
    c.setAlpha(std::clamp(colour.alpha() / (i + 1), 0, 255));
    painter.setPen(QPen(c, coreWidth + 2.0 * i, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
  }
  painter.setPen(QPen(colour, coreWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(path);
  painter.restore();
}

} // namespace assetgen

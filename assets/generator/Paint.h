#pragma once
// Drawing helpers shared by all pictures: deterministic noise, fonts by
// explicit family, hexagons, glows.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <cstdint>

namespace assetgen {

// A seeded pseudo-random source. The generator must give byte-identical files
// on every run, so nothing may draw from the clock or the system's generator.
class Noise {
public:
  explicit Noise(std::uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  double Uniform() { return Next() / 4294967296.0; } // [0, 1)
  double Signed() { return Uniform() * 2.0 - 1.0; }  // [-1, 1)

private:
  std::uint32_t state_;
};

// Stateless per-pixel noise in [0, 1).
double Hash(int x, int y, std::uint32_t seed);

// Fonts are named explicitly: the machine's default family may lack glyphs.
inline constexpr const char *kSans = "DejaVu Sans";
inline constexpr const char *kJapanese = "IPAPGothic";
QFont PixelFont(const char *family, int pixels, bool bold = false, bool italic = false);

// A transparent ARGB canvas, or an opaque one filled with a colour.
QImage NewImage(int width, int height);
QImage NewImage(int width, int height, QColor fill);
void Begin(QPainter &painter, QImage &image); // antialiased painter on image

QColor Mix(QColor a, QColor b, double t);
QColor WithAlpha(QColor c, int alpha);

// A hexagon with flat top and bottom: pointy ends at centre +- halfWidth, the
// flat edges from -flatHalf to +flatHalf at centre +- halfHeight.
QPainterPath Hexagon(QPointF centre, double halfWidth, double halfHeight, double flatHalf);

// A soft blur of an ARGB image (three box passes), used for glows.
QImage Blurred(const QImage &image, int radius);

// Draws text with a blurred halo of glowColour behind it.
void GlowText(QPainter &painter, const QRectF &rect, int flags, const QString &text, const QFont &font,
              QColor colour, QColor glowColour, int radius);

// Strokes a path several times with widening translucent pens: a neon edge.
void GlowStroke(QPainter &painter, const QPainterPath &path, QColor colour, double coreWidth, int layers);

} // namespace assetgen

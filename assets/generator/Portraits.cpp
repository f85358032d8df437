// Face sheets cut from the portraits, and the three cards the opponent's
// portrait shows while a network link comes and goes.
#include "assets/generator/Portraits.h"

#include "assets/generator/Layout.h"
#include "assets/generator/Paint.h"
#include "assets/generator/PortraitKit.h"

#include <QLinearGradient>

#include <array>
#include <cmath>

namespace assetgen {

QImage FaceSheet(QImage (*portrait)(Expression), const QRect &face) {
  struct Cell {
    int col, row;
    Expression expression;
  };
  constexpr std::array<Cell, 6> kCells{{{0, 0, Expression::Normal},
                                        {1, 0, Expression::Won},
                                        {2, 0, Expression::Hurt},
                                        {0, 1, Expression::Blink},
                                        {1, 1, Expression::Glance},
                                        {2, 1, Expression::Defeated}}};
  QImage sheet = NewImage(3 * face.width(), 2 * face.height(), Qt::black);
  QPainter p(&sheet);
  for (const Cell &cell : kCells)
    p.drawImage(QPoint(cell.col * face.width(), cell.row * face.height()),
                portrait(cell.expression).copy(face));
  return sheet;
}

namespace {

constexpr int kW = layout::kPortraitWidth;
constexpr int kH = layout::kPortraitHeight;

// Television static, brighter in a few rolling bands.
void Static(QImage &image, std::uint32_t seed, double strength, QColor tint) {
  for (int y = 0; y < kH; ++y) {
    const double band = 0.55 + 0.45 * std::sin(y * 0.21 + seed % 7) * std::sin(y * 0.05);
    for (int x = 0; x < kW; ++x) {
      const double n = Hash(x / 2, y, seed) * 0.7 + Hash(x, y, seed + 1) * 0.3;
      const double v = std::clamp(n * band * strength, 0.0, 1.0);
      const QRgb old = image.pixel(x, y);
      image.setPixel(x, y,
                     qRgb(static_cast<int>(qRed(old) * (1 - v) + tint.red() * v),
                          static_cast<int>(qGreen(old) * (1 - v) + tint.green() * v),
                          static_cast<int>(qBlue(old) * (1 - v) + tint.blue() * v)));
    }
  }
}

void Banner(QPainter &p, double y, double height, QColor fill, QColor edge) {
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawRect(QRectF(0, y, kW, height));
  p.setPen(QPen(edge, 1.0));
  p.drawLine(QPointF(0, y + 0.5), QPointF(kW, y + 0.5));
  p.drawLine(QPointF(0, y + height - 0.5), QPointF(kW, y + height - 0.5));
}

// Signal strength bars; broken: the last ones fallen over and dark.
void SignalBars(QPainter &p, QPointF base, QColor on, int lit) {
  for (int i = 0; i < 4; ++i) {
    const double h = 4.0 + 3.5 * i;
    p.setPen(Qt::NoPen);
    p.setBrush(i < lit ? on : QColor(60, 60, 66));
    p.drawRect(QRectF(base.x() + i * 5.0, base.y() - h, 3.5, h));
  }
}

} // namespace

QImage ConnectingCard() {
  QImage image = NewImage(kW, kH, QColor(10, 16, 22));
  Static(image, 0xC0FFEEu, 1.0, QColor(200, 225, 235));
  QPainter p;
  Begin(p, image);
  Banner(p, 40, 24, QColor(4, 12, 20, 220), QColor(63, 208, 255, 180));
  GlowText(p, QRectF(0, 40, kW, 24), Qt::AlignCenter, "CONNECTING", PixelFont(kSans, 15, true),
           QColor(220, 246, 255), QColor(63, 208, 255), 4);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 3; ++i) {
    p.setBrush(QColor(63, 208, 255, 120 + 60 * i));
    p.drawEllipse(QPointF(60.0 + 11.0 * i, 74), 2.2, 2.2);
  }
  PortraitEdge(p, QColor(63, 208, 255, 150));
  return image;
}

QImage ConnectedCard() {
  QImage image = NewImage(kW, kH, QColor(4, 14, 12));
  QPainter p;
  Begin(p, image);
  PortraitBackdrop(p, QColor(8, 40, 34), QColor(2, 10, 10), QColor(60, 255, 170, 30));
  // A link beam between two stations.
  p.setPen(QPen(QColor(60, 255, 170, 90), 1.0, Qt::DashLine));
  p.drawLine(QPointF(20, 82), QPointF(123, 82));
  p.setPen(QPen(QColor(60, 255, 170), 1.2));
  p.setBrush(QColor(10, 50, 40));
  p.drawPath(Hexagon(QPointF(20, 82), 8, 7, 4.5));
  p.drawPath(Hexagon(QPointF(123, 82), 8, 7, 4.5));
  GlowText(p, QRectF(0, 16, kW, 30), Qt::AlignCenter, "INCOMING", PixelFont(kSans, 22, true, true),
           QColor(220, 255, 240), QColor(40, 230, 150), 5);
  p.setFont(PixelFont(kSans, 9, true));
  p.setPen(QColor(120, 240, 190));
  p.drawText(QRectF(0, 48, kW, 14), Qt::AlignCenter, "LINK  ESTABLISHED");
  SignalBars(p, QPointF(61, 90), QColor(60, 255, 170), 4);
  PortraitEdge(p, QColor(60, 255, 170, 160));
  return image;
}

QImage DisconnectedCard() {
  QImage image = NewImage(kW, kH, QColor(20, 4, 6));
  Static(image, 0xDEADu, 0.35, QColor(140, 60, 60));
  QPainter p;
  Begin(p, image);
  Banner(p, 30, 30, QColor(30, 4, 8, 230), QColor(255, 70, 50, 200));
  GlowText(p, QRectF(0, 30, kW, 30), Qt::AlignCenter, "SIGNAL LOST", PixelFont(kSans, 18, true),
           QColor(255, 225, 215), QColor(255, 40, 30), 5);
  p.setFont(PixelFont(kSans, 9, true));
  p.setPen(QColor(255, 140, 120));
  p.drawText(QRectF(0, 64, kW, 14), Qt::AlignCenter, "DISCONNECTED");
  SignalBars(p, QPointF(61, 94), QColor(255, 70, 50), 1);
  PortraitEdge(p, QColor(255, 70, 50, 160));
  return image;
}

} // namespace assetgen

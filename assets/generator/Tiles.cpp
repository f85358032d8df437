#include "assets/generator/Tiles.h"

#include "assets/generator/Layout.h"
#include "assets/generator/Paint.h"
#include "assets/generator/Palette.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace assetgen {

namespace {

using namespace palette;

constexpr QPointF kCentre{10.0, 10.5};

// The tile's hexagon, a small copy of the field cell it sits in.
QPainterPath TileHex(double inset = 0.0) {
  return Hexagon(kCentre, 9.6 - inset, 9.4 - inset, 5.2 - inset * 0.55);
}

void Body(QPainter &p, QColor base, QColor rim, bool fresh) {
  QLinearGradient fill(0, 1, 0, 20);
  fill.setColorAt(0.0, base.lighter(fresh ? 150 : 130));
  fill.setColorAt(0.55, base);
  fill.setColorAt(1.0, base.darker(fresh ? 140 : 170));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(TileHex());
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(fresh ? rim.lighter(130) : rim, fresh ? 1.6 : 1.1));
  p.drawPath(TileHex(0.6));
}

void Dot(QPainter &p, double radius, QColor colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(kCentre, radius, radius);
}

void Ring(QPainter &p, double radius, QColor colour, double width) {
  p.setPen(QPen(colour, width));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(kCentre, radius, radius);
}

void DrawBlank(QPainter &p, bool standby) {
  QRadialGradient glow(kCentre, 10.0);
  glow.setColorAt(0.0, standby ? QColor(28, 74, 96) : QColor(24, 52, 76));
  glow.setColorAt(1.0, QColor(16, 38, 60));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawPath(TileHex());
  p.setPen(QPen(standby ? QColor(52, 130, 160) : QColor(44, 96, 124), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(TileHex(0.6));
  Dot(p, 1.3, standby ? QColor(90, 200, 230) : QColor(58, 120, 150));
}

void DrawOwnNothing(QPainter &p, bool fresh) {
  Body(p, Slate(), QColor(170, 205, 232), fresh);
  Ring(p, 3.6, QColor(225, 240, 252), 1.7);
}

void DrawReaction(QPainter &p, bool fresh) {
  Body(p, Amber(), QColor(255, 236, 170), fresh);
  Ring(p, 5.2, QColor(90, 40, 0), 1.3);
  Dot(p, 2.2, QColor(70, 28, 0));
}

void DrawOwnPiece(QPainter &p) {
  Body(p, Green(), QColor(200, 255, 225), false);
  // The unit: a small arrowhead pointing up the field.
  QPainterPath ship;
  ship.moveTo(10.0, 4.2);
  ship.lineTo(15.2, 15.6);
  ship.lineTo(10.0, 13.0);
  ship.lineTo(4.8, 15.6);
  ship.closeSubpath();
  p.setPen(QPen(QColor(4, 60, 30), 1.0));
  p.setBrush(QColor(8, 70, 36));
  p.drawPath(ship);
}

void DrawDestroyed(QPainter &p) {
  Body(p, Red(), QColor(255, 190, 170), false);
  p.setPen(QPen(QColor(255, 248, 240), 2.3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6.0, 6.5), QPointF(14.0, 14.5));
  p.drawLine(QPointF(14.0, 6.5), QPointF(6.0, 14.5));
}

void DrawOpponentNothing(QPainter &p, bool fresh) {
  Body(p, Violet(), QColor(220, 200, 255), fresh);
  p.setPen(QPen(QColor(245, 236, 255), 2.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6.5, 10.5), QPointF(13.5, 10.5));
}

void DrawHit(QPainter &p) {
  // A burst: a jagged star over a red-hot core.
  QRadialGradient heat(kCentre, 10.0);
  heat.setColorAt(0.0, QColor(255, 255, 220));
  heat.setColorAt(0.35, QColor(255, 200, 60));
  heat.setColorAt(0.75, QColor(240, 70, 20));
  heat.setColorAt(1.0, QColor(120, 10, 10));
  p.setPen(Qt::NoPen);
  p.setBrush(heat);
  p.drawPath(TileHex());
  QPainterPath star;
  constexpr int kPoints = 8;
  for (int i = 0; i < 2 * kPoints; ++i) {
    const double a = 3.14159265358979 * i / kPoints;
    const double r = (i % 2 == 0) ? 9.2 : 3.6;
    const QPointF pt(kCentre.x() + r * std::cos(a), kCentre.y() + r * std::sin(a));
    if (i == 0)
      star.moveTo(pt);
    else
      star.lineTo(pt);
  }
  star.closeSubpath();
  p.setBrush(QColor(255, 246, 200));
  p.setPen(QPen(QColor(255, 120, 20), 0.8));
  p.drawPath(star);
  Dot(p, 2.2, Qt::white);
}

} // namespace

QImage DrawTile(Tile tile, bool fresh) {
  QImage image = NewImage(layout::kTileWidth, layout::kTileHeight, Plate());
  QPainter p;
  Begin(p, image);
  switch (tile) {
  case Tile::Blank: DrawBlank(p, false); break;
  case Tile::Standby: DrawBlank(p, true); break;
  case Tile::OwnNothing: DrawOwnNothing(p, fresh); break;
  case Tile::Reaction: DrawReaction(p, fresh); break;
  case Tile::OwnPiece: DrawOwnPiece(p); break;
  case Tile::DestroyedOpponent: DrawDestroyed(p); break;
  case Tile::OpponentNothing: DrawOpponentNothing(p, fresh); break;
  case Tile::Hit: DrawHit(p); break;
  }
  return image;
}

QImage TileSheet() {
  constexpr std::array<Tile, 6> kOrder{Tile::Blank,    Tile::OwnNothing,        Tile::Reaction,
                                       Tile::OwnPiece, Tile::DestroyedOpponent, Tile::OpponentNothing};
  QImage sheet = NewImage(3 * layout::kTileWidth, 2 * layout::kTileHeight, palette::Plate());
  QPainter p(&sheet);
  for (std::size_t i = 0; i < kOrder.size(); ++i) {
    const int col = static_cast<int>(i % 3);
    const int row = static_cast<int>(i / 3);
    p.drawImage(col * layout::kTileWidth, row * layout::kTileHeight, DrawTile(kOrder[i]));
  }
  return sheet;
}

} // namespace assetgen

#include "assets/generator/Background.h"

#include "assets/generator/Layout.h"
#include "assets/generator/Paint.h"
#include "assets/generator/Palette.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace assetgen {

namespace {

using namespace palette;
using namespace layout;

const QPointF kFieldCentre = CellCentre(5, 5) + QPointF(0, 16); // between (5,5) and (6,6)

QPainterPath CellHex(int r, int c) {
  return Hexagon(CellCentre(r, c), kHexHalfWidth, kHexHalfHeight, kHexFlatHalf);
}

void Backdrop(QPainter &p) {
  QRadialGradient sky(kFieldCentre, 420);
  sky.setColorAt(0.0, QColor(12, 30, 50));
  sky.setColorAt(0.55, QColor(6, 15, 28));
  sky.setColorAt(1.0, Void());
  p.fillRect(QRect(0, 0, kWindowWidth, kWindowHeight), sky);

  // A faint engineering grid.
  p.setPen(QPen(QColor(40, 90, 120, 26), 1.0));
  for (int x = 0; x < kWindowWidth; x += 16)
    p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, kWindowHeight));
  for (int y = 0; y < kWindowHeight; y += 16)
    p.drawLine(QPointF(0, y + 0.5), QPointF(kWindowWidth, y + 0.5));

  // Drifting particles, like plankton in a sonar's light.
  Noise noise(0x51A7u);
  for (int i = 0; i < 260; ++i) {
    const QPointF at(noise.Uniform() * kWindowWidth, noise.Uniform() * kWindowHeight);
    const int alpha = 30 + static_cast<int>(noise.Uniform() * 110);
    const double r = 0.4 + noise.Uniform() * 0.9;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 200, 240, alpha));
    p.drawEllipse(at, r, r);
  }

  // Sonar rings and a sweep around the field.
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 7; ++i) {
    p.setPen(QPen(QColor(63, 208, 255, 34 - 3 * i), 1.0));
    p.drawEllipse(kFieldCentre, 48.0 * i * 1.25, 48.0 * i * 1.25);
  }
  QConicalGradient sweep(kFieldCentre, 32);
  sweep.setColorAt(0.0, QColor(63, 208, 255, 60));
  sweep.setColorAt(0.12, QColor(63, 208, 255, 0));
  sweep.setColorAt(1.0, QColor(63, 208, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(sweep);
  p.drawEllipse(kFieldCentre, 420, 420);
}

void Field(QPainter &p) {
  const QPainterPath outline = FieldOutline();
  // Halo under the field.
  GlowStroke(p, outline, QColor(63, 208, 255, 90), 2.0, 6);
  p.setPen(Qt::NoPen);
  p.setBrush(Plate());
  p.drawPath(outline);

  // Cell walls: a bevel, lighter on the upper edges, darker below.
  for (int r = 1; r <= 10; ++r) {
    for (int c = 1; c <= 10; ++c) {
      if (!CellShown(r, c))
        continue;
      const QPointF o = CellCentre(r, c);
      const QPainterPath hex = CellHex(r, c);
      QPainterPath inner = Hexagon(o, kHexHalfWidth - 2.5, kHexHalfHeight - 2.5, kHexFlatHalf - 1.5);
      QLinearGradient wall(o.x(), o.y() - kHexHalfHeight, o.x(), o.y() + kHexHalfHeight);
      wall.setColorAt(0.0, QColor(30, 70, 96));
      wall.setColorAt(0.5, QColor(18, 44, 66));
      wall.setColorAt(1.0, QColor(8, 20, 34));
      p.setBrush(wall);
      p.drawPath(hex.subtracted(inner));
      p.setPen(QPen(CellEdge(), 1.0));
      p.setBrush(Qt::NoBrush);
      p.drawPath(hex);
      p.setPen(Qt::NoPen);
    }
  }
  GlowStroke(p, outline, QColor(90, 220, 255, 200), 1.4, 2);
}

// A bevelled metal frame with a cyan edge light around a rectangle.
void Bezel(QPainter &p, const QRect &inner, int thickness) {
  const QRectF outer = QRectF(inner).adjusted(-thickness, -thickness, thickness, thickness);
  QLinearGradient metal(outer.topLeft(), outer.bottomLeft());
  metal.setColorAt(0.0, QColor(70, 88, 110));
  metal.setColorAt(0.5, QColor(34, 44, 58));
  metal.setColorAt(1.0, QColor(18, 24, 34));
  QPainterPath frame;
  frame.addRoundedRect(outer, 3, 3);
  QPainterPath hole;
  hole.addRect(QRectF(inner));
  p.setPen(Qt::NoPen);
  p.setBrush(metal);
  p.drawPath(frame.subtracted(hole));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(63, 208, 255, 150), 1.0));
  p.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  p.setPen(QPen(QColor(0, 0, 0, 200), 1.0));
  p.drawRect(QRectF(inner).adjusted(-0.5, -0.5, 0.5, 0.5));
  // Corner lights.
  p.setPen(Qt::NoPen);
  p.setBrush(Cyan());
  for (const QPointF &c : {outer.topLeft() + QPointF(3, 3), outer.topRight() + QPointF(-3, 3),
                           outer.bottomLeft() + QPointF(3, -3), outer.bottomRight() + QPointF(-3, -3)})
    p.drawEllipse(c, 1.1, 1.1);
}

// A dark, slightly translucent console panel with clipped corners.
void Console(QPainter &p, const QRectF &r, QColor edge) {
  const double cut = 8;
  QPainterPath shape;
  shape.moveTo(r.left() + cut, r.top());
  shape.lineTo(r.right() - cut, r.top());
  shape.lineTo(r.right(), r.top() + cut);
  shape.lineTo(r.right(), r.bottom() - cut);
  shape.lineTo(r.right() - cut, r.bottom());
  shape.lineTo(r.left() + cut, r.bottom());
  shape.lineTo(r.left(), r.bottom() - cut);
  shape.lineTo(r.left(), r.top() + cut);
  shape.closeSubpath();
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0.0, QColor(10, 28, 44, 235));
  fill.setColorAt(1.0, QColor(4, 12, 22, 245));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(shape);
  GlowStroke(p, shape, edge, 1.0, 2);
}

void Title(QPainter &p) {
  GlowText(p, QRectF(14, 10, 250, 44), Qt::AlignLeft | Qt::AlignVCenter, "MarvokZT",
           PixelFont(kSans, 36, true, true), QColor(215, 245, 255), QColor(40, 170, 255), 8);
  p.setFont(PixelFont(kSans, 9, true));
  p.setPen(QColor(110, 190, 225));
  p.drawText(QRectF(17, 52, 250, 12), Qt::AlignLeft | Qt::AlignVCenter, "HIDDEN  UNIT  SEARCH  SYSTEM");
  p.setPen(QPen(QColor(63, 208, 255, 120), 1.0));
  p.drawLine(QPointF(17, 67.5), QPointF(200, 67.5));
  p.setPen(QPen(QColor(63, 208, 255, 50), 1.0));
  p.drawLine(QPointF(200, 67.5), QPointF(260, 67.5));
}

void CountdownPanel(QPainter &p) {
  const QRectF r = QRectF(kCountdown).adjusted(-14, -10, 14, 8);
  Console(p, r, QColor(63, 208, 255, 170));
  p.setFont(PixelFont(kSans, 8, true));
  p.setPen(QColor(90, 170, 205));
  p.drawText(QRectF(r.left(), r.bottom() + 1, r.width(), 11), Qt::AlignHCenter | Qt::AlignTop,
             "SEARCH  TIME");
}

// The win counters: dark figures (their label colour is a dark grey) need a
// pale panel, drawn as a backlit liquid-crystal display.
void ScorePanel(QPainter &p) {
  const QRectF r(450, 6, 186, 72);
  Bezel(p, r.toRect(), 3);
  QLinearGradient lcd(r.topLeft(), r.bottomLeft());
  lcd.setColorAt(0.0, QColor(186, 214, 204));
  lcd.setColorAt(1.0, QColor(150, 182, 172));
  p.fillRect(r, lcd);
  // Faint pixel grid of the display.
  p.setPen(QPen(QColor(120, 150, 140, 40), 1.0));
  for (double y = r.top() + 2.5; y < r.bottom(); y += 3)
    p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
  p.setPen(QPen(QColor(64, 64, 66, 90), 1.0));
  p.drawLine(QPointF(r.left() + 6, 40.5), QPointF(r.right() - 6, 40.5));
  p.setFont(PixelFont(kSans, 10, true));
  p.setPen(QColor(64, 64, 66));
  p.drawText(QRectF(r.left() + 8, 14, 80, 14), Qt::AlignLeft | Qt::AlignVCenter, "YOU  WIN");
  p.drawText(QRectF(r.left() + 8, 48, 80, 14), Qt::AlignLeft | Qt::AlignVCenter, "RIVAL  WIN");
}

// The trough behind a life bar, with a tick where each Marvok's share ends.
void LifeTrough(QPainter &p, const QRect &bar, const char *caption, bool captionRight) {
  const QRectF r = QRectF(bar).adjusted(-3, -3, 3, 3);
  p.setPen(QPen(QColor(63, 208, 255, 140), 1.0));
  p.setBrush(QColor(4, 10, 18));
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  p.setPen(QPen(QColor(40, 90, 120), 1.0));
  for (int left = 1; left <= 4; ++left) {
    const double x = bar.left() + LifeWidth(left) - 0.5;
    p.drawLine(QPointF(x, bar.top() + 3), QPointF(x, bar.bottom() - 2));
  }
  p.setFont(PixelFont(kSans, 9, true));
  p.setPen(QColor(120, 200, 235));
  const QRectF label(bar.left(), bar.top() - 17, bar.width(), 12);
  p.drawText(label, (captionRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, caption);
}

void DangerSocket(QPainter &p) {
  const QRectF r = QRectF(kDanger).adjusted(-2, -2, 2, 2);
  p.setPen(QPen(QColor(120, 60, 60), 1.0));
  p.setBrush(QColor(10, 4, 6));
  p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace

QPainterPath FieldOutline() {
  QPainterPath all;
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 10; ++c)
      if (CellShown(r, c))
        all = all.united(CellHex(r, c));
  return all.simplified();
}

QImage MainBackground() {
  QImage image = NewImage(kWindowWidth, kWindowHeight, Void());
  QPainter p;
  Begin(p, image);
  Backdrop(p);
  Field(p);
  Title(p);
  CountdownPanel(p);
  ScorePanel(p);
  Bezel(p, kOwnPortrait, 4);
  Bezel(p, kOpponentPortrait, 4);
  LifeTrough(p, kOwnLife, "YOUR  UNITS", true);
  LifeTrough(p, kOpponentLife, "ENEMY  UNITS", false);
  DangerSocket(p);
  Console(p, QRectF(kMessage).adjusted(-10, -8, 30, 7), QColor(63, 208, 255, 150));
  p.end();
  return image;
}

} // namespace assetgen

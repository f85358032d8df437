// The computer opponent: a war machine's head with two lens eyes and a
// speaker grille that lights up as it talks.
#include "assets/generator/Layout.h"
#include "assets/generator/Paint.h"
#include "assets/generator/PortraitKit.h"
#include "assets/generator/Portraits.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace assetgen {

namespace {

constexpr QPointF kLeftLens{51.5, 64.0};
constexpr QPointF kRightLens{79.5, 64.0};
constexpr QRectF kGrille{49.0, 78.0, 33.0, 12.0};
const QColor kGlow(255, 50, 40);

void Shoulders(QPainter &p) {
  QPainterPath armour;
  armour.moveTo(-4, 110);
  armour.cubicTo(0, 92, 20, 86, 40, 88);
  armour.lineTo(92, 88);
  armour.cubicTo(112, 86, 132, 92, 136, 110);
  armour.closeSubpath();
  QLinearGradient g(0, 86, 0, 110);
  g.setColorAt(0.0, QColor(96, 104, 118));
  g.setColorAt(1.0, QColor(30, 32, 40));
  p.setPen(QPen(QColor(14, 14, 18), 1.0));
  p.setBrush(g);
  p.drawPath(armour);
  p.setPen(QPen(QColor(140, 150, 166), 1.0));
  p.drawLine(QPointF(10, 98), QPointF(34, 93));
  p.drawLine(QPointF(98, 93), QPointF(122, 98));
  p.setPen(Qt::NoPen);
  p.setBrush(kGlow);
  p.drawEllipse(QPointF(20, 100), 1.6, 1.6);
  p.drawEllipse(QPointF(112, 100), 1.6, 1.6);
  // Neck cables.
  p.setBrush(QColor(24, 26, 32));
  p.drawRect(QRectF(52, 90, 28, 10));
  p.setPen(QPen(QColor(70, 76, 90), 1.0));
  for (double x = 55; x < 80; x += 5)
    p.drawLine(QPointF(x, 90), QPointF(x, 100));
}

QPainterPath HeadShape() {
  QPainterPath head;
  head.moveTo(30, 42);
  head.lineTo(42, 18);
  head.lineTo(65.5, 11);
  head.lineTo(89, 18);
  head.lineTo(101, 42);
  head.lineTo(100, 80);
  head.lineTo(88, 96);
  head.lineTo(43, 96);
  head.lineTo(31, 80);
  head.closeSubpath();
  return head;
}

void Head(QPainter &p) {
  // Antenna fin and its light.
  p.setPen(QPen(QColor(20, 20, 24), 1.0));
  p.setBrush(QColor(80, 86, 98));
  QPolygonF fin;
  fin << QPointF(62, 14) << QPointF(65.5, 1) << QPointF(69, 14);
  p.drawPolygon(fin);
  p.setPen(Qt::NoPen);
  p.setBrush(kGlow);
  p.drawEllipse(QPointF(65.5, 4), 1.5, 1.5);
  // Side modules with vents.
  QLinearGradient side(0, 48, 0, 84);
  side.setColorAt(0.0, QColor(110, 118, 132));
  side.setColorAt(1.0, QColor(40, 44, 54));
  p.setPen(QPen(QColor(16, 16, 20), 1.0));
  p.setBrush(side);
  p.drawRoundedRect(QRectF(21, 48, 12, 34), 3, 3);
  p.drawRoundedRect(QRectF(98, 48, 12, 34), 3, 3);
  p.setPen(QPen(QColor(20, 20, 26), 1.2));
  for (double y = 54; y < 80; y += 4) {
    p.drawLine(QPointF(24, y), QPointF(30, y));
    p.drawLine(QPointF(101, y), QPointF(107, y));
  }
  // The head: gunmetal, lit from the upper left.
  QLinearGradient metal(30, 11, 101, 96);
  metal.setColorAt(0.0, QColor(170, 178, 192));
  metal.setColorAt(0.45, QColor(98, 106, 122));
  metal.setColorAt(1.0, QColor(40, 44, 54));
  p.setPen(QPen(QColor(14, 14, 18), 1.2));
  p.setBrush(metal);
  p.drawPath(HeadShape());
  // Panel seams.
  p.setPen(QPen(QColor(30, 32, 40, 200), 1.0));
  p.drawLine(QPointF(65.5, 12), QPointF(65.5, 48));
  p.drawLine(QPointF(42, 19), QPointF(48, 48));
  p.drawLine(QPointF(89, 19), QPointF(83, 48));
  p.setPen(QPen(QColor(220, 226, 236, 120), 1.0));
  p.drawLine(QPointF(44, 22), QPointF(63, 15));
  // Brow ridge and the dark visor band the eyes sit in.
  p.setPen(QPen(QColor(12, 12, 16), 1.0));
  p.setBrush(QColor(60, 64, 76));
  QPolygonF ridge;
  ridge << QPointF(34, 50) << QPointF(97, 50) << QPointF(95, 55) << QPointF(36, 55);
  p.drawPolygon(ridge);
  QLinearGradient glass(0, 55, 0, 73);
  glass.setColorAt(0.0, QColor(8, 8, 12));
  glass.setColorAt(1.0, QColor(30, 10, 14));
  p.setBrush(glass);
  p.drawRoundedRect(QRectF(36, 55, 59, 18), 4, 4);
  // Cheek plates and the grille's housing.
  p.setBrush(QColor(70, 76, 90));
  p.drawRoundedRect(kGrille.adjusted(-4, -3, 4, 3), 3, 3);
}

void LensHousing(QPainter &p, QPointF c) {
  p.setPen(QPen(QColor(10, 10, 12), 1.0));
  p.setBrush(QColor(90, 96, 110));
  p.drawEllipse(c, 7.2, 7.2);
  p.setBrush(QColor(14, 6, 8));
  p.drawEllipse(c, 5.6, 5.6);
}

void LitLens(QPainter &p, QPointF c, double dx, QColor colour, double strength) {
  const QPointF core(c.x() + dx, c.y());
  QRadialGradient g(core, 6.0);
  g.setColorAt(0.0, QColor(255, 240, 220));
  g.setColorAt(0.3, colour);
  g.setColorAt(1.0, WithAlpha(colour.darker(300), 0));
  p.setPen(Qt::NoPen);
  p.setOpacity(strength);
  p.setBrush(g);
  p.drawEllipse(core, 5.4, 5.4);
  p.setOpacity(1.0);
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawEllipse(core + QPointF(-1.6, -1.8), 0.9, 0.9);
}

void ShutLens(QPainter &p, QPointF c) {
  // Shutters closed, a slit of light between them.
  p.setPen(QPen(QColor(10, 10, 12), 0.8));
  p.setBrush(QColor(84, 90, 104));
  p.drawChord(QRectF(c.x() - 5.6, c.y() - 5.6, 11.2, 11.2), 0, 180 * 16);
  p.drawChord(QRectF(c.x() - 5.6, c.y() - 5.6, 11.2, 11.2), 180 * 16, 180 * 16);
  p.setPen(QPen(WithAlpha(kGlow, 200), 1.2));
  p.drawLine(QPointF(c.x() - 4.5, c.y()), QPointF(c.x() + 4.5, c.y()));
}

void HappyLens(QPainter &p, QPointF c) {
  QPainterPath arc;
  arc.moveTo(c.x() - 4.2, c.y() + 2.2);
  arc.quadTo(c.x(), c.y() - 5.0, c.x() + 4.2, c.y() + 2.2);
  GlowStroke(p, arc, QColor(255, 200, 60), 1.8, 2);
}

void DeadLens(QPainter &p, QPointF c) {
  p.setPen(QPen(QColor(120, 120, 128), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c + QPointF(-3.2, -3.2), c + QPointF(3.2, 3.2));
  p.drawLine(c + QPointF(3.2, -3.2), c + QPointF(-3.2, 3.2));
}

void Crack(QPainter &p, QPointF from, const std::initializer_list<QPointF> &steps) {
  QPainterPath crack;
  crack.moveTo(from);
  for (const QPointF &s : steps)
    crack.lineTo(s);
  p.setPen(QPen(QColor(10, 10, 12), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(crack);
  p.setPen(QPen(QColor(200, 206, 220, 120), 0.6));
  p.drawPath(crack.translated(0.8, 0.6));
}

void Spark(QPainter &p, QPointF c, double size) {
  p.setPen(QPen(QColor(255, 230, 120), 1.0, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 4; ++i) {
    const double a = i * 3.14159265358979 / 4 + 0.3;
    p.drawLine(c - QPointF(std::cos(a), std::sin(a)) * size, c + QPointF(std::cos(a), std::sin(a)) * size);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(c, 0.9, 0.9);
}

void Smoke(QPainter &p, QPointF c) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 150, 160, 90));
  p.drawEllipse(c, 4.5, 3.5);
  p.drawEllipse(c + QPointF(3.5, -4), 3.5, 3.0);
  p.setBrush(QColor(190, 190, 200, 60));
  p.drawEllipse(c + QPointF(-1.5, -7.5), 3.0, 2.5);
}

// The grille: four slots; lit: per slot, the lit span from the centre (0..1),
// or a shape drawn by the caller when lit is null.
void Grille(QPainter &p, const double *lit, QColor colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(12, 8, 10));
  p.drawRoundedRect(kGrille, 2, 2);
  for (int i = 0; i < 4; ++i) {
    const double y = kGrille.top() + 1.5 + i * 2.6;
    p.setBrush(QColor(44, 20, 22));
    p.drawRect(QRectF(kGrille.left() + 2, y, kGrille.width() - 4, 1.6));
    if (lit != nullptr && lit[i] > 0) {
      const double half = (kGrille.width() - 4) / 2 * lit[i];
      p.setBrush(colour);
      p.drawRect(QRectF(kGrille.center().x() - half, y, 2 * half, 1.6));
    }
  }
}

void SmileGrille(QPainter &p) {
  Grille(p, nullptr, kGlow);
  QPainterPath smile;
  smile.moveTo(kGrille.left() + 4, kGrille.top() + 3);
  smile.quadTo(kGrille.center().x(), kGrille.bottom() + 3, kGrille.right() - 4, kGrille.top() + 3);
  GlowStroke(p, smile, QColor(255, 200, 60), 1.6, 2);
}

void WaveGrille(QPainter &p) {
  Grille(p, nullptr, kGlow);
  QPainterPath wave;
  const double mid = kGrille.center().y();
  wave.moveTo(kGrille.left() + 3, mid);
  for (double x = kGrille.left() + 3; x <= kGrille.right() - 3; x += 1.0)
    wave.lineTo(x, mid + 3.2 * std::sin((x - kGrille.left()) * 0.7) * std::sin((x - kGrille.left()) * 0.11));
  p.setPen(QPen(kGlow, 1.1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(wave);
}

void Features(QPainter &p, Expression e) {
  LensHousing(p, kLeftLens);
  LensHousing(p, kRightLens);
  static constexpr double kCalm[4] = {0.7, 0.7, 0.7, 0.7};
  static constexpr double kJagged[4] = {0.8, 0.2, 0.9, 0.4};
  switch (e) {
  case Expression::Normal:
    LitLens(p, kLeftLens, 0, kGlow, 1.0);
    LitLens(p, kRightLens, 0, kGlow, 1.0);
    Grille(p, kCalm, kGlow.darker(140));
    break;
  case Expression::Blink:
    ShutLens(p, kLeftLens);
    ShutLens(p, kRightLens);
    Grille(p, kCalm, kGlow.darker(140));
    break;
  case Expression::Glance:
    LitLens(p, kLeftLens, -2.4, kGlow, 1.0);
    LitLens(p, kRightLens, -2.4, kGlow, 1.0);
    WaveGrille(p);
    break;
  case Expression::Won:
    HappyLens(p, kLeftLens);
    HappyLens(p, kRightLens);
    SmileGrille(p);
    break;
  case Expression::Hurt:
    LitLens(p, kLeftLens, 1.2, QColor(255, 150, 40), 1.0);
    LitLens(p, kRightLens, 0, kGlow, 1.0);
    Crack(p, QPointF(44, 57), {QPointF(49, 62), QPointF(47, 67), QPointF(53, 71), QPointF(52, 76)});
    Crack(p, QPointF(58, 62), {QPointF(61, 67), QPointF(59, 72)});
    Grille(p, kJagged, QColor(255, 140, 40));
    Spark(p, QPointF(45, 60), 3.0);
    break;
  case Expression::Defeated:
    DeadLens(p, kLeftLens);
    DeadLens(p, kRightLens);
    Crack(p, QPointF(40, 52),
          {QPointF(48, 60), QPointF(45, 68), QPointF(55, 74), QPointF(52, 84), QPointF(58, 92)});
    Crack(p, QPointF(90, 54), {QPointF(84, 62), QPointF(88, 70), QPointF(80, 76)});
    Grille(p, nullptr, kGlow);
    Smoke(p, QPointF(88, 58));
    Smoke(p, QPointF(42, 84));
    Spark(p, QPointF(84, 62), 3.5);
    Spark(p, QPointF(55, 74), 2.5);
    break;
  }
}

} // namespace

QImage RobotPortrait(Expression expression) {
  QImage image = NewImage(layout::kPortraitWidth, layout::kPortraitHeight, QColor(10, 2, 4));
  QPainter p;
  Begin(p, image);
  PortraitBackdrop(p, QColor(60, 10, 14), QColor(12, 2, 4), QColor(255, 60, 40, 28));
  // Circuit traces behind the head.
  p.setPen(QPen(QColor(255, 60, 40, 60), 1.0));
  for (int i = 0; i < 5; ++i) {
    const double y = 20.0 + 14.0 * i;
    p.drawLine(QPointF(105, y), QPointF(124, y));
    p.drawLine(QPointF(124, y), QPointF(132, y + 6));
    p.drawLine(QPointF(132, y + 6), QPointF(143, y + 6));
  }
  Shoulders(p);
  Head(p);
  p.save();
  ClipToFace(p, layout::kOpponentFace);
  Features(p, expression);
  p.restore();
  PortraitEdge(p, QColor(255, 70, 50, 150));
  return image;
}

} // namespace assetgen

// The two human characters: the player's commander (a young operator with a
// headset) and the network rival (a pilot with her helmet's visor raised).
// Both are drawn in the commander's coordinates; the rival's painter is moved
// and scaled onto her larger face region.
#include "assets/generator/Layout.h"
#include "assets/generator/Paint.h"
#include "assets/generator/PortraitKit.h"
#include "assets/generator/Portraits.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace assetgen {

namespace {

struct Style {
  bool rival;
  QColor skin, skinShade, line, hair, hairLight, iris, irisDark, lips;
  QColor suit, suitLight, trim;
  QColor bgTop, bgBottom, bgPattern, edge;
  int glance; // which way the Glance expression looks: +1 right, -1 left
};

const Style kCommander{false,
                       QColor(244, 206, 170),
                       QColor(206, 150, 118),
                       QColor(70, 36, 28),
                       QColor(26, 38, 74),
                       QColor(70, 104, 170),
                       QColor(60, 150, 255),
                       QColor(16, 50, 120),
                       QColor(150, 60, 50),
                       QColor(24, 44, 80),
                       QColor(52, 84, 130),
                       QColor(63, 208, 255),
                       QColor(16, 50, 80),
                       QColor(4, 12, 24),
                       QColor(63, 208, 255, 26),
                       QColor(63, 208, 255, 140),
                       +1};

const Style kRival{true,
                   QColor(248, 214, 186),
                   QColor(214, 160, 130),
                   QColor(80, 30, 26),
                   QColor(196, 52, 34),
                   QColor(255, 130, 80),
                   QColor(60, 200, 110),
                   QColor(10, 80, 40),
                   QColor(200, 56, 70),
                   QColor(230, 232, 236),
                   QColor(255, 255, 255),
                   QColor(255, 130, 30),
                   QColor(72, 34, 12),
                   QColor(20, 8, 4),
                   QColor(255, 150, 60, 26),
                   QColor(255, 150, 60, 150),
                   -1};

constexpr QPointF kLeftEye{69.5, 64.0};
constexpr QPointF kRightEye{90.5, 64.0};
constexpr QPointF kMouth{80.0, 80.5};

QPainterPath HeadShape() {
  QPainterPath head;
  head.moveTo(55, 56);
  head.cubicTo(55, 31, 68, 24, 80, 24);
  head.cubicTo(92, 24, 105, 31, 105, 56);
  head.cubicTo(105, 73, 95, 88, 80, 92);
  head.cubicTo(65, 88, 55, 73, 55, 56);
  head.closeSubpath();
  return head;
}

void Body(QPainter &p, const Style &s) {
  QPainterPath shoulders;
  shoulders.moveTo(4, 110);
  shoulders.cubicTo(12, 94, 40, 88, 64, 90);
  shoulders.lineTo(96, 90);
  shoulders.cubicTo(120, 88, 148, 94, 156, 110);
  shoulders.closeSubpath();
  QLinearGradient suit(0, 88, 0, 110);
  suit.setColorAt(0.0, s.suitLight);
  suit.setColorAt(1.0, s.suit.darker(150));
  p.setPen(QPen(s.suit.darker(250), 1.0));
  p.setBrush(suit);
  p.drawPath(shoulders);
  // Shoulder plates and a high collar with a trim light.
  p.setBrush(s.suit);
  p.drawRoundedRect(QRectF(22, 93, 30, 14), 5, 5);
  p.drawRoundedRect(QRectF(108, 93, 30, 14), 5, 5);
  QPainterPath collar;
  collar.moveTo(62, 90);
  collar.lineTo(80, 104);
  collar.lineTo(98, 90);
  p.setPen(QPen(s.trim, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawPath(collar);
  p.setPen(QPen(WithAlpha(s.trim, 150), 1.0));
  p.drawLine(QPointF(26, 100), QPointF(48, 100));
  p.drawLine(QPointF(112, 100), QPointF(134, 100));
}

void Neck(QPainter &p, const Style &s) {
  QLinearGradient neck(70, 0, 90, 0);
  neck.setColorAt(0.0, s.skinShade);
  neck.setColorAt(0.5, s.skin);
  neck.setColorAt(1.0, s.skinShade);
  p.setPen(Qt::NoPen);
  p.setBrush(neck);
  p.drawRect(QRectF(71, 82, 18, 14));
  p.setBrush(WithAlpha(s.skinShade.darker(130), 140));
  p.drawEllipse(QPointF(80, 88), 9, 4); // the chin's shadow
}

void BackHair(QPainter &p, const Style &s) {
  if (!s.rival)
    return;
  // Long hair falling behind the shoulders.
  QPainterPath hair;
  hair.moveTo(52, 40);
  hair.cubicTo(40, 60, 42, 90, 36, 104);
  hair.lineTo(124, 104);
  hair.cubicTo(118, 90, 120, 60, 108, 40);
  hair.closeSubpath();
  QLinearGradient g(0, 40, 0, 104);
  g.setColorAt(0.0, s.hair);
  g.setColorAt(1.0, s.hair.darker(170));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(hair);
}

void Head(QPainter &p, const Style &s) {
  QRadialGradient skin(QPointF(73, 54), 38);
  skin.setColorAt(0.0, s.skin.lighter(106));
  skin.setColorAt(0.7, s.skin);
  skin.setColorAt(1.0, s.skinShade);
  p.setPen(QPen(s.line, 1.0));
  p.setBrush(skin);
  p.drawEllipse(QPointF(54.5, 65), 3.6, 6);
  p.drawEllipse(QPointF(105.5, 65), 3.6, 6);
  p.drawPath(HeadShape());
}

// --- eyes, brows, mouth -----------------------------------------------------

QPainterPath Almond(QPointF c) {
  QPainterPath eye;
  eye.moveTo(c.x() - 6, c.y() + 0.5);
  eye.cubicTo(c.x() - 4, c.y() - 4.6, c.x() + 4, c.y() - 4.6, c.x() + 6, c.y() - 0.5);
  eye.cubicTo(c.x() + 4, c.y() + 4.4, c.x() - 4, c.y() + 4.4, c.x() - 6, c.y() + 0.5);
  eye.closeSubpath();
  return eye;
}

// outer: -1 when the eye's outer corner is on the left (the screen-left eye).
void OpenEye(QPainter &p, const Style &s, QPointF c, double look, int outer, double iris = 1.0) {
  const QPainterPath white = Almond(c);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 252, 255));
  p.drawPath(white);
  p.save();
  p.setClipPath(white, Qt::IntersectClip);
  const QPointF ic(c.x() + look, c.y() + 0.4);
  QRadialGradient g(ic + QPointF(0, 1.5), 4.6 * iris);
  g.setColorAt(0.0, s.iris.lighter(140));
  g.setColorAt(0.6, s.iris);
  g.setColorAt(1.0, s.irisDark);
  p.setBrush(g);
  p.drawEllipse(ic, 3.5 * iris, 4.4 * iris);
  p.setBrush(QColor(10, 12, 24));
  p.drawEllipse(ic, 1.6 * iris, 2.3 * iris);
  p.setBrush(Qt::white);
  p.drawEllipse(ic + QPointF(-1.3, -1.7), 1.25, 1.25);
  p.drawEllipse(ic + QPointF(1.4, 1.7), 0.6, 0.6);
  p.setBrush(QColor(0, 0, 0, 50)); // the lid's shadow on the eye
  p.drawRect(QRectF(c.x() - 7, c.y() - 6, 14, 2.6));
  p.restore();
  // Upper lid, heavier at the outer corner (with a lash wing for the rival).
  QPainterPath lid;
  lid.moveTo(c.x() - 6.6, c.y() + 0.8);
  lid.cubicTo(c.x() - 4, c.y() - 5.3, c.x() + 4, c.y() - 5.3, c.x() + 6.6, c.y() + 0.4);
  p.setPen(QPen(s.line, 1.7, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(lid);
  const QPointF corner(c.x() + outer * 6.4, c.y() + 0.2);
  p.drawLine(corner, corner + QPointF(outer * (s.rival ? 2.6 : 1.4), s.rival ? -2.0 : -0.8));
  p.setPen(QPen(WithAlpha(s.line, 110), 0.8));
  p.drawLine(QPointF(c.x() - 3.5, c.y() + 4.2), QPointF(c.x() + 3.5, c.y() + 4.2));
}

void ClosedEye(QPainter &p, const Style &s, QPointF c, int outer) {
  QPainterPath lid;
  lid.moveTo(c.x() - 6, c.y() + 0.2);
  lid.cubicTo(c.x() - 3, c.y() + 2.8, c.x() + 3, c.y() + 2.8, c.x() + 6, c.y() + 0.2);
  p.setPen(QPen(s.line, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(lid);
  const QPointF corner(c.x() + outer * 6.0, c.y() + 0.2);
  p.drawLine(corner, corner + QPointF(outer * 1.6, 0.6));
}

void HappyEye(QPainter &p, const Style &s, QPointF c) {
  QPainterPath arc;
  arc.moveTo(c.x() - 5.5, c.y() + 1.6);
  arc.cubicTo(c.x() - 3, c.y() - 3.8, c.x() + 3, c.y() - 3.8, c.x() + 5.5, c.y() + 1.6);
  p.setPen(QPen(s.line, 1.9, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(arc);
}

// A squeezed-shut eye: ">" on the left, "<" on the right.
void SqueezedEye(QPainter &p, const Style &s, QPointF c, int outer) {
  QPainterPath v;
  v.moveTo(c.x() + outer * 5, c.y() - 3.6);
  v.lineTo(c.x() - outer * 4, c.y());
  v.lineTo(c.x() + outer * 5, c.y() + 3.6);
  p.setPen(QPen(s.line, 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(v);
}

// lift: how far the inner end sits above the outer one (worry > 0, anger < 0).
void Brow(QPainter &p, const Style &s, QPointF eye, int outer, double lift, double raise = 0.0) {
  const QPointF outerEnd(eye.x() + outer * 6.5, eye.y() - 8.2 - raise);
  const QPointF innerEnd(eye.x() - outer * 5.0, eye.y() - 8.8 - raise - lift);
  const QPointF mid((outerEnd.x() + innerEnd.x()) / 2, std::min(outerEnd.y(), innerEnd.y()) - 1.2);
  QPainterPath brow;
  brow.moveTo(outerEnd);
  brow.quadTo(mid, innerEnd);
  p.setPen(QPen(s.hair.darker(120), 2.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(brow);
}

void Nose(QPainter &p, const Style &s) {
  p.setPen(QPen(WithAlpha(s.skinShade.darker(130), 200), 1.1, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(80.8, 69.0), QPointF(79.4, 73.2));
  p.drawLine(QPointF(79.4, 73.2), QPointF(81.2, 73.6));
}

void SmileMouth(QPainter &p, const Style &s, double tilt) {
  const QPointF m = kMouth;
  QPainterPath smile;
  smile.moveTo(m.x() - 6, m.y() - 0.5 - tilt);
  smile.cubicTo(m.x() - 3, m.y() + 2.4, m.x() + 3, m.y() + 2.4, m.x() + 6, m.y() - 0.5 + tilt);
  p.setPen(QPen(s.lips.darker(s.rival ? 100 : 130), s.rival ? 1.6 : 1.3, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(smile);
}

void GrinMouth(QPainter &p, const Style &s) {
  const QPointF m = kMouth;
  QPainterPath grin;
  grin.moveTo(m.x() - 8, m.y() - 2);
  grin.lineTo(m.x() + 8, m.y() - 2);
  grin.cubicTo(m.x() + 6, m.y() + 6, m.x() - 6, m.y() + 6, m.x() - 8, m.y() - 2);
  grin.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 20, 24));
  p.drawPath(grin);
  p.save();
  p.setClipPath(grin, Qt::IntersectClip);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(m.x() - 8, m.y() - 2, 16, 2.4));
  p.setBrush(QColor(230, 110, 120));
  p.drawEllipse(QPointF(m.x(), m.y() + 4.8), 4.2, 2.4);
  p.restore();
  p.setPen(QPen(s.line, 1.1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(grin);
}

void GrittedMouth(QPainter &p, const Style &s) {
  const QRectF teeth(kMouth.x() - 7, kMouth.y() - 2.5, 14, 5.5);
  p.setPen(QPen(s.line, 1.1));
  p.setBrush(QColor(252, 250, 245));
  p.drawRoundedRect(teeth, 2, 2);
  p.setPen(QPen(WithAlpha(s.line, 160), 0.7));
  p.drawLine(QPointF(teeth.left() + 1, teeth.center().y()), QPointF(teeth.right() - 1, teeth.center().y()));
  for (double x = teeth.left() + 3.5; x < teeth.right() - 1; x += 3.5)
    p.drawLine(QPointF(x, teeth.top() + 0.5), QPointF(x, teeth.bottom() - 0.5));
}

void DismayMouth(QPainter &p, const Style &s) {
  const QPointF m = kMouth + QPointF(0, 1);
  QPainterPath open;
  open.moveTo(m.x() - 6.5, m.y() + 2.5);
  open.cubicTo(m.x() - 4, m.y() - 4, m.x() + 4, m.y() - 4, m.x() + 6.5, m.y() + 2.5);
  open.cubicTo(m.x() + 4, m.y() + 4, m.x() - 4, m.y() + 4, m.x() - 6.5, m.y() + 2.5);
  open.closeSubpath();
  p.setPen(QPen(s.line, 1.1));
  p.setBrush(QColor(80, 18, 24));
  p.drawPath(open);
}

void Blush(QPainter &p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 110, 120, 80));
  p.drawEllipse(QPointF(65.5, 72), 4.5, 2.2);
  p.drawEllipse(QPointF(94.5, 72), 4.5, 2.2);
}

void SweatDrop(QPainter &p, QPointF top) {
  QPainterPath drop;
  drop.moveTo(top);
  drop.cubicTo(top + QPointF(-1, 3), top + QPointF(-3.2, 5), top + QPointF(-3.2, 7));
  drop.cubicTo(top + QPointF(-3.2, 10), top + QPointF(3.2, 10), top + QPointF(3.2, 7));
  drop.cubicTo(top + QPointF(3.2, 5), top + QPointF(1, 3), top);
  p.setPen(QPen(QColor(40, 110, 170), 0.9));
  p.setBrush(QColor(170, 225, 255, 230));
  p.drawPath(drop);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(top + QPointF(-1.2, 6.4), 0.9, 1.3);
}

void Plaster(QPainter &p) {
  p.save();
  p.translate(95, 75);
  p.rotate(-25);
  p.setPen(QPen(QColor(150, 110, 80), 0.8));
  p.setBrush(QColor(240, 210, 170));
  p.drawRoundedRect(QRectF(-5, -2, 10, 4), 1.5, 1.5);
  p.setPen(QPen(QColor(170, 130, 100), 0.6));
  p.drawLine(QPointF(-1.5, -2), QPointF(-1.5, 2));
  p.drawLine(QPointF(1.5, -2), QPointF(1.5, 2));
  p.restore();
}

void Tear(QPainter &p, QPointF at) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 210, 255, 220));
  p.drawEllipse(at, 1.3, 2.0);
}

void Features(QPainter &p, const Style &s, Expression e) {
  Nose(p, s);
  const double look = s.glance * 2.2;
  switch (e) {
  case Expression::Normal:
    Brow(p, s, kLeftEye, -1, 0.4);
    Brow(p, s, kRightEye, +1, 0.4);
    OpenEye(p, s, kLeftEye, 0, -1);
    OpenEye(p, s, kRightEye, 0, +1);
    SmileMouth(p, s, s.rival ? 1.2 : 0.0);
    break;
  case Expression::Blink:
    Brow(p, s, kLeftEye, -1, 0.4);
    Brow(p, s, kRightEye, +1, 0.4);
    ClosedEye(p, s, kLeftEye, -1);
    ClosedEye(p, s, kRightEye, +1);
    SmileMouth(p, s, s.rival ? 1.2 : 0.0);
    break;
  case Expression::Glance:
    Brow(p, s, kLeftEye, -1, s.rival ? -0.8 : 0.8, 0.6);
    Brow(p, s, kRightEye, +1, s.rival ? 0.6 : -0.2, 0.3);
    OpenEye(p, s, kLeftEye, look, -1);
    OpenEye(p, s, kRightEye, look, +1);
    SmileMouth(p, s, 2.0 * s.glance);
    break;
  case Expression::Won:
    Brow(p, s, kLeftEye, -1, 0.6, 1.2);
    Brow(p, s, kRightEye, +1, 0.6, 1.2);
    if (s.rival) {
      // A wink.
      OpenEye(p, s, kLeftEye, 0, -1);
      HappyEye(p, s, kRightEye);
    } else {
      HappyEye(p, s, kLeftEye);
      HappyEye(p, s, kRightEye);
    }
    Blush(p);
    GrinMouth(p, s);
    break;
  case Expression::Hurt:
    Brow(p, s, kLeftEye, -1, 2.6);
    Brow(p, s, kRightEye, +1, 2.6);
    OpenEye(p, s, kLeftEye, 0, -1, 0.72);
    OpenEye(p, s, kRightEye, 0, +1, 0.72);
    GrittedMouth(p, s);
    break;
  case Expression::Defeated:
    Brow(p, s, kLeftEye, -1, 3.4);
    Brow(p, s, kRightEye, +1, 3.4);
    SqueezedEye(p, s, kLeftEye, -1);
    SqueezedEye(p, s, kRightEye, +1);
    DismayMouth(p, s);
    break;
  }
}

// Marks that lie over the hair and gear: sweat, tears, a plaster.
void Extras(QPainter &p, Expression e) {
  if (e == Expression::Hurt)
    SweatDrop(p, QPointF(99.5, 49));
  if (e == Expression::Defeated) {
    Tear(p, kLeftEye + QPointF(-6.5, 4.5));
    Tear(p, kRightEye + QPointF(6.5, 4.5));
    Plaster(p);
    SweatDrop(p, QPointF(60.5, 47));
  }
}

// --- hair and gear ------------------------------------------------------------

void CommanderHair(QPainter &p, const Style &s) {
  QPainterPath hair;
  hair.moveTo(53, 68);
  hair.cubicTo(49, 56, 49, 42, 53, 34);
  hair.lineTo(50, 22);
  hair.lineTo(60, 26);
  hair.lineTo(62, 12);
  hair.lineTo(72, 20);
  hair.lineTo(80, 6);
  hair.lineTo(86, 18);
  hair.lineTo(99, 10);
  hair.lineTo(99, 24);
  hair.lineTo(111, 22);
  hair.lineTo(106, 34);
  hair.cubicTo(111, 42, 111, 56, 107, 68);
  hair.lineTo(104, 56);
  // Bangs, tips just above the brows.
  hair.lineTo(101, 46);
  hair.lineTo(97, 52);
  hair.lineTo(93, 43);
  hair.lineTo(87, 51);
  hair.lineTo(83, 42);
  hair.lineTo(77, 51);
  hair.lineTo(72, 42);
  hair.lineTo(66, 51);
  hair.lineTo(62, 43);
  hair.lineTo(58, 53);
  hair.lineTo(56, 56);
  hair.closeSubpath();
  QLinearGradient g(0, 6, 0, 68);
  g.setColorAt(0.0, s.hairLight);
  g.setColorAt(0.4, s.hair);
  g.setColorAt(1.0, s.hair.darker(140));
  p.setPen(QPen(s.hair.darker(220), 1.0));
  p.setBrush(g);
  p.drawPath(hair);
  p.setPen(QPen(WithAlpha(s.hairLight.lighter(130), 150), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(66, 28), QPointF(74, 24));
  p.drawLine(QPointF(84, 22), QPointF(92, 25));
}

void Headset(QPainter &p, const Style &s) {
  QPainterPath band;
  band.moveTo(52, 60);
  band.cubicTo(50, 14, 110, 14, 108, 60);
  p.setPen(QPen(QColor(30, 34, 44), 3.0, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(band);
  p.setPen(QPen(QColor(110, 124, 146), 1.0));
  p.drawPath(band);
  QLinearGradient cup(0, 57, 0, 74);
  cup.setColorAt(0.0, QColor(96, 108, 128));
  cup.setColorAt(1.0, QColor(34, 40, 52));
  p.setPen(QPen(QColor(14, 16, 22), 1.0));
  p.setBrush(cup);
  p.drawRoundedRect(QRectF(47, 57, 10, 16), 3, 3);
  p.drawRoundedRect(QRectF(103, 57, 10, 16), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(s.trim);
  p.drawEllipse(QPointF(52, 65), 1.4, 1.4);
  // Microphone boom, clear of the mouth.
  QPainterPath boom;
  boom.moveTo(106, 70);
  boom.cubicTo(106, 80, 101, 86, 95, 87);
  p.setPen(QPen(QColor(30, 34, 44), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(boom);
  p.setPen(QPen(QColor(14, 16, 22), 0.8));
  p.setBrush(QColor(60, 66, 80));
  p.drawEllipse(QPointF(94, 87), 2.6, 2.0);
}

void RivalHair(QPainter &p, const Style &s) {
  // Strands framing the face and side-swept bangs.
  QLinearGradient g(0, 30, 0, 100);
  g.setColorAt(0.0, s.hairLight);
  g.setColorAt(0.5, s.hair);
  g.setColorAt(1.0, s.hair.darker(150));
  p.setPen(QPen(s.hair.darker(200), 0.9));
  p.setBrush(g);
  QPainterPath left;
  left.moveTo(56, 40);
  left.cubicTo(50, 60, 52, 80, 46, 96);
  left.cubicTo(54, 88, 57, 74, 58, 62);
  left.closeSubpath();
  QPainterPath right;
  right.moveTo(104, 40);
  right.cubicTo(110, 60, 108, 80, 114, 96);
  right.cubicTo(106, 88, 103, 74, 102, 62);
  right.closeSubpath();
  QPainterPath bangs;
  bangs.moveTo(54, 40);
  bangs.lineTo(106, 40);
  bangs.cubicTo(104, 46, 100, 49, 96, 51);
  bangs.cubicTo(90, 46, 84, 45, 76, 50);
  bangs.cubicTo(70, 46, 64, 48, 60, 53);
  bangs.cubicTo(57, 50, 55, 46, 54, 40);
  bangs.closeSubpath();
  p.drawPath(left);
  p.drawPath(right);
  p.drawPath(bangs);
}

void Helmet(QPainter &p, const Style &s) {
  QPainterPath shell;
  shell.moveTo(47, 66);
  shell.cubicTo(42, 30, 58, 12, 80, 12);
  shell.cubicTo(102, 12, 118, 30, 113, 66);
  shell.lineTo(106, 66);
  shell.cubicTo(108, 52, 106, 44, 104, 42);
  shell.lineTo(56, 42);
  shell.cubicTo(54, 44, 52, 52, 54, 66);
  shell.closeSubpath();
  QLinearGradient white(0, 12, 0, 66);
  white.setColorAt(0.0, QColor(255, 255, 255));
  white.setColorAt(0.6, QColor(214, 218, 226));
  white.setColorAt(1.0, QColor(150, 156, 170));
  p.setPen(QPen(QColor(60, 60, 70), 1.0));
  p.setBrush(white);
  p.drawPath(shell);
  // Stripe and the raised visor.
  p.setPen(QPen(s.trim, 3.0, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath stripe;
  stripe.moveTo(80, 12.5);
  stripe.lineTo(80, 22);
  p.drawPath(stripe);
  QPainterPath visor;
  visor.moveTo(52, 40);
  visor.cubicTo(56, 22, 104, 22, 108, 40);
  visor.lineTo(104, 43);
  visor.cubicTo(100, 30, 60, 30, 56, 43);
  visor.closeSubpath();
  QLinearGradient glass(0, 24, 0, 43);
  glass.setColorAt(0.0, QColor(255, 200, 90, 230));
  glass.setColorAt(1.0, QColor(150, 60, 10, 240));
  p.setPen(QPen(QColor(70, 30, 10), 1.0));
  p.setBrush(glass);
  p.drawPath(visor);
  p.setPen(QPen(QColor(255, 255, 255, 160), 1.0));
  p.drawLine(QPointF(62, 31), QPointF(74, 28.5));
  // Ear guards with a status light.
  p.setPen(QPen(QColor(60, 60, 70), 1.0));
  p.setBrush(QColor(200, 204, 214));
  p.drawRoundedRect(QRectF(46, 56, 9, 14), 3, 3);
  p.drawRoundedRect(QRectF(105, 56, 9, 14), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(s.trim);
  p.drawEllipse(QPointF(109.5, 63), 1.4, 1.4);
}

QImage Draw(const Style &s, const QRect &face, const QTransform &place, Expression e) {
  QImage image = NewImage(layout::kPortraitWidth, layout::kPortraitHeight, s.bgBottom);
  QPainter p;
  Begin(p, image);
  PortraitBackdrop(p, s.bgTop, s.bgBottom, s.bgPattern);
  p.setTransform(place);
  Body(p, s);
  BackHair(p, s);
  Neck(p, s);
  Head(p, s);
  p.save();
  ClipToFace(p, face);
  Features(p, s, e);
  p.restore();
  if (s.rival) {
    RivalHair(p, s);
    Helmet(p, s);
  } else {
    CommanderHair(p, s);
    Headset(p, s);
  }
  p.save();
  ClipToFace(p, face);
  Extras(p, e);
  p.restore();
  p.resetTransform();
  PortraitEdge(p, s.edge);
  return image;
}

} // namespace

QImage PlayerPortrait(Expression expression) {
  return Draw(kCommander, layout::kOwnFace, QTransform(), expression);
}

QImage RivalPortrait(Expression expression) {
  // The commander's face region (50,45) 60 x 45 onto the rival's (33,46) 65 x 50.
  const QRectF from(layout::kOwnFace);
  const QRectF to(layout::kOpponentFace);
  QTransform place;
  place.translate(to.center().x(), to.center().y() + 1.5);
  place.scale(to.width() / from.width(), to.width() / from.width());
  place.translate(-from.center().x(), -from.center().y());
  return Draw(kRival, layout::kOpponentFace, place, expression);
}

} // namespace assetgen

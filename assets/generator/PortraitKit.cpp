#include "assets/generator/PortraitKit.h"

#include "assets/generator/Layout.h"
#include "assets/generator/Paint.h"

#include <QLinearGradient>

namespace assetgen {

void ClipToFace(QPainter &painter, const QRect &face) {
  const QTransform keep = painter.transform();
  painter.resetTransform();
  painter.setClipRect(face.adjusted(1, 1, -1, -1));
  painter.setTransform(keep);
}

void PortraitBackdrop(QPainter &p, QColor top, QColor bottom, QColor pattern) {
  const QRectF all(0, 0, layout::kPortraitWidth, layout::kPortraitHeight);
  QLinearGradient fill(all.topLeft(), all.bottomLeft());
  fill.setColorAt(0.0, top);
  fill.setColorAt(1.0, bottom);
  p.fillRect(all, fill);
  p.setPen(QPen(pattern, 1.0));
  p.setBrush(Qt::NoBrush);
  for (int row = 0; row < 8; ++row)
    for (int col = 0; col < 7; ++col) {
      const QPointF c(col * 24.0 + (row % 2) * 12.0, row * 14.0);
      p.drawPath(Hexagon(c, 8.0, 6.5, 4.5));
    }
  p.setPen(QPen(QColor(0, 0, 0, 40), 1.0));
  for (int y = 1; y < layout::kPortraitHeight; y += 3)
    p.drawLine(QPointF(0, y + 0.5), QPointF(layout::kPortraitWidth, y + 0.5));
}

void PortraitEdge(QPainter &p, QColor edge) {
  p.setPen(QPen(edge, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, layout::kPortraitWidth - 1, layout::kPortraitHeight - 1));
}

} // namespace assetgen

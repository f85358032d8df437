#pragma once
// Pieces shared by the portrait painters.
#include <QImage>
#include <QPainter>
#include <QRect>

namespace assetgen {

// The expression-dependent parts of a portrait are painted only inside the
// face region, one pixel in from its edge: everything else is identical in
// every expression, so face frames blend into the portrait seamlessly.
void ClipToFace(QPainter &painter, const QRect &face);

// A portrait's backdrop: a vertical gradient, a faint hexagon pattern and
// scanlines, with a thin edge light.
void PortraitBackdrop(QPainter &painter, QColor top, QColor bottom, QColor pattern);
void PortraitEdge(QPainter &painter, QColor edge);

} // namespace assetgen

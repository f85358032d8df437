#pragma once
#include <QImage>
#include <QPainterPath>

namespace assetgen {

// "Window2.jpg": the 640 x 480 main window behind the field, portraits,
// bars and labels.
QImage MainBackground();

// The hexagonal field cells as one path (the 96 shown cells).
QPainterPath FieldOutline();

} // namespace assetgen

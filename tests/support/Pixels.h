#pragma once
// What a widget paints by itself, on a background of the test's choosing, and
// what can be read off the pixels.
#include <QImage>
#include <QWidget>

namespace testpixels {

inline QImage Painted(QWidget &widget, QRgb background) {
  QImage image(widget.size(), QImage::Format_RGB32);
  image.fill(background);
  widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

// The bounding box of the pixels that are not the background.
inline QRect Ink(const QImage &image, QRgb background) {
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background)
        ink |= QRect(x, y, 1, 1);
  return ink;
}

inline int Count(const QImage &image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += image.pixel(x, y) == colour ? 1 : 0;
  return count;
}

} // namespace testpixels

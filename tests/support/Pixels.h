#pragma once
// What a widget paints by itself, on a background of the test's choosing, and
// what can be read off the pixels; pictures whose pixels tell where they were
// copied from.
#include <QImage>
#include <QWidget>

#include "platform/core/Bitmap.h"

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

// Resizes a bitmap and fills it so that each pixel names its own position and
// a tag: red = x, green = y, blue = tag.
inline void PaintPositions(platform::TBitmap &bitmap, int width, int height, int tag) {
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.Image().setPixel(x, y, qRgb(x, y, tag));
}

struct Source {
  int x, y, tag;
  bool operator==(const Source &) const = default;
};
inline Source SourceOf(QRgb pixel) { return {qRed(pixel), qGreen(pixel), qBlue(pixel)}; }

} // namespace testpixels

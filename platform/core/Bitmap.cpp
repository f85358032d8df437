#include "platform/core/Bitmap.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {
constexpr QImage::Format kPaintable = QImage::Format_RGB32;
}

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

void TBitmap::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    image_ = QImage();
    return;
  }
  image_ = QImage(width, height, kPaintable);
  image_.fill(Qt::black);
}

void TBitmap::Assign(QImage image) {
  image_ = image.format() == kPaintable ? std::move(image) : image.convertToFormat(kPaintable);
}

void BitBlt(TBitmap &dst, int dx, int dy, int w, int h, const TBitmap &src, int sx, int sy) {
  if (dst.Empty() || src.Empty() || w <= 0 || h <= 0)
    return;
  // Clip the source and destination rectangles together, on all four sides,
  // in 64 bits so that no position near the int limits can overflow.
  std::int64_t toX = dx, toY = dy, fromX = sx, fromY = sy, width = w, height = h;
  const std::int64_t shiftX = std::max({std::int64_t{0}, -toX, -fromX});
  const std::int64_t shiftY = std::max({std::int64_t{0}, -toY, -fromY});
  toX += shiftX, fromX += shiftX, width -= shiftX;
  toY += shiftY, fromY += shiftY, height -= shiftY;
  width = std::min({width, dst.Width() - toX, src.Width() - fromX});
  height = std::min({height, dst.Height() - toY, src.Height() - fromY});
  if (width <= 0 || height <= 0)
    return;

  // The row copy below needs 32-bit pixels on both sides; Image() lets a
  // caller put any format in.
  QImage &to = dst.Image();
  if (to.format() != kPaintable)
    to.convertTo(kPaintable);
  const QImage &from = src.Image();
  // A copy within one bitmap reads from a snapshot, so overlapping blocks
  // come out as they were before the copy.
  QImage block;
  if (&from == &to || from.format() != kPaintable) {
    block = from.copy(static_cast<int>(fromX), static_cast<int>(fromY), static_cast<int>(width),
                      static_cast<int>(height))
                .convertToFormat(kPaintable);
    fromX = fromY = 0;
  }
  const QImage &source = block.isNull() ? from : block;
  for (std::int64_t y = 0; y < height; ++y) {
    const auto *in =
        reinterpret_cast<const QRgb *>(source.constScanLine(static_cast<int>(fromY + y))) + fromX;
    auto *out = reinterpret_cast<QRgb *>(to.scanLine(static_cast<int>(toY + y))) + toX;
    std::copy(in, in + width, out);
  }
}

} // namespace platform

// Block copies between bitmaps: clipping on every side, overlap within one
// bitmap, and pixel formats a caller may have put in.
#include "platform/core/Bitmap.h"

#include <climits>
#include <gtest/gtest.h>

#include "tests/support/Pixels.h"

using platform::BitBlt;
using platform::TBitmap;

namespace {

constexpr int kSource = 1, kTarget = 2;

// Every pixel tells where it came from: red = x, green = y, blue = tag.
TBitmap Numbered(int width, int height, int tag) {
  TBitmap bitmap;
  testpixels::PaintPositions(bitmap, width, height, tag);
  return bitmap;
}

// dst(x, y) must hold src(x - shiftX, y - shiftY) inside `copied` and be
// untouched everywhere else.
void ExpectBlock(const TBitmap &dst, QRect copied, int shiftX, int shiftY) {
  for (int y = 0; y < dst.Height(); ++y)
    for (int x = 0; x < dst.Width(); ++x)
      ASSERT_EQ(dst.Pixel(x, y),
                copied.contains(x, y) ? qRgb(x - shiftX, y - shiftY, kSource) : qRgb(x, y, kTarget))
          << "at " << x << "," << y;
}

TEST(BitBlt, CopiesAndClipsOnEverySide) {
  const TBitmap src = Numbered(6, 5, kSource);
  struct Case {
    int dx, dy, w, h, sx, sy;
    QRect copied; // in the destination
  };
  const Case cases[] = {
      {2, 1, 3, 2, 1, 1, QRect(2, 1, 3, 2)},     // wholly inside both
      {-2, -1, 4, 3, 0, 0, QRect(0, 0, 2, 2)},   // destination starts off the left and top
      {0, 0, 4, 3, -2, -1, QRect(2, 1, 2, 2)},   // source starts off the left and top
      {5, 6, 4, 4, 0, 0, QRect(5, 6, 3, 1)},     // past the destination's right and bottom
      {0, 0, 10, 10, 4, 2, QRect(0, 0, 2, 3)},   // past the source's right and bottom
      {1, 1, 100, 100, 0, 0, QRect(1, 1, 6, 5)}, // source smaller than the copy
      {8, 0, 2, 2, 0, 0, QRect()},               // right of the destination
      {0, 0, 3, 3, -3, 0, QRect()},              // left of the source
      {0, 0, 0, 3, 0, 0, QRect()},               // empty
      {0, 0, -3, 3, 0, 0, QRect()},              // negative
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.dx << "," << c.dy << " " << c.w << "x" << c.h << " from " << c.sx << "," << c.sy);
    TBitmap dst = Numbered(8, 7, kTarget);
    BitBlt(dst, c.dx, c.dy, c.w, c.h, src, c.sx, c.sy);
    ExpectBlock(dst, c.copied, c.dx - c.sx, c.dy - c.sy);
  }
}

// Positions and sizes at the limits of int must neither overflow nor write.
TEST(BitBlt, ExtremeValuesCopyNothing) {
  const TBitmap src = Numbered(4, 4, kSource);
  TBitmap dst = Numbered(4, 4, kTarget);
  for (int a : {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX})
    for (int b : {INT_MIN, -5, 0, INT_MAX}) {
      BitBlt(dst, a, 0, INT_MAX, 2, src, b, 0);
      BitBlt(dst, 0, a, 2, INT_MAX, src, 0, b);
    }
  ExpectBlock(dst, QRect(), 0, 0);
  BitBlt(dst, 0, 0, INT_MAX, INT_MAX, src, 0, 0); // the whole source, clipped
  ExpectBlock(dst, QRect(0, 0, 4, 4), 0, 0);
}

// Within one bitmap the copy reads what was there before it began, whichever
// way the blocks overlap.
TEST(BitBlt, OverlappingCopyWithinOneBitmap) {
  for (auto [dx, dy] : {std::pair{1, 1}, {-1, -1}, {1, -1}, {-1, 1}}) {
    SCOPED_TRACE(::testing::Message() << dx << "," << dy);
    TBitmap bitmap = Numbered(5, 5, kSource);
    BitBlt(bitmap, 1 + dx, 1 + dy, 3, 3, bitmap, 1, 1);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x)
        ASSERT_EQ(bitmap.Pixel(1 + dx + x, 1 + dy + y), qRgb(1 + x, 1 + y, kSource));
  }
}

// Image() hands out the QImage itself, so it may hold another format: the copy
// converts rather than treating 8-bit rows as 32-bit ones.
TEST(BitBlt, OtherPixelFormatsAreConverted) {
  TBitmap src, dst;
  src.Image() = QImage(3, 2, QImage::Format_Grayscale8);
  src.Image().fill(200);
  dst.Image() = QImage(3, 2, QImage::Format_Indexed8);
  dst.Image().setColorTable({qRgb(9, 9, 9)});
  dst.Image().fill(0);
  BitBlt(dst, 1, 0, 3, 2, src, 0, 0);
  EXPECT_EQ(dst.Pixel(0, 1), qRgb(9, 9, 9));
  EXPECT_EQ(dst.Pixel(2, 1), qRgb(200, 200, 200));
}

} // namespace

// Bitmap variants the sample files lack, and hostile headers and run-length
// data, built in memory.
#include "platform/core/Exception.h"
#include "platform/core/ImageDecoders.h"

#include <climits>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

using platform::DecodeBmp;

namespace {

void Put(QByteArray &out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int value : values)
    out.append(static_cast<char>(value));
  return out;
}

// A bitmap with the 40-byte header; masks, when given, follow it.
QByteArray Bmp(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression,
               const std::vector<QRgb> &palette, const QByteArray &pixels,
               const std::vector<std::uint32_t> &masks = {}) {
  const auto offset = static_cast<std::uint32_t>(54 + 4 * masks.size() + 4 * palette.size());
  QByteArray out("BM");
  Put(out, offset + static_cast<std::uint32_t>(pixels.size()), 4), Put(out, 0, 4), Put(out, offset, 4);
  Put(out, 40, 4), Put(out, width, 4), Put(out, height, 4), Put(out, 1, 2), Put(out, bits, 2);
  Put(out, compression, 4), Put(out, 0, 4), Put(out, 0, 4), Put(out, 0, 4);
  Put(out, static_cast<std::uint32_t>(palette.size()), 4), Put(out, 0, 4);
  for (std::uint32_t mask : masks)
    Put(out, mask, 4);
  for (QRgb colour : palette)
    Put(out, colour & 0xffffff, 4); // blue, green, red, 0: QRgb's bytes in memory order
  return out + pixels;
}

const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255), kBlack = qRgb(0, 0, 0);

TEST(BmpDecode, RowOrderAndBitfields) {
  const QByteArray twoRows = Bytes({0, 0, 255, 0, 255, 0, 0, 0});                  // red row, then blue row
  EXPECT_EQ(DecodeBmp(Bmp(1, -2, 24, 0, {}, twoRows), "t.bmp").pixel(0, 0), kRed); // top-down
  EXPECT_EQ(DecodeBmp(Bmp(1, 2, 24, 0, {}, twoRows), "t.bmp").pixel(0, 0), kBlue); // bottom-up

  const QImage rgb555 =
      DecodeBmp(Bmp(3, 1, 16, 0, {}, Bytes({0x00, 0x7c, 0xe0, 0x03, 0x1f, 0, 0, 0})), "t.bmp");
  EXPECT_EQ(rgb555.pixel(0, 0), kRed);
  EXPECT_EQ(rgb555.pixel(1, 0), kGreen);
  EXPECT_EQ(rgb555.pixel(2, 0), kBlue);

  const QByteArray masked = Bmp(1, 1, 32, 3, {}, Bytes({0x11, 0x22, 0x33, 0x44}), {0xff, 0xff00, 0xff0000});
  EXPECT_EQ(DecodeBmp(masked, "t.bmp").pixel(0, 0), qRgb(0x11, 0x22, 0x33));
}

TEST(BmpDecode, Rle4RunsLiteralsAndMoves) {
  const QByteArray data = Bytes({3, 0x12,          // bottom row: red, green, red
                                 0, 0,             // end of line
                                 0, 2, 1, 0,       // move one right
                                 0, 3, 0x32, 0x00, // literal blue, green, black
                                 0, 1});           // end of picture
  const QImage image = DecodeBmp(Bmp(4, 2, 4, 2, {kBlack, kRed, kGreen, kBlue}, data), "t.bmp");
  const QRgb want[2][4] = {{kBlack, kBlue, kGreen, kBlack}, {kRed, kGreen, kRed, kBlack}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(image.pixel(x, y), want[y][x]) << x << "," << y;
}

// Runs, literals and moves past the edges are clipped (AddressSanitizer
// watches the writes); data that stops before its end code is damage.
TEST(BmpDecode, HostileRunLengthData) {
  const QByteArray data = Bytes({0,   5, 1, 1, 1,   1,  1, 0, // literal of five in a row of two
                                 255, 1,                      // run starting past the edge
                                 0,   0, 0, 2, 255, 0,        // next line, move far right
                                 255, 1, 0, 2, 0,   255});    // run, then move far up
  const QImage image = DecodeBmp(Bmp(2, 2, 8, 1, {kBlack, kRed}, data), "t.bmp");
  EXPECT_EQ(image.pixel(1, 1), kRed);
  EXPECT_EQ(image.pixel(0, 0), kBlack);
  for (const QByteArray &cut : {Bytes({2, 1}), Bytes({2, 1, 0}), Bytes({0, 2, 1}), Bytes({0, 4, 1, 1})})
    EXPECT_THROW(DecodeBmp(Bmp(2, 2, 8, 1, {kBlack}, cut), "t.bmp"), platform::Exception)
        << cut.toHex().data();
}

TEST(BmpDecode, RejectsImpossibleHeadersAndShortData) {
  const QByteArray pixel = Bytes({0, 0, 0, 0});
  const QByteArray bad[] = {
      QByteArray(),
      Bmp(0, 1, 24, 0, {}, pixel),
      Bmp(-1, 1, 24, 0, {}, pixel),
      Bmp(1, 0, 24, 0, {}, pixel),
      Bmp(1, INT_MIN, 24, 0, {}, pixel),
      Bmp(60000, 60000, 24, 0, {}, pixel),                // refused before anything is allocated
      Bmp(1, 1, 2, 0, {}, pixel),                         // no such depth
      Bmp(1, 1, 24, 4, {}, pixel),                        // embedded JPEG
      Bmp(1, 1, 24, 1, {}, pixel),                        // RLE8 needs 8 bits
      Bmp(1, 2, 24, 0, {}, Bytes({1, 2, 3, 0, 4, 5})),    // last pixel cut
      Bmp(1, 1, 24, 0, {}, pixel).replace(10, 1, "\x14"), // pixels inside the header
      Bmp(1, 1, 24, 0, {}, pixel).replace(11, 1, "\x70"), // pixels past the end
      Bmp(1, 1, 24, 0, {}, pixel).replace(14, 1, "\x29"), // unknown header size
  };
  for (const QByteArray &bytes : bad) {
    SCOPED_TRACE(bytes.toHex().left(80).data());
    EXPECT_THROW(DecodeBmp(bytes, "bad.bmp"), platform::Exception);
  }
  // The last row's padding may be missing, as some writers leave it.
  EXPECT_NO_THROW(DecodeBmp(Bmp(1, 2, 24, 0, {}, Bytes({1, 2, 3, 0, 4, 5, 6})), "t.bmp"));
}

} // namespace

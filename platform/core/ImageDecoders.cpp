#include "platform/core/ImageDecoders.h"

#include "platform/core/Exception.h"

#include <algorithm>
#include <array>
#include <bit>
#include <csetjmp>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

namespace platform {

namespace {

// Headers may claim any size; nothing larger than this is allocated
// (64 M pixels, 256 MB as RGB32).
constexpr std::int64_t kMaxSide = 65535;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

bool TooLarge(std::int64_t width, std::int64_t height) {
  return width > kMaxSide || height > kMaxSide || width * height > kMaxPixels;
}

QRgb *Row(QImage &image, std::int64_t y) {
  return reinterpret_cast<QRgb *>(image.scanLine(static_cast<int>(y)));
}

// ---------------------------------------------------------------------------
// Windows bitmaps

[[noreturn]] void FailBmp(const char *reason, const std::string &name) {
  throw Exception(std::string("ビットマップ形式が正しくありません (") + reason + "): " + name);
}

constexpr const char *kHeaderCut = "ヘッダーが途中で切れています";
constexpr const char *kPixelsCut = "画素データが途中で切れています";

enum Compression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitfields = 3,
  kAlphaBitfields = 6,
};

// Little-endian reads; callers check the range with Has() first.
class Bytes {
public:
  explicit Bytes(const QByteArray &data)
      : data_(reinterpret_cast<const std::uint8_t *>(data.constData())), size_(data.size()) {}

  std::int64_t Size() const { return size_; }
  bool Has(std::int64_t offset, std::int64_t count) const {
    return offset >= 0 && count >= 0 && offset <= size_ && count <= size_ - offset;
  }
  const std::uint8_t *At(std::int64_t offset) const { return data_ + offset; }
  std::uint8_t U8(std::int64_t offset) const { return data_[offset]; }
  std::uint16_t U16(std::int64_t offset) const {
    return static_cast<std::uint16_t>(data_[offset] | data_[offset + 1] << 8);
  }
  std::uint32_t U32(std::int64_t offset) const {
    return static_cast<std::uint32_t>(data_[offset]) | static_cast<std::uint32_t>(data_[offset + 1]) << 8 |
           static_cast<std::uint32_t>(data_[offset + 2]) << 16 |
           static_cast<std::uint32_t>(data_[offset + 3]) << 24;
  }
  std::int32_t I32(std::int64_t offset) const { return static_cast<std::int32_t>(U32(offset)); }

private:
  const std::uint8_t *data_;
  std::int64_t size_;
};

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits whatever its width.
class Channel {
public:
  explicit Channel(std::uint32_t mask) {
    if (mask != 0) {
      shift_ = std::countr_zero(mask);
      max_ = mask >> shift_;
    }
  }
  int From(std::uint32_t pixel) const {
    if (max_ == 0)
      return 0;
    const std::uint64_t value = (pixel >> shift_) & max_;
    return static_cast<int>((value * 255 + max_ / 2) / max_);
  }

private:
  int shift_ = 0;
  std::uint32_t max_ = 0;
};

struct BmpLayout {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool topDown = false;
  int bitsPerPixel = 0;
  std::uint32_t compression = kRgb;
  std::array<std::uint32_t, 3> masks{}; // red, green, blue
  std::int64_t pixelStart = 0;
  std::array<QRgb, 256> palette{};
};

void CheckFormat(const BmpLayout &layout, const std::string &name) {
  const int bpp = layout.bitsPerPixel;
  bool valid = false;
  switch (layout.compression) {
  case kRgb: valid = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32; break;
  case kRle8: valid = bpp == 8; break;
  case kRle4: valid = bpp == 4; break;
  case kBitfields:
  case kAlphaBitfields: valid = bpp == 16 || bpp == 32; break;
  default: FailBmp("対応していない圧縮形式です", name);
  }
  if (!valid)
    FailBmp("対応していない色数です", name);
}

BmpLayout ParseBmpHeader(const Bytes &in, const std::string &name) {
  if (!in.Has(0, 2) || in.U8(0) != 'B' || in.U8(1) != 'M')
    FailBmp("BMP ファイルではありません", name);
  if (!in.Has(0, 18))
    FailBmp(kHeaderCut, name);
  const std::uint32_t dataOffset = in.U32(10);
  const std::uint32_t infoSize = in.U32(14);
  const bool core = infoSize == 12; // the oldest header: 16-bit sizes, 3-byte palette entries
  if (!core && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 64 && infoSize != 108 &&
      infoSize != 124)
    FailBmp("対応していないヘッダーです", name);
  if (!in.Has(14, infoSize))
    FailBmp(kHeaderCut, name);

  BmpLayout layout;
  std::uint32_t colorsUsed = 0;
  std::int64_t paletteStart = 14 + std::int64_t{infoSize};
  if (core) {
    layout.width = in.U16(18);
    layout.height = in.U16(20);
    layout.bitsPerPixel = in.U16(24);
  } else {
    layout.width = in.I32(18);
    const std::int64_t height = in.I32(22);
    layout.topDown = height < 0;
    layout.height = height < 0 ? -height : height;
    layout.bitsPerPixel = in.U16(28);
    layout.compression = in.U32(30);
    colorsUsed = in.U32(46);
    // The 64-byte OS/2 header gives 3 and 4 other meanings (Huffman, RLE24).
    if (infoSize == 64 && layout.compression >= kBitfields)
      FailBmp("対応していない圧縮形式です", name);
  }
  CheckFormat(layout, name);
  if (layout.width <= 0 || layout.height <= 0)
    FailBmp("大きさが正しくありません", name);
  if (TooLarge(layout.width, layout.height))
    FailBmp("大きすぎます", name);

  if (layout.bitsPerPixel == 16)
    layout.masks = {0x7c00, 0x03e0, 0x001f};
  else if (layout.bitsPerPixel == 32)
    layout.masks = {0x00ff0000, 0x0000ff00, 0x000000ff};
  if (layout.compression == kBitfields || layout.compression == kAlphaBitfields) {
    // Later headers hold the masks; after the 40-byte one they follow it.
    std::int64_t masksAt = 54;
    if (infoSize == 40) {
      const std::int64_t maskBytes = layout.compression == kAlphaBitfields ? 16 : 12;
      if (!in.Has(masksAt, maskBytes))
        FailBmp(kHeaderCut, name);
      paletteStart += maskBytes;
    }
    const std::array<std::uint32_t, 3> masks{in.U32(masksAt), in.U32(masksAt + 4), in.U32(masksAt + 8)};
    if (masks != std::array<std::uint32_t, 3>{})
      layout.masks = masks;
  }

  const std::int64_t entrySize = core ? 3 : 4;
  std::int64_t paletteSize = 0;
  if (layout.bitsPerPixel <= 8) {
    const std::int64_t full = std::int64_t{1} << layout.bitsPerPixel;
    paletteSize = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
  }
  // Some writers leave the data offset 0; the pixels then follow the palette.
  layout.pixelStart = dataOffset != 0 ? dataOffset : paletteStart + paletteSize * entrySize;
  if (layout.pixelStart < paletteStart)
    FailBmp("画素データの位置が正しくありません", name);
  if (layout.pixelStart > in.Size())
    FailBmp(kPixelsCut, name);
  // Entries a short palette lacks stay black.
  layout.palette.fill(qRgb(0, 0, 0));
  paletteSize = std::min(paletteSize, (layout.pixelStart - paletteStart) / entrySize);
  for (std::int64_t i = 0; i < paletteSize; ++i) {
    const std::int64_t at = paletteStart + i * entrySize;
    layout.palette[static_cast<std::size_t>(i)] = qRgb(in.U8(at + 2), in.U8(at + 1), in.U8(at));
  }
  return layout;
}

void DecodeRows(const Bytes &in, const BmpLayout &layout, QImage &image, const std::string &name) {
  const std::int64_t bpp = layout.bitsPerPixel;
  const std::int64_t stride = (layout.width * bpp + 31) / 32 * 4;
  // The last row's padding may be missing; its pixels may not.
  const std::int64_t needed = stride * (layout.height - 1) + (layout.width * bpp + 7) / 8;
  if (!in.Has(layout.pixelStart, needed))
    FailBmp(kPixelsCut, name);
  const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
  const std::uint32_t indexMask = (1u << std::min<std::int64_t>(bpp, 8)) - 1;

  for (std::int64_t row = 0; row < layout.height; ++row) {
    const std::uint8_t *src = in.At(layout.pixelStart + row * stride);
    QRgb *out = Row(image, layout.topDown ? row : layout.height - 1 - row);
    for (std::int64_t x = 0; x < layout.width; ++x) {
      switch (bpp) {
      case 1:
      case 4:
      case 8: {
        const std::int64_t bit = x * bpp;
        const int shift = static_cast<int>(8 - bpp - bit % 8);
        out[x] = layout.palette[(src[bit / 8] >> shift) & indexMask];
        break;
      }
      case 16: {
        const std::uint32_t pixel = static_cast<std::uint32_t>(src[x * 2] | src[x * 2 + 1] << 8);
        out[x] = qRgb(red.From(pixel), green.From(pixel), blue.From(pixel));
        break;
      }
      case 24: out[x] = qRgb(src[x * 3 + 2], src[x * 3 + 1], src[x * 3]); break;
      default: {
        const std::uint8_t *p = src + x * 4;
        const std::uint32_t pixel = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                    static_cast<std::uint32_t>(p[2]) << 16 |
                                    static_cast<std::uint32_t>(p[3]) << 24;
        out[x] = qRgb(red.From(pixel), green.From(pixel), blue.From(pixel));
      }
      }
    }
  }
}

// Run-length data: pixels it skips keep palette colour 0; runs and moves past
// the edges are clipped; data that ends before the end-of-picture code is damage.
void DecodeRle(const Bytes &in, const BmpLayout &layout, QImage &image, const std::string &name) {
  const bool four = layout.compression == kRle4;
  image.fill(layout.palette[0]);
  std::int64_t at = layout.pixelStart;
  std::int64_t x = 0;
  std::int64_t row = 0; // counted from the first row stored
  auto put = [&](int index) {
    if (x < layout.width && row < layout.height)
      Row(image, layout.topDown ? row : layout.height - 1 - row)[x] = layout.palette[index];
    ++x;
  };
  while (row < layout.height) {
    if (!in.Has(at, 2))
      FailBmp(kPixelsCut, name);
    const int count = in.U8(at);
    const int value = in.U8(at + 1);
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count && x < layout.width; ++i)
        put(four ? (i % 2 == 0 ? value >> 4 : value & 0x0f) : value);
      continue;
    }
    if (value == 0) { // end of line
      x = 0;
      ++row;
    } else if (value == 1) { // end of picture
      return;
    } else if (value == 2) { // move right and up
      if (!in.Has(at, 2))
        FailBmp(kPixelsCut, name);
      x = std::min(x + in.U8(at), layout.width);
      row += in.U8(at + 1);
      at += 2;
    } else { // literal pixels, padded to a 16-bit boundary
      const std::int64_t bytes = four ? (value + 1) / 2 : value;
      if (!in.Has(at, bytes))
        FailBmp(kPixelsCut, name);
      for (int i = 0; i < value; ++i) {
        const int byte = in.U8(at + (four ? i / 2 : i));
        put(four ? (i % 2 == 0 ? byte >> 4 : byte & 0x0f) : byte);
      }
      at += bytes + bytes % 2;
    }
  }
}

// ---------------------------------------------------------------------------
// JPEG through libjpeg. Its errors leave by longjmp, so the functions that call
// it hold only plain data: no C++ object with a destructor lives in a frame
// between setjmp and the library.

struct JpegErrors {
  jpeg_error_mgr base; // first, so libjpeg's pointer is also ours
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

struct JpegJob {
  jpeg_decompress_struct info;
  JpegErrors errors;
};

void OnJpegError(j_common_ptr info) {
  auto *errors = reinterpret_cast<JpegErrors *>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// Warnings (a truncated scan, corrupt data) are tolerated: the picture decodes
// with what there is. Nothing goes to stderr.
void OnJpegMessage(j_common_ptr info, int level) {
  if (level < 0)
    ++info->err->num_warnings;
}

void SetJpegMessage(JpegJob &job, const char *text) {
  std::snprintf(job.errors.message, sizeof job.errors.message, "%s", text);
}

// Reads the header and starts decompression. `job` must be zero-initialised,
// so that jpeg_destroy_decompress is safe whatever happened.
bool StartJpeg(JpegJob &job, const unsigned char *data, unsigned long size) {
  job.info.err = jpeg_std_error(&job.errors.base);
  job.errors.base.error_exit = OnJpegError;
  job.errors.base.emit_message = OnJpegMessage;
  job.errors.message[0] = '\0';
  if (setjmp(job.errors.jump))
    return false;
  jpeg_create_decompress(&job.info);
  jpeg_mem_src(&job.info, data, size);
  jpeg_read_header(&job.info, TRUE);
  if (TooLarge(job.info.image_width, job.info.image_height)) {
    SetJpegMessage(job, "画像が大きすぎます");
    return false;
  }
  // libjpeg turns YCCK into CMYK; we turn CMYK into RGB ourselves.
  const bool cmyk = job.info.jpeg_color_space == JCS_CMYK || job.info.jpeg_color_space == JCS_YCCK;
  job.info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&job.info);
  if (job.info.output_components != (cmyk ? 4 : 3)) {
    SetJpegMessage(job, "対応していない色空間です");
    return false;
  }
  return true;
}

void ConvertJpegRow(const JSAMPLE *in, QRgb *out, JDIMENSION width, bool cmyk, bool adobe) {
  for (JDIMENSION x = 0; x < width; ++x) {
    if (!cmyk) {
      out[x] = qRgb(in[3 * x], in[3 * x + 1], in[3 * x + 2]);
      continue;
    }
    // Adobe's writers store CMYK inverted (255 = no ink); others store ink.
    int c = in[4 * x], m = in[4 * x + 1], y = in[4 * x + 2], k = in[4 * x + 3];
    if (!adobe)
      c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    out[x] = qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
  }
}

bool ReadJpegRows(JpegJob &job, unsigned char *pixels, qsizetype bytesPerLine) {
  if (setjmp(job.errors.jump))
    return false;
  const bool cmyk = job.info.out_color_space == JCS_CMYK;
  JSAMPARRAY line = (*job.info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&job.info), JPOOL_IMAGE,
                                                  job.info.output_width * job.info.output_components, 1);
  while (job.info.output_scanline < job.info.output_height) {
    const JDIMENSION y = job.info.output_scanline;
    if (jpeg_read_scanlines(&job.info, line, 1) != 1) {
      SetJpegMessage(job, "データが途中で切れています");
      return false;
    }
    ConvertJpegRow(line[0], reinterpret_cast<QRgb *>(pixels + y * bytesPerLine), job.info.output_width, cmyk,
                   job.info.saw_Adobe_marker);
  }
  // No jpeg_finish_decompress: every row is in, and whatever follows the last
  // scan cannot change the picture.
  return true;
}

[[noreturn]] void FailJpeg(const char *reason, const std::string &name) {
  throw Exception(std::string("JPEG を読み込めません (") + reason + "): " + name);
}

} // namespace

QImage DecodeBmp(const QByteArray &bytes, const std::string &nameForErrors) {
  const Bytes in(bytes);
  const BmpLayout layout = ParseBmpHeader(in, nameForErrors);
  QImage image(static_cast<int>(layout.width), static_cast<int>(layout.height), QImage::Format_RGB32);
  if (image.isNull())
    FailBmp("メモリが足りません", nameForErrors);
  if (layout.compression == kRle8 || layout.compression == kRle4)
    DecodeRle(in, layout, image, nameForErrors);
  else
    DecodeRows(in, layout, image, nameForErrors);
  return image;
}

QImage DecodeJpeg(const QByteArray &bytes, const std::string &nameForErrors) {
  JpegJob job{};
  struct Destroy {
    JpegJob &job;
    ~Destroy() { jpeg_destroy_decompress(&job.info); }
  } destroy{job};
  if (!StartJpeg(job, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size())))
    FailJpeg(job.errors.message, nameForErrors);
  QImage image(static_cast<int>(job.info.output_width), static_cast<int>(job.info.output_height),
               QImage::Format_RGB32);
  if (image.isNull())
    FailJpeg("メモリが足りません", nameForErrors);
  if (!ReadJpegRows(job, image.bits(), image.bytesPerLine()))
    FailJpeg(job.errors.message, nameForErrors);
  return image;
}

} // namespace platform

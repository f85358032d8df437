#include "assets/generator/Output.h"

#include <QFile>
#include <QSaveFile>

#include <stdexcept>

namespace assetgen {

namespace {

void Put16(std::vector<std::uint8_t> &out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t> &out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

[[noreturn]] void Fail(const QString &path, const QString &why) {
  throw std::runtime_error((path + ": " + why).toStdString());
}

} // namespace

std::vector<std::uint8_t> EncodeBmp24(const QImage &image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const auto width = static_cast<std::uint32_t>(rgb.width());
  const auto height = static_cast<std::uint32_t>(rgb.height());
  const std::uint32_t stride = (width * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = stride * height;
  constexpr std::uint32_t kHeaders = 14 + 40;

  std::vector<std::uint8_t> out;
  out.reserve(kHeaders + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, kHeaders + pixelBytes); // file size
  Put32(out, 0);                     // reserved
  Put32(out, kHeaders);              // offset of the pixels
  Put32(out, 40);                    // BITMAPINFOHEADER
  Put32(out, width);
  Put32(out, height); // positive: bottom-up
  Put16(out, 1);      // planes
  Put16(out, 24);     // bits per pixel
  Put32(out, 0);      // BI_RGB
  Put32(out, pixelBytes);
  Put32(out, 2835); // 72 dpi
  Put32(out, 2835);
  Put32(out, 0); // colours used
  Put32(out, 0); // important colours
  for (int y = rgb.height() - 1; y >= 0; --y) {
    const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
    for (std::uint32_t x = 0; x < width; ++x) {
      out.push_back(static_cast<std::uint8_t>(qBlue(line[x])));
      out.push_back(static_cast<std::uint8_t>(qGreen(line[x])));
      out.push_back(static_cast<std::uint8_t>(qRed(line[x])));
    }
    for (std::uint32_t pad = width * 3; pad < stride; ++pad)
      out.push_back(0);
  }
  return out;
}

void WriteBytes(const QString &path, const std::vector<std::uint8_t> &bytes) {
  // QSaveFile: an interrupted build never leaves a half-written file that
  // looks up to date.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    Fail(path, file.errorString());
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(reinterpret_cast<const char *>(bytes.data()), size) != size || !file.commit())
    Fail(path, file.errorString());
}

void SaveBmp(const QString &path, const QImage &image) { WriteBytes(path, EncodeBmp24(image)); }

void SaveJpeg(const QString &path, const QImage &image, int quality) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    Fail(path, file.errorString());
  if (!image.convertToFormat(QImage::Format_RGB32).save(&file, "JPG", quality) || !file.commit())
    Fail(path, "JPEG encoding failed");
}

void SavePng(const QString &path, const QImage &image) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    Fail(path, file.errorString());
  if (!image.convertToFormat(QImage::Format_ARGB32).save(&file, "PNG") || !file.commit())
    Fail(path, "PNG encoding failed");
}

} // namespace assetgen

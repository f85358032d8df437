#pragma once
// Reading the generated files in tests.
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdint>

#include "tests/support/TestPaths.h"

namespace assettest {

inline QString GamePath(const QString &name) { return testpaths::GameDir() + "/" + name; }

inline QByteArray ReadAll(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return file.readAll();
}

inline std::uint32_t Le(const QByteArray &b, int at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
  return v;
}

inline std::uint32_t Be(const QByteArray &b, int at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i)
    v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
  return v;
}

inline QImage LoadGameImage(const QString &name) {
  return QImage(GamePath(name)).convertToFormat(QImage::Format_RGB32);
}

inline double Luminance(QRgb p) { return 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p); }

inline double MeanLuminance(const QImage &image, const QRect &rect) {
  double sum = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      sum += Luminance(image.pixel(x, y));
  return sum / (rect.width() * rect.height());
}

} // namespace assettest

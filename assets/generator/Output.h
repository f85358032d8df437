#pragma once
// Writing the generated files. Every writer throws std::runtime_error naming
// the file when it cannot be written.
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace assetgen {

// A standard Windows bitmap: BITMAPINFOHEADER, 24 bits, bottom-up, rows
// padded to four bytes, no compression. Alpha is dropped.
std::vector<std::uint8_t> EncodeBmp24(const QImage &image);

void WriteBytes(const QString &path, const std::vector<std::uint8_t> &bytes);
void SaveBmp(const QString &path, const QImage &image);
void SaveJpeg(const QString &path, const QImage &image, int quality);
void SavePng(const QString &path, const QImage &image);

} // namespace assetgen

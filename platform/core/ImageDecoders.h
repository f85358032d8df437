#pragma once
// Decoders for the picture files the program reads.
#include <QByteArray>
#include <QImage>
#include <string>

namespace platform {

// Decodes a JPEG held in memory through libjpeg into an RGB32 image.
// Throws Exception (with libjpeg's own message) when it is not a decodable JPEG.
QImage DecodeJpeg(const QByteArray &bytes, const std::string &nameForErrors);

// Decodes a Windows bitmap (1/4/8-bit palette, RLE, 16/24/32-bit, any header
// version) into an RGB32 image. Throws Exception when it is damaged or truncated.
QImage DecodeBmp(const QByteArray &bytes, const std::string &nameForErrors);

} // namespace platform

#include "platform/core/Bitmap.h"
#include "platform/core/Exception.h"
#include "platform/core/ImageDecoders.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

// No picture we can decode comes near this; it keeps a wrong file from being
// read into memory whole.
constexpr qint64 kMaxFileSize = qint64{512} << 20;

bool HasJpegName(const QFileInfo &info) {
  const QString suffix = info.suffix().toLower();
  return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
}

} // namespace

void TBitmap::LoadFromFile(const std::string &path) {
  const QString name = QString::fromStdString(path);
  const QFileInfo info(name);
  // Only regular files: a directory, a pipe or a device is not a picture and
  // could block or never end.
  QFile file(name);
  if (!info.isFile() || !file.open(QIODevice::ReadOnly))
    throw Exception("ファイルを開けません: " + path);
  if (file.size() > kMaxFileSize)
    throw Exception("ファイルが大きすぎます: " + path);
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw Exception("ファイルを読み込めません: " + path);
  // Decode fully before touching our own image, so a failure leaves it as it was.
  Assign(HasJpegName(info) ? DecodeJpeg(bytes, path) : DecodeBmp(bytes, path));
}

} // namespace platform

#pragma once
// A picture's pixel buffer: what the game's block copies read and write.
// Always held in a paintable 32-bit format, whatever the file held.
#include <QImage>
#include <string>

namespace platform {

class TBitmap {
public:
  TBitmap() = default;
  TBitmap(int width, int height);

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  bool Empty() const { return image_.isNull(); }

  // Resizes to width x height, filled with black (the old pixels are dropped).
  void SetSize(int width, int height);

  // Loads a picture file, chosen by its extension: ".jpg"/".jpeg" through
  // libjpeg, anything else as a Windows bitmap. Throws Exception with a clear
  // message when the file is missing, damaged or not of its kind; the bitmap is
  // unchanged then.
  void LoadFromFile(const std::string &path);

  QRgb Pixel(int x, int y) const { return image_.pixel(x, y); }
  QImage &Image() { return image_; }
  const QImage &Image() const { return image_; }
  void Assign(QImage image); // converts to the paintable format

private:
  QImage image_;
};

// Copies a w x h block of src at (sx, sy) to dst at (dx, dy), pixel for pixel
// (SRCCOPY). Clipped to both bitmaps: nothing outside either is read or written.
// It does not repaint anything: whoever copies refreshes the destination.
void BitBlt(TBitmap &dst, int dx, int dy, int w, int h, const TBitmap &src, int sx, int sy);

} // namespace platform

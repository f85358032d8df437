#include "platform/core/Controls.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/core/EventGuard.h"

namespace platform {

TImage::TImage(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true); // moves with no button held
}

void TImage::LoadFromFile(const std::string &path) {
  picture_.LoadFromFile(path);
  if (autoSize_)
    resize(picture_.Width(), picture_.Height());
  update();
}

void TImage::Refresh() { update(); }

void TImage::paintEvent(QPaintEvent *) {
  if (picture_.Empty())
    return;
  QPainter painter(this);
  const QImage &image = picture_.Image();
  QImage shown = image;
  if (transparent_) {
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < keyed.height(); ++y) {
      auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
      for (int x = 0; x < keyed.width(); ++x)
        if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
          line[x] = 0;
    }
    shown = keyed;
  }
  if (stretch_)
    painter.drawImage(rect(), shown);
  else
    painter.drawImage(0, 0, shown);
}

void TImage::mousePressEvent(QMouseEvent *event) {
  // A click is the left button's: pressed and released over the picture.
  leftPressed_ = event->button() == Qt::LeftButton;
  if (OnMouseDown)
    Guarded([&] { OnMouseDown(event->button()); });
}

void TImage::mouseReleaseEvent(QMouseEvent *event) {
  const bool click =
      leftPressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  leftPressed_ = false;
  if (click && OnClick)
    Guarded(OnClick);
}

void TImage::mouseMoveEvent(QMouseEvent *) {
  if (OnMouseMove)
    Guarded(OnMouseMove);
}

TLabel::TLabel(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
}

void TLabel::SetCaption(const std::string &text) {
  if (text == caption_)
    return;
  caption_ = text;
  update();
}

void TLabel::SetFont(const QString &family, int pixelSize, bool bold) {
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  setFont(font);
  update();
}

void TLabel::SetColour(QColor colour) {
  colour_ = colour;
  update();
}

void TLabel::SetAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  update();
}

void TLabel::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.setPen(colour_);
  painter.setFont(font());
  painter.drawText(rect(), static_cast<int>(alignment_), QString::fromStdString(caption_));
}

void TLabel::mouseMoveEvent(QMouseEvent *) {
  if (OnMouseMove)
    Guarded(OnMouseMove);
}

} // namespace platform

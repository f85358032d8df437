#include "platform/core/Controls.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

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

void TLabel::SetBounds(int left, int top, int width, int height) {
  bounds_ = QRect(left, top, width, height);
  FitCaption();
}

void TLabel::SetCaption(const std::string &text) {
  if (text == caption_)
    return;
  caption_ = text;
  FitCaption();
  update();
}

void TLabel::SetFont(const QString &family, int pixelSize, bool bold) {
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  setFont(font);
  FitCaption();
  update();
}

void TLabel::FitCaption() {
  if (bounds_.isEmpty())
    return;
  constexpr int kRoom = 100000; // wide and high enough for any caption
  const QSize text = QFontMetrics(font())
                         .boundingRect(QRect(0, 0, kRoom, kRoom), static_cast<int>(alignment_),
                                       QString::fromStdString(caption_))
                         .size();
  const int width = std::max(bounds_.width(), text.width());
  const int height = std::max(bounds_.height(), text.height());
  const int growth = width - bounds_.width();
  int left = bounds_.left();
  if (alignment_ & Qt::AlignRight)
    left -= growth;
  else if (alignment_ & Qt::AlignHCenter)
    left -= growth / 2;
  setGeometry(left, bounds_.top(), width, height);
}

void TLabel::SetColour(QColor colour) {
  colour_ = colour;
  update();
}

void TLabel::SetAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  FitCaption();
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

TGroupBox::TGroupBox(const QString &caption, QWidget *parent) : QGroupBox(caption, parent) {}

int TGroupBox::FrameTop() const { return QFontMetrics(font()).height() / 2 - 1; }

void TGroupBox::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  // An etched frame: a light line one pixel below and right of a dark one.
  // (drawRect's outline takes one pixel more than the rectangle's size.)
  const QRect dark(0, FrameTop(), width() - 2, height() - 2 - FrameTop());
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(dark.translated(1, 1));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(dark);
  if (title().isEmpty())
    return;
  // The caption on the window's colour, over the frame line.
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;
  const QRect caption =
      QFontMetrics(font()).boundingRect(QRect(8, 0, width() - 16, height()), flags, title());
  painter.fillRect(caption, palette().color(QPalette::Window));
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(caption, flags, title());
}

} // namespace platform

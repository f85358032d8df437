#pragma once
// The visual controls the windows are built from: a picture that shows a
// bitmap, and a text label. Both are plain child widgets; their stacking order
// is their creation order, and the topmost visible one takes the mouse.
#include <QColor>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/core/Bitmap.h"

namespace platform {

class TImage : public QWidget {
  Q_OBJECT
public:
  explicit TImage(QWidget *parent);

  TBitmap &Picture() { return picture_; }
  const TBitmap &Picture() const { return picture_; }

  // Loads a picture file; with AutoSize the control takes the picture's size.
  void LoadFromFile(const std::string &path);
  void SetAutoSize(bool on) { autoSize_ = on; }
  void SetStretch(bool on) { stretch_ = on; }
  // Transparent: the colour of the bottom-left pixel is see-through.
  void SetTransparent(bool on) { transparent_ = on; }
  // Shows the current pixels (after block copies into the picture).
  void Refresh();

  // A press of any button.
  std::function<void(Qt::MouseButton)> OnMouseDown;
  std::function<void()> OnMouseMove;
  // The left button pressed and released over the picture.
  std::function<void()> OnClick;

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;

private:
  TBitmap picture_;
  bool autoSize_ = false;
  bool stretch_ = false;
  bool transparent_ = false;
  bool leftPressed_ = false;
};

class TLabel : public QWidget {
  Q_OBJECT
public:
  explicit TLabel(QWidget *parent);

  void SetCaption(const std::string &text);
  std::string Caption() const { return caption_; }
  void SetFont(const QString &family, int pixelSize, bool bold);
  void SetColour(QColor colour);
  void SetAlignment(Qt::Alignment alignment);

  std::function<void()> OnMouseMove;

protected:
  void paintEvent(QPaintEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;

private:
  std::string caption_;
  QColor colour_ = Qt::black;
  Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
};

} // namespace platform

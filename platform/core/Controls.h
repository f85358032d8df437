#pragma once
// The visual controls the windows are built from: a picture that shows a
// bitmap, a text label and a group frame. They are plain child widgets; their
// stacking order is their creation order, and the topmost visible one takes
// the mouse.
#include <QColor>
#include <QGroupBox>
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

// A label sizes itself to its caption. The bounds a window gives it are its
// smallest size: a caption that needs more makes it grow, rightwards when it is
// left-aligned, leftwards when right-aligned, to both sides around its centre
// when centred, and always downwards, so the text stays where the window puts
// it and the label takes no mouse outside those bounds unless its text is there.
class TLabel : public QWidget {
  Q_OBJECT
public:
  explicit TLabel(QWidget *parent);

  void SetBounds(int left, int top, int width, int height);
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
  void FitCaption();

  QRect bounds_; // the window's bounds; empty until set
  std::string caption_;
  QColor colour_ = Qt::black;
  Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
};

// A group box drawn as the class library draws it: the caption sits on the top
// frame line, which runs through the middle of the caption's height, so the
// controls placed just under the caption lie inside the frame. The controls
// it frames are its window's children, stacked above it.
class TGroupBox : public QGroupBox {
  Q_OBJECT
public:
  TGroupBox(const QString &caption, QWidget *parent);

  // The y of the top frame line, in the box's own coordinates.
  int FrameTop() const;

protected:
  void paintEvent(QPaintEvent *event) override;
};

} // namespace platform

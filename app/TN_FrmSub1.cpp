#include "app/TN_FrmSub1.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>

#include "assets/Embedded.h"
#include "platform/core/Bitmap.h"
#include "platform/core/ImageDecoders.h"
#include "platform/core/WindowPlacement.h"

namespace {
constexpr int kWidth = 412;
constexpr int kHeight = 230;
} // namespace

TN_FrmSub1::TN_FrmSub1(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_DeleteOnClose); // closing destroys it
  setWindowTitle("N_FrmSub1");
  setFixedSize(kWidth, kHeight);
  platform::CentreOnScreen(*this);
  auto *image = new QLabel(this);
  image->setGeometry(0, 0, kWidth, kHeight);
  QFile file(assets::kSplash);
  if (file.open(QIODevice::ReadOnly)) {
    try {
      image->setPixmap(QPixmap::fromImage(platform::DecodeJpeg(file.readAll(), "splash.jpg")));
    } catch (const std::exception &) {
      // A splash without its picture still does its job.
    }
  }
}

void TN_FrmSub1::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape)
    return;
  QDialog::keyPressEvent(event);
}

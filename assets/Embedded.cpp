#include "assets/Embedded.h"

#include <QPixmap>
#include <QString>

namespace assets {

QIcon WindowIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QString(":/embedded/icon%1.png").arg(size), QSize(size, size));
  return icon;
}

QIcon SystemWindowIcon() {
  QIcon icon;
  for (int size : {16, 32})
    icon.addFile(QString(":/embedded/systemicon%1.png").arg(size), QSize(size, size));
  return icon;
}

QCursor GameCursor() { return QCursor(QPixmap(kCursor1), kCursor1HotSpot.x(), kCursor1HotSpot.y()); }

} // namespace assets

#include "platform/core/ApplicationFont.h"

#include <QApplication>
#include <QFont>

namespace platform {

void UseFontFamilyEverywhere(const QString &family) {
  QFont font = QApplication::font();
  font.setFamilies({family}); // the size stays Qt's
  QApplication::setFont(font);
}

} // namespace platform

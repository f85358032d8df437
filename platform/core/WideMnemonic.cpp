#include "platform/core/WideMnemonic.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include "platform/core/StandInAction.h"

namespace platform {

namespace {

// The half-width letter or digit of the caption's underlined full-width one, or 0.
char16_t HalfWidthMnemonic(const QString &caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&')
      continue;
    if (caption[i + 1] == u'&') { // "&&" is a plain ampersand
      ++i;
      continue;
    }
    const char16_t wide = caption[i + 1].unicode();
    const bool letterOrDigit = (wide >= u'Ａ' && wide <= u'Ｚ') || (wide >= u'ａ' && wide <= u'ｚ') ||
                               (wide >= u'０' && wide <= u'９');
    return letterOrDigit ? QChar(char16_t(wide - 0xFEE0)).toUpper().unicode() : 0;
  }
  return 0;
}

} // namespace

void AcceptHalfWidthMnemonic(QWidget &window, QAction &item) {
  const char16_t letter = HalfWidthMnemonic(item.text());
  if (letter == 0)
    return;
  // A hidden item (full screen) cannot be chosen by its letter, as in the bar.
  AddStandInAction(window, item, QKeySequence(Qt::ALT | Qt::Key(letter)),
                   [](const QAction &shown) { return shown.isVisible() && shown.isEnabled(); });
}

} // namespace platform

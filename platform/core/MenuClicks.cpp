#include "platform/core/MenuClicks.h"

#include <QEvent>
#include <QMenu>
#include <QMouseEvent>

namespace platform {

namespace {

// Lives as the menu's child: it goes with the menu.
class LeftButtonOnly : public QObject {
public:
  explicit LeftButtonOnly(QMenu &menu) : QObject(&menu), menu_(menu) {}

  bool eventFilter(QObject *watched, QEvent *event) override {
    if (watched != &menu_ || event->type() != QEvent::MouseButtonRelease)
      return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    // Swallowed over an item: the menu stays open, nothing is chosen.
    return mouse->button() != Qt::LeftButton && menu_.rect().contains(mouse->position().toPoint());
  }

private:
  QMenu &menu_;
};

} // namespace

void ChooseWithLeftButtonOnly(QMenu &menu) { menu.installEventFilter(new LeftButtonOnly(menu)); }

} // namespace platform

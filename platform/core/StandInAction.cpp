#include "platform/core/StandInAction.h"

#include <QAction>
#include <QWidget>

namespace platform {

void AddStandInAction(QWidget &window, QAction &item, const QKeySequence &keys,
                      std::function<bool(const QAction &)> liveWhen) {
  auto *standIn = new QAction(&window);
  standIn->setShortcut(keys);
  window.addAction(standIn);
  auto follow = [standIn, &item, liveWhen = std::move(liveWhen)] { standIn->setEnabled(liveWhen(item)); };
  follow();
  QObject::connect(&item, &QAction::changed, standIn, follow);
  // A disabled item does nothing when triggered.
  QObject::connect(standIn, &QAction::triggered, &item, [&item] { item.trigger(); });
}

} // namespace platform

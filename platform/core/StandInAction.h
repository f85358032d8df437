#pragma once
// A window-level action that triggers a menu item on its own keys, live only
// while a condition on the item holds; it follows every change of the item.
#include <QKeySequence>
#include <functional>

class QAction;
class QWidget;

namespace platform {

void AddStandInAction(QWidget &window, QAction &item, const QKeySequence &keys,
                      std::function<bool(const QAction &)> liveWhen);

} // namespace platform

#pragma once
// Acts on a modal dialog once it is up, as a user answering it would.
#include <QApplication>
#include <QTimer>
#include <functional>

namespace testsupport {

// While it lives, watches for the first modal dialog of type Dialog and runs
// `act` on it once; `act` closes the dialog unless something else will.
template <typename Dialog> class WhenModal {
public:
  explicit WhenModal(std::function<void(Dialog &)> act) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this, act = std::move(act)] {
      auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
      if (dialog == nullptr)
        return;
      timer_.stop();
      act(*dialog);
    });
    timer_.start();
  }

private:
  QTimer timer_;
};

} // namespace testsupport

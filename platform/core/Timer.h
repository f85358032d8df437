#pragma once
// A timer whose handler runs on the user-interface thread every interval while
// it is enabled. Switching a disabled timer on starts its interval afresh;
// switching on a running one changes nothing.
#include <QObject>
#include <QTimer>
#include <functional>

namespace platform {

class TTimer : public QObject {
  Q_OBJECT
public:
  TTimer(int intervalMs, bool enabled, std::function<void()> onTimer, QObject *parent = nullptr);

  void SetEnabled(bool enabled);
  bool Enabled() const { return timer_.isActive(); }
  int Interval() const { return timer_.interval(); }
  int RemainingMs() const { return timer_.remainingTime(); } // -1 when off
  Qt::TimerType Type() const { return timer_.timerType(); }

private:
  QTimer timer_;
  std::function<void()> onTimer_;
};

} // namespace platform

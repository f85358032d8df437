#pragma once
// A scripted network player for the tests' driver program: given "host:PORT"
// or "guest:PORT", the program joins a match on 127.0.0.1 by itself, plays two
// scripted games (the host wins the first, the guest the second), answers its
// questions, lets the host disconnect, prints one result line
// ("AUTOPLAY done ...") and quits; the host prints "AUTOPLAY listening" once
// its guest may connect. It drives the same handlers a user's clicks reach;
// nothing else changes.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "game/GameState.h"
#include "game/MarvokGame.h"
#include "network/NetworkMatch.h"
#include "network/TN_FrmSub2.h"
#include "tests/support/MessageBoxes.h"

namespace network {

class TestAutoPlay : public QObject {
public:
  // Null unless the script names a valid role and port.
  static std::unique_ptr<TestAutoPlay> FromScript(const std::string &script, game::GameState &state,
                                                  game::MarvokGame &game, TN_FrmSub2 &dialog,
                                                  std::function<void()> quit);

  TestAutoPlay(bool host, int port, game::GameState &state, game::MarvokGame &game, TN_FrmSub2 &dialog,
               std::function<void()> quit);

private:
  void Poll();
  void TryConnect();
  void Search();
  void Finish(const char *outcome);
  int GamesPlayed() const { return st_.ownWins + st_.opponentWins; }

  const bool host_;
  const int port_;
  game::GameState &st_;
  game::MarvokGame &game_;
  TN_FrmSub2 &dialog_;
  std::function<void()> quit_;
  QTimer poll_;
  QElapsedTimer clock_;
  qint64 nextAttempt_ = 0;
  qint64 disconnectAt_ = -1;
  bool listening_ = false;
  bool matchSeen_ = false;
  bool finished_ = false;
  std::set<int> searched_;         // cells searched this game
  testsupport::BoxRecorder boxes_; // its questions answered by the script
};

} // namespace network

#pragma once
// Two sides of a network match in one process: each a game on a fake window
// with its fake sockets, fake dialog and network match, on one fake network.
// The manual clock fires every side's enabled timers by their intervals and
// delivers the packets; the world notes which searches each side resolved.
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "forms/MainForm.h"
#include "game/SearchRule.h"
#include "network/NetworkDialogOps.h"
#include "network/NetworkMatch.h"
#include "tests/support/OpponentSideHarness.h"
#include "tests/network/FakeRelay.h"

namespace nettest {

using game::Cell;
using game::Label;
using game::MenuItem;
using game::Picture;
using game::Timer;

// A fake window whose sends go out through the side's client socket.
class RelayWindow : public gametest::FakeMainWindow {
public:
  FakeSockets *sockets = nullptr;

  void SendPacket(const void *data, int size) override {
    FakeMainWindow::SendPacket(data, size);
    if (sockets)
      sockets->ClientSend(data, size);
  }
};

struct FakeDialog : network::NetworkDialogOps {
  std::string host = "localhost";
  std::string port = "9120";
  bool server = false;
  bool connectMode = true;
  bool shown = false;

  std::string HostText() const override { return host; }
  std::string PortText() const override { return port; }
  bool ServerChecked() const override { return server; }
  void SetConnectMode(bool connect) override { connectMode = connect; }
  bool InConnectMode() const override { return connectMode; }
  void ShowDialog() override { shown = true; }
  void HideDialog() override { shown = false; }
};

struct MatchSide {
  MatchSide(FakeNet &net, std::string name) : sockets(net, std::move(name)) {
    ui.sockets = &sockets;
    sockets.match = &match;
    // As the window is after creation and start-up: faces running, the
    // portrait sequence idle, a computer game begun.
    st.opponentPortraitStage = 100;
    ui.SetEnabled(Timer::N_TimFace1, true);
    ui.SetEnabled(Timer::N_TimFace2, true);
    random.Seed(7);
    game.N_MenNew1Click();
    loadsSeen = ui.loads.size();
  }

  // A click on a cell; its own loads are the player's, not the peer's.
  void Click(int row, int column) {
    game.CellMouseDown(game::CellNumber(row, column));
    loadsSeen = ui.loads.size();
  }
  void Click(Cell cell) { Click(cell.row, cell.column); }

  // The peer's search that the loads since the last look resolved here, if any.
  void NoteAppliedSearch() {
    if (ui.loads.size() == loadsSeen)
      return;
    if (auto cell = gametest::SearchedCell(ui, loadsSeen))
      applied.push_back(*cell);
    loadsSeen = ui.loads.size();
  }

  // The opponent portrait's stages as the match starts or ends them.
  std::string PortraitStages() {
    return "wipe=" + std::to_string(st.opponentWipeLine) +
           " stage=" + std::to_string(st.opponentPortraitStage) +
           " disconnected=" + std::to_string(st.netDisconnected) +
           " work=" + ui.lastLoaded[Picture::N_ImaWork1] + " cast=" + ui.lastLoaded[Picture::N_ImaCast4] +
           (ui.Enabled(Timer::N_TimEffect2) ? " wiping" : "") +
           (ui.Enabled(Timer::N_TimFace2) ? " faces" : "");
  }

  std::vector<Cell> LivePieces(const game::Board &board) const {
    std::vector<Cell> cells;
    for (int r = 1; r <= 10; ++r)
      for (int c = 1; c <= 10; ++c)
        if (board.At(r, c) == game::Piece)
          cells.push_back({r, c});
    return cells;
  }

  game::GameState st;
  RelayWindow ui;
  game::Random random;
  game::MarvokGame game{st, ui, random};
  FakeSockets sockets;
  FakeDialog dialog;
  network::NetworkMatch match{st, ui, game, sockets, dialog};
  std::size_t loadsSeen = 0;
  std::vector<Cell> applied; // the peer's searches resolved here, in order
};

// Fires a side's enabled timers: a timer switched on runs its interval
// afresh; one left running fires again an interval after its last tick.
class TimerDriver {
public:
  // Coarse timers fire up to this share of their interval late.
  void SetSlack(std::uint32_t seed, int percent) { slackRng_.seed(seed), slackPercent_ = percent; }

  void Sync(ManualClock &clock, MatchSide &side) {
    for (const auto &timer : forms::mainform::kTimers) {
      if (timer.id == Timer::N_TimCreate1 || timer.id == Timer::N_TimClose1)
        continue;
      Slot &slot = slots_[timer.id];
      if (!side.ui.Enabled(timer.id)) {
        slot.armed = false;
        continue;
      }
      const int starts = side.ui.timerStarts[timer.id];
      if (slot.armed && slot.starts == starts)
        continue;
      slot = {true, starts, slot.generation + 1};
      Schedule(clock, side, timer.id, timer.intervalMs, slot.generation,
               clock.Now() + Late(timer.intervalMs));
    }
  }

private:
  struct Slot {
    bool armed = false;
    int starts = 0;
    unsigned generation = 0;
  };

  void Schedule(ManualClock &clock, MatchSide &side, Timer timer, int interval, unsigned generation,
                std::int64_t due) {
    clock.At(due, [=, this, &clock, &side] {
      Slot &slot = slots_[timer];
      if (!slot.armed || slot.generation != generation)
        return;
      side.game.TimerFired(timer);
      if (side.ui.Enabled(timer) && side.ui.timerStarts[timer] == slot.starts &&
          slot.generation == generation)
        Schedule(clock, side, timer, interval, generation, due + Late(interval));
    });
  }

  int Late(int interval) {
    const auto slack = static_cast<std::uint32_t>(interval * slackPercent_ / 100);
    return interval + static_cast<int>(slack ? slackRng_() % (slack + 1) : 0);
  }

  std::map<Timer, Slot> slots_;
  std::mt19937 slackRng_;
  int slackPercent_ = 0;
};

struct MatchWorld {
  MatchWorld() {
    clock.afterEach = [this] {
      for (MatchSide *side : {&host, &guest}) {
        side->NoteAppliedSearch();
        drivers[side == &host ? 0 : 1].Sync(clock, *side);
      }
      if (onEach)
        onEach();
    };
  }

  // Runs an action of the test now, as one event of the clock.
  void Do(std::function<void()> action) {
    clock.At(clock.Now(), std::move(action));
    clock.Advance(0);
  }
  bool RunUntil(const std::function<bool()> &done, std::int64_t limitMs) {
    return clock.RunUntil(done, limitMs);
  }

  // The host connects with "サーバー待機" ticked, then the guest joins;
  // returns once the host may deploy.
  bool Connect() {
    host.dialog.server = true;
    Do([this] { host.match.N_ButAccess1Click(); });
    Do([this] { guest.match.N_ButAccess1Click(); });
    return RunUntil(
        [this] { return host.sockets.ServerConnectionCount() == 2 && host.st.gamePhase != game::Waiting; },
        5000);
  }

  ManualClock clock;
  FakeNet net{clock};
  MatchSide host{net, "localhost"};
  MatchSide guest{net, "guest-pc"};
  TimerDriver drivers[2];
  std::function<void()> onEach;
};

} // namespace nettest

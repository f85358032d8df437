// Seeded random matches through the fake relay: scripted players deploy at
// random, search at random or at a Marvok they know of, and now and then let
// the clock run out; the network is slow or fast. After every game each side
// must have resolved exactly the peer's searches, in order, with the marks
// they make, and no match may stall.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "game/SearchRule.h"
#include "tests/network/MatchWorld.h"

using namespace nettest;
using game::Board;

namespace {

// The marks that searches make on a field deployed with these Marvok.
Board ReplayMarks(const std::vector<Cell> &deployment, const std::vector<Cell> &searches) {
  Board field, marks;
  for (Cell cell : deployment)
    field.At(cell.row, cell.column) = game::Piece;
  for (Cell s : searches) {
    const auto result = game::EvaluateSearch(field, s.row, s.column);
    if (result == game::Hit) {
      field.At(s.row, s.column) = game::Destroyed;
      continue;
    }
    for (Cell z : game::SearchZone(s.row, s.column))
      marks.At(z.row, z.column) = result == game::Nothing ? game::NothingMark : game::ReactionMark;
  }
  return marks;
}

class Player {
public:
  Player(MatchWorld &world, MatchSide &side, std::uint32_t seed) : world_(world), side_(side), rng_(seed) {
    for (int k = 2; k <= 99; ++k)
      if (k != 10 && k != 91)
        cells_.push_back({(k - 1) / 10 + 1, (k - 1) % 10 + 1});
  }

  std::vector<Cell> deployment, searches; // this game's

  void NewGame() { deployment.clear(), searches.clear(); }

  // Reacts to a change of phase: the next Marvok or a search after a while.
  void React() {
    const int phase = side_.st.gamePhase;
    if (phase == lastPhase_)
      return;
    lastPhase_ = phase;
    if (side_.st.netGameActive == 0 || phase > game::SearchTurn)
      return;
    if (phase == game::SearchTurn && rng_() % 10 == 0)
      return; // the countdown ends this turn
    const int turn = ++turn_;
    // Some players click the moment their turn opens.
    const int think = rng_() % 4 == 0             ? 0
                      : phase == game::SearchTurn ? 100 + static_cast<int>(rng_() % 4000)
                                                  : 50 + static_cast<int>(rng_() % 500);
    world_.clock.After(think, [this, turn, phase] {
      if (turn == turn_ && side_.st.gamePhase == phase)
        phase == game::SearchTurn ? Search() : Deploy();
    });
  }

private:
  void Deploy() {
    Cell cell;
    do
      cell = cells_[rng_() % cells_.size()];
    while (side_.st.ownBoard.At(cell.row, cell.column) == game::Piece);
    deployment.push_back(cell);
    side_.Click(cell);
  }
  void Search() {
    const auto live = side_.LivePieces(side_.st.opponentBoard);
    const Cell cell =
        !live.empty() && rng_() % 10 < 4 ? live[rng_() % live.size()] : cells_[rng_() % cells_.size()];
    searches.push_back(cell);
    side_.Click(cell);
  }

  MatchWorld &world_;
  MatchSide &side_;
  std::mt19937 rng_;
  std::vector<Cell> cells_;
  int lastPhase_ = -1;
  int turn_ = 0;
};

// Both sides' records of the game just ended agree.
void CheckGame(MatchSide &winner, Player &winnerPlayer, MatchSide &loser, Player &loserPlayer,
               const std::string &where) {
  EXPECT_EQ(winner.st.opponentPiecesLeft, 0) << where;
  EXPECT_EQ(loser.st.ownPiecesLeft, 0) << where;
  EXPECT_EQ(winner.st.ownPiecesLeft, loser.st.opponentPiecesLeft) << where;
  for (auto [side, player, peer, peerPlayer] : {std::tuple{&winner, &winnerPlayer, &loser, &loserPlayer},
                                                std::tuple{&loser, &loserPlayer, &winner, &winnerPlayer}}) {
    EXPECT_EQ(side->applied, peerPlayer->searches) << where;
    EXPECT_EQ(side->st.opponentMarks, ReplayMarks(player->deployment, peerPlayer->searches)) << where;
    EXPECT_EQ(peer->LivePieces(peer->st.opponentBoard), side->LivePieces(side->st.ownBoard)) << where;
    EXPECT_EQ(side->st.ownWins, peer->st.opponentWins) << where;
  }
}

TEST(RandomMatchesTest, SeededMatchesStayInStepAndNeverStall) {
  for (std::uint32_t seed = 1; seed <= 24; ++seed) {
    MatchWorld world;
    world.net.latencyMs = seed % 3 == 0 ? 0 : static_cast<int>(seed * 37 % 400);
    for (TimerDriver &driver : world.drivers)
      driver.SetSlack(seed + static_cast<std::uint32_t>(&driver - world.drivers), 5);
    Player players[2]{{world, world.host, seed * 2}, {world, world.guest, seed * 2 + 1}};
    MatchSide *sides[2]{&world.host, &world.guest};
    const int games = 1 + static_cast<int>(seed % 3);
    int finished = 0;
    for (int i = 0; i < 2; ++i)
      sides[i]->ui.respond = [&, i](const platform::MessageBoxRequest &) {
        const std::string where = "seed " + std::to_string(seed) + " game " + std::to_string(finished + 1);
        CheckGame(*sides[1 - i], players[1 - i], *sides[i], players[i], where);
        ++finished;
        for (int k = 0; k < 2; ++k)
          players[k].NewGame(), sides[k]->applied.clear();
        return finished < games ? platform::IDYES : platform::IDNO;
      };
    world.onEach = [&] {
      for (Player &player : players)
        player.React();
    };
    ASSERT_TRUE(world.Connect()) << seed;
    for (Player &player : players)
      player.React();
    ASSERT_TRUE(world.RunUntil([&] { return finished == games; }, 4 * 3600 * 1000))
        << "stalled, seed " << seed;
    world.clock.Advance(5000);
    EXPECT_EQ(world.host.st.ownWins + world.host.st.opponentWins, games);
    world.Do([&] { world.host.match.N_ButAccess1Click(); });
    ASSERT_TRUE(
        world.RunUntil([&] { return world.host.st.netGameActive + world.guest.st.netGameActive == 0; }, 5000))
        << seed;
  }
}

} // namespace

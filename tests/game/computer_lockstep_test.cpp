// The computer opponent played in lockstep with a model of its rules, written
// from the rules alone (opening tables, follow-up, strikes, the search rule,
// the hunt state and the random generator): thousands of seeded games at the
// three levels, the player's Marvok deployed by presses on cells (field edges
// and clusters included), and games that go on from the hunt state a network
// peer's searches leave behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "game/MarvokGame.h"
#include "tests/support/FakeMainWindow.h"
#include "tests/support/RuleTables.h"

using game::Timer;

namespace {

using ruletables::kStrike;
using ruletables::Rc;
// The six neighbours in the order the rule tests them, and the zone in marking order.
constexpr Rc kTested[6] = {{-1, 0}, {1, 0}, {-1, -1}, {0, -1}, {0, 1}, {1, 1}};
constexpr Rc kZone[7] = {{-1, 0}, {0, 0}, {1, 0}, {-1, -1}, {0, -1}, {0, 1}, {1, 1}};

bool On(Rc x) { return x.r >= 1 && x.r <= 10 && x.c >= 1 && x.c <= 10; }
bool Corner(Rc x) { return (x.r == 1 || x.r == 10) && (x.c == 1 || x.c == 10); }
std::size_t U(int k) { return static_cast<std::size_t>(k); }

// What the computer's choice depends on and leaves behind, as numbers named
// by MemoryName.
std::vector<std::int64_t> Memory(const game::GameState &s, std::uint32_t seed) {
  std::vector<std::int64_t> memory;
  memory.insert(memory.end(), {s.computerHunting, s.huntStep, s.huntRow, s.huntColumn, s.huntOriginRow});
  memory.insert(memory.end(), {s.huntOriginColumn, s.computerPick, s.strikePick, s.selectedColumn});
  memory.insert(memory.end(), {s.ownPiecesLeft, seed});
  for (std::size_t k = 1; k <= 41; ++k)
    memory.push_back(s.openingUsed.at(k));
  for (std::size_t k = 1; k <= 5; ++k)
    memory.insert(memory.end(),
                  {s.strikeUsed.at(k), s.ownPiecePositions.at(k).row, s.ownPiecePositions.at(k).column});
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 10; ++c)
      memory.push_back(s.opponentMarks.At(r, c) + (s.ownBoard.At(r, c) == game::Piece ? 10 : 0));
  return memory;
}
std::string MemoryName(std::size_t i) {
  const char *names[] = {
      "computerHunting",     "huntStep",     "huntRow",    "huntColumn",     "huntOriginRow",
      "huntOriginColumn",    "computerPick", "strikePick", "selectedColumn", "ownPiecesLeft",
      "the generator's seed"};
  return i < 11   ? names[i]
         : i < 52 ? "openingUsed " + std::to_string(i - 10)
         : i < 67 ? "strike target " + std::to_string((i - 52) / 3 + 1) + ": used, row, column"
                  : "cell k = " + std::to_string(i - 66) + ": opponentMarks, +10 for a live Marvok";
}

using Coverage = std::map<std::string, int>;

struct Model {
  game::GameState s; // only the fields the rules name are used
  std::uint32_t seed = 0;
  int level = 1;
  std::vector<std::string> loads; // cell pictures the turn's search loaded, "k:file"
  // The rules name no cell on the field this turn: a follow-up off the field,
  // or a table whose entries are all used.
  bool noCellByRule = false;
  Rc wrapped; // the cell a row-wrapping neighbour would name
  Coverage *cov = nullptr;

  int Pick(int n) {
    seed = seed * 22695477u + 1u;
    return static_cast<int>((seed >> 16) & 0x7FFF) % n + 1;
  }
  int Own(Rc x) const { return s.ownBoard.At(x.r, x.c); }

  // An opponent search of the player's field; returns its outcome.
  int Search(Rc x) {
    int result = 0;
    for (Rc d : kTested)
      if (On({x.r + d.r, x.c + d.c}) && Own({x.r + d.r, x.c + d.c}) == game::Piece)
        result = 1;
    result = Own(x) == game::Piece ? 2 : result;
    ++(*cov)[Own(x) == game::Destroyed ? "a search meets a destroyed Marvok" : "a search"];
    if (result == 2) {
      loads.push_back(std::to_string(10 * (x.r - 1) + x.c) + ":Mark02.bmp");
      s.computerHunting = 0, s.huntStep = 0, --s.ownPiecesLeft;
      s.ownBoard.At(x.r, x.c) = game::Destroyed;
      return result;
    }
    int zone = 0;
    for (Rc d : kZone)
      if (const Rc z{x.r + d.r, x.c + d.c}; On(z)) {
        loads.push_back(std::to_string(10 * (z.r - 1) + z.c) + (result == 1 ? ":Mark04.bmp" : ":Mark05.bmp"));
        s.opponentMarks.At(z.r, z.c) = result == 1 ? game::ReactionMark : game::NothingMark;
        ++zone;
      }
    if (zone < 7 && s.computerHunting == 1)
      ++(*cov)["a follow-up at the field's edge"];
    if (result == 1 && s.computerHunting == 1)
      ++(*cov)["a reaction while following one up"];
    if (result == 1)
      s.computerHunting = 1, s.huntRow = x.r, s.huntColumn = x.c;
    return result;
  }
  int SearchAt(Rc x) {
    noCellByRule = noCellByRule || !On(x);
    if (!On(x))
      return -1;
    s.selectedColumn = x.c;
    return Search(x);
  }

  // Picks among n and walks up past used entries; a walk ending on a used
  // entry n picks again.
  template <typename Used> int PickAndWalk(std::int32_t &pick, int n, Used used) {
    bool anyFree = false;
    for (int k = 1; k <= n; ++k)
      anyFree = anyFree || !used(k);
    noCellByRule = noCellByRule || !anyFree;
    while (anyFree) {
      pick = Pick(n);
      while (used(pick) && pick != n)
        ++pick;
      if (!used(pick))
        return pick;
      ++(*cov)["a walk that picks again"];
    }
    return 0;
  }

  void Strike() {
    const int k = PickAndWalk(s.strikePick, 5, [&](int j) { return s.strikeUsed.at(U(j)) != 0; });
    if (k == 0)
      return;
    const Rc target{s.ownPiecePositions.at(U(k)).row, s.ownPiecePositions.at(U(k)).column};
    ++(*cov)[Own(target) == game::Destroyed ? "a strike at a destroyed Marvok" : "a strike"];
    if (SearchAt(target) == 1)
      ++(*cov)["a strike drawing a reaction"];
    s.computerHunting = 0, s.huntStep = 0, s.strikeUsed.at(U(k)) = 1;
  }

  void Opening() {
    const Rc *table = level == 1 ? ruletables::kOpeningLevel1.data() : ruletables::kOpeningLevel2.data();
    const int n = level == 1 ? 41 : 29;
    auto flagged = [&](int k) { return !(level == 1 && k == 41); };
    const int k =
        PickAndWalk(s.computerPick, n, [&](int j) { return flagged(j) && s.openingUsed.at(U(j)) != 0; });
    if (k == 0)
      return;
    if (flagged(k))
      s.openingUsed.at(U(k)) = 1;
    if (!(table[k - 1] == kStrike)) {
      SearchAt(table[k - 1]);
      return;
    }
    ++(*cov)[flagged(k) ? "an opening strike" : "level 1 entry 41"];
    Strike();
  }

  void RightOfReaction() {
    s.huntOriginColumn = s.huntColumn, s.huntOriginRow = s.huntRow;
    if (s.huntRow == 10 && s.huntColumn == 9) {
      ++(*cov)["a strike for the corner right of (10,9)"];
      Strike();
    } else if ((s.huntRow >= 2 && s.huntRow <= 8) || s.huntRow == 10) {
      wrapped = {s.huntRow + 1, 1};
      s.huntStep = s.huntColumn < 10 ? 1 : s.huntStep;
      SearchAt({s.huntRow, s.huntColumn + 1});
    } else {
      ++(*cov)["no follow-up from rows 1 and 9"];
    }
  }

  void LeftOfReaction() {
    const int r0 = s.huntOriginRow, c0 = s.huntOriginColumn;
    if (!((r0 >= 2 && r0 <= 8) || r0 == 10))
      return;
    ++(*cov)[c0 == 1 && r0 != 10 ? "a follow-up below, in column 1" : "a follow-up to the left"];
    wrapped = {9, 10};
    if (SearchAt(r0 == 10 || c0 != 1 ? Rc{r0, c0 - 1} : Rc{r0 + 1, 1}) < 0)
      return;
    if (s.computerHunting == 0)
      ++(*cov)["a hit to the left"];
    s.huntStep = 2;
  }

  void ComputerTurn() {
    loads.clear();
    noCellByRule = false;
    if (s.computerHunting == 0)
      Opening();
    else if (s.huntStep == 2)
      Strike();
    else if (s.huntStep == 1)
      LeftOfReaction();
    else if (s.huntStep == 0)
      RightOfReaction();
  }
};

class LockstepGame {
public:
  LockstepGame(int level, std::uint32_t seed, Coverage &cov) : rng_(seed) {
    model_.level = level, model_.cov = &cov, model_.seed = seed, model_.s.ownPiecesLeft = 5;
    random_.Seed(seed);
    where_ = "level " + std::to_string(level) + " seed " + std::to_string(seed);
  }

  // Plays until the computer wins, or for at most maxTurns of its turns;
  // peerKind >= 0 first lets a network peer's searches leave a hunt cell in
  // row 1 (0), row 9 (1), column 10 (2) or at the corner (10,1) (3).
  void Play(int peerKind, int maxTurns) {
    if (!Start(peerKind))
      return;
    for (int turn = 0; turn < maxTurns; ++turn) {
      turn_ = " turn " + std::to_string(turn);
      PlayerTurn();
      if (!ComputerTick())
        return;
      if (model_.s.ownPiecesLeft == 0) {
        EXPECT_TRUE(st_.gameOver == 1 && !ui_.Enabled(Timer::N_TimTurn1) &&
                    ui_.Visible(game::Picture::N_ImaMessage1))
            << where_ << turn_;
        return;
      }
      game_.N_TimTurn1Timer();
      game_.N_TimTurn1Timer();
      if (st_.gamePhase != game::SearchTurn || !ui_.Enabled(Timer::N_TimTimer1)) {
        ADD_FAILURE() << where_ << turn_ << ": the player's turn did not open";
        return;
      }
    }
    EXPECT_GE(peerKind, 0) << where_ << ": the computer has not won after " << maxTurns << " turns";
  }

private:
  Rc RandomCell() { return {static_cast<int>(rng_() % 10) + 1, static_cast<int>(rng_() % 10) + 1}; }
  void Press(Rc x) {
    game_.CellMouseDown(10 * (x.r - 1) + x.c);
    model_.s.selectedColumn = x.c;
  }

  bool Start(int peerKind) {
    const int level = model_.level;
    level == 1 ? game_.N_MenLevel1Click() : level == 2 ? game_.N_MenLevel2Click() : game_.N_MenLevel3Click();
    const auto &layout = ruletables::kLayouts[level - 1][model_.Pick(5) - 1];
    for (int r = 1; r <= 10; ++r)
      for (int c = 1; c <= 10; ++c) {
        computerPiece_[r][c] = std::find(std::begin(layout), std::end(layout), Rc{r, c}) != std::end(layout);
        EXPECT_EQ(st_.opponentBoard.At(r, c) == game::Piece, computerPiece_[r][c])
            << where_ << " layout at " << r << "," << c;
      }

    // Five cells anywhere, on an edge or next to one already chosen; for a
    // peer's hunt cell one of them reacts to it.
    Rc peerCell{}, neighbour{};
    std::vector<Rc> cells;
    if (peerKind >= 0) {
      const int any = static_cast<int>(rng_() % 10) + 1;
      peerCell = std::array<Rc, 4>{
          {{1, any}, {9, any}, {std::array{2, 3, 4, 5, 6, 7, 8, 10}[rng_() % 8], 10}, {10, 1}}}[U(peerKind)];
      for (Rc d : kTested)
        if (const Rc x{peerCell.r + d.r, peerCell.c + d.c};
            On(x) && !Corner(x) && (neighbour == Rc{} || rng_() % 2))
          neighbour = x;
      cells.push_back(neighbour);
    }
    while (cells.size() < 5) {
      Rc x = RandomCell();
      if (const auto how = rng_() % 3; how == 1)
        x = rng_() % 2 ? Rc{x.r % 2 ? 1 : 10, x.c} : Rc{x.r, x.c % 2 ? 1 : 10};
      else if (how == 2 && !cells.empty())
        x = {cells[rng_() % cells.size()].r + x.r % 3 - 1, cells[rng_() % cells.size()].c + x.c % 3 - 1};
      if (On(x) && !Corner(x) && !(x == peerCell) && std::find(cells.begin(), cells.end(), x) == cells.end())
        cells.push_back(x);
    }
    std::shuffle(cells.begin(), cells.end(), rng_);
    for (std::size_t k = 1; k <= 5; ++k) {
      Press(cells[k - 1]);
      model_.s.ownPiecePositions.at(k) = {cells[k - 1].c, cells[k - 1].r};
      model_.s.ownBoard.At(cells[k - 1].r, cells[k - 1].c) = game::Piece;
    }
    if (st_.gamePhase != game::SearchTurn) {
      ADD_FAILURE() << where_ << ": deployment did not end in the search turn";
      return false;
    }
    if (peerKind < 0)
      return Compare(" after deployment", ui_.loads.size());
    // A few searches by the peer (as its moves are applied), the last one
    // leaving the hunt cell.
    std::vector<Rc> peer(rng_() % 3);
    std::generate(peer.begin(), peer.end(), [&] { return RandomCell(); });
    std::erase(peer, neighbour);
    peer.push_back(peerCell);
    for (Rc x : peer) {
      const std::size_t from = ui_.loads.size();
      st_.selectedColumn = x.c;
      game_.OpponentSearch(x.r, x.c);
      model_.loads.clear();
      model_.SearchAt(x);
      if (!Compare(" after the peer's search", from))
        return false;
    }
    return true;
  }

  // Now and then the clock runs out; otherwise a click on a cell where the
  // computer has no Marvok, so the computer plays every game to its end.
  void PlayerTurn() {
    if (rng_() % 24 == 0) {
      for (int tick = 0; tick < 300 && ui_.Enabled(Timer::N_TimTimer1); ++tick)
        game_.N_TimTimer1Timer();
    } else {
      Rc x = RandomCell();
      while (Corner(x) || computerPiece_[x.r][x.c])
        x = RandomCell();
      Press(x);
    }
    EXPECT_TRUE(ui_.Enabled(Timer::N_TimTurn1)) << where_ << turn_;
  }

  bool ComputerTick() {
    const std::size_t from = ui_.loads.size();
    const Model before = model_;
    model_.ComputerTurn();
    game_.N_TimTurn1Timer();
    if (!model_.noCellByRule)
      return Compare(" after the computer's turn", from);

    // With no cell by the rules, the turn ends having searched at most one cell
    // of the field, and not the one a row-wrapping neighbour would name.
    ++(*model_.cov)["a follow-up naming a cell off the field"];
    const Rc wrapped = model_.wrapped;
    const std::vector<std::string> real = CellLoads(from);
    Coverage scratch;
    model_ = before;
    model_.loads.clear();
    for (int r = 1; r <= 10 && !real.empty() && model_.loads != real; ++r) {
      model_ = before;
      model_.cov = &scratch, model_.loads.clear();
      model_.Search({r, st_.selectedColumn});
      model_.cov = before.cov;
      const auto &placed = before.s.ownPiecePositions;
      const bool struck = std::any_of(placed.begin() + 1, placed.end(),
                                      [&](auto p) { return p.row == r && p.column == st_.selectedColumn; });
      EXPECT_FALSE(model_.loads == real && (Rc{r, st_.selectedColumn} == wrapped) && !struck)
          << where_ << turn_ << ": searched the wrapped cell";
    }
    // Which cell, if any, is the game's own choice: the model takes on what
    // the computer remembers, and keeps the outcome of the search it compared.
    game::GameState adopted = st_;
    adopted.ownBoard = model_.s.ownBoard, adopted.opponentMarks = model_.s.opponentMarks;
    adopted.ownPiecesLeft = model_.s.ownPiecesLeft, adopted.ownPiecePositions = model_.s.ownPiecePositions;
    model_.s = adopted;
    model_.seed = random_.SeedValue();
    return Compare(" after a turn with no cell by the rules", from);
  }

  std::vector<std::string> CellLoads(std::size_t from) const {
    std::vector<std::string> loads;
    for (std::size_t i = from; i < ui_.loads.size(); ++i)
      if (game::IsCellPicture(ui_.loads[i].picture))
        loads.push_back(std::to_string(static_cast<int>(ui_.loads[i].picture)) + ":" +
                        gametest::FakeMainWindow::BaseName(ui_.loads[i].path));
    return loads;
  }

  bool Compare(const char *when, std::size_t from) {
    const std::vector<std::string> loads = CellLoads(from);
    const auto real = Memory(st_, random_.SeedValue()), model = Memory(model_.s, model_.seed);
    if (real == model && loads == model_.loads)
      return true;
    std::string differences;
    for (std::size_t i = 0; i < real.size(); ++i)
      if (real[i] != model[i])
        differences +=
            "\n " + MemoryName(i) + ": " + std::to_string(real[i]) + ", model " + std::to_string(model[i]);
    ADD_FAILURE() << where_ << turn_ << when << differences
                  << "\n real loads:  " << testing::PrintToString(loads)
                  << "\n model loads: " << testing::PrintToString(model_.loads);
    return false;
  }

  game::GameState st_;
  gametest::FakeMainWindow ui_;
  game::Random random_;
  game::MarvokGame game_{st_, ui_, random_};
  Model model_;
  std::mt19937 rng_;
  bool computerPiece_[11][11] = {};
  std::string where_, turn_;
};

// Each name is something the seeded games must have met at least once.
void ExpectCovered(const Coverage &cov, std::initializer_list<const char *> names) {
  for (const char *name : names)
    EXPECT_GT(cov.count(name) ? cov.at(name) : 0, 0) << "no game met: " << name;
}

// Guards the computer's whole choice at each level: opening picks and walks,
// follow-ups right and left of a reaction, strikes, and their hunt state.
TEST(ComputerLockstep, SeededGamesAtEveryLevelMatchTheRules) {
  Coverage cov;
  for (int level = 1; level <= 3; ++level)
    for (std::uint32_t seed = 1; seed <= 400; ++seed)
      LockstepGame(level, 1000u * level + seed, cov).Play(-1, 300);
  ExpectCovered(cov, {"a walk that picks again", "level 1 entry 41", "an opening strike",
                      "a strike for the corner right of (10,9)", "a follow-up below, in column 1",
                      "a follow-up to the left", "a hit to the left", "a strike at a destroyed Marvok",
                      "a strike drawing a reaction", "a search meets a destroyed Marvok",
                      "a follow-up at the field's edge", "a reaction while following one up"});
}

// Guards the follow-up from hunt cells a network peer's searches leave: rows 1
// and 9, column 10 and the corner (10,1).
TEST(ComputerLockstep, GamesGoOnFromHuntStatesAPeerLeaves) {
  Coverage cov;
  for (int kind = 0; kind < 4; ++kind)
    for (std::uint32_t seed = 1; seed <= 60; ++seed)
      LockstepGame(1 + static_cast<int>(seed % 3), 90000u + 100u * kind + seed, cov).Play(kind, 8);
  ExpectCovered(cov, {"no follow-up from rows 1 and 9", "a follow-up naming a cell off the field"});
}

} // namespace

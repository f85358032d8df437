#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/SearchRule.h"
#include "tests/support/PlayerSideHarness.h"
#include "tests/support/RuleTables.h"

using namespace game;
using gametest::PlayerSide;

namespace {

constexpr QRgb kHurt = 0xFF102030, kBeaten = 0xFF405060, kWinner = 0xFF708090;

// The player's Marvok at (5,5), (2,3), (8,8), (9,2), (3,9); the opponent's
// where the test puts them; face sheets with recognisable frames.
void Ready(PlayerSide &side, std::initializer_list<Cell> opponent) {
  side.Deploy({{5, 5}, {2, 3}, {8, 8}, {9, 2}, {3, 9}});
  side.st.opponentBoard.Clear();
  for (const Cell &cell : opponent)
    side.st.opponentBoard.At(cell.row, cell.column) = Piece;
  auto fill = [&](Picture sheet, int x, int y, int w, int h, QRgb colour) {
    for (int dy = 0; dy < h; ++dy)
      for (int dx = 0; dx < w; ++dx)
        side.ui.Canvas(sheet).Image().setPixel(x + dx, y + dy, colour);
  };
  fill(Picture::N_ImaCast4, 130, 0, 65, 50, kHurt);
  fill(Picture::N_ImaCast4, 130, 50, 65, 50, kBeaten);
  fill(Picture::N_ImaCast2, 60, 0, 60, 45, kWinner);
  side.ui.loads.clear(), side.ui.messages.clear();
}

void Search(PlayerSide &side, int row, int column) {
  side.st.gamePhase = SearchTurn; // the hand-over gives the turn back
  side.Click(row, column);
}

// Both corners of the block a frame copy writes.
bool FramedAt(PlayerSide &side, Picture picture, int x, int y, int w, int h, QRgb colour) {
  const auto &bitmap = side.ui.Canvas(picture);
  return bitmap.Pixel(x, y) == colour && bitmap.Pixel(x + w - 1, y + h - 1) == colour;
}

} // namespace

TEST(PlayerSearch, NothingAndReactionMarkTheZoneButTheOwnLiveMarvok) {
  PlayerSide side;
  Ready(side, {{5, 7}});
  side.st.ownBoard.At(3, 5) = Destroyed; // an own destroyed Marvok is covered like any cell
  side.ui.SetEnabled(Timer::N_TimTimer1, true);
  Search(side, 4, 5); // zone (3,5) (4,5) (5,5) (3,4) (4,4) (4,6) (5,6); (5,5) is the player's
  EXPECT_EQ(side.st.searchResult, Nothing);
  for (const Cell &cell : SearchZone(4, 5)) {
    const bool own = cell == Cell{5, 5};
    EXPECT_EQ(side.st.ownBoard.At(cell.row, cell.column), own ? Piece : NothingMark);
    EXPECT_EQ(side.ui.lastLoaded.count(CellPicture(CellNumber(cell.row, cell.column))), own ? 0u : 1u);
  }
  EXPECT_EQ(side.ui.loads.size(), 6u);
  EXPECT_EQ(side.ui.loads.front().path, "/data/Mark03.bmp");
  EXPECT_EQ(side.ui.TileAt(CellNumber(5, 5)), ruletables::kOwnPiece);
  EXPECT_EQ(side.ui.messages, std::vector<std::string>{"反応無しです・・・何もありません。"});
  EXPECT_TRUE(side.ui.sounds.empty());
  EXPECT_EQ(side.st.gamePhase, Waiting);
  EXPECT_FALSE(side.ui.Enabled(Timer::N_TimTimer1));
  EXPECT_TRUE(side.ui.Enabled(Timer::N_TimTurn1));
  side.Click(6, 6); // ignored while waiting
  EXPECT_EQ(side.ui.messages.size(), 1u);

  Search(side, 4, 6); // (5,7) is its lower-right neighbour
  EXPECT_EQ(side.st.searchResult, Reaction);
  EXPECT_EQ(side.ui.sounds, std::vector<std::string>{"wave18.wav"});
  EXPECT_EQ(side.st.ownBoard.At(4, 6), ReactionMark);
  EXPECT_EQ(side.st.ownBoard.At(3, 5), ReactionMark) << "the latest mark wins";
  EXPECT_EQ(side.st.ownBoard.At(5, 5), Piece);
  EXPECT_EQ(side.ui.lastLoaded[CellPicture(CellNumber(5, 7))], "Mark04.bmp");
  EXPECT_EQ(side.ui.messages.back(), "警告！敵Marvokの反応をキャッチ、近くにあります。");
  EXPECT_TRUE(side.ui.packets.empty());
}

TEST(PlayerSearch, FiveHitsShrinkTheBarChangeTheFacesAndWin) {
  PlayerSide side;
  Ready(side, {{5, 5}, {1, 2}, {6, 2}, {7, 7}, {9, 9}});
  const Board own = side.st.ownBoard;
  const int expectedWidth[] = {132, 100, 68, 36};
  const Cell order[] = {{5, 5}, {1, 2}, {6, 2}, {7, 7}, {9, 9}};
  for (int i = 0; i < 5; ++i) {
    side.ui.loads.clear();
    Search(side, order[i].row, order[i].column);
    EXPECT_EQ(side.st.searchResult, Hit);
    EXPECT_EQ(side.st.opponentBoard.At(order[i].row, order[i].column), Destroyed);
    EXPECT_EQ(side.st.opponentPiecesLeft, 4 - i);
    EXPECT_EQ(side.ui.sounds.back(), "wave03.wav");
    // No hit picture over the player's own Marvok at (5,5); no zone marks.
    EXPECT_EQ(side.ui.loads.size(), i == 0 ? 0u : 1u);
    EXPECT_EQ(side.st.ownBoard, own);
    EXPECT_TRUE(side.ui.Enabled(Timer::N_TimTurn1));
    if (i < 4) {
      EXPECT_EQ(side.ui.Width(Picture::N_ImaLife2), expectedWidth[i]);
      EXPECT_EQ(side.ui.messages.back(), "敵のMarvokを破壊しました。");
      EXPECT_EQ(side.st.opponentMood, i >= 2 ? MoodHurt : MoodNormal);
      EXPECT_EQ(FramedAt(side, Picture::N_ImaWork1, 33, 46, 65, 50, kHurt), i >= 2);
      EXPECT_FALSE(FramedAt(side, Picture::N_ImaFace2, 33, 46, 65, 50, kHurt)) << "only the wipe source";
      EXPECT_EQ(side.st.gameOver, 0);
    }
  }
  EXPECT_FALSE(side.ui.Visible(Picture::N_ImaLife2));
  EXPECT_TRUE(FramedAt(side, Picture::N_ImaWork1, 33, 46, 65, 50, kBeaten));
  EXPECT_TRUE(FramedAt(side, Picture::N_ImaFace2, 33, 46, 65, 50, kBeaten));
  EXPECT_TRUE(FramedAt(side, Picture::N_ImaWork2, 50, 45, 60, 45, kWinner));
  EXPECT_TRUE(FramedAt(side, Picture::N_ImaFace1, 50, 45, 60, 45, kWinner));
  EXPECT_EQ(side.ui.refreshes[Picture::N_ImaFace2], 1);
  EXPECT_EQ(side.ui.refreshes[Picture::N_ImaFace1], 1);
  EXPECT_EQ(side.st.opponentMood, MoodDecided);
  EXPECT_EQ(side.st.ownMood, MoodDecided);
  EXPECT_EQ(side.st.gameOver, 1);
  EXPECT_EQ(side.ui.messages.back(), "勝ちです♪やりました！");
  EXPECT_TRUE(side.ui.Visible(Label::N_LabMessage2));
  EXPECT_EQ(side.st.ownWins, 0) << "games against the computer are not counted";

  // A destroyed Marvok searched again counts for nothing.
  Search(side, 1, 2);
  EXPECT_EQ(side.st.searchResult, Nothing);
  EXPECT_EQ(side.st.opponentPiecesLeft, 0);
}

TEST(PlayerSearch, NetworkTextsGoOutBeforeJudgingAndTheWinCounts) {
  for (int role = 0; role <= 1; ++role) {
    PlayerSide side;
    side.st.netGameActive = 1, side.st.netRoleIsClient = static_cast<std::uint8_t>(role);
    Ready(side, {{10, 7}});
    side.ui.packets.clear();
    side.st.ownWins = 3, side.st.opponentPiecesLeft = 1;
    int judgedAtSend = 0;
    side.ui.onSend = [&] { judgedAtSend += side.st.searchResult != Nothing || side.st.gameOver; };
    Search(side, 10, 7);
    const std::vector<std::string> host{std::string("Condit11", 9), std::string("7", 2),
                                        std::string("10", 3)};
    EXPECT_EQ(side.ui.packets, role ? std::vector<std::string>(host.begin() + 1, host.end()) : host);
    EXPECT_EQ(judgedAtSend, 0);
    EXPECT_EQ(side.st.gameOver, 1);
    EXPECT_EQ(side.st.ownWins, 4);
    EXPECT_EQ(side.ui.Caption(Label::N_LabScore1), "4");
  }
}

TEST(PlayerSearch, MissingPicturesAndFailingSendsNeverStopTheOutcome) {
  PlayerSide side;
  side.st.netGameActive = 1;
  Ready(side, {{7, 3}});
  side.ui.failingPaths = {"/data/Mark03.bmp", "/data/Mark02.bmp"};
  side.ui.failSends = true;
  side.st.opponentPiecesLeft = 1;
  Search(side, 2, 7);
  for (const Cell &cell : SearchZone(2, 7))
    EXPECT_EQ(side.st.ownBoard.At(cell.row, cell.column), NothingMark);
  EXPECT_EQ(side.ui.errors.size(), 2u) << "one for the send, one for the picture";
  EXPECT_TRUE(side.ui.Enabled(Timer::N_TimTurn1));

  side.ui.SetEnabled(Timer::N_TimTurn1, false);
  Search(side, 7, 3);
  EXPECT_EQ(side.st.opponentBoard.At(7, 3), Destroyed);
  EXPECT_EQ(side.st.gameOver, 1);
  EXPECT_TRUE(side.ui.Visible(Label::N_LabMessage2));
  EXPECT_TRUE(side.ui.Enabled(Timer::N_TimTurn1));
  EXPECT_EQ(side.ui.errors.size(), 4u);
}

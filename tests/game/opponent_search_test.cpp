#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/OpponentSideHarness.h"

using namespace game;
using namespace gametest;

namespace {

using Texts = std::vector<std::string>;

// Notes the moods and gameOver at each portrait repaint, to check the loss's order.
class MoodProbe : public FakeMainWindow {
public:
  const GameState *st = nullptr;
  std::vector<std::string> seen;
  void Refresh(Picture p) override {
    if (p == Picture::N_ImaFace1 || p == Picture::N_ImaFace2)
      seen.push_back(std::to_string(st->ownMood) + std::to_string(st->opponentMood) +
                     std::to_string(st->gameOver) + (Visible(Picture::N_ImaLife1) ? "bar" : ""));
    FakeMainWindow::Refresh(p);
  }
};

struct OpponentSearchTest : ::testing::Test {
  GameState st;
  MoodProbe ui;
  Random random;
  MarvokGame game{st, ui, random};

  void SetUp() override {
    ui.st = &st;
    game.N_MenNew1Click();
    PaintPositions(ui.Canvas(Picture::N_ImaCast2), 180, 90, 2);
    PaintPositions(ui.Canvas(Picture::N_ImaCast4), 195, 100, 4);
    ui.loads.clear();
  }
  void Place(std::initializer_list<Cell> cells) {
    for (const Cell &c : cells)
      st.ownBoard.At(c.row, c.column) = Piece;
  }
  Texts Loaded() {
    Texts files;
    for (const auto &load : ui.loads)
      files.push_back(std::to_string(static_cast<int>(load.picture)) + FakeMainWindow::BaseName(load.path));
    ui.loads.clear();
    return files;
  }
};

TEST_F(OpponentSearchTest, NothingAndReactionMarkTheWholeZoneOwnMarvokIncluded) {
  st.huntStep = 1;
  game.OpponentSearch(1, 10);
  EXPECT_EQ(Loaded(), (Texts{"10Mark05.bmp", "20Mark05.bmp", "9Mark05.bmp"}));
  EXPECT_EQ(st.opponentMarks.At(2, 10), NothingMark);
  EXPECT_TRUE(ui.sounds.empty());

  Place({{3, 3}}); // lower right neighbour of (2,2), inside its zone
  game.OpponentSearch(2, 2);
  EXPECT_EQ(Loaded(), (Texts{"2Mark04.bmp", "12Mark04.bmp", "22Mark04.bmp", "1Mark04.bmp", "11Mark04.bmp",
                             "13Mark04.bmp", "23Mark04.bmp"}));
  EXPECT_EQ(st.opponentMarks.At(3, 3), ReactionMark);
  EXPECT_EQ(ui.sounds, Texts{"wave18.wav"});
  EXPECT_EQ(ui.Caption(Label::N_LabMessage1), "対戦相手のターンです。");
  EXPECT_EQ((std::vector<int>{st.computerHunting, st.huntRow, st.huntColumn, st.huntStep}),
            (std::vector<int>{1, 2, 2, 1}));

  st.ownBoard.Clear();
  game.OpponentSearch(3, 2); // a later nothing replaces the reaction mark
  EXPECT_EQ(st.opponentMarks.At(2, 2), NothingMark);
}

TEST_F(OpponentSearchTest, HitsShrinkTheBarAndTheFifthLosesInOrder) {
  Place({{2, 2}, {2, 3}, {2, 6}, {2, 8}, {3, 2}});
  st.computerHunting = 1, st.huntRow = 4, st.huntColumn = 4;
  const QRgb face1 = ui.Canvas(Picture::N_ImaFace1).Pixel(50, 45);
  const std::vector<int> widths{132, 100, 68, 36};
  const std::vector<Cell> hits{{2, 2}, {2, 3}, {2, 6}, {2, 8}};
  for (std::size_t i = 0; i < hits.size(); ++i) {
    game.OpponentSearch(hits[i].row, hits[i].column); // (2,2) hits, though (2,3) reacts
    EXPECT_EQ(Loaded(), Texts{std::to_string(CellNumber(hits[i].row, hits[i].column)) + "Mark02.bmp"});
    EXPECT_EQ(ui.Width(Picture::N_ImaLife1), widths[i]);
    EXPECT_EQ(st.ownMood, i >= 2 ? MoodHurt : MoodNormal);
    EXPECT_EQ(ui.Enabled(Timer::N_TimEffect1), i == 3);
  }
  EXPECT_EQ(ui.sounds, Texts(4, "wave03.wav"));
  EXPECT_EQ(st.opponentMarks, Board{});
  EXPECT_EQ((std::vector<int>{st.computerHunting, st.huntStep, st.huntRow}), (std::vector<int>{0, 0, 4}));
  // The hurt face went into the work picture only.
  EXPECT_EQ(SourceOf(ui.Canvas(Picture::N_ImaWork2).Pixel(50, 45)), (Source{120, 0, 2}));
  EXPECT_EQ(ui.Canvas(Picture::N_ImaFace1).Pixel(50, 45), face1);

  game.OpponentSearch(2, 2); // destroyed: never hits again
  EXPECT_EQ(st.searchResult, Reaction);
  game.OpponentSearch(3, 2);
  EXPECT_EQ(ui.seen, (Texts{"100", "200"})); // bar hidden, then each face with its mood
  EXPECT_EQ(ui.Caption(Label::N_LabMessage1), "がーん負けちゃったっスよ！");
  EXPECT_EQ((std::vector<int>{st.ownMood, st.opponentMood, st.gameOver, st.opponentWins}),
            (std::vector<int>{2, 2, 1, 0}));
  for (Picture p : {Picture::N_ImaWork2, Picture::N_ImaFace1})
    EXPECT_EQ(SourceOf(ui.Canvas(p).Pixel(109, 89)), (Source{179, 89, 2}));
  for (Picture p : {Picture::N_ImaWork1, Picture::N_ImaFace2})
    EXPECT_EQ(SourceOf(ui.Canvas(p).Pixel(33, 46)), (Source{65, 0, 4}));
}

TEST_F(OpponentSearchTest, NetworkLossOffFieldCellsAndMissingPictures) {
  for (Cell cell : std::vector<Cell>{{5, 11}, {5, 0}, {0, 5}, {11, 5}, {-3, 99}})
    game.OpponentSearch(cell.row, cell.column);
  EXPECT_TRUE(ui.loads.empty());
  EXPECT_TRUE(ui.messages.empty());

  // Missing pictures are reported once each; the loss still completes.
  ui.failingPaths = {"/data/Mark02.bmp", "/data/Mark04.bmp"};
  st.netGameActive = 1, st.opponentWins = 2, st.ownPiecesLeft = 2;
  Place({{7, 7}, {7, 8}});
  for (Cell cell : std::vector<Cell>{{6, 7}, {7, 7}, {7, 8}})
    game.OpponentSearch(cell.row, cell.column);
  EXPECT_EQ(st.opponentMarks.At(7, 8), ReactionMark);
  EXPECT_EQ(ui.errors.size(), 2u);
  EXPECT_EQ(st.gameOver, 1);
  EXPECT_EQ(st.opponentWins, 3);
  EXPECT_EQ(ui.Caption(Label::N_LabScore9), "3");
}

} // namespace

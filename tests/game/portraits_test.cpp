#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/OpponentSideHarness.h"

using namespace game;
using namespace gametest;

namespace {

using Names = std::vector<std::string>;

struct PortraitsTest : ::testing::Test {
  GameState st;
  FakeMainWindow ui;
  Random random;
  MarvokGame game{st, ui, random};

  void SetUp() override {
    st.opponentPortraitStage = 100;
    PaintPositions(ui.Canvas(Picture::N_ImaCast2), 180, 90, 2);
    PaintPositions(ui.Canvas(Picture::N_ImaCast4), 195, 100, 4);
  }
  // Starts a face cycle, runs ticks up to last and names each frame drawn by
  // its tick; "|" marks the hand-over to the wipe.
  std::string Faces(bool own, int mood, int last, int tick = 0) {
    (own ? st.ownMood : st.opponentMood) = mood;
    (own ? st.ownFaceTick : st.opponentFaceTick) = tick;
    const Timer face = own ? Timer::N_TimFace1 : Timer::N_TimFace2;
    const Timer wipe = own ? Timer::N_TimEffect3 : Timer::N_TimEffect2;
    ui.SetEnabled(face, true);
    ui.SetEnabled(wipe, false);
    const Picture portrait = own ? Picture::N_ImaFace1 : Picture::N_ImaFace2;
    const int w = own ? 60 : 65, h = own ? 45 : 50;
    const std::map<std::pair<int, int>, std::string> names{
        {{0, 0}, "F1"}, {{0, h}, "F2"}, {{w, h}, "F3"}, {{2 * w, h}, "H1"}, {{2 * w, 0}, "H2"}};
    std::string drawn;
    while (++tick <= last) {
      const int before = ui.refreshes[portrait];
      own ? game.N_TimFace1Timer() : game.N_TimFace2Timer();
      if (ui.refreshes[portrait] != before) {
        const Source s = SourceOf(ui.Canvas(portrait).Pixel(own ? 50 : 33, own ? 45 : 46));
        drawn += " " + std::to_string(tick) + names.at({s.x, s.y});
      }
      if (!ui.Enabled(face) && ui.Enabled(wipe))
        return drawn + " |";
    }
    return drawn;
  }
  Names Work1Loads(std::size_t from = 0) const {
    Names names;
    for (std::size_t i = from; i < ui.loads.size(); ++i)
      if (ui.loads[i].picture == Picture::N_ImaWork1)
        names.push_back(FakeMainWindow::BaseName(ui.loads[i].path));
    return names;
  }
  int RunWipe(Timer wipe) {
    ui.SetEnabled(wipe, true);
    int ticks = 0;
    for (; ticks < 1000 && ui.Enabled(wipe); ++ticks)
      wipe == Timer::N_TimEffect3 ? game.N_TimEffect3Timer() : game.N_TimEffect2Timer();
    return ticks;
  }
  // What the network code does to start the opponent portrait's stages.
  void StartStages(bool disconnected) {
    st.opponentWipeLine = 0, st.opponentPortraitStage = 0, st.netDisconnected = disconnected;
    ui.LoadPicture(Picture::N_ImaWork1, "/data/Cast0.bmp");
    ui.SetEnabled(Timer::N_TimFace2, false);
  }
};

TEST_F(PortraitsTest, FaceSchedulesByMoodForBothPortraits) {
  EXPECT_EQ(Faces(true, MoodNormal, 60),
            " 10F1 11F2 12F1 13F3 20F1 21F2 22F1 23F3 40F1 41F2 42F1 43F2 44F3 50F3 |");
  EXPECT_EQ(Faces(true, MoodHurt, 40), " 11H1 13H2 31H1 32H2 |");
  EXPECT_EQ(Faces(true, MoodDecided, 40), " |");
  EXPECT_EQ(st.ownFaceTick, 0);
  EXPECT_EQ(Faces(true, MoodHurt, 41, 40), ""); // late in a normal cycle: starts afresh
  EXPECT_EQ(st.ownFaceTick, 0);

  EXPECT_EQ(Faces(false, MoodNormal, 30), " 3F1 4F2 5F1 6F3 12F1 13F2 14F1 15F3 20F3 |");
  EXPECT_EQ(st.opponentFaceTick, 20);
  EXPECT_EQ(Faces(false, MoodNormal, 44, 20), " 30F1 31F2 32F1 33F3 40F1 41F2 42F1 43F2 44F3");
  EXPECT_EQ(st.opponentFaceTick, 0); // back to 0 after 44, with no hand-over
  st.netOpponentPortrait = 1;
  Faces(false, MoodNormal, 20);
  EXPECT_EQ(Work1Loads(), (Names{"Cast2.bmp", "Cast3.bmp"}));
  EXPECT_EQ(Faces(false, MoodHurt, 40), " 11H1 13H2 31H1 32H2 |");
  EXPECT_EQ(Faces(false, MoodDecided, 40), " |");
  EXPECT_EQ(Work1Loads().size(), 2u);
}

TEST_F(PortraitsTest, WipeStripsByBandThenFiftyOneDrawsAndTheHandBack) {
  struct Strips {
    int line, leadSource, leadDest, leadWidth, bodyX, bodyWidth;
  };
  const std::vector<Strips> own{{0, 0, 2, 143, 0, 143},  {72, 0, 2, 143, 0, 143}, {74, 0, 0, 128, 0, 130},
                                {76, 0, 0, 128, 0, 130}, {86, 0, 0, 128, 0, 130}, {88, 0, 0, 120, 0, 122},
                                {96, 0, 0, 114, 0, 116}, {100, 0, 0, 114, 0, 116}};
  const std::vector<Strips> opponent{{0, 0, 2, 143, 0, 143},     {72, 0, 2, 143, 0, 143},
                                     {74, 0, 2, 143, 0, 143},    {76, 15, 15, 128, 13, 143},
                                     {86, 15, 15, 128, 13, 143}, {88, 23, 23, 120, 21, 143},
                                     {96, 29, 29, 114, 27, 143}, {100, 29, 29, 114, 27, 143}};
  for (bool isOwn : {true, false}) {
    const Picture work = isOwn ? Picture::N_ImaWork2 : Picture::N_ImaWork1;
    const Picture face = isOwn ? Picture::N_ImaFace1 : Picture::N_ImaFace2;
    for (const Strips &e : isOwn ? own : opponent) {
      PaintPositions(ui.Canvas(work), 180, 110, 9);
      ui.Canvas(face).SetSize(180, 110);
      (isOwn ? st.ownWipeLine : st.opponentWipeLine) = e.line;
      isOwn ? game.N_TimEffect3Timer() : game.N_TimEffect2Timer();
      int drawn = 0;
      for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 180; ++x) {
          const QRgb pixel = ui.Canvas(face).Pixel(x, y);
          if (qBlue(pixel) == 0)
            continue;
          ++drawn;
          const bool lead = y >= e.line + 2;
          const bool inside = lead ? x >= e.leadDest && x < e.leadDest + e.leadWidth
                                   : x >= e.bodyX && x < e.bodyX + e.bodyWidth;
          ASSERT_TRUE(inside && y <= e.line + 3) << isOwn << " L=" << e.line << " x=" << x << " y=" << y;
          ASSERT_EQ(SourceOf(pixel), (Source{lead ? x - e.leadDest + e.leadSource : x, lead ? y - 2 : y, 9}));
        }
      EXPECT_EQ(drawn, 2 * (e.leadWidth + e.bodyWidth)) << isOwn << " L=" << e.line;
    }
  }

  // Whole wipes; the fake's pictures are smaller than the widest strips.
  ui = FakeMainWindow();
  st.ownWipeLine = st.opponentWipeLine = 0;
  EXPECT_EQ(RunWipe(Timer::N_TimEffect3), 51);
  EXPECT_EQ(ui.refreshes[Picture::N_ImaFace1], 51);
  EXPECT_TRUE(ui.Enabled(Timer::N_TimFace1));
  EXPECT_EQ(RunWipe(Timer::N_TimEffect2), 51);
  EXPECT_TRUE(ui.Enabled(Timer::N_TimFace2));
  EXPECT_EQ((std::vector<int>{st.ownWipeLine, st.opponentWipeLine, st.opponentPortraitStage}),
            (std::vector<int>{0, 0, 100}));
}

TEST_F(PortraitsTest, ConnectAndDisconnectStages) {
  st.netGameActive = 1, st.netRoleIsClient = 1;
  StartStages(false);
  EXPECT_EQ(RunWipe(Timer::N_TimEffect2), 3 * 51);
  EXPECT_EQ(Work1Loads(), (Names{"Cast0.bmp", "Cast4.bmp", "Cast3.bmp"}));
  EXPECT_EQ(st.netOpponentPortrait, 1);
  EXPECT_TRUE(ui.Enabled(Timer::N_TimFace2));

  // The host waiting for its guest pauses after Cast0, then goes on when the
  // guest is accepted; the peer's disconnect never pauses.
  st.netRoleIsClient = 0, st.gamePhase = Waiting, st.netOpponentPortrait = 0;
  std::size_t from = ui.loads.size();
  StartStages(false);
  EXPECT_EQ(RunWipe(Timer::N_TimEffect2), 51);
  EXPECT_FALSE(ui.Enabled(Timer::N_TimFace2));
  st.gamePhase = 0;
  EXPECT_EQ(RunWipe(Timer::N_TimEffect2), 2 * 51);
  EXPECT_EQ(Work1Loads(from), (Names{"Cast0.bmp", "Cast4.bmp", "Cast3.bmp"}));
  from = ui.loads.size();
  st.gamePhase = Waiting;
  StartStages(true);
  EXPECT_EQ(RunWipe(Timer::N_TimEffect2), 3 * 51);
  EXPECT_EQ(Work1Loads(from), (Names{"Cast0.bmp", "Cast5.bmp", "Cast2.bmp"}));
  EXPECT_EQ(st.netOpponentPortrait, 0);

  // Accepted during the Cast0 wipe, whose switch-on was then a no-op: no pause.
  StartStages(false);
  ui.SetEnabled(Timer::N_TimEffect2, true);
  for (int i = 0; i < 10; ++i)
    game.N_TimEffect2Timer();
  st.gamePhase = 0;
  EXPECT_EQ(RunWipe(Timer::N_TimEffect2), 3 * 51 - 10);

  // A stage picture that fails is reported once and the sequence goes on.
  ui.failingPaths = {"/data/Cast4.bmp"};
  StartStages(false);
  EXPECT_EQ(RunWipe(Timer::N_TimEffect2), 3 * 51);
  EXPECT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(st.netOpponentPortrait, 1);
}

TEST_F(PortraitsTest, DangerFramesCycleAndANewGameStopsThemKeepingTheLast) {
  PaintPositions(ui.Canvas(Picture::N_ImaDanger1), 93, 140, 5);
  auto shownY = [&] {
    const Source corner = SourceOf(ui.Canvas(Picture::N_ImaEffect1).Pixel(92, 19));
    EXPECT_EQ(corner.x, 92);
    return corner.y - 19;
  };
  std::vector<int> ys;
  for (int i = 0; i < 18; ++i) {
    game.N_TimEffect1Timer();
    ys.push_back(shownY());
  }
  EXPECT_EQ(ys,
            (std::vector<int>{100, 80, 60, 40, 20, 0, 120, 0, 120, 0, 20, 40, 60, 80, 100, 120, 100, 80}));
  EXPECT_EQ(ui.refreshes[Picture::N_ImaEffect1], 18);

  ui.SetEnabled(Timer::N_TimEffect1, true);
  game.N_MenNew1Click();
  EXPECT_FALSE(ui.Enabled(Timer::N_TimEffect1));
  EXPECT_EQ(shownY(), 80);
  game.N_TimEffect1Timer();
  EXPECT_EQ(shownY(), 60);
}

// One tick of each timer through the window's one entry runs that timer's own
// handler: from a state where every counter stands apart, each handler moves
// only its own. The start-up and splash timers are the window's.
TEST(TimerFiredTest, EachTimerRunsItsOwnHandler) {
  // turnTick, turnCountdown, ownFaceTick, opponentFaceTick, ownWipeLine,
  // opponentWipeLine, dangerFrame
  using Counters = std::vector<int>;
  const Counters before{1, 50, 0, 0, 0, 0, 0};
  const std::vector<std::pair<Timer, Counters>> rows{
      {Timer::N_TimTurn1, {2, 50, 0, 0, 0, 0, 0}},   // tick 2 of the hand-over
      {Timer::N_TimTurn2, {0, 200, 0, 0, 0, 0, 0}},  // the turn opens with a fresh countdown
      {Timer::N_TimTimer1, {1, 49, 0, 0, 0, 0, 0}},  // a tenth counted down
      {Timer::N_TimFace1, {1, 50, 1, 0, 0, 0, 0}},   // the player's face
      {Timer::N_TimFace2, {1, 50, 0, 1, 0, 0, 0}},   // the opponent's face
      {Timer::N_TimEffect3, {1, 50, 0, 0, 2, 0, 0}}, // the player's wipe
      {Timer::N_TimEffect2, {1, 50, 0, 0, 0, 2, 0}}, // the opponent's wipe
      {Timer::N_TimEffect1, {1, 50, 0, 0, 0, 0, 1}}, // the danger indicator
      {Timer::N_TimCreate1, before},
      {Timer::N_TimClose1, before}};
  for (const auto &[timer, expected] : rows) {
    GameState st;
    FakeMainWindow ui;
    Random random;
    MarvokGame game{st, ui, random};
    st.opponentPortraitStage = 100;
    st.turnTick = before[0], st.turnCountdown = before[1];
    ui.SetEnabled(timer, true);
    game.TimerFired(timer);
    EXPECT_EQ((Counters{st.turnTick, st.turnCountdown, st.ownFaceTick, st.opponentFaceTick, st.ownWipeLine,
                        st.opponentWipeLine, st.dangerFrame}),
              expected)
        << "timer " << static_cast<int>(timer);
  }
}

} // namespace

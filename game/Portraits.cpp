// The two portraits (face animations by mood, and the wipes that redraw them
// from their work pictures), the opponent portrait's connect and disconnect
// stages, and the danger indicator.
#include <array>

#include "game/FaceSheets.h"
#include "game/MarvokGame.h"
#include "platform/core/Bitmap.h"

namespace game {

namespace {

enum Frame { F1, F2, F3 };

struct TickFrame {
  int tick;
  Frame frame;
};

// The mood-0 blinks, by face tick.
constexpr std::array<TickFrame, 14> kPlayerBlinks{{{10, F1},
                                                   {11, F2},
                                                   {12, F1},
                                                   {13, F3},
                                                   {20, F1},
                                                   {21, F2},
                                                   {22, F1},
                                                   {23, F3},
                                                   {40, F1},
                                                   {41, F2},
                                                   {42, F1},
                                                   {43, F2},
                                                   {44, F3},
                                                   {50, F3}}};
constexpr std::array<TickFrame, 18> kOpponentBlinks{{{3, F1},
                                                     {4, F2},
                                                     {5, F1},
                                                     {6, F3},
                                                     {12, F1},
                                                     {13, F2},
                                                     {14, F1},
                                                     {15, F3},
                                                     {20, F3},
                                                     {30, F1},
                                                     {31, F2},
                                                     {32, F1},
                                                     {33, F3},
                                                     {40, F1},
                                                     {41, F2},
                                                     {42, F1},
                                                     {43, F2},
                                                     {44, F3}}};

void DrawFace(MainWindowOps &ui, const FaceSheet &faces, SheetPoint from) {
  PasteFace(ui, faces, from, faces.portrait);
  ui.Refresh(faces.portrait);
}

template <std::size_t N>
void DrawBlink(MainWindowOps &ui, const FaceSheet &faces, const std::array<TickFrame, N> &blinks, int tick) {
  for (const TickFrame &blink : blinks) {
    if (blink.tick != tick)
      continue;
    const SheetPoint from = blink.frame == F1 ? faces.f1 : blink.frame == F2 ? faces.f2 : faces.f3;
    DrawFace(ui, faces, from);
  }
}

// The hurt frames of mood 1 at ticks 11, 13, 31 and 32.
void DrawHurt(MainWindowOps &ui, const FaceSheet &faces, int tick) {
  if (tick == 11 || tick == 31)
    DrawFace(ui, faces, faces.hurtA);
  if (tick == 13 || tick == 32)
    DrawFace(ui, faces, faces.hurtB);
}

// One band of wipe lines: the lead strip goes two rows below the body strip.
struct WipeBand {
  int firstLine, lastLine;
  int leadSourceX, leadDestX, leadWidth;
  int bodyX, bodyWidth;
};

constexpr std::array<WipeBand, 4> kPlayerWipe{{{0, 72, 0, 2, 143, 0, 143},
                                               {74, 86, 0, 0, 128, 0, 130},
                                               {88, 94, 0, 0, 120, 0, 122},
                                               {96, 102, 0, 0, 114, 0, 116}}};
constexpr std::array<WipeBand, 4> kOpponentWipe{{{0, 74, 0, 2, 143, 0, 143},
                                                 {76, 86, 15, 15, 128, 13, 143},
                                                 {88, 94, 23, 23, 120, 21, 143},
                                                 {96, 102, 29, 29, 114, 27, 143}}};

constexpr int kWipeEnd = 102;

// Draws one tick of a wipe at line, then refreshes the portrait; a line outside
// the bands draws nothing. The copies are clipped to both pictures, which may
// be smaller than the strips.
void DrawWipeStrips(MainWindowOps &ui, const std::array<WipeBand, 4> &bands, Picture work, Picture portrait,
                    int line) {
  for (const WipeBand &band : bands) {
    if (line < band.firstLine || line > band.lastLine)
      continue;
    platform::TBitmap &to = ui.Canvas(portrait);
    const platform::TBitmap &from = ui.Canvas(work);
    platform::BitBlt(to, band.leadDestX, line + 2, band.leadWidth, 2, from, band.leadSourceX, line);
    platform::BitBlt(to, band.bodyX, line, band.bodyWidth, 2, from, band.bodyX, line);
  }
  ui.Refresh(portrait);
}

// The danger indicator's frames, by dangerFrame 1..16: the y of each in the strip.
constexpr std::array<int, 16> kDangerFrameY{100, 80, 60, 40, 20, 0, 120, 0, 120, 0, 20, 40, 60, 80, 100, 120};

} // namespace

void MarvokGame::N_TimFace1Timer() {
  st_.ownFaceTick += 1;
  const int tick = st_.ownFaceTick;
  bool handOver = false;
  if (st_.ownMood == MoodNormal) {
    DrawBlink(ui_, kPlayerFaces, kPlayerBlinks, tick);
    handOver = tick == 50;
  } else if (st_.ownMood == MoodHurt) {
    DrawHurt(ui_, kPlayerFaces, tick);
    handOver = tick == 32;
  } else if (st_.ownMood == MoodDecided) {
    handOver = tick == 32;
  }
  if (handOver) {
    st_.ownFaceTick = 0;
    ui_.SetEnabled(Timer::N_TimFace1, false);
    ui_.SetEnabled(Timer::N_TimEffect3, true);
  }
  // A mood changed late in a mood-0 cycle starts its own cycle afresh.
  if ((st_.ownMood == MoodHurt || st_.ownMood == MoodDecided) && st_.ownFaceTick > 32)
    st_.ownFaceTick = 0;
}

void MarvokGame::N_TimFace2Timer() {
  st_.opponentFaceTick += 1;
  const int tick = st_.opponentFaceTick;
  if (st_.opponentMood == MoodNormal) {
    DrawBlink(ui_, kOpponentFaces, kOpponentBlinks, tick);
    if (tick == 20) {
      // The plain portrait comes back with this wipe. The tick stays 20, so the
      // animation goes on at 21 after it. A failed load is reported and the
      // wipe redraws the work picture as it is.
      LoadDataPicture(Picture::N_ImaWork1, st_.netOpponentPortrait ? "Cast3.bmp" : "Cast2.bmp");
      ui_.SetEnabled(Timer::N_TimFace2, false);
      ui_.SetEnabled(Timer::N_TimEffect2, true);
    }
    if (tick == 44)
      st_.opponentFaceTick = 0;
    return;
  }
  if (st_.opponentMood == MoodHurt)
    DrawHurt(ui_, kOpponentFaces, tick);
  if ((st_.opponentMood == MoodHurt || st_.opponentMood == MoodDecided) && tick == 32) {
    st_.opponentFaceTick = 0;
    ui_.SetEnabled(Timer::N_TimFace2, false);
    ui_.SetEnabled(Timer::N_TimEffect2, true);
  }
  if ((st_.opponentMood == MoodHurt || st_.opponentMood == MoodDecided) && st_.opponentFaceTick > 32)
    st_.opponentFaceTick = 0;
}

void MarvokGame::N_TimEffect3Timer() {
  DrawWipeStrips(ui_, kPlayerWipe, Picture::N_ImaWork2, Picture::N_ImaFace1, st_.ownWipeLine);
  st_.ownWipeLine += 2;
  if (st_.ownWipeLine < kWipeEnd)
    return;
  ui_.SetEnabled(Timer::N_TimEffect3, false);
  ui_.SetEnabled(Timer::N_TimFace1, true);
  st_.ownWipeLine = 0;
}

void MarvokGame::N_TimEffect2Timer() {
  DrawWipeStrips(ui_, kOpponentWipe, Picture::N_ImaWork1, Picture::N_ImaFace2, st_.opponentWipeLine);
  st_.opponentWipeLine += 2;
  if (st_.opponentWipeLine >= kWipeEnd)
    EndOpponentWipe();
}

void MarvokGame::EndOpponentWipe() {
  // A picture that fails to load is reported once; the old work picture stays
  // and the sequence still moves on, so the next tick does not retry it.
  const bool disconnected = st_.netDisconnected != 0;
  switch (st_.opponentPortraitStage) {
  case 0:
    if (disconnected) {
      LoadDataPicture(Picture::N_ImaWork1, "Cast5.bmp");
    } else {
      LoadDataPicture(Picture::N_ImaWork1, "Cast4.bmp");
      // The host holds the portrait here until its guest arrives; the accept
      // switches the wipe on again.
      if (st_.IsHost() && HostAwaitingGuest())
        ui_.SetEnabled(Timer::N_TimEffect2, false);
    }
    st_.opponentWipeLine = 0;
    st_.opponentPortraitStage = 1;
    break;
  case 1:
    LoadDataPicture(Picture::N_ImaWork1, disconnected ? "Cast2.bmp" : "Cast3.bmp");
    st_.opponentWipeLine = 0;
    st_.opponentPortraitStage = 2;
    break;
  case 2: st_.netOpponentPortrait = disconnected ? 0 : 1; [[fallthrough]];
  default: // 100: no sequence
    ui_.SetEnabled(Timer::N_TimEffect2, false);
    ui_.SetEnabled(Timer::N_TimFace2, true);
    st_.opponentWipeLine = 0;
    st_.opponentPortraitStage = 100;
    break;
  }
}

bool MarvokGame::HostAwaitingGuest() const {
  // After connecting, the host waits in Waiting with an idle receiver and an
  // empty field until the second connection arrives; accepting the guest sets
  // the deployment phase, and nothing afterwards returns to all three at once.
  if (st_.gamePhase != Waiting || st_.netReceiveState != NetIdle)
    return false;
  for (int row = 1; row <= kFieldSize; ++row)
    for (int column = 1; column <= kFieldSize; ++column)
      if (st_.ownBoard.At(row, column) == Piece)
        return false;
  return true;
}

void MarvokGame::N_TimEffect1Timer() {
  st_.dangerFrame += 1;
  if (st_.dangerFrame >= 1 && st_.dangerFrame <= static_cast<int>(kDangerFrameY.size()))
    platform::BitBlt(ui_.Canvas(Picture::N_ImaEffect1), 0, 0, 93, 20, ui_.Canvas(Picture::N_ImaDanger1), 0,
                     kDangerFrameY[static_cast<std::size_t>(st_.dangerFrame - 1)]);
  if (st_.dangerFrame >= static_cast<int>(kDangerFrameY.size()))
    st_.dangerFrame = 0;
  ui_.Refresh(Picture::N_ImaEffect1);
}

} // namespace game

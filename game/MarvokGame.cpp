// Small helpers shared by the game's operations.
#include "game/MarvokGame.h"

#include "platform/core/Exception.h"

namespace game {

bool MarvokGame::LoadDataPicture(Picture picture, const std::string &file) {
  try {
    ui_.LoadPicture(picture, ui_.DataFolder() + file);
    return true;
  } catch (const platform::Exception &error) {
    // A missing file is reported once; later loads of it fail quietly so a
    // search marking seven cells does not raise seven boxes.
    if (reportedFiles_.insert(file).second)
      ui_.ReportError(error.Message());
    return false;
  }
}

void MarvokGame::SendTexts(const MatchMessage &message) {
  // c_str() is NUL-terminated: the NUL travels as each text's last byte.
  for (const std::string &text : message)
    ui_.SendPacket(text.c_str(), static_cast<int>(text.size() + 1));
}

void MarvokGame::SendTextsReporting(const MatchMessage &message) {
  try {
    SendTexts(message);
  } catch (const platform::Exception &error) {
    // A broken connection fails every send: one report, and the caller's move
    // still completes instead of stopping half-way.
    ui_.ReportError(error.Message());
  }
}

void MarvokGame::TimerFired(Timer timer) {
  switch (timer) {
  case Timer::N_TimFace1: N_TimFace1Timer(); break;
  case Timer::N_TimFace2: N_TimFace2Timer(); break;
  case Timer::N_TimTurn1: N_TimTurn1Timer(); break;
  case Timer::N_TimTurn2: N_TimTurn2Timer(); break;
  case Timer::N_TimTimer1: N_TimTimer1Timer(); break;
  case Timer::N_TimEffect1: N_TimEffect1Timer(); break;
  case Timer::N_TimEffect2: N_TimEffect2Timer(); break;
  case Timer::N_TimEffect3: N_TimEffect3Timer(); break;
  case Timer::N_TimCreate1:
  case Timer::N_TimClose1: break;
  }
}

int MarvokGame::CountdownStartValue() const {
  // Applied in order, a later rule overriding an earlier one.
  int value = st_.turnCountdown;
  if (ui_.Checked(MenuItem::N_MenLevel1))
    value = 200;
  if (ui_.Checked(MenuItem::N_MenLevel2))
    value = 100;
  if (ui_.Checked(MenuItem::N_MenLevel3))
    value = 100;
  if (st_.InMatch())
    value = 100;
  return value;
}

} // namespace game

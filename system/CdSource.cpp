// The audio CD source of the sound and system window: the disc check, the
// track list, play and stop, previous and next track, and the once-a-second
// track-and-time status.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "platform/audio/CdPlayer.h"
#include "platform/core/Exception.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Timer.h"
#include "system/MusicTexts.h"
#include "system/TN_FrmSystem1.h"

namespace {

constexpr const char *kCannotOpen = "オーディオCDをオープンできませんでした";
constexpr const char *kNoDisc = "オーディオCDがありません";

void Exclaim(const char *text) {
  platform::ShowMessageBox(text, "", platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

// The busy pointer while a drive spins up; restored however the block ends.
class BusyCursor {
public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor &) = delete;
  BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

void TN_FrmSystem1::SetCdDeviceName(const QString &name) { cdPlayer_->SetDeviceName(name); }

bool TN_FrmSystem1::CdTimerOn() const { return N_TimCheck1->Enabled(); }

bool TN_FrmSystem1::IsCdMediaPresent() const { return cdPlayer_->IsMediaPresent(); }

void TN_FrmSystem1::N_RaBBgm1Click() {
  if (N_RaBBgm2->isChecked())
    return;
  N_EdiBgm1->setEnabled(false);
  N_ButOpen1->setEnabled(false);
  N_SpeBgm1->setEnabled(true);
  N_SpeBgm4->setEnabled(true);
  N_SpeBgm5->setEnabled(true);
  N_PopBgm3->setEnabled(false);
  N_PopBgm4->setEnabled(false);
  N_PopBgm5->setEnabled(false);
  N_PopBgm6->setEnabled(true);
  if (N_ComBgm1->isVisibleTo(this)) // the sound page is showing
    N_ButCDCheck1->show();
}

void TN_FrmSystem1::N_ButCDCheck1Click() {
  {
    BusyCursor busy;
    try {
      cdPlayer_->Open();
    } catch (const platform::Exception &) {
      // Goes on: the disc query below fails too and says so.
      Exclaim(kCannotOpen);
    }
  }
  if (!IsCdMediaPresent()) {
    cdPlayer_->Close();
    Exclaim(kNoDisc);
    return;
  }
  const int tracks = cdPlayer_->TrackCount();
  cdTrackCount = std::to_string(tracks);
  N_TimCheck1->SetEnabled(true);
  for (int track = 1; track <= tracks; ++track)
    N_ComBgm1->addItem(QString::number(track));
  N_ButCDCheck1->hide();
  N_PopBgm6->setEnabled(false);
  N_PopBgm3->setEnabled(true);
  N_PopBgm4->setEnabled(false);
  N_PopBgm5->setEnabled(false);
}

void TN_FrmSystem1::PlayCd() {
  if (!IsCdMediaPresent()) {
    N_TimCheck1->SetEnabled(false);
    cdPlayer_->Close();
    N_StaBgm1->setText("");
    Exclaim(kNoDisc);
    return;
  }
  // Played first: a disc without audio tracks refuses, and then nothing is meant to play.
  cdPlayer_->Play();
  bgmCdPlaying = 1;
  N_TimCheck1->SetEnabled(true);
  N_ChePlay1->setEnabled(false);
  N_SpeBgm1->setEnabled(false);
  N_SpeBgm2->setEnabled(false);
  N_SpeBgm3->setEnabled(true);
  N_PopBgm3->setEnabled(false);
  N_PopBgm4->setEnabled(true);
  N_PopBgm5->setEnabled(false);
  N_RaBBgm1->setEnabled(false);
  N_RaBBgm2->setEnabled(false);
  N_PopBgm1->setEnabled(false);
  N_PopBgm2->setEnabled(false);
}

void TN_FrmSystem1::StopCd() {
  // The device stays open and the timer goes on showing the stopped position.
  bgmCdPlaying = 0;
  cdPlayer_->Stop();
}

void TN_FrmSystem1::N_TimCheck1Timer() {
  if (!IsCdMediaPresent()) {
    N_TimCheck1->SetEnabled(false);
    cdPlayer_->Close();
    N_StaBgm1->setText("");
    return;
  }
  const platform::audio::CdPosition position = cdPlayer_->Position();
  if (position.track != cdLastTrack) {
    cdLastTrack = position.track;
    cdCurrentTrack = std::to_string(position.track);
  }
  cdPosition = music::CdPositionText(position.minutes, position.seconds);
  N_StaBgm1->setText(QString::fromStdString(music::CdStatusText(cdCurrentTrack, cdPosition)));
}

void TN_FrmSystem1::N_SpeBgm4Click() {
  // Before any disc check the device is closed: nothing to move.
  if (N_RaBBgm1->isChecked() && cdPlayer_->IsOpen())
    cdPlayer_->Previous();
}

void TN_FrmSystem1::N_SpeBgm5Click() {
  if (N_RaBBgm1->isChecked() && cdPlayer_->IsOpen())
    cdPlayer_->Next();
}

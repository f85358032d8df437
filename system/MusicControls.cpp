// The MIDI music of the sound and system window: play, pause, stop, the file
// dialog, the source radios, the pop-up menu and the repeat of a song that ends.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <array>

#include "platform/audio/CdPlayer.h"
#include "platform/audio/MidiPlayer.h"
#include "platform/core/EventGuard.h"
#include "platform/core/Exception.h"
#include "platform/core/MessageBox.h"
#include "platform/core/ModalDialog.h"
#include "platform/core/Timer.h"
#include "system/MusicTexts.h"
#include "system/SoundMixer.h"
#include "system/TN_FrmSystem1.h"

namespace {
constexpr std::string_view kMidiFilter = "MIDIﾌｧｲﾙ（*.mid）|*.mid";
constexpr int kIdleCheckMs = 100;
constexpr int kCdDisplayMs = 1000;
const QString kPause = QStringLiteral("一時停止(&E)");
const QString kResume = QStringLiteral("再開(&E)");

// Qt's own dialog, which speaks the program's language on every desktop, with
// the filter's caption shown as written.
QString RunFileDialog(QWidget *parent, const QString &filter) {
  QFileDialog dialog(parent);
  dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(filter);
  const bool chosen = platform::RunModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  return chosen ? dialog.selectedFiles().constFirst() : QString();
}
} // namespace

void TN_FrmSystem1::BindMusicHandlers() {
  N_OpenDialog1 = RunFileDialog;
  auto bind = [this](auto *sender, auto signal, void (TN_FrmSystem1::*handler)()) {
    connect(sender, signal, this, [this, handler] { platform::Guarded([&] { (this->*handler)(); }); });
  };
  bind(N_SpeBgm1, &QToolButton::clicked, &TN_FrmSystem1::N_SpeBgm1Click);
  bind(N_SpeBgm2, &QToolButton::clicked, &TN_FrmSystem1::N_SpeBgm2Click);
  bind(N_SpeBgm3, &QToolButton::clicked, &TN_FrmSystem1::N_SpeBgm3Click);
  bind(N_SpeBgm4, &QToolButton::clicked, &TN_FrmSystem1::N_SpeBgm4Click);
  bind(N_SpeBgm5, &QToolButton::clicked, &TN_FrmSystem1::N_SpeBgm5Click);
  bind(N_ButOpen1, &QPushButton::clicked, &TN_FrmSystem1::N_ButOpen1Click);
  bind(N_ButCDCheck1, &QPushButton::clicked, &TN_FrmSystem1::N_ButCDCheck1Click);
  bind(N_PopBgm1, &QAction::triggered, &TN_FrmSystem1::N_PopBgm1Click);
  bind(N_PopBgm2, &QAction::triggered, &TN_FrmSystem1::N_PopBgm2Click);
  bind(N_PopBgm3, &QAction::triggered, &TN_FrmSystem1::N_PopBgm3Click);
  bind(N_PopBgm4, &QAction::triggered, &TN_FrmSystem1::N_PopBgm4Click);
  bind(N_PopBgm5, &QAction::triggered, &TN_FrmSystem1::N_PopBgm5Click);
  bind(N_PopBgm6, &QAction::triggered, &TN_FrmSystem1::N_ButCDCheck1Click);
  bind(N_PopBgm7, &QAction::triggered, &TN_FrmSystem1::N_PopBgm7Click);
  for (QRadioButton *radio : {N_RaBBgm1, N_RaBBgm2})
    connect(radio, &QRadioButton::clicked, this,
            [this, radio](bool checked) { platform::Guarded([&] { RadioClicked(radio, checked); }); });

  // A song that ends is restarted from the player's end notice; the short
  // timer covers the rest, so nothing ever polls without pause.
  bind(midiPlayer_, &platform::audio::MidiPlayer::Ended, &TN_FrmSystem1::AppIdle);
  bind(cdPlayer_, &platform::audio::CdPlayer::Ended, &TN_FrmSystem1::AppIdle);
  idleCheck_ = new platform::TTimer(
      kIdleCheckMs, true, [this] { AppIdle(); }, this);
  N_TimCheck1 = new platform::TTimer(
      kCdDisplayMs, false, [this] { N_TimCheck1Timer(); }, this);
}

QToolButton &TN_FrmSystem1::GlyphButton(int n) {
  const std::array<QToolButton *, 5> glyphs{N_SpeBgm1, N_SpeBgm2, N_SpeBgm3, N_SpeBgm4, N_SpeBgm5};
  return *glyphs.at(static_cast<std::size_t>(n - 1));
}

QAction &TN_FrmSystem1::PopupItem(int n) {
  const std::array<QAction *, 7> items{N_PopBgm1, N_PopBgm2, N_PopBgm3, N_PopBgm4,
                                       N_PopBgm5, N_PopBgm6, N_PopBgm7};
  return *items.at(static_cast<std::size_t>(n - 1));
}

void TN_FrmSystem1::contextMenuEvent(QContextMenuEvent *event) { N_PopupMenu1->popup(event->globalPos()); }

void TN_FrmSystem1::SetRadioChecked(QRadioButton *radio, bool checked) {
  if (!checked) {
    radio->setChecked(false);
    return;
  }
  if (radio->isChecked())
    return;
  (radio == N_RaBBgm1 ? N_RaBBgm2 : N_RaBBgm1)->setChecked(false);
  radio->setChecked(true);
  if (radio == N_RaBBgm1)
    N_RaBBgm1Click();
  else
    N_RaBBgm2Click();
}

void TN_FrmSystem1::RadioClicked(QRadioButton *radio, bool checked) {
  // Qt has already toggled the radio. A click on a checked radio unchecks a
  // non-exclusive one: it stays checked and nothing runs.
  if (!checked) {
    radio->setChecked(true);
    return;
  }
  radio->setChecked(false);
  SetRadioChecked(radio, true);
}

bool TN_FrmSystem1::OpenAndPlayMidi() {
  midiPlayer_->SetFileName(N_EdiBgm1->text());
  try {
    midiPlayer_->Open();
    midiPlayer_->Play();
  } catch (const platform::Exception &error) {
    platform::ShowMessageBox(error.Message(), "", platform::MB_OK | platform::MB_ICONERROR);
    return false;
  }
  return true;
}

void TN_FrmSystem1::ShowMusicPlaying() {
  N_ChePlay1->setEnabled(false);
  N_SpeBgm1->setEnabled(false);
  N_SpeBgm2->setEnabled(true);
  N_SpeBgm3->setEnabled(true);
  N_PopBgm3->setEnabled(false);
  N_PopBgm4->setEnabled(true);
  N_PopBgm5->setEnabled(true);
  // A song that starts is never paused, whatever was paused before it.
  N_PopBgm5->setText(kPause);
  N_RaBBgm1->setEnabled(false);
  N_RaBBgm2->setEnabled(false);
  N_PopBgm1->setEnabled(false);
  N_PopBgm2->setEnabled(false);
}

void TN_FrmSystem1::ShowMusicStopped(bool sourceItems) {
  N_SpeBgm1->setEnabled(true);
  N_SpeBgm2->setEnabled(false);
  N_SpeBgm3->setEnabled(false);
  N_PopBgm3->setEnabled(true);
  N_PopBgm4->setEnabled(false);
  N_PopBgm5->setEnabled(false);
  N_PopBgm5->setText(kPause);
  N_RaBBgm2->setEnabled(true);
  N_PopBgm1->setEnabled(sourceItems);
  N_PopBgm2->setEnabled(sourceItems);
  N_StaBgm1->setText("");
}

void TN_FrmSystem1::N_SpeBgm1Click() {
  if (N_RaBBgm2->isChecked()) {
    bgmMidiPlaying = 1;
    if (!OpenAndPlayMidi())
      return;
    N_StaBgm1->setText("MIDIPLAY");
    ShowMusicPlaying();
  }
  if (N_RaBBgm1->isChecked())
    PlayCd();
}

void TN_FrmSystem1::N_SpeBgm2Click() {
  if (N_StaBgm1->text() == "MIDIPLAY" && bgmMidiPlaying == 1) {
    midiPlayer_->Pause();
    N_StaBgm1->setText("MIDIPAUSE");
    N_PopBgm5->setText(kResume);
  } else if (bgmMidiPlaying == 1) {
    midiPlayer_->Play();
    N_StaBgm1->setText("MIDIPLAY");
    N_PopBgm5->setText(kPause);
  }
}

void TN_FrmSystem1::StopSelectedSource() {
  if (!N_RaBBgm1->isChecked()) {
    bgmMidiPlaying = 0;
    midiPlayer_->Stop();
    midiPlayer_->Close();
  } else {
    StopCd();
  }
}

void TN_FrmSystem1::N_SpeBgm3Click() {
  StopSelectedSource();
  ShowMusicStopped(false);
}

void TN_FrmSystem1::N_ButOpen1Click() {
  const QString file = N_OpenDialog1 ? N_OpenDialog1(this, music::QtFileFilter(kMidiFilter)) : QString();
  if (!file.isEmpty())
    N_EdiBgm1->setText(file);
}

void TN_FrmSystem1::N_RaBBgm2Click() {
  if (N_RaBBgm1->isChecked())
    return;
  N_TimCheck1->SetEnabled(false);
  N_ComBgm1->setEnabled(false);
  N_EdiBgm1->setEnabled(true);
  N_ButOpen1->setEnabled(true);
  N_SpeBgm1->setEnabled(true);
  N_SpeBgm4->setEnabled(false);
  N_SpeBgm5->setEnabled(false);
  N_PopBgm3->setEnabled(true);
  N_PopBgm4->setEnabled(false);
  N_PopBgm5->setEnabled(false);
  N_PopBgm6->setEnabled(false);
  N_ButCDCheck1->hide();
}

void TN_FrmSystem1::N_PopBgm1Click() {
  SetRadioChecked(N_RaBBgm1, true);
  SetRadioChecked(N_RaBBgm2, false);
}

void TN_FrmSystem1::N_PopBgm2Click() {
  SetRadioChecked(N_RaBBgm1, false);
  SetRadioChecked(N_RaBBgm2, true);
}

void TN_FrmSystem1::N_PopBgm7Click() {
  // A desktop without any mixer simply shows none.
  music::StartSoundMixer();
}

void TN_FrmSystem1::AppIdle() {
  using platform::audio::MediaMode;
  // A device that is not open is never "stopped", so a failed open is not retried.
  const bool midiEnded = midiPlayer_->Mode() == MediaMode::Stopped && bgmMidiPlaying == 1;
  const bool cdEnded = cdPlayer_->Mode() == MediaMode::Stopped && bgmCdPlaying == 1;
  if (N_ChePlay1->isChecked()) {
    // A restart that fails clears its flag, so its error is shown once.
    if (midiEnded) {
      try {
        midiPlayer_->Play();
      } catch (const platform::Exception &) {
        bgmMidiPlaying = 0;
        throw;
      }
    }
    // A disc taken out is left to the CD timer, which closes the device.
    if (cdEnded && IsCdMediaPresent()) {
      try {
        cdPlayer_->Play();
      } catch (const platform::Exception &) {
        bgmCdPlaying = 0;
        throw;
      }
    }
    return;
  }
  if (!midiEnded && !cdEnded)
    return;
  // The music has ended without repeat.
  StopSelectedSource();
  ShowMusicStopped(true);
}

// Files dropped on the sound and system window: a MIDI file becomes the new
// looping music, a WAV file plays once; any drop stops what was playing.
#include <QAction>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QToolButton>
#include <QUrl>

#include "platform/audio/CdPlayer.h"
#include "platform/audio/MidiPlayer.h"
#include "platform/audio/SoundEffects.h"
#include "platform/core/EventGuard.h"
#include "platform/core/Timer.h"
#include "system/MusicTexts.h"
#include "system/TN_FrmSystem1.h"

namespace {

QStringList LocalFiles(const QMimeData *mime) {
  QStringList files;
  if (mime == nullptr || !mime->hasUrls())
    return files;
  for (const QUrl &url : mime->urls())
    if (url.isLocalFile())
      files << url.toLocalFile();
  return files;
}

} // namespace

void TN_FrmSystem1::dragEnterEvent(QDragEnterEvent *event) {
  if (!LocalFiles(event->mimeData()).isEmpty())
    event->acceptProposedAction();
}

void TN_FrmSystem1::dragMoveEvent(QDragMoveEvent *event) {
  if (!LocalFiles(event->mimeData()).isEmpty())
    event->acceptProposedAction();
}

void TN_FrmSystem1::dropEvent(QDropEvent *event) {
  const QStringList files = LocalFiles(event->mimeData());
  if (files.isEmpty())
    return;
  event->acceptProposedAction();
  platform::Guarded([&] { WMDropFiles(files); });
}

void TN_FrmSystem1::WMDropFiles(const QStringList &files) {
  if (files.isEmpty())
    return;
  const QString name = files.front(); // the whole path, however long
  const QString extension = music::DroppedExtension(name);

  ++dropCount_;
  soundEffects_->StopFile();
  if (bgmMidiPlaying == 1) {
    bgmMidiPlaying = 0;
    midiPlayer_->Stop(); // a device that failed to open is not open: nothing to stop
    midiPlayer_->Close();
  }
  if (bgmCdPlaying == 1) {
    bgmCdPlaying = 0;
    cdPlayer_->Stop();
  }

  SetRadioChecked(N_RaBBgm1, false);
  SetRadioChecked(N_RaBBgm2, false);
  N_ChePlay1->setEnabled(false);
  N_TimCheck1->SetEnabled(false);
  for (QToolButton *glyph : {N_SpeBgm1, N_SpeBgm2, N_SpeBgm3, N_SpeBgm4, N_SpeBgm5})
    glyph->setEnabled(false);
  for (QAction *item : {N_PopBgm3, N_PopBgm4, N_PopBgm5, N_PopBgm1, N_PopBgm2})
    item->setEnabled(false);
  N_RaBBgm1->setEnabled(false);
  N_RaBBgm2->setEnabled(false);
  N_StaBgm1->setText("");

  if (extension == ".MID") {
    N_EdiBgm1->setText(name);
    bgmMidiPlaying = 1;
    if (!OpenAndPlayMidi())
      return;
    N_StaBgm1->setText("MIDIPLAY");
    SetRadioChecked(N_RaBBgm2, true);
    ShowMusicPlaying();
    N_ChePlay1->setChecked(true);
  } else if (extension == ".WAV") {
    DroppedWave(name);
  }
}

void TN_FrmSystem1::DroppedWave(const QString &file) {
  N_ChePlay1->setChecked(false);
  N_StaBgm1->setText("WAVEPLAY");
  // Played without blocking: the window, the game and a match go on meanwhile.
  const std::uint64_t drop = dropCount_;
  const bool playing = soundEffects_->PlayFile(file, [this, drop] {
    if (drop == dropCount_ && N_StaBgm1->text() == "WAVEPLAY")
      N_StaBgm1->setText("");
  });
  if (!playing)
    N_StaBgm1->setText("");
}

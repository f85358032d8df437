// Files dropped on the sound and system window through Qt's drag-and-drop
// events: MIDI files loop, WAV files play once without blocking, and any drop
// stops what played before.
#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "MusicRig.h"
#include "tests/support/TestPaths.h"

namespace {

using musictest::MusicRig;
using platform::audio::MediaMode;
using platform::audio::MidiPlayer;

bool EveryMusicControlDisabled(TN_FrmSystem1 &w) {
  for (int n = 1; n <= 5; ++n)
    if (w.GlyphButton(n).isEnabled())
      return false;
  for (int n : {1, 2, 3, 4, 5})
    if (w.PopupItem(n).isEnabled())
      return false;
  return !w.CdRadio().isEnabled() && !w.MidiRadio().isEnabled() && !w.CdRadio().isChecked() &&
         !w.MidiRadio().isChecked();
}

TEST(DroppedFiles, FirstMidiFileOfSeveralLoopsInAnyCase) {
  MusicRig rig;
  rig.StartMusic();
  rig.Write("Upper.Mid", smftest::Song(1));
  ASSERT_TRUE(rig.Drop({"Upper.Mid", "sound.wav", "long.mid"}));
  EXPECT_EQ(rig.window.N_EdiBgm1->text(), rig.Path("Upper.Mid"));
  EXPECT_EQ(rig.window.N_MedPlayer1().FileName(), rig.Path("Upper.Mid"));
  EXPECT_FALSE(rig.window.SoundEffects().IsFilePlaying());
  QSignalSpy ended(&rig.window.N_MedPlayer1(), &MidiPlayer::Ended);
  ASSERT_TRUE(testsupport::WaitFor([&] { return ended.count() >= 2; })) << "the song looped";
  EXPECT_EQ(rig.Status(), "MIDIPLAY");
  EXPECT_TRUE(rig.boxes.empty());
}

TEST(DroppedFiles, OnlyLocalFilesAreTaken) {
  MusicRig rig;
  QMimeData mime;
  mime.setUrls({QUrl("https://example.com/song.mid")});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&rig.window, &enter);
  EXPECT_FALSE(enter.isAccepted());
}

TEST(DroppedFiles, WaveFilePlaysWithoutBlockingThenStatusClears) {
  MusicRig rig;
  rig.StartMusic();
  ASSERT_TRUE(rig.Drop({testpaths::TestData("wav/pcm16-stereo-44k.wav")}));
  // Back from the drop while the sound plays.
  EXPECT_EQ(rig.Status(), "WAVEPLAY");
  EXPECT_TRUE(rig.window.SoundEffects().IsFilePlaying());
  EXPECT_EQ(rig.window.bgmMidiPlaying, 0);
  EXPECT_EQ(rig.window.N_MedPlayer1().Mode(), MediaMode::NotReady);
  EXPECT_FALSE(rig.window.N_ChePlay1->isChecked());
  EXPECT_TRUE(EveryMusicControlDisabled(rig.window));
  ASSERT_TRUE(testsupport::WaitFor([&] { return rig.Status().empty(); })) << "the sound ended";
  EXPECT_FALSE(rig.window.SoundEffects().IsFilePlaying());
  ASSERT_TRUE(musictest::RepeatChecks(3));
  EXPECT_TRUE(EveryMusicControlDisabled(rig.window)) << "nothing plays until a MIDI file is dropped";
  EXPECT_EQ(rig.window.N_MedPlayer1().Mode(), MediaMode::NotReady);

  ASSERT_TRUE(rig.Drop({testpaths::TestData("wav/garbage.wav")}));
  EXPECT_EQ(rig.Status(), "") << "a sound that can't play clears the status at once";
  EXPECT_TRUE(rig.boxes.empty());
}

TEST(DroppedFiles, AnotherDropStopsTheWaveAndKeepsItsStatus) {
  MusicRig rig;
  ASSERT_TRUE(rig.Drop({"sound.wav"}));
  ASSERT_TRUE(rig.Drop({"notes.txt"}));
  EXPECT_FALSE(rig.window.SoundEffects().IsFilePlaying());
  EXPECT_EQ(rig.Status(), "");

  ASSERT_TRUE(rig.Drop({"sound.wav"}));
  ASSERT_TRUE(rig.Drop({"long.mid"}));
  EXPECT_FALSE(rig.window.SoundEffects().IsFilePlaying());
  ASSERT_TRUE(musictest::RepeatChecks(6)); // past the end of the sound
  EXPECT_EQ(rig.Status(), "MIDIPLAY");
}

TEST(DroppedFiles, FailedOpensNeverLoseTheNextDrop) {
  MusicRig rig;
  rig.StartMusic("missing.mid"); // start-up music that is not there
  ASSERT_EQ(rig.boxes.size(), 1u);
  ASSERT_TRUE(rig.Drop({"missing.mid"}));
  ASSERT_EQ(rig.boxes.size(), 2u) << "the open fails, and only the open";
  EXPECT_EQ(rig.window.bgmMidiPlaying, 1);
  EXPECT_EQ(rig.Status(), "");
  ASSERT_TRUE(musictest::RepeatChecks(4));
  EXPECT_EQ(rig.boxes.size(), 2u) << "a device that failed to open is never retried";

  ASSERT_TRUE(rig.Drop({"long.mid"}));
  EXPECT_EQ(rig.boxes.size(), 2u);
  EXPECT_EQ(rig.Status(), "MIDIPLAY");
  EXPECT_EQ(rig.window.N_MedPlayer1().Mode(), MediaMode::Playing);
}

TEST(DroppedFiles, LongPathIsUsedWholeAndPauseCaptionIsReset) {
  MusicRig rig;
  rig.StartMusic();
  rig.window.N_SpeBgm2Click();
  ASSERT_EQ(rig.window.PopupItem(5).text().toStdString(), "再開(&E)");

  QString folder = rig.Path("");
  for (int i = 0; i < 6; ++i)
    folder += "/" + QString(50, QChar('a' + i));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString song = folder + "/background-music.mid";
  ASSERT_GT(song.size(), 300);
  ASSERT_TRUE(smftest::Write(song, smftest::Song(4)));

  ASSERT_TRUE(rig.Drop({song}));
  EXPECT_TRUE(rig.boxes.empty());
  EXPECT_EQ(rig.window.N_EdiBgm1->text(), song);
  EXPECT_EQ(rig.Status(), "MIDIPLAY");
  EXPECT_EQ(rig.window.PopupItem(5).text().toStdString(), "一時停止(&E)");
}

TEST(DroppedFiles, DropStopsTheCdAndLeavesItsDeviceOpen) {
  MusicRig rig;
  rig.ChooseCd();
  rig.window.N_ButCDCheck1Click();
  rig.window.N_SpeBgm1Click();
  ASSERT_EQ(rig.window.bgmCdPlaying, 1);
  ASSERT_TRUE(rig.Drop({"notes.txt"}));
  EXPECT_EQ(rig.window.bgmCdPlaying, 0);
  EXPECT_EQ(rig.window.N_MedPlayer2().Mode(), MediaMode::Stopped);
  EXPECT_TRUE(rig.window.N_MedPlayer2().IsOpen());
  EXPECT_FALSE(rig.window.CdTimerOn());
  EXPECT_TRUE(EveryMusicControlDisabled(rig.window));
}

} // namespace

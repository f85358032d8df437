// Starting the background music from the sound and system window: the
// controls it sets, a file that fails once, and the repeat of a song that ends.
#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "MusicRig.h"

namespace {

using musictest::MusicRig;

TEST(MusicStartTest, StartsPlayingAndSetsTheControls) {
  MusicRig rig;
  TN_FrmSystem1 &window = rig.window;
  window.bgmMidiPlaying = 1;
  window.StartMidiBgm(rig.Path("song.mid").toStdString());
  EXPECT_TRUE(rig.boxes.empty());
  EXPECT_EQ(window.StatusText().toStdString(), "MIDIPLAY");
  EXPECT_EQ(window.N_MedPlayer1().Mode(), platform::audio::MediaMode::Playing);
  EXPECT_TRUE(window.N_ChePlay1->isChecked());
  EXPECT_FALSE(window.N_ChePlay1->isEnabled());
}

TEST(MusicStartTest, AMissingFileIsReportedOnceAndNeverRetried) {
  MusicRig rig;
  TN_FrmSystem1 &window = rig.window;
  window.bgmMidiPlaying = 1;
  window.StartMidiBgm(rig.Path("missing.mid").toStdString());
  ASSERT_EQ(rig.boxes.size(), 1u);
  EXPECT_EQ(window.N_EdiBgm1->text(), rig.Path("missing.mid"));
  EXPECT_EQ(window.StatusText().toStdString(), "");
  ASSERT_TRUE(musictest::RepeatChecks(4));
  EXPECT_EQ(rig.boxes.size(), 1u);
  EXPECT_EQ(window.N_MedPlayer1().Mode(), platform::audio::MediaMode::NotReady);
}

TEST(MusicStartTest, ASongThatEndsStartsAgainWhileRepeatIsOn) {
  MusicRig rig;
  TN_FrmSystem1 &window = rig.window;
  window.bgmMidiPlaying = 1;
  window.StartMidiBgm(rig.Path("song.mid").toStdString());
  auto &player = window.N_MedPlayer1();
  int ends = 0;
  QObject::connect(&player, &platform::audio::MidiPlayer::Ended, [&] { ++ends; });
  ASSERT_TRUE(testsupport::WaitFor([&] { return ends >= 2; })) << "the song did not loop";
  EXPECT_NE(player.Mode(), platform::audio::MediaMode::NotReady);
  EXPECT_EQ(window.StatusText().toStdString(), "MIDIPLAY");
}

} // namespace

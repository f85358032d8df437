// Starting the background music from the sound and system window: the
// controls it sets, a file that fails once, and the repeat of a song that ends.
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "MusicRig.h"
#include "platform/audio/MidiPlayer.h"
#include "platform/core/MessageBox.h"
#include "system/TN_FrmSystem1.h"

namespace {

// A Standard MIDI File of one quarter note at 120 bpm (about half a second).
QByteArray ShortSong() {
  const unsigned char bytes[] = {
      'M',  'T',  'h',  'd',  0, 0, 0, 6,  0, 0, 0, 1, 0, 96, // format 0, one track, 96 ticks a quarter
      'M',  'T',  'r',  'k',  0, 0, 0, 12,                    // a track of 12 bytes:
      0x00, 0x90, 60,   100,                                  // note on
      0x60, 0x80, 60,   0,                                    // note off a quarter later
      0x00, 0xFF, 0x2F, 0x00,                                 // end of track
  };
  return QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes);
}

class MusicStartTest : public ::testing::Test {
protected:
  void SetUp() override {
    previous_ = platform::SetMessageBoxResponder([this](const platform::MessageBoxRequest &request) {
      boxes_.push_back(request);
      return platform::IDOK;
    });
    ASSERT_TRUE(folder_.isValid());
  }
  void TearDown() override { platform::SetMessageBoxResponder(previous_); }

  QString WriteSong() {
    QString path = folder_.filePath("short.mid");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ShortSong());
    return path;
  }

  QTemporaryDir folder_;
  platform::MessageBoxResponder previous_;
  std::vector<platform::MessageBoxRequest> boxes_;
};

TEST_F(MusicStartTest, StartsPlayingAndSetsTheControls) {
  TN_FrmSystem1 window;
  window.bgmMidiPlaying = 1;
  window.StartMidiBgm(WriteSong().toStdString());
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(window.StatusText().toStdString(), "MIDIPLAY");
  EXPECT_EQ(window.N_MedPlayer1().Mode(), platform::audio::MediaMode::Playing);
  EXPECT_TRUE(window.N_ChePlay1->isChecked());
  EXPECT_FALSE(window.N_ChePlay1->isEnabled());
}

TEST_F(MusicStartTest, AMissingFileIsReportedOnceAndNeverRetried) {
  TN_FrmSystem1 window;
  window.bgmMidiPlaying = 1;
  window.StartMidiBgm(folder_.filePath("missing.mid").toStdString());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(window.N_EdiBgm1->text(), folder_.filePath("missing.mid"));
  EXPECT_EQ(window.StatusText().toStdString(), "");
  ASSERT_TRUE(musictest::RepeatChecks(4));
  EXPECT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(window.N_MedPlayer1().Mode(), platform::audio::MediaMode::NotReady);
}

TEST_F(MusicStartTest, ASongThatEndsStartsAgainWhileRepeatIsOn) {
  TN_FrmSystem1 window;
  window.bgmMidiPlaying = 1;
  window.StartMidiBgm(WriteSong().toStdString());
  auto &player = window.N_MedPlayer1();
  int ends = 0;
  QObject::connect(&player, &platform::audio::MidiPlayer::Ended, [&] { ++ends; });
  ASSERT_TRUE(testsupport::WaitFor([&] { return ends >= 2; })) << "the song did not loop";
  EXPECT_NE(player.Mode(), platform::audio::MediaMode::NotReady);
  EXPECT_EQ(window.StatusText().toStdString(), "MIDIPLAY");
}

} // namespace

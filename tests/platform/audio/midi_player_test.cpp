#include "platform/audio/MidiPlayer.h"
#include "platform/audio/SmfCheck.h"
#include "platform/core/Exception.h"

#include "tests/support/SmfWriter.h"
#include "tests/support/Waits.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using platform::audio::AudioOutput;
using platform::audio::MediaMode;
using platform::audio::MidiPlayer;

namespace {

// Four notes of 48 ticks: 1 s of music at 120 beats per minute.
const QByteArray kSong = smftest::Notes({60, 64, 67, 72}, 48);
constexpr int kSongTicks = 4 * 48;

class MidiPlayerTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    songPath_ = dir_.filePath("song.mid");
    ASSERT_TRUE(smftest::Write(songPath_, kSong));
  }
  void OpenSong(MidiPlayer &player) {
    player.SetFileName(songPath_);
    player.Open();
  }
  static std::string OpenError(MidiPlayer &player, const QString &path) {
    player.SetFileName(path);
    try {
      player.Open();
    } catch (const platform::Exception &error) {
      return error.Message();
    }
    return {};
  }

  QTemporaryDir dir_;
  QString songPath_;
  AudioOutput output_{AudioOutput::Kind::Manual};
};

TEST_F(MidiPlayerTest, PlaysToItsEndThenPlayStartsItAgain) {
  MidiPlayer player(output_);
  QSignalSpy ended(&player, &MidiPlayer::Ended);
  OpenSong(player);
  EXPECT_EQ(player.Mode(), MediaMode::Open);

  player.Play();
  output_.Advance(500ms);
  EXPECT_EQ(player.Mode(), MediaMode::Playing);
  EXPECT_GT(player.CurrentTick(), 0);
  EXPECT_LT(player.CurrentTick(), kSongTicks);

  output_.Advance(700ms);
  EXPECT_EQ(player.Mode(), MediaMode::Stopped);
  EXPECT_GE(player.CurrentTick(), kSongTicks);
  QCoreApplication::processEvents();
  EXPECT_EQ(ended.count(), 1);

  // Playing an ended piece starts it from the beginning: the repeat logic relies on it.
  player.Play();
  output_.Advance(100ms);
  EXPECT_EQ(player.Mode(), MediaMode::Playing);
  EXPECT_LT(player.CurrentTick(), kSongTicks / 2);
  output_.Advance(1500ms);
  QCoreApplication::processEvents();
  EXPECT_EQ(ended.count(), 2);
  EXPECT_EQ(player.Mode(), MediaMode::Stopped);
}

// Each file ends at its own length, whichever file was open before it.
TEST_F(MidiPlayerTest, EachFileEndsAtItsOwnLength) {
  const QString twoSeconds = dir_.filePath("long.mid");
  ASSERT_TRUE(smftest::Write(twoSeconds, smftest::Notes({60, 62, 64, 65, 67, 69, 71, 72}, 48)));
  struct Piece {
    QString file;
    std::chrono::milliseconds length;
  };
  MidiPlayer player(output_);
  for (const auto &[file, length] :
       {Piece{songPath_, 1000ms}, Piece{twoSeconds, 2000ms}, Piece{songPath_, 1000ms}}) {
    player.SetFileName(file);
    player.Open();
    player.Play();
    output_.Advance(length - 100ms);
    EXPECT_EQ(player.Mode(), MediaMode::Playing) << file.toStdString();
    output_.Advance(200ms);
    EXPECT_EQ(player.Mode(), MediaMode::Stopped) << file.toStdString();
  }
}

TEST_F(MidiPlayerTest, PauseHoldsThePositionStopAndCloseSilence) {
  MidiPlayer player(output_);
  OpenSong(player);
  player.Play();
  output_.Advance(300ms);
  player.Pause();
  EXPECT_EQ(player.Mode(), MediaMode::Paused);
  EXPECT_FALSE(output_.IsRunning()); // nothing left to pull: the output idles
  const int heldAt = player.CurrentTick();
  output_.Advance(2000ms);
  EXPECT_EQ(player.CurrentTick(), heldAt);
  player.Play(); // resumes, not from the start
  output_.Advance(100ms);
  EXPECT_GT(player.CurrentTick(), heldAt);

  player.Stop();
  EXPECT_EQ(player.Mode(), MediaMode::Stopped);
  EXPECT_FALSE(output_.IsRunning());
  player.Play();
  player.Close(); // a closed device is never "stopped", so the repeat logic leaves it alone
  EXPECT_EQ(player.Mode(), MediaMode::NotReady);
  EXPECT_FALSE(output_.IsRunning());

  EXPECT_NO_THROW(player.Stop());
  EXPECT_NO_THROW(player.Close());
  EXPECT_THROW(player.Pause(), platform::Exception);
  try {
    player.Play();
    FAIL() << "Play on a closed device";
  } catch (const platform::Exception &error) {
    EXPECT_EQ(error.Message(), "MCI デバイスがありません");
  }
}

TEST_F(MidiPlayerTest, OpenRefusesWhatItCannotPlay) {
  MidiPlayer player(output_);
  EXPECT_NE(OpenError(player, dir_.filePath("missing.mid")), "");
  const QString text = dir_.filePath("notes.mid");
  ASSERT_TRUE(smftest::Write(text, "just some text, not music\n"));
  EXPECT_NE(OpenError(player, text), "");
  // Headers that promise more than the file holds.
  const QString truncated = dir_.filePath("cut.mid");
  ASSERT_TRUE(smftest::Write(truncated, kSong.left(kSong.size() - 6)));
  EXPECT_NE(OpenError(player, truncated), "");
  QByteArray hugeLength = kSong;
  hugeLength.replace(18, 4, QByteArray("\xFF\xFF\xFF\xFF", 4)); // must not wrap around
  EXPECT_FALSE(platform::audio::IsWellFormedSmf({reinterpret_cast<const std::byte *>(hugeLength.constData()),
                                                 static_cast<std::size_t>(hugeLength.size())}));

  // A failed open leaves the device closed even if it was open before.
  OpenSong(player);
  player.Play();
  EXPECT_NE(OpenError(player, text), "");
  EXPECT_EQ(player.Mode(), MediaMode::NotReady);
  EXPECT_FALSE(output_.IsRunning());

  MidiPlayer noFont(output_, dir_.filePath("none.sf2"));
  const std::string error = OpenError(noFont, songPath_);
  EXPECT_NE(error.find("none.sf2"), std::string::npos) << error;
}

TEST_F(MidiPlayerTest, WithoutADeviceTheSilentClockPlaysInRealTime) {
  const QString blip = dir_.filePath("blip.mid");
  ASSERT_TRUE(smftest::Write(blip, smftest::Notes({72}, 12)));
  AudioOutput realTime; // the program's own choice
  if (realTime.HasDevice())
    GTEST_SKIP() << "this machine has an audio device";
  MidiPlayer player(realTime);
  QSignalSpy ended(&player, &MidiPlayer::Ended);
  player.SetFileName(blip);
  player.Open();
  player.Play();
  EXPECT_TRUE(testsupport::WaitFor([&] { return ended.count() == 1; })) << "the song ended";
  EXPECT_EQ(player.Mode(), MediaMode::Stopped);
  // Once the last notes have rung out the clock stops: an idle program costs nothing.
  EXPECT_TRUE(testsupport::WaitFor([&] { return !realTime.IsRunning(); })) << "the clock stopped";
}

} // namespace

#include "platform/audio/CdPlayer.h"
#include "platform/core/Exception.h"

#include "tests/support/TestPaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace std::chrono_literals;
using platform::audio::AudioOutput;
using platform::audio::CdDrive;
using platform::audio::CdPlayer;
using platform::audio::CdPosition;
using platform::audio::MediaMode;

namespace {

constexpr int kSectorFrames = 588;

// Pitch of what the output plays next, from the zero crossings of its left channel.
double PlayedPitch(AudioOutput &output, std::chrono::milliseconds stretch) {
  std::vector<std::int16_t> mixed(static_cast<std::size_t>(stretch.count()) * 441 / 10 * 2);
  output.Mix(mixed);
  int crossings = 0;
  for (std::size_t i = 2; i < mixed.size(); i += 2)
    if ((mixed[i - 2] < 0) != (mixed[i] < 0))
      ++crossings;
  return crossings / 2.0 / (static_cast<double>(stretch.count()) / 1000);
}

std::string ErrorOf(const std::function<void()> &action) {
  try {
    action();
  } catch (const platform::Exception &error) {
    return error.Message();
  }
  return {};
}

class TwoTrackImage : public ::testing::Test {
protected:
  void SetUp() override {
    player_.SetDeviceName(testpaths::TestData("cd/two-tracks.cue"));
    player_.Open();
  }
  AudioOutput output_{AudioOutput::Kind::Manual};
  CdPlayer player_{output_};
};

TEST_F(TwoTrackImage, PlaysTheSectorsTrackByTrackToTheEndAndAgain) {
  EXPECT_TRUE(player_.IsMediaPresent());
  ASSERT_EQ(player_.TrackCount(), 2);
  EXPECT_EQ(player_.TrackLengthSectors(1), 225);
  EXPECT_EQ(player_.TrackLengthSectors(2), 150);
  EXPECT_TRUE(player_.IsAudioTrack(2));
  EXPECT_EQ(player_.Position(), (CdPosition{1, 0, 0, 0}));

  QSignalSpy ended(&player_, &CdPlayer::Ended);
  player_.Play();
  EXPECT_NEAR(PlayedPitch(output_, 1000ms), 440, 5);
  // Positions count within the track, without the disc's 2 s lead-in.
  EXPECT_EQ(player_.Position(), (CdPosition{1, 0, 1, 0}));
  output_.Advance(2000ms);
  EXPECT_EQ(player_.Position(), (CdPosition{2, 0, 0, 0}));
  EXPECT_NEAR(PlayedPitch(output_, 1000ms), 660, 5);

  output_.Advance(1500ms);
  EXPECT_EQ(player_.Mode(), MediaMode::Stopped);
  EXPECT_EQ(player_.Position(), (CdPosition{2, 0, 2, 0}));
  QCoreApplication::processEvents();
  EXPECT_EQ(ended.count(), 1);
  EXPECT_FALSE(output_.IsRunning());

  // Played again at the end of the disc, it starts from the first track.
  player_.Play();
  EXPECT_EQ(player_.Position(), (CdPosition{1, 0, 0, 0}));
}

TEST_F(TwoTrackImage, StopKeepsTheDeviceOpenAndThePosition) {
  player_.Play();
  output_.Advance(1200ms);
  player_.Stop();
  EXPECT_EQ(player_.Mode(), MediaMode::Stopped);
  EXPECT_TRUE(player_.IsMediaPresent());
  EXPECT_FALSE(output_.IsRunning());
  EXPECT_EQ(player_.Position(), (CdPosition{1, 0, 1, 15}));
  player_.Play(); // on from where it stopped
  output_.Advance(1000ms);
  EXPECT_EQ(player_.Position(), (CdPosition{1, 0, 2, 15}));
  player_.Close();
  EXPECT_FALSE(player_.IsMediaPresent());
}

TEST_F(TwoTrackImage, NextAndPreviousGoToTrackStarts) {
  player_.Next();
  EXPECT_EQ(player_.Position(), (CdPosition{2, 0, 0, 0}));
  player_.Next(); // already on the last track: its start
  EXPECT_EQ(player_.Position(), (CdPosition{2, 0, 0, 0}));
  player_.Previous(); // at the start of track 2: to track 1
  EXPECT_EQ(player_.Position(), (CdPosition{1, 0, 0, 0}));
  player_.Previous(); // nothing before track 1
  EXPECT_EQ(player_.Position(), (CdPosition{1, 0, 0, 0}));

  // While playing: into track 1, Previous goes back to its start and the music goes on.
  player_.Play();
  output_.Advance(2000ms);
  player_.Previous();
  EXPECT_EQ(player_.Position(), (CdPosition{1, 0, 0, 0}));
  EXPECT_EQ(player_.Mode(), MediaMode::Playing);
  player_.Next();
  EXPECT_NEAR(PlayedPitch(output_, 500ms), 660, 10);
}

// A disc image of our own: audio, a data track, audio again, one second each.
class MixedModeImage : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    const int samples = 75 * kSectorFrames * 2;
    const QByteArray bin = QByteArray("\xE8\x03", 2).repeated(samples) + QByteArray(75 * 2352, '\x55') +
                           QByteArray("\x18\xFC", 2).repeated(samples); // +1000, data, -1000
    ASSERT_TRUE(WriteFile("mixed.bin", bin));
    ASSERT_TRUE(WriteFile("mixed.cue", "FILE \"mixed.bin\" BINARY\n"
                                       "  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                       "  TRACK 02 MODE1/2352\n    INDEX 01 00:01:00\n"
                                       "  TRACK 03 AUDIO\n    INDEX 01 00:02:00\n"));
    player_.SetDeviceName(dir_.filePath("mixed.cue"));
    player_.Open();
  }
  bool WriteFile(const QString &name, const QByteArray &bytes) {
    QFile file(dir_.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  }
  QTemporaryDir dir_;
  AudioOutput output_{AudioOutput::Kind::Manual};
  CdPlayer player_{output_};
};

TEST_F(MixedModeImage, DataTrackIsNeverPlayedAsSound) {
  ASSERT_EQ(player_.TrackCount(), 3);
  EXPECT_FALSE(player_.IsAudioTrack(2));
  player_.Play();
  std::vector<std::int16_t> mixed(44100 * 3 / 2 * 2);
  output_.Mix(mixed);
  EXPECT_EQ(std::count(mixed.begin(), mixed.end(), 1000), 44100 * 2);
  EXPECT_EQ(std::count(mixed.begin(), mixed.end(), -1000), 22050 * 2); // no data sectors between
  EXPECT_EQ(player_.Position(), (CdPosition{3, 0, 0, 37}));

  player_.Previous(); // past the data track, back to track 1
  player_.Previous();
  EXPECT_EQ(player_.Position(), (CdPosition{1, 0, 0, 0}));
  player_.Next();
  EXPECT_EQ(player_.Position(), (CdPosition{3, 0, 0, 0}));
}

TEST(CdPlayer, NoDeviceFailsCleanly) {
  AudioOutput output(AudioOutput::Kind::Manual);
  CdPlayer player(output);
  EXPECT_FALSE(player.IsMediaPresent());
  EXPECT_NO_THROW(player.Stop());
  EXPECT_EQ(ErrorOf([&] { player.Play(); }), "MCI デバイスがありません");
  player.SetDeviceName("/nonexistent/disc.cue");
  EXPECT_EQ(ErrorOf([&] { player.Open(); }), "オーディオCDをオープンできませんでした");
  if (!CdDrive::DefaultDevice().isEmpty())
    GTEST_SKIP() << "this machine has a CD drive";
  player.SetDeviceName({});
  EXPECT_EQ(ErrorOf([&] { player.Open(); }), "オーディオCDをオープンできませんでした");
  EXPECT_EQ(player.Mode(), MediaMode::NotReady);
}

} // namespace

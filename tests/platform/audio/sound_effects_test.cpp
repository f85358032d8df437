#include "platform/audio/SoundEffects.h"

#include "tests/support/TestPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using platform::audio::AudioOutput;
using platform::audio::SoundEffects;

namespace {

constexpr auto kLongerThanAnyTestFile = 1000ms; // they last 0.2 to 0.3 s

class SoundEffectsTest : public ::testing::Test {
protected:
  static QString Wav(const char *name) { return testpaths::TestData(QString("wav/") + name); }
  void PlayOut() {
    output_.Advance(kLongerThanAnyTestFile);
    QCoreApplication::processEvents();
  }

  AudioOutput output_{AudioOutput::Kind::Manual};
  SoundEffects sounds_{output_};
};

TEST_F(SoundEffectsTest, SearchSoundsComeFromTheCurrentFolderOneAtATimeAndBadOnesAreIgnored) {
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(testpaths::TestData("wav")));
  sounds_.Play("pcm16-stereo-44k.wav");
  QDir::setCurrent(previous);
  EXPECT_TRUE(sounds_.IsPlaying());
  sounds_.Play(Wav("ulaw-mono-8k.wav")); // cuts the first
  PlayOut();
  EXPECT_FALSE(sounds_.IsPlaying());
  EXPECT_FALSE(output_.IsRunning());

  for (const char *name : {"garbage.wav", "truncated-header.wav", "missing-sound.wav"}) {
    EXPECT_NO_THROW(sounds_.Play(Wav(name)));
    EXPECT_FALSE(sounds_.IsPlaying()) << name;
  }
  bool finished = false;
  EXPECT_FALSE(sounds_.PlayFile(Wav("garbage.wav"), [&] { finished = true; }));
  QCoreApplication::processEvents();
  EXPECT_FALSE(finished);
}

TEST_F(SoundEffectsTest, DroppedFileReportsItsEndOnceThroughTheEventLoop) {
  int finished = 0;
  ASSERT_TRUE(sounds_.PlayFile(Wav("pcm24-mono-48k.wav"), [&] { ++finished; }));
  output_.Advance(100ms);
  QCoreApplication::processEvents();
  EXPECT_TRUE(sounds_.IsFilePlaying());
  EXPECT_EQ(finished, 0);

  output_.Advance(kLongerThanAnyTestFile);
  EXPECT_FALSE(sounds_.IsFilePlaying());
  EXPECT_EQ(finished, 0); // never from inside the output's pull
  QCoreApplication::processEvents();
  EXPECT_EQ(finished, 1);
  PlayOut();
  EXPECT_EQ(finished, 1);
}

TEST_F(SoundEffectsTest, AnotherDropOrStopCutsTheFileWithoutItsNotice) {
  int first = 0, second = 0;
  ASSERT_TRUE(sounds_.PlayFile(Wav("pcm8-mono-22k.wav"), [&] { ++first; }));
  ASSERT_TRUE(sounds_.PlayFile(Wav("float32-mono-44k.wav"), [&] { ++second; }));
  PlayOut();
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);

  // An end already seen but not yet delivered is dropped by a Stop.
  ASSERT_TRUE(sounds_.PlayFile(Wav("ima-adpcm-mono-11k.wav"), [&] { ++first; }));
  output_.Advance(kLongerThanAnyTestFile);
  sounds_.StopFile();
  QCoreApplication::processEvents();
  EXPECT_EQ(first, 0);
}

} // namespace

// The audio CD source on disc images libcdio opens like discs: the disc check
// against no drive, no disc and a real image, the track list, the
// track-and-time status, stop, a disc taken out, previous and next, repeat.
#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "MusicRig.h"
#include "platform/audio/CdDrive.h"
#include "tests/support/TestPaths.h"

namespace {

using musictest::MusicRig;
using platform::audio::CdPlayer;
using platform::audio::MediaMode;

QStringList Tracks(TN_FrmSystem1 &w) {
  QStringList items;
  for (int i = 0; i < w.TrackList().count(); ++i)
    items << w.TrackList().itemText(i);
  return items;
}

TEST(CdCheck, NoDriveSaysSoTwiceUnderTheBusyCursor) {
  MusicRig rig;
  std::vector<bool> busy;
  rig.respond = [&](const platform::MessageBoxRequest &) {
    const QCursor *cursor = QApplication::overrideCursor();
    busy.push_back(cursor != nullptr && cursor->shape() == Qt::WaitCursor);
    return platform::IDOK;
  };
  rig.ChooseCd("no-such-drive.cue");
  rig.window.N_ButCDCheck1Click();
  ASSERT_EQ(rig.boxes.size(), 2u);
  EXPECT_EQ(rig.boxes[0].text, "オーディオCDをオープンできませんでした");
  EXPECT_EQ(rig.boxes[1].text, "オーディオCDがありません");
  for (const auto &box : rig.boxes) {
    EXPECT_EQ(box.caption, "");
    EXPECT_EQ(box.flags, platform::MB_OK | platform::MB_ICONEXCLAMATION);
  }
  EXPECT_EQ(busy, (std::vector<bool>{true, false}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(rig.window.CdTimerOn());
  EXPECT_TRUE(Tracks(rig.window).isEmpty());

  if (!platform::audio::CdDrive::DefaultDevice().isEmpty())
    GTEST_SKIP() << "this machine has a CD drive";
  rig.window.SetCdDeviceName({}); // the system's default drive: none here
  rig.window.N_ButCDCheck1Click();
  EXPECT_EQ(rig.boxes.size(), 4u);
}

TEST(CdCheck, NoDiscClosesTheDevice) {
  MusicRig rig;
  rig.ChooseCd("nodisc.cue");
  rig.window.N_ButCDCheck1Click();
  ASSERT_EQ(rig.boxes.size(), 1u);
  EXPECT_EQ(rig.boxes[0].text, "オーディオCDがありません");
  EXPECT_FALSE(rig.window.N_MedPlayer2().IsOpen());
  EXPECT_FALSE(rig.window.CdTimerOn());
  EXPECT_TRUE(rig.window.CdCheckButton().isVisibleTo(&rig.window)) << "still there to try again";
}

TEST(CdCheck, ImageListsItsTracksEachTimeItIsChecked) {
  MusicRig rig;
  rig.window.N_ButTab3Click();
  rig.window.SetCdDeviceName(testpaths::TestData("cd/two-tracks.cue"));
  rig.window.N_PopBgm1Click();
  rig.window.N_ButCDCheck1Click();
  EXPECT_TRUE(rig.boxes.empty());
  EXPECT_EQ(rig.window.cdTrackCount, "2");
  EXPECT_EQ(rig.window.N_MedPlayer2().TrackLengthSectors(1), 225);
  EXPECT_EQ(rig.window.N_MedPlayer2().TrackLengthSectors(2), 150);
  EXPECT_EQ(Tracks(rig.window), (QStringList{"1", "2"}));
  EXPECT_TRUE(rig.window.CdTimerOn());
  EXPECT_FALSE(rig.window.TrackList().isEnabled());
  rig.window.N_ButCDCheck1Click();
  EXPECT_EQ(Tracks(rig.window), (QStringList{"1", "2", "1", "2"})) << "appended, not cleared";
}

TEST(CdPlay, StatusFollowsTrackAndTimeAndStopKeepsItGoing) {
  MusicRig rig;
  rig.window.SetCdDeviceName(testpaths::TestData("cd/two-tracks.cue"));
  rig.window.N_PopBgm1Click();
  rig.window.N_ButCDCheck1Click();
  rig.window.N_TimCheck1Timer();
  EXPECT_EQ(rig.Status(), "<1>  0:00");
  rig.window.N_SpeBgm5Click();
  rig.window.N_TimCheck1Timer();
  EXPECT_EQ(rig.Status(), "<2>  0:00");
  EXPECT_EQ(rig.window.cdLastTrack, 2);
  rig.window.N_SpeBgm4Click();
  rig.window.N_TimCheck1Timer();
  EXPECT_EQ(rig.Status(), "<1>  0:00");

  rig.window.N_SpeBgm1Click();
  EXPECT_EQ(rig.window.bgmCdPlaying, 1);
  EXPECT_EQ(rig.window.N_MedPlayer2().Mode(), MediaMode::Playing);
  const QRegularExpression playing("^<1>  0:0[1-2]$");
  ASSERT_TRUE(testsupport::WaitFor([&] { return playing.match(rig.window.StatusText()).hasMatch(); }))
      << "the timer's status: " << rig.Status();

  rig.window.N_SpeBgm3Click();
  EXPECT_EQ(rig.window.bgmCdPlaying, 0);
  EXPECT_EQ(rig.window.N_MedPlayer2().Mode(), MediaMode::Stopped);
  EXPECT_TRUE(rig.window.N_MedPlayer2().IsOpen());
  EXPECT_TRUE(rig.window.CdTimerOn());
  rig.window.N_TimCheck1Timer();
  EXPECT_TRUE(playing.match(rig.window.StatusText()).hasMatch()) << "the stopped position: " << rig.Status();
  EXPECT_TRUE(rig.boxes.empty());
}

TEST(CdPlay, DiscTakenOutIsNoticedOnTheNextTickWithoutAMessage) {
  MusicRig rig;
  rig.ChooseCd();
  rig.window.N_ButCDCheck1Click();
  rig.window.N_SpeBgm1Click();
  ASSERT_TRUE(testsupport::WaitFor([&] { return !rig.Status().empty(); })) << "the CD timer showed the time";
  ASSERT_TRUE(QFile::remove(rig.Path("disc.cue"))); // the disc is taken out
  ASSERT_TRUE(testsupport::WaitFor([&] { return !rig.window.CdTimerOn(); })) << "the CD timer stopped";
  EXPECT_FALSE(rig.window.N_MedPlayer2().IsOpen());
  EXPECT_EQ(rig.Status(), "");
  EXPECT_TRUE(rig.boxes.empty());
  ASSERT_TRUE(musictest::RepeatChecks(3));
  EXPECT_TRUE(rig.boxes.empty()) << "the repeat leaves a missing disc alone";

  rig.window.N_SpeBgm1Click(); // play without a disc
  ASSERT_EQ(rig.boxes.size(), 1u);
  EXPECT_EQ(rig.boxes[0].text, "オーディオCDがありません");
}

TEST(CdPlay, PreviousAndNextOnlyWithTheCdSourceAndAnOpenDevice) {
  MusicRig rig;
  rig.ChooseCd();
  rig.window.N_SpeBgm5Click(); // before any check: the device is closed
  rig.window.N_SpeBgm4Click();
  EXPECT_TRUE(rig.boxes.empty());

  rig.window.N_ButCDCheck1Click();
  rig.window.N_SpeBgm5Click();
  EXPECT_EQ(rig.window.N_MedPlayer2().Position().track, 2);
  rig.window.N_PopBgm2Click(); // the MIDI source
  rig.window.N_SpeBgm4Click();
  EXPECT_EQ(rig.window.N_MedPlayer2().Position().track, 2);
  EXPECT_TRUE(rig.boxes.empty());
}

TEST(CdPlay, DiscRepeatsWithAutoRepeatAndEndsWithout) {
  MusicRig rig;
  rig.Write("short.bin", QByteArray(30 * 2352, '\0')); // 0.4 s
  rig.Write("short.cue", "FILE \"short.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
  rig.ChooseCd("short.cue");
  rig.window.N_ButCDCheck1Click();
  rig.window.N_SpeBgm1Click();
  QSignalSpy ended(&rig.window.N_MedPlayer2(), &CdPlayer::Ended);
  ASSERT_TRUE(testsupport::WaitFor([&] { return ended.count() >= 2; })) << "the disc repeated";
  EXPECT_EQ(rig.window.bgmCdPlaying, 1);
  EXPECT_EQ(rig.window.N_MedPlayer2().Mode(), MediaMode::Playing);

  rig.window.N_ChePlay1->setChecked(false);
  ASSERT_TRUE(testsupport::WaitFor([&] { return rig.window.bgmCdPlaying == 0; })) << "the disc ended";
  EXPECT_EQ(rig.window.N_MedPlayer2().Mode(), MediaMode::Stopped);
  EXPECT_TRUE(rig.window.PopupItem(1).isEnabled()) << "the end step enables the source items";
  EXPECT_TRUE(rig.window.GlyphButton(1).isEnabled());
  EXPECT_TRUE(rig.boxes.empty());
}

TEST(CdPlay, DataTrackIsSkipped) {
  MusicRig rig;
  rig.Write("mixed.bin", QByteArray(150 * 2352, '\0'));
  rig.Write("mixed.cue", "FILE \"mixed.bin\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n"
                         "  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n");
  rig.ChooseCd("mixed.cue");
  rig.window.N_ButCDCheck1Click();
  rig.window.N_SpeBgm1Click();
  rig.window.N_TimCheck1Timer();
  EXPECT_EQ(rig.window.cdCurrentTrack, "2");
  EXPECT_TRUE(rig.boxes.empty());
}

} // namespace

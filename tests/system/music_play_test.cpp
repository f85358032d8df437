// Playing MIDI music from the sound and system window: pause and resume, the
// repeat of a song that ends, a file that can't be opened, the file dialog,
// the source radios and the pop-up menu.
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "MusicRig.h"

namespace {

using musictest::MusicRig;
using platform::audio::MediaMode;
using platform::audio::MidiPlayer;

TEST(MusicPlay, PausedSongIsNeverRestartedAndResumesWhereItStopped) {
  MusicRig rig;
  rig.StartMusic("song.mid"); // half a second
  auto &player = rig.window.N_MedPlayer1();
  rig.window.N_SpeBgm2Click();
  EXPECT_EQ(rig.Status(), "MIDIPAUSE");
  EXPECT_EQ(player.Mode(), MediaMode::Paused);
  const int tick = player.CurrentTick();

  ASSERT_TRUE(musictest::RepeatChecks(8)); // longer than the song
  emit player.Ended();                     // an end notice that arrives after the pause
  EXPECT_EQ(player.Mode(), MediaMode::Paused);
  EXPECT_EQ(player.CurrentTick(), tick);
  EXPECT_EQ(rig.Status(), "MIDIPAUSE");

  rig.window.N_SpeBgm2Click(); // the status is not "MIDIPLAY": resume
  EXPECT_EQ(rig.Status(), "MIDIPLAY");
  EXPECT_EQ(player.Mode(), MediaMode::Playing);
  EXPECT_EQ(rig.window.PopupItem(5).text().toStdString(), "一時停止(&E)");
  QSignalSpy ended(&player, &MidiPlayer::Ended);
  ASSERT_TRUE(testsupport::WaitFor([&] { return ended.count() >= 2; })) << "the resumed song did not loop";
  EXPECT_EQ(rig.Status(), "MIDIPLAY");

  rig.window.N_SpeBgm3Click(); // stopped for good: closed, never restarted
  ASSERT_TRUE(musictest::RepeatChecks(7));
  EXPECT_EQ(player.Mode(), MediaMode::NotReady);
  rig.window.N_SpeBgm2Click(); // nothing to pause or resume
  EXPECT_EQ(rig.Status(), "");
  EXPECT_TRUE(rig.boxes.empty());
}

TEST(MusicPlay, MissingFileIsReportedOnceAndNeverRetried) {
  MusicRig rig;
  rig.window.N_EdiBgm1->setText(rig.Path("missing.mid"));
  rig.window.N_SpeBgm1Click();
  ASSERT_EQ(rig.boxes.size(), 1u);
  EXPECT_EQ(rig.boxes[0].caption, "");
  EXPECT_EQ(rig.window.bgmMidiPlaying, 1);
  EXPECT_TRUE(rig.window.GlyphButton(1).isEnabled()) << "controls keep their state before the open";
  EXPECT_EQ(rig.Status(), "");
  ASSERT_TRUE(musictest::RepeatChecks(4));
  EXPECT_EQ(rig.boxes.size(), 1u);
  EXPECT_EQ(rig.window.N_MedPlayer1().Mode(), MediaMode::NotReady);
}

TEST(MusicPlay, FileDialogFillsTheBoxAndCancelKeepsIt) {
  MusicRig rig;
  QString filterSeen;
  QString answer = rig.Path("song.mid");
  rig.window.SetOpenDialogRunner([&](QWidget *, const QString &filter) {
    filterSeen = filter;
    return answer;
  });
  rig.window.OpenButton().click();
  EXPECT_EQ(filterSeen.toStdString(), "MIDIﾌｧｲﾙ（*.mid） (*.[mM][iI][dD])");
  EXPECT_EQ(rig.window.N_EdiBgm1->text(), rig.Path("song.mid"));
  EXPECT_EQ(rig.window.N_MedPlayer1().Mode(), MediaMode::NotReady) << "nothing plays until play";
  answer.clear();
  rig.window.N_ButOpen1Click();
  EXPECT_EQ(rig.window.N_EdiBgm1->text(), rig.Path("song.mid"));
  rig.window.N_SpeBgm1Click();
  EXPECT_EQ(rig.window.N_MedPlayer1().FileName(), rig.Path("song.mid"));
}

TEST(MusicPlay, RadiosRunTheirHandlerOnceWhenChecked) {
  MusicRig rig;
  auto &cd = rig.window.CdRadio();
  auto &midi = rig.window.MidiRadio();
  QAction &cdCheckItem = rig.window.PopupItem(6);
  cd.setEnabled(true); // never enabled by the window itself

  cdCheckItem.setEnabled(true);
  midi.click(); // already checked: stays so, nothing runs
  EXPECT_TRUE(midi.isChecked());
  EXPECT_TRUE(cdCheckItem.isEnabled());

  cd.click();
  EXPECT_TRUE(cd.isChecked());
  EXPECT_FALSE(midi.isChecked());
  EXPECT_FALSE(rig.window.N_EdiBgm1->isEnabled()) << "the CD source handler ran";
  rig.window.N_EdiBgm1->setEnabled(true);
  cd.click();
  EXPECT_TRUE(cd.isChecked());
  EXPECT_TRUE(rig.window.N_EdiBgm1->isEnabled()) << "a click on the checked radio ran its handler";

  midi.click();
  EXPECT_TRUE(midi.isChecked());
  EXPECT_FALSE(cd.isChecked());
  EXPECT_FALSE(cdCheckItem.isEnabled()) << "the MIDI source handler ran";

  // Unchecking runs nothing, and both may be unchecked: a drop unchecks the
  // MIDI radio, whose handler would enable the file box and disable the item.
  cdCheckItem.setEnabled(true);
  rig.window.N_EdiBgm1->setEnabled(false);
  ASSERT_TRUE(rig.Drop({"notes.txt"}));
  EXPECT_FALSE(cd.isChecked());
  EXPECT_FALSE(midi.isChecked());
  EXPECT_TRUE(cdCheckItem.isEnabled());
  EXPECT_FALSE(rig.window.N_EdiBgm1->isEnabled());
}

TEST(MusicPlay, PopupMenuOnRightClickRunsTheButtonHandlers) {
  MusicRig rig;
  const char *captions[] = {
      "CDによるBGM(&C)", "MIDIによるBGM(&M)",     "再生(&P)", "停止(&D)", "一時停止(&E)",
      "CDチェック(&H)",  "コントロールパネル(&A)"};
  for (int n = 1; n <= 7; ++n)
    EXPECT_EQ(rig.window.PopupItem(n).text().toStdString(), captions[n - 1]);
  EXPECT_EQ(rig.window.PopupMenu().actions().size(), 9) << "seven items and two separators";

  rig.window.show();
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(100, 100),
                               rig.window.mapToGlobal(QPoint(100, 100)));
  QApplication::sendEvent(&rig.window, &rightClick);
  EXPECT_TRUE(rig.window.PopupMenu().isVisible());
  rig.window.PopupMenu().hide();

  // "再生(&P)" while the start-up music plays reopens the file and sets the items as play does.
  rig.StartMusic();
  rig.window.PopupItem(3).trigger();
  EXPECT_EQ(rig.Status(), "MIDIPLAY");
  EXPECT_FALSE(rig.window.PopupItem(3).isEnabled());
  EXPECT_TRUE(rig.window.PopupItem(4).isEnabled());
  rig.window.PopupItem(5).trigger();
  EXPECT_EQ(rig.Status(), "MIDIPAUSE");
  EXPECT_EQ(rig.window.PopupItem(5).text().toStdString(), "再開(&E)");
  rig.window.PopupItem(4).trigger();
  EXPECT_EQ(rig.Status(), "");
  EXPECT_EQ(rig.window.bgmMidiPlaying, 0);
  EXPECT_TRUE(rig.boxes.empty());
}

} // namespace

// The sound and system window's music controls after each operation, row by
// row: a row names the controls the operation sets; every other one must keep
// its state. The window is worked as a user works it (tab and push buttons
// found by their caption, the glyph buttons by their place, pop-up items chosen
// from the menu a right click opens, files dropped on the window), or by the
// program itself (the start-up music, a song's end, the CD timer).
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QListWidget>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>

#include "MusicRig.h"
#include "platform/core/Controls.h"
#include "tests/support/StateColumns.h"

namespace {

using musictest::MusicRig;
using testcolumns::State;

const char *On(bool on) { return on ? "+" : "-"; }
const char *Both(bool a, bool b) { return a == b ? On(a) : "mixed"; }
const char *Checked(bool on) { return on ? "checked" : "unchecked"; }

// The music controls as the tables' columns: + enabled or shown, - disabled or
// hidden; "P", "D", "E", "H" are the pop-up items "再生(&P)", "停止(&D)",
// "一時停止(&E)" and "CDチェック(&H)".
State Snapshot(TN_FrmSystem1 &w) {
  return {{"play", On(w.GlyphButton(1).isEnabled())},
          {"pause", On(w.GlyphButton(2).isEnabled())},
          {"stop", On(w.GlyphButton(3).isEnabled())},
          {"prevnext", Both(w.GlyphButton(4).isEnabled(), w.GlyphButton(5).isEnabled())},
          {"cd", On(w.CdRadio().isEnabled())},
          {"cd?", Checked(w.CdRadio().isChecked())},
          {"midi", On(w.MidiRadio().isEnabled())},
          {"midi?", Checked(w.MidiRadio().isChecked())},
          {"P", On(w.PopupItem(3).isEnabled())},
          {"D", On(w.PopupItem(4).isEnabled())},
          {"E", On(w.PopupItem(5).isEnabled())},
          {"Ecaption", w.PopupItem(5).text().toStdString()},
          {"H", On(w.PopupItem(6).isEnabled())},
          {"sources", Both(w.PopupItem(1).isEnabled(), w.PopupItem(2).isEnabled())},
          {"edit", Both(w.N_EdiBgm1->isEnabled(), w.OpenButton().isEnabled())},
          {"cdbutton", On(!w.CdCheckButton().isHidden())},
          {"repeat", On(w.N_ChePlay1->isEnabled())},
          {"repeat?", Checked(w.N_ChePlay1->isChecked())},
          {"timer", w.CdTimerOn() ? "on" : "off"},
          {"status", w.StatusText().toStdString()}};
}

// Where the glyph buttons play, pause, stop, previous and next stand.
const QPoint kGlyphs[] = {{219, 123}, {251, 123}, {283, 123}, {331, 123}, {363, 123}};
enum Glyph { kPlay, kPause, kStop, kPrevious, kNext };

class User {
public:
  explicit User(MusicRig &rig) : rig_(rig), w_(rig.window) { w_.show(); }

  // A push button, tab or radio with this caption, as it shows on the window.
  void Press(const char *caption) {
    for (QAbstractButton *button : w_.findChildren<QAbstractButton *>())
      if (button->text() == QString::fromUtf8(caption) && button->isVisible()) {
        ASSERT_TRUE(button->isEnabled()) << caption;
        QTest::mouseClick(button, Qt::LeftButton);
        return;
      }
    FAIL() << "no button " << caption << " shows";
  }
  void Press(Glyph glyph) {
    const QPoint at = kGlyphs[glyph] + QPoint(15, 15);
    QWidget *button = w_.childAt(at);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << "glyph " << glyph;
    QTest::mouseClick(button, Qt::LeftButton, {}, button->mapFrom(&w_, at));
  }
  // Right-clicks the window and clicks the pop-up item with this caption.
  void Choose(const char *caption) {
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(100, 100),
                                 w_.mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(&w_, &rightClick);
    QMenu &menu = w_.PopupMenu();
    ASSERT_TRUE(testsupport::WaitFor([&] { return menu.isVisible(); })) << "the pop-up menu shown";
    for (QAction *item : menu.actions())
      if (item->text() == QString::fromUtf8(caption)) {
        ASSERT_TRUE(item->isEnabled()) << caption;
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(item).center());
        return;
      }
    FAIL() << "no pop-up item " << caption;
  }

  State Snapshot() {
    State state = ::Snapshot(w_);
    const bool information = w_.InformationPicture().isVisibleTo(&w_);
    const bool sound = w_.N_EdiBgm1->isVisibleTo(&w_), environment = w_.EnvironmentList().isVisibleTo(&w_);
    state["page"] = information ? "information" : sound ? "sound" : environment ? "environment" : "start";
    state["window"] = w_.isVisible() ? "shown" : "hidden";
    state["track"] = std::to_string(w_.N_MedPlayer2().Position().track);
    state["file"] = QFileInfo(w_.N_EdiBgm1->text()).fileName().toStdString();
    state["boxes"] = std::to_string(rig_.boxes.size());
    return state;
  }

  MusicRig &rig_;
  TN_FrmSystem1 &w_;
};

void Nothing(User &) {}
void SoundPage(User &user) { user.Press("音源設定(&B)"); }
void Playing(User &user) {
  user.rig_.StartMusic();
  SoundPage(user);
}
// Played with the play button: the pop-up's stop and pause items are enabled.
void Played(User &user) {
  user.w_.N_EdiBgm1->setText(user.rig_.Path("long.mid"));
  SoundPage(user);
  user.Press(kPlay);
}
// The song has ended without repeat: the source items are enabled.
void Ended(User &user) {
  SoundPage(user);
  user.w_.N_ChePlay1->setChecked(false);
  user.w_.N_EdiBgm1->setText(user.rig_.Path("song.mid"));
  user.Press(kPlay);
  ASSERT_TRUE(testsupport::WaitFor([&] { return user.rig_.Status().empty(); })) << "the song ended";
}
void CdChosen(User &user) {
  Ended(user);
  user.Choose("CDによるBGM(&C)");
}
void CdOnSoundPage(User &user) {
  SoundPage(user);
  user.rig_.ChooseCd();
}
void CdChecked(User &user) {
  CdOnSoundPage(user);
  user.Press("CDチェック(&H)");
}
// Played, then stopped.
void Stopped(User &user) {
  Playing(user);
  user.w_.N_SpeBgm3Click();
}
void Paused(User &user) {
  Playing(user);
  user.Press(kPause);
}
void CdPlaying(User &user) {
  CdChecked(user);
  user.Press(kPlay);
}
// The disc is taken out of the drive: its image is gone.
void DiscTakenOut(User &user) {
  user.w_.N_TimCheck1Timer();
  ASSERT_NE(user.rig_.Status(), "");
  ASSERT_TRUE(QFile::remove(user.rig_.Path("disc.cue")));
}

const std::string kPlayed =
    "play=- pause=+ stop=+ cd=- midi=- P=- D=+ E=+ sources=- repeat=- status=MIDIPLAY";
const std::string kStopped = "play=+ pause=- stop=- midi=+ P=+ D=- E=- sources=- status=";
const std::string kPaused = "Ecaption=再開(&E) status=MIDIPAUSE";
const std::string kMidiChosen =
    "play=+ prevnext=- P=+ D=- E=- H=- edit=+ cdbutton=- timer=off cd?=unchecked midi?=checked";
const std::string kCdChecked = "P=+ D=- E=- H=- cdbutton=- timer=on track=1";
const std::string kDropAny =
    "play=- pause=- stop=- prevnext=- cd=- cd?=unchecked midi=- midi?=unchecked P=- D=- E=- "
    "sources=- repeat=- timer=off status= ";

struct Row {
  const char *name;
  std::function<void(User &)> setup, action;
  std::string sets; // the columns the action sets; every other one keeps its state
};
void PrintTo(const Row &row, std::ostream *out) { *out << row.name; }

const Row kRows[] = {
    {"InformationTab", Nothing, [](User &u) { u.Press("情報(&S)"); }, "page=information"},
    {"SoundTab", Nothing, [](User &u) { u.Press("音源設定(&B)"); }, "page=sound"},
    {"EnvironmentTab", Nothing, [](User &u) { u.Press("環境変数(&O)"); }, "page=environment"},
    {"CloseTab", SoundPage, [](User &u) { u.Press("終了(&X)"); }, "window=hidden"},
    {"PlayButton", Stopped, [](User &u) { u.Press(kPlay); }, kPlayed},
    {"PauseButton", Playing, [](User &u) { u.Press(kPause); }, kPaused},
    {"StopButton", Playing, [](User &u) { u.Press(kStop); }, kStopped},
    {"NextButton", CdChecked, [](User &u) { u.Press(kNext); }, "track=2"},
    {"PreviousButton",
     [](User &u) {
       CdChecked(u);
       u.w_.N_SpeBgm5Click();
     },
     [](User &u) { u.Press(kPrevious); }, "track=1"},
    {"PlayItem", Stopped, [](User &u) { u.Choose("再生(&P)"); }, kPlayed},
    {"StopItem", Played, [](User &u) { u.Choose("停止(&D)"); }, kStopped},
    {"PauseItem", Played, [](User &u) { u.Choose("一時停止(&E)"); }, kPaused},
    {"CdSourceItem", Ended, [](User &u) { u.Choose("CDによるBGM(&C)"); },
     "play=+ prevnext=+ P=- D=- E=- H=+ edit=- cdbutton=+ cd?=checked midi?=unchecked"},
    {"MidiSourceItem", CdChosen, [](User &u) { u.Choose("MIDIによるBGM(&M)"); }, kMidiChosen},
    {"MidiRadio", CdChosen, [](User &u) { u.Press("MIDIによるBGM(&M)"); }, kMidiChosen},
    {"CdCheckItem", CdOnSoundPage, [](User &u) { u.Choose("CDチェック(&H)"); }, kCdChecked},
    {"CdCheckButton", CdOnSoundPage, [](User &u) { u.Press("CDチェック(&H)"); }, kCdChecked},
    {"FileButton",
     [](User &u) {
       SoundPage(u);
       u.w_.SetOpenDialogRunner([&u](QWidget *, const QString &) { return u.rig_.Path("song.mid"); });
     },
     [](User &u) { u.Press("..."); }, "file=song.mid"},
    {"MidiDropAfterWave", [](User &u) { ASSERT_TRUE(u.rig_.Drop({"sound.wav"})); },
     [](User &u) { ASSERT_TRUE(u.rig_.Drop({"long.mid"})); },
     "pause=+ stop=+ midi?=checked D=+ E=+ edit=+ repeat?=checked status=MIDIPLAY file=long.mid"},
    {"StopWhilePaused", Paused, [](User &u) { u.Press(kStop); }, kStopped + " Ecaption=一時停止(&E)"},
    {"ResumeButton", Paused, [](User &u) { u.Press(kPause); }, "Ecaption=一時停止(&E) status=MIDIPLAY"},
    {"DropOtherFile", Playing, [](User &u) { ASSERT_TRUE(u.rig_.Drop({"notes.txt"})); }, kDropAny},
    {"DropMidi", CdChecked, [](User &u) { ASSERT_TRUE(u.rig_.Drop({"song.mid"})); },
     kDropAny + "pause=+ stop=+ midi?=checked D=+ E=+ H=- edit=+ cdbutton=- repeat?=checked status=MIDIPLAY "
                "file=song.mid"},
    {"DropWave", Playing, [](User &u) { ASSERT_TRUE(u.rig_.Drop({"sound.wav"})); },
     kDropAny + "repeat?=unchecked status=WAVEPLAY"},
    {"PlayCdWithDisc", CdChecked, [](User &u) { u.Press(kPlay); },
     "play=- pause=- stop=+ cd=- midi=- P=- D=+ E=- sources=- repeat=- timer=on"},
    {"PlayCdWithoutDisc",
     [](User &u) {
       CdChecked(u);
       DiscTakenOut(u);
     },
     [](User &u) { u.Press(kPlay); }, "timer=off status= boxes=1 track=0"},
    // The device stays open and the timer goes on.
    {"StopCd", CdPlaying, [](User &u) { u.Press(kStop); }, kStopped},
    // The program's own: the start-up music, a song's end, the CD timer.
    {"StartMidiBgm", Nothing, [](User &u) { u.rig_.StartMusic(); },
     "play=- pause=+ stop=+ cd=- cd?=unchecked midi=- status=MIDIPLAY file=long.mid"},
    {"EndStep",
     [](User &u) {
       SoundPage(u);
       u.w_.N_ChePlay1->setChecked(false);
       u.w_.N_EdiBgm1->setText(u.rig_.Path("song.mid"));
       u.Press(kPlay);
     },
     [](User &u) {
       ASSERT_TRUE(testsupport::WaitFor([&] { return u.rig_.Status().empty(); })) << "the song ended";
     },
     "play=+ pause=- stop=- midi=+ P=+ D=- E=- sources=+ status="},
    {"CdTimerDiscGone",
     [](User &u) {
       CdPlaying(u);
       DiscTakenOut(u);
     },
     [](User &u) { u.w_.N_TimCheck1Timer(); }, "timer=off status= track=0"},
    // Sources chosen where the pop-up's items are still disabled for the user;
    // the radios' checks come from the pop-up item itself.
    {"MidiSourceChosen", CdChecked, [](User &u) { u.w_.N_PopBgm2Click(); }, kMidiChosen},
    {"CdSourceChosenOnAnotherPage", [](User &u) { u.Press("環境変数(&O)"); },
     [](User &u) { u.w_.N_PopBgm1Click(); },
     "play=+ prevnext=+ P=- D=- E=- H=+ edit=- cd?=checked midi?=unchecked"},
};

class UserActions : public ::testing::TestWithParam<Row> {};

// Each button, tab, pop-up item and drop does its own operation and nothing else.
TEST_P(UserActions, ActionSetsItsColumnsAndLeavesTheRest) {
  const Row &row = GetParam();
  MusicRig rig;
  User user(rig);
  row.setup(user);
  EXPECT_TRUE(rig.boxes.empty());
  const State sets = testcolumns::Columns(row.sets);
  const State before = user.Snapshot();
  row.action(user);
  for (const auto &[column, value] : user.Snapshot()) {
    const auto set = sets.find(column);
    EXPECT_EQ(value, set != sets.end() ? set->second : before.at(column))
        << "column " << column << (set != sets.end() ? "" : " (unchanged)");
  }
}

INSTANTIATE_TEST_SUITE_P(SystemWindow, UserActions, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row> &info) {
                           return std::string(info.param.name);
                         });

// The controls, and the CD display timer, as the form has them.
TEST(ControlStatesAtCreation, AsTheFormHasThem) {
  MusicRig rig;
  EXPECT_EQ(Snapshot(rig.window),
            testcolumns::Columns(
                "play=+ pause=- stop=- prevnext=- cd=- cd?=unchecked midi=+ midi?=checked P=+ D=- E=- "
                "Ecaption=一時停止(&E) H=- sources=- edit=+ cdbutton=- repeat=- repeat?=checked "
                "timer=off status="));
  EXPECT_TRUE(rig.window.PopupItem(7).isEnabled());
  EXPECT_FALSE(rig.window.TrackList().isEnabled());
  EXPECT_EQ(rig.window.CdTimer().Interval(), 1000); // the CD display ticks once a second
}

// A MIDI file dropped after a WAV file loops again.
TEST(UserDrops, MidiFileAfterAWaveFileLoops) {
  MusicRig rig;
  ASSERT_TRUE(rig.Drop({"sound.wav"}));
  ASSERT_TRUE(rig.Drop({"song.mid"}));
  QSignalSpy ended(&rig.window.N_MedPlayer1(), &platform::audio::MidiPlayer::Ended);
  ASSERT_TRUE(testsupport::WaitFor([&] { return ended.count() >= 2; })) << "the song looped";
  ASSERT_TRUE(musictest::RepeatChecks(1));
  EXPECT_EQ(rig.Status(), "MIDIPLAY");
  EXPECT_EQ(rig.window.N_MedPlayer1().Mode(), platform::audio::MediaMode::Playing);
  EXPECT_TRUE(rig.boxes.empty());
}

} // namespace

// The sound and system window worked as a user works it: tab and push buttons
// found by their caption, the glyph buttons by their place, pop-up items
// chosen from the menu a right click opens, files dropped on the window.
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QListWidget>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>

#include "ControlSnapshot.h"
#include "MusicRig.h"
#include "platform/core/Controls.h"

namespace {

using musictest::MusicRig;
using testcolumns::State;

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
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }, 2000));
    for (QAction *item : menu.actions())
      if (item->text() == QString::fromUtf8(caption)) {
        ASSERT_TRUE(item->isEnabled()) << caption;
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(item).center());
        return;
      }
    FAIL() << "no pop-up item " << caption;
  }

  State Snapshot() {
    State state = musictest::Snapshot(w_);
    const bool information = w_.InformationPicture().isVisibleTo(&w_);
    const bool sound = w_.N_EdiBgm1->isVisibleTo(&w_), environment = w_.EnvironmentList().isVisibleTo(&w_);
    state["page"] = information ? "information" : sound ? "sound" : environment ? "environment" : "start";
    state["window"] = w_.isVisible() ? "shown" : "hidden";
    state["track"] = std::to_string(w_.N_MedPlayer2().Position().track);
    state["file"] = QFileInfo(w_.N_EdiBgm1->text()).fileName().toStdString();
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
  ASSERT_TRUE(QTest::qWaitFor([&] { return user.rig_.Status().empty(); }, 10000));
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

const std::string kPlayed =
    "play=- pause=+ stop=+ cd=- midi=- P=- D=+ E=+ sources=- repeat=- status=MIDIPLAY";
const std::string kStopped = "play=+ pause=- stop=- midi=+ P=+ D=- E=- sources=- status=";
const std::string kPaused = "Ecaption=再開(&E) status=MIDIPAUSE";
const std::string kMidiChosen =
    "play=+ prevnext=- P=+ D=- E=- H=- edit=+ cdbutton=- timer=off cd?=unchecked midi?=checked";
const std::string kCdChecked = "P=+ D=- E=- H=- cdbutton=- timer=on track=1";

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
};

class UserActions : public ::testing::TestWithParam<Row> {};

// Each button, tab and pop-up item does its own operation and nothing else.
TEST_P(UserActions, ActionSetsItsColumnsAndLeavesTheRest) {
  const Row &row = GetParam();
  MusicRig rig;
  User user(rig);
  row.setup(user);
  const State sets = testcolumns::Columns(row.sets);
  const State before = user.Snapshot();
  row.action(user);
  for (const auto &[column, value] : user.Snapshot()) {
    const auto set = sets.find(column);
    EXPECT_EQ(value, set != sets.end() ? set->second : before.at(column))
        << "column " << column << (set != sets.end() ? "" : " (unchanged)");
  }
  EXPECT_TRUE(rig.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(SystemWindow, UserActions, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row> &info) {
                           return std::string(info.param.name);
                         });

// A MIDI file dropped after a WAV file loops again.
TEST(UserDrops, MidiFileAfterAWaveFileLoops) {
  MusicRig rig;
  ASSERT_TRUE(rig.Drop({"sound.wav"}));
  ASSERT_TRUE(rig.Drop({"song.mid"}));
  QSignalSpy ended(&rig.window.N_MedPlayer1(), &platform::audio::MidiPlayer::Ended);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() >= 2; }, 10000));
  QTest::qWait(100);
  EXPECT_EQ(rig.Status(), "MIDIPLAY");
  EXPECT_EQ(rig.window.N_MedPlayer1().Mode(), platform::audio::MediaMode::Playing);
  EXPECT_TRUE(rig.boxes.empty());
}

} // namespace

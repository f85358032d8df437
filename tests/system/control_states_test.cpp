// The music controls after each operation, row by row: a row names the
// controls the operation sets; every other control must keep its state.
#include <gtest/gtest.h>

#include <functional>

#include "ControlSnapshot.h"
#include "MusicRig.h"
#include "tests/support/StateColumns.h"

namespace {

using musictest::MusicRig;
using musictest::Snapshot;
using testcolumns::Columns;
using testcolumns::State;

struct Row {
  const char *name;
  std::function<void(MusicRig &)> setup;
  std::function<void(MusicRig &)> operation;
  std::string sets; // the columns the operation sets; every other one keeps its state
};
void PrintTo(const Row &row, std::ostream *out) { *out << row.name; }

void CheckCd(MusicRig &rig) {
  rig.ChooseCd();
  rig.window.N_ButCDCheck1Click();
}
void PlayCd(MusicRig &rig) {
  CheckCd(rig);
  rig.window.N_SpeBgm1Click();
}
// The disc is taken out of the drive: its image is gone.
void TakeOutDisc(MusicRig &rig) {
  rig.window.N_TimCheck1Timer();
  ASSERT_NE(rig.Status(), "");
  ASSERT_TRUE(QFile::remove(rig.Path("disc.cue")));
}
void Start(MusicRig &rig) { rig.StartMusic(); }
void Nothing(MusicRig &) {}

const std::string kDropAny =
    "play=- pause=- stop=- prevnext=- cd=- cd?=unchecked midi=- midi?=unchecked P=- D=- E=- sources=- "
    "repeat=- timer=off status= ";
const std::string kStop = "play=+ pause=- stop=- midi=+ P=+ D=- E=- sources=- status= ";

const Row kRows[] = {
    {"StartMidiBgm", Nothing, Start, "play=- pause=+ stop=+ cd=- cd?=unchecked midi=- status=MIDIPLAY"},
    {"StopWhilePaused",
     [](MusicRig &rig) {
       rig.StartMusic();
       rig.window.N_SpeBgm2Click();
     },
     [](MusicRig &rig) { rig.window.N_SpeBgm3Click(); }, kStop + "Ecaption=一時停止(&E)"},
    {"Resume",
     [](MusicRig &rig) {
       rig.StartMusic();
       rig.window.N_SpeBgm2Click();
     },
     [](MusicRig &rig) { rig.window.N_SpeBgm2Click(); }, "Ecaption=一時停止(&E) status=MIDIPLAY"},
    {"EndStep",
     [](MusicRig &rig) {
       rig.window.N_ChePlay1->setChecked(false);
       rig.window.N_EdiBgm1->setText(rig.Path("song.mid"));
       rig.window.N_SpeBgm1Click();
     },
     [](MusicRig &rig) { ASSERT_TRUE(QTest::qWaitFor([&] { return rig.Status().empty(); }, 10000)); },
     "play=+ pause=- stop=- midi=+ P=+ D=- E=- sources=+ status="},
    // The radios' checks come from the pop-up item itself.
    {"MidiSourceChosen", CheckCd, [](MusicRig &rig) { rig.window.N_PopBgm2Click(); },
     "play=+ prevnext=- P=+ D=- E=- H=- edit=+ cdbutton=- timer=off cd?=unchecked midi?=checked"},
    {"DropOtherFile", Start, [](MusicRig &rig) { ASSERT_TRUE(rig.Drop({"notes.txt"})); }, kDropAny},
    {"DropMidi", CheckCd, [](MusicRig &rig) { ASSERT_TRUE(rig.Drop({"song.mid"})); },
     kDropAny + "pause=+ stop=+ midi?=checked D=+ E=+ H=- edit=+ cdbutton=- repeat?=checked status=MIDIPLAY"},
    {"DropWave", Start, [](MusicRig &rig) { ASSERT_TRUE(rig.Drop({"sound.wav"})); },
     kDropAny + "repeat?=unchecked status=WAVEPLAY"},

    {"CdSourceChosenOnAnotherPage", [](MusicRig &rig) { rig.window.N_ButTab4Click(); },
     [](MusicRig &rig) { rig.window.N_PopBgm1Click(); },
     "play=+ prevnext=+ P=- D=- E=- H=+ edit=- cd?=checked midi?=unchecked"},
    {"PlayCdWithDisc", CheckCd, [](MusicRig &rig) { rig.window.N_SpeBgm1Click(); },
     "play=- pause=- stop=+ cd=- midi=- P=- D=+ E=- sources=- repeat=- timer=on"},
    {"PlayCdWithoutDisc",
     [](MusicRig &rig) {
       CheckCd(rig);
       TakeOutDisc(rig);
     },
     [](MusicRig &rig) { rig.window.N_SpeBgm1Click(); }, "timer=off status="},
    // The device stays open and the timer goes on.
    {"StopCd", PlayCd, [](MusicRig &rig) { rig.window.N_SpeBgm3Click(); }, kStop},
    {"CdTimerDiscGone",
     [](MusicRig &rig) {
       PlayCd(rig);
       TakeOutDisc(rig);
     },
     [](MusicRig &rig) { rig.window.N_TimCheck1Timer(); }, "timer=off status="},
};

class ControlStates : public ::testing::TestWithParam<Row> {};

TEST_P(ControlStates, OperationSetsItsColumnsAndLeavesTheRest) {
  const Row &row = GetParam();
  const State sets = Columns(row.sets);
  MusicRig rig;
  row.setup(rig);
  const State before = Snapshot(rig.window);
  row.operation(rig);
  for (const auto &[column, value] : Snapshot(rig.window)) {
    const auto set = sets.find(column);
    EXPECT_EQ(value, set != sets.end() ? set->second : before.at(column))
        << "column " << column << (set != sets.end() ? "" : " (unchanged)");
  }
}

INSTANTIATE_TEST_SUITE_P(Music, ControlStates, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row> &info) {
                           return std::string(info.param.name);
                         });

// The controls, and the CD display timer, as the form has them.
TEST(ControlStatesAtCreation, AsTheFormHasThem) {
  MusicRig rig;
  EXPECT_EQ(
      Snapshot(rig.window),
      Columns("play=+ pause=- stop=- prevnext=- cd=- cd?=unchecked midi=+ midi?=checked P=+ D=- E=- "
              "Ecaption=一時停止(&E) H=- sources=- edit=+ cdbutton=- repeat=- repeat?=checked timer=off "
              "status="));
  EXPECT_TRUE(rig.window.PopupItem(7).isEnabled());
  EXPECT_EQ(rig.window.CdTimer().Interval(), 1000); // the CD display ticks once a second
  EXPECT_FALSE(rig.window.TrackList().isEnabled());
}

} // namespace

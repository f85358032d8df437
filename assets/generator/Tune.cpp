// "Marvok01.mid": sixteen bars in D minor at 92 beats a minute (about 42 s).
// Four bars of pads, arpeggio and bass open it; a flute melody and a light
// groove follow; the last bar turns back to the first, so it loops without a
// seam.
#include "assets/generator/Midi.h"

#include <array>

namespace assetgen {

namespace {

constexpr int kDivision = 480; // ticks per quarter note
constexpr std::uint32_t kEighth = kDivision / 2;
constexpr std::uint32_t kBar = 4 * kDivision;
constexpr int kBars = 16;

enum Channel { kPad = 0, kArp = 1, kBass = 2, kLead = 3, kDrums = 9 };

struct Chord {
  std::array<int, 4> voicing; // pad notes, low to high
  int root;                   // bass note
};

constexpr Chord kDm{{57, 62, 65, 69}, 38};
constexpr Chord kBb{{58, 62, 65, 69}, 34};
constexpr Chord kF{{57, 60, 65, 69}, 41};
constexpr Chord kC{{55, 60, 64, 67}, 36};
constexpr Chord kGm{{55, 58, 62, 67}, 43};
constexpr Chord kA{{57, 61, 64, 69}, 33};
constexpr Chord kAsus{{57, 62, 64, 69}, 33};

constexpr std::array<Chord, kBars> kProgression{kDm, kBb, kF, kC, kDm, kBb, kGm,   kA,
                                                kDm, kBb, kF, kC, kGm, kBb, kAsus, kA};

struct Step {
  int key; // 0: rest
  int eighths;
};

// The melody of bars 5 to 16, eight eighths a bar.
constexpr std::array<Step, 43> kMelody{{
    {69, 2}, {74, 2}, {76, 1}, {77, 1}, {76, 2}, // Dm
    {74, 3}, {72, 1}, {70, 2}, {69, 2},          // Bb
    {67, 2}, {70, 2}, {74, 3}, {72, 1},          // Gm
    {73, 6}, {0, 2},                             // A
    {69, 2}, {74, 2}, {76, 1}, {77, 1}, {79, 2}, // Dm
    {77, 3}, {76, 1}, {74, 2}, {72, 2},          // Bb
    {72, 2}, {69, 2}, {65, 2}, {69, 2},          // F
    {67, 6}, {0, 2},                             // C
    {70, 2}, {74, 2}, {79, 3}, {77, 1},          // Gm
    {77, 2}, {74, 2}, {70, 2}, {74, 2},          // Bb
    {76, 4}, {74, 2}, {76, 2},                   // Asus4
    {73, 6}, {0, 2},                             // A
}};

void Setup(MidiTrack &track, int channel, int program, int volume, int pan, int reverb) {
  if (program >= 0)
    track.Program(0, channel, program);
  track.Control(0, channel, 7, volume);
  track.Control(0, channel, 10, pan);
  track.Control(0, channel, 91, reverb);
  track.Control(0, channel, 93, 30); // a little chorus
}

MidiTrack Conductor() {
  MidiTrack track;
  track.Name(0, "Marvok01");
  track.TimeSignature(0, 4, 2);
  track.Tempo(0, 60'000'000 / 92);
  return track;
}

MidiTrack Pads() {
  MidiTrack track;
  track.Name(0, "Pad");
  Setup(track, kPad, 89, 72, 64, 90); // warm pad
  for (int bar = 0; bar < kBars; ++bar)
    for (int key : kProgression[static_cast<std::size_t>(bar)].voicing)
      track.Note(static_cast<std::uint32_t>(bar) * kBar, kBar, kPad, key, 52);
  return track;
}

MidiTrack Arpeggio() {
  MidiTrack track;
  track.Name(0, "Arpeggio");
  Setup(track, kArp, 11, 70, 44, 80); // vibraphone
  constexpr std::array<int, 8> kPattern{0, 1, 2, 3, 1, 2, 3, 2};
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord &chord = kProgression[static_cast<std::size_t>(bar)];
    for (std::size_t i = 0; i < kPattern.size(); ++i) {
      const auto tick = static_cast<std::uint32_t>(bar) * kBar + static_cast<std::uint32_t>(i) * kEighth;
      const int velocity = (i % 2 == 0) ? 58 : 44;
      track.Note(tick, kEighth, kArp, chord.voicing[static_cast<std::size_t>(kPattern[i])] + 12, velocity);
    }
  }
  return track;
}

MidiTrack Bass() {
  MidiTrack track;
  track.Name(0, "Bass");
  Setup(track, kBass, 38, 92, 64, 40); // synth bass
  struct Hit {
    int at, length, interval, velocity;
  };
  constexpr std::array<Hit, 5> kRhythm{
      {{0, 3, 0, 84}, {3, 1, 0, 62}, {4, 2, 7, 72}, {6, 1, 12, 60}, {7, 1, 0, 58}}};
  for (int bar = 0; bar < kBars; ++bar) {
    const int root = kProgression[static_cast<std::size_t>(bar)].root;
    for (const Hit &hit : kRhythm)
      track.Note(static_cast<std::uint32_t>(bar) * kBar + static_cast<std::uint32_t>(hit.at) * kEighth,
                 static_cast<std::uint32_t>(hit.length) * kEighth - 20, kBass, root + hit.interval,
                 hit.velocity);
  }
  return track;
}

MidiTrack Lead() {
  MidiTrack track;
  track.Name(0, "Lead");
  Setup(track, kLead, 73, 86, 76, 85); // flute
  std::uint32_t tick = 4 * kBar;
  for (const Step &step : kMelody) {
    const std::uint32_t length = static_cast<std::uint32_t>(step.eighths) * kEighth;
    if (step.key != 0)
      track.Note(tick, length - 30, kLead, step.key, 78);
    tick += length;
  }
  return track;
}

MidiTrack Drums() {
  MidiTrack track;
  track.Name(0, "Drums");
  Setup(track, kDrums, -1, 64, 64, 50);
  constexpr int kKick = 36, kSideStick = 37, kClosedHat = 42, kShaker = 82;
  for (int bar = 2; bar < kBars; ++bar) {
    const auto base = static_cast<std::uint32_t>(bar) * kBar;
    for (std::uint32_t i = 0; i < 8; ++i) {
      const std::uint32_t tick = base + i * kEighth;
      if (bar < 4) {
        track.Note(tick, kEighth / 2, kDrums, kShaker, i % 2 == 0 ? 34 : 24);
        continue;
      }
      track.Note(tick, kEighth / 2, kDrums, kClosedHat, i % 2 == 0 ? 40 : 26);
      if (i == 0 || i == 5)
        track.Note(tick, kEighth / 2, kDrums, kKick, 68);
      if (i == 2 || i == 6)
        track.Note(tick, kEighth / 2, kDrums, kSideStick, 42);
    }
  }
  return track;
}

} // namespace

std::vector<std::uint8_t> BackgroundTune() {
  const std::vector<MidiTrack> tracks{Conductor(), Pads(), Arpeggio(), Bass(), Lead(), Drums()};
  return EncodeMidiFile(tracks, kDivision, kBars * kBar);
}

} // namespace assetgen

#pragma once
// A dense format-1 MIDI file for the music benchmarks, of the weight of a busy
// arrangement: a conductor track and sixteen parts (drums included) on sixteen
// channels, about 27,000 notes in 5 minutes 28 seconds at 120 beats a minute.
// Made up here from a chord loop and a fixed random sequence, so every run
// renders the same notes.
#include "assets/generator/Midi.h"

#include <array>
#include <cstdint>
#include <vector>

namespace musicbench {

inline std::vector<std::uint8_t> DenseSong() {
  using assetgen::MidiTrack;
  constexpr int kDivision = 480;
  constexpr std::uint32_t kBar = 4 * kDivision;
  constexpr std::uint32_t kSixteenth = kDivision / 4;
  constexpr int kBars = 164;
  constexpr std::array<std::array<int, 4>, 8> kChords{{{48, 55, 60, 64},
                                                       {45, 52, 57, 60},
                                                       {41, 48, 53, 57},
                                                       {43, 50, 55, 59},
                                                       {48, 52, 55, 60},
                                                       {45, 48, 52, 57},
                                                       {38, 45, 50, 53},
                                                       {43, 47, 50, 55}}};
  std::uint32_t seed = 12345;
  auto random = [&seed](int n) {
    seed = seed * 22695477u + 1u;
    return static_cast<int>((seed >> 16) & 0x7FFF) % n;
  };

  std::vector<MidiTrack> tracks(1);
  tracks[0].TimeSignature(0, 4, 2);
  tracks[0].Tempo(0, 500'000);

  // Per part: channel, program, the sixteenths between notes and each note's length, notes per
  // step, octave shift. Most notes are short, as in a busy arrangement, so the voices in use
  // stay near those of a real song rather than at the synthesizer's limit.
  struct Part {
    int channel, program, step, length, voices, octave;
  };
  constexpr std::array<Part, 15> kParts{{{0, 0, 1, 1, 1, 1},     // piano
                                         {1, 4, 2, 1, 2, 1},     // electric piano
                                         {2, 24, 1, 1, 1, 1},    // nylon guitar
                                         {3, 7, 2, 1, 2, 0},     // clavinet
                                         {4, 33, 2, 1, 1, -1},   // finger bass
                                         {5, 48, 8, 4, 2, 0},    // strings
                                         {6, 52, 16, 8, 1, 1},   // choir
                                         {7, 56, 4, 1, 1, 1},    // trumpet
                                         {8, 61, 4, 1, 2, 0},    // brass section
                                         {10, 65, 2, 1, 1, 1},   // alto sax
                                         {11, 73, 2, 1, 1, 2},   // flute
                                         {12, 80, 1, 1, 1, 1},   // square lead
                                         {13, 88, 16, 8, 1, 0},  // pad
                                         {14, 12, 2, 1, 1, 2},   // marimba
                                         {15, 45, 2, 1, 1, 2}}}; // pizzicato strings
  for (const Part &part : kParts) {
    MidiTrack track;
    track.Program(0, part.channel, part.program);
    track.Control(0, part.channel, 7, 70);
    track.Control(0, part.channel, 10, 16 + random(96));
    const auto step = static_cast<std::uint32_t>(part.step) * kSixteenth;
    for (std::uint32_t tick = 0; tick < kBars * kBar; tick += step) {
      const auto &chord = kChords[tick / kBar % kChords.size()];
      for (int voice = 0; voice < part.voices; ++voice) {
        const int key = chord[static_cast<std::size_t>(random(4))] + 12 * part.octave + 12 * random(2);
        track.Note(tick, static_cast<std::uint32_t>(part.length) * kSixteenth / 2, part.channel, key,
                   50 + random(50));
      }
    }
    tracks.push_back(std::move(track));
  }

  MidiTrack drums;
  constexpr int kKick = 36, kSnare = 38, kClosedHat = 42, kOpenHat = 46, kSideStick = 37, kCrash = 49;
  for (std::uint32_t tick = 0; tick < kBars * kBar; tick += kSixteenth) {
    const std::uint32_t inBar = tick % kBar / kSixteenth;
    drums.Note(tick, kSixteenth / 2, 9, inBar == 14 ? kOpenHat : kClosedHat, 40 + random(40));
    if (inBar % 4 == 0)
      drums.Note(tick, kSixteenth / 2, 9, kKick, 100);
    if (inBar % 8 == 4)
      drums.Note(tick, kSixteenth / 2, 9, kSnare, 96);
    if (inBar % 4 == 3)
      drums.Note(tick, kSixteenth / 2, 9, kSideStick, 50 + random(30));
    if (inBar == 0 && tick / kBar % 8 == 0)
      drums.Note(tick, kSixteenth, 9, kCrash, 90);
  }
  tracks.push_back(std::move(drums));
  return assetgen::EncodeMidiFile(tracks, kDivision, kBars * kBar);
}

} // namespace musicbench

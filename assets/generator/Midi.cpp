#include "assets/generator/Midi.h"

#include <algorithm>
#include <stdexcept>

namespace assetgen {

namespace {

enum Rank { kNoteOff = 0, kMeta = 1, kControl = 2, kNoteOn = 3 };

void PutVarLen(std::vector<std::uint8_t> &out, std::uint32_t value) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (n > 1)
    out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
  out.push_back(groups[0]);
}

void PutBig(std::vector<std::uint8_t> &out, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i)
    out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

std::uint8_t Data(int v) {
  if (v < 0 || v > 127)
    throw std::out_of_range("MIDI data byte out of range");
  return static_cast<std::uint8_t>(v);
}

std::uint8_t Status(int kind, int channel) {
  if (channel < 0 || channel > 15)
    throw std::out_of_range("MIDI channel out of range");
  return static_cast<std::uint8_t>(kind | channel);
}

} // namespace

void MidiTrack::Name(std::uint32_t tick, const std::string &text) {
  std::vector<std::uint8_t> bytes{0xFF, 0x03};
  PutVarLen(bytes, static_cast<std::uint32_t>(text.size()));
  bytes.insert(bytes.end(), text.begin(), text.end());
  events_.push_back({tick, kMeta, bytes});
}

void MidiTrack::Tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter) {
  std::vector<std::uint8_t> bytes{0xFF, 0x51, 0x03};
  PutBig(bytes, microsecondsPerQuarter, 3);
  events_.push_back({tick, kMeta, bytes});
}

void MidiTrack::TimeSignature(std::uint32_t tick, int numerator, int denominatorPower) {
  events_.push_back({tick, kMeta, {0xFF, 0x58, 0x04, Data(numerator), Data(denominatorPower), 24, 8}});
}

void MidiTrack::Program(std::uint32_t tick, int channel, int program) {
  events_.push_back({tick, kControl, {Status(0xC0, channel), Data(program)}});
}

void MidiTrack::Control(std::uint32_t tick, int channel, int controller, int value) {
  events_.push_back({tick, kControl, {Status(0xB0, channel), Data(controller), Data(value)}});
}

void MidiTrack::Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
  if (length == 0 || velocity <= 0)
    throw std::invalid_argument("a note needs a length and a velocity");
  events_.push_back({tick, kNoteOn, {Status(0x90, channel), Data(key), Data(velocity)}});
  events_.push_back({tick + length, kNoteOff, {Status(0x80, channel), Data(key), 64}});
}

std::vector<std::uint8_t> MidiTrack::Encode(std::uint32_t endTick) const {
  std::vector<const Event *> order;
  for (const Event &e : events_) {
    if (e.tick > endTick)
      throw std::out_of_range("MIDI event after the end of its track");
    order.push_back(&e);
  }
  std::stable_sort(order.begin(), order.end(), [](const Event *a, const Event *b) {
    return a->tick != b->tick ? a->tick < b->tick : a->rank < b->rank;
  });
  std::vector<std::uint8_t> body;
  std::uint32_t now = 0;
  for (const Event *e : order) {
    PutVarLen(body, e->tick - now);
    now = e->tick;
    body.insert(body.end(), e->bytes.begin(), e->bytes.end());
  }
  PutVarLen(body, endTick - now);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});

  std::vector<std::uint8_t> chunk{'M', 'T', 'r', 'k'};
  PutBig(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<std::uint8_t> EncodeMidiFile(const std::vector<MidiTrack> &tracks, int division,
                                         std::uint32_t endTick) {
  std::vector<std::uint8_t> out{'M', 'T', 'h', 'd', 0, 0, 0, 6};
  PutBig(out, 1, 2); // format 1: a conductor track and one track per part
  PutBig(out, static_cast<std::uint32_t>(tracks.size()), 2);
  PutBig(out, static_cast<std::uint32_t>(division), 2);
  for (const MidiTrack &track : tracks) {
    const auto chunk = track.Encode(endTick);
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

} // namespace assetgen

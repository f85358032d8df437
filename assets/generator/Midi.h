#pragma once
// A Standard MIDI File writer (format 1) and the background tune.
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

class MidiTrack {
public:
  void Name(std::uint32_t tick, const std::string &text);
  void Tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter);
  void TimeSignature(std::uint32_t tick, int numerator, int denominatorPower);
  void Program(std::uint32_t tick, int channel, int program);
  void Control(std::uint32_t tick, int channel, int controller, int value);
  // A note from tick to tick + length; its note-off is written too.
  void Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

  // The track chunk ("MTrk"), every event in time order and an End of Track
  // at endTick. At one tick, note-offs come before anything else, so a note
  // that ends where the next one starts is released first.
  std::vector<std::uint8_t> Encode(std::uint32_t endTick) const;

private:
  struct Event {
    std::uint32_t tick;
    int rank; // order among events of one tick
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Event> events_;
};

std::vector<std::uint8_t> EncodeMidiFile(const std::vector<MidiTrack> &tracks, int division,
                                         std::uint32_t endTick);

// "Marvok01.mid": a calm, seamlessly looping tune of sixteen bars.
std::vector<std::uint8_t> BackgroundTune();

} // namespace assetgen

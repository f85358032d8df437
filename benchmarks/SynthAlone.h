#pragma once
// The cost floor of the music benchmarks: libfluidsynth on its own, driven
// directly (a synthesizer, the sound font, a fluid_player looping the song,
// fluid_synth_write_s16 in blocks of one 20 ms period) as fast as it renders.
#include <fluidsynth.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace musicbench {

inline constexpr int kSampleRate = 44100;
inline constexpr std::size_t kPeriodFrames = kSampleRate * 20 / 1000;

inline double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// CPU seconds that rendering `seconds` of the song took, the sound font's loading not counted.
inline double RenderDirect(const std::string &font, const std::string &song, int seconds) {
  fluid_settings_t *settings = new_fluid_settings();
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
  fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  fluid_synth_t *synth = new_fluid_synth(settings);
  fluid_synth_sfload(synth, font.c_str(), 1);
  fluid_player_t *player = new_fluid_player(synth);
  fluid_player_add(player, song.c_str());
  fluid_player_set_loop(player, -1);
  std::vector<std::int16_t> block(kPeriodFrames * 2);
  const double start = ThreadCpuSeconds();
  fluid_player_play(player);
  for (std::size_t done = 0; done < static_cast<std::size_t>(seconds) * kSampleRate; done += kPeriodFrames)
    fluid_synth_write_s16(synth, static_cast<int>(kPeriodFrames), block.data(), 0, 2, block.data(), 1, 2);
  const double spent = ThreadCpuSeconds() - start;
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return spent;
}

} // namespace musicbench

#include "assets/generator/Audio.h"

#include "assets/generator/Paint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {

namespace {

void Put(std::vector<std::uint8_t> &out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

void Append(std::vector<std::uint8_t> &out, const char *tag) { out.insert(out.end(), tag, tag + 4); }

// Scales so that the loudest sample sits at peak.
void Normalise(std::vector<float> &samples, float peak) {
  float max = 0.0f;
  for (float s : samples)
    max = std::max(max, std::fabs(s));
  if (max > 0.0f)
    for (float &s : samples)
      s *= peak / max;
}

// A short fade at both ends so the sound never starts or stops with a click.
void Fade(std::vector<float> &samples, int sampleRate) {
  const auto ramp = std::min<std::size_t>(samples.size() / 2, static_cast<std::size_t>(sampleRate / 200));
  for (std::size_t i = 0; i < ramp; ++i) {
    const float k = static_cast<float>(i) / static_cast<float>(ramp);
    samples[i] *= k;
    samples[samples.size() - 1 - i] *= k;
  }
}

} // namespace

std::vector<std::uint8_t> EncodeWav(const std::vector<float> &samples, int sampleRate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  Append(out, "RIFF");
  Put(out, 36 + dataBytes, 4);
  Append(out, "WAVE");
  Append(out, "fmt ");
  Put(out, 16, 4);
  Put(out, 1, 2); // PCM
  Put(out, 1, 2); // mono
  Put(out, static_cast<std::uint32_t>(sampleRate), 4);
  Put(out, static_cast<std::uint32_t>(sampleRate * 2), 4); // bytes per second
  Put(out, 2, 2);                                          // block align
  Put(out, 16, 2);                                         // bits per sample
  Append(out, "data");
  Put(out, dataBytes, 4);
  for (float s : samples) {
    const auto v = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
    Put(out, static_cast<std::uint16_t>(v), 2);
  }
  return out;
}

std::vector<float> SonarPing(int sampleRate) {
  const double rate = sampleRate;
  const auto length = static_cast<std::size_t>(1.5 * rate);
  std::vector<float> dry(length, 0.0f);
  // The ping: a bright tone with a soft octave-and-fifth overtone, a 4 ms
  // attack and a long ring, sliding down a little as it fades.
  double phase = 0.0;
  for (std::size_t i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double freq = 1180.0 * (1.0 - 0.03 * (1.0 - std::exp(-t * 3.0)));
    phase += 2.0 * std::numbers::pi * freq / rate;
    const double attack = std::min(1.0, t / 0.004);
    const double ring = std::exp(-t * 4.2);
    const double tone = std::sin(phase) + 0.18 * std::sin(3.0 * phase) * std::exp(-t * 12.0);
    dry[i] = static_cast<float>(attack * ring * tone);
  }
  // Echoes from the deep: delayed, darker copies.
  std::vector<float> out = dry;
  const double echoes[][2] = {{0.23, 0.32}, {0.47, 0.16}, {0.71, 0.07}};
  for (const auto &echo : echoes) {
    const auto delay = static_cast<std::size_t>(echo[0] * rate);
    float low = 0.0f;
    for (std::size_t i = delay; i < length; ++i) {
      low += 0.35f * (dry[i - delay] - low);
      out[i] += static_cast<float>(echo[1]) * low;
    }
  }
  Normalise(out, 0.8f);
  Fade(out, sampleRate);
  return out;
}

std::vector<float> Explosion(int sampleRate) {
  const double rate = sampleRate;
  const auto length = static_cast<std::size_t>(1.6 * rate);
  std::vector<float> out(length, 0.0f);
  Noise noise(0xB00Au);
  double low = 0.0;
  double lower = 0.0;
  double boomPhase = 0.0;
  for (std::size_t i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / rate;
    // Rumbling noise whose brightness falls away: a two-pole low-pass whose
    // cut-off slides from about 5 kHz down to 250 Hz.
    const double cutoff = 250.0 + 4800.0 * std::exp(-t * 6.0);
    const double k = 1.0 - std::exp(-2.0 * std::numbers::pi * cutoff / rate);
    low += k * (noise.Signed() - low);
    lower += k * (low - lower);
    const double rumble = lower * std::exp(-t * 2.6) * std::min(1.0, t / 0.003);
    // The blast's thump: a sine sweeping 120 -> 38 Hz.
    const double freq = 38.0 + 82.0 * std::exp(-t * 9.0);
    boomPhase += 2.0 * std::numbers::pi * freq / rate;
    const double boom = std::sin(boomPhase) * std::exp(-t * 5.0) * std::min(1.0, t / 0.002);
    // Debris: sparse crackles during the first half second.
    double crackle = 0.0;
    if (t < 0.6 && noise.Uniform() < 0.004 * (1.0 - t / 0.6))
      crackle = noise.Signed() * 0.8;
    const double mix = 2.2 * rumble + 0.9 * boom + crackle * std::exp(-t * 3.0);
    out[i] = static_cast<float>(std::tanh(1.6 * mix)); // soft saturation, like a real blast
  }
  Normalise(out, 0.9f);
  Fade(out, sampleRate);
  return out;
}

} // namespace assetgen

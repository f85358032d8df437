#pragma once
// Sound: a mono PCM WAV writer and the two synthesised search sounds.
#include <cstdint>
#include <vector>

namespace assetgen {

inline constexpr int kSampleRate = 22050;

// A RIFF/WAVE file of 16-bit mono PCM. Samples are clamped to [-1, 1].
std::vector<std::uint8_t> EncodeWav(const std::vector<float> &samples, int sampleRate);

// A sonar ping with its echoes: the sound of a reaction.
std::vector<float> SonarPing(int sampleRate);
// A short explosion: the sound of a hit.
std::vector<float> Explosion(int sampleRate);

} // namespace assetgen

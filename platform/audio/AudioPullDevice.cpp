#include "AudioPullDevice.h"

#include "AudioOutput.h"

#include <cstring>
#include <limits>

namespace platform::audio {

qint64 AudioPullDevice::bytesAvailable() const {
  return std::numeric_limits<qint32>::max() + QIODevice::bytesAvailable();
}

qint64 AudioPullDevice::readData(char *data, qint64 maxSize) {
  const auto frames = static_cast<std::size_t>(maxSize / kBytesPerFrame);
  // The device's byte buffer need not be aligned for samples: mix aside, then copy whole frames.
  staging_.resize(frames * kChannels);
  output_.Mix(staging_);
  std::memcpy(data, staging_.data(), frames * kBytesPerFrame);
  return static_cast<qint64>(frames) * kBytesPerFrame;
}

} // namespace platform::audio

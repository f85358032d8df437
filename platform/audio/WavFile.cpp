#include "WavFile.h"

#include "platform/core/Exception.h"

#include <QFile>

#include <sndfile.h>

namespace platform::audio {

namespace {
// Beyond these a header is damaged rather than unusual.
constexpr int kMaxChannels = 64;
constexpr int kMinSampleRate = 1000;
constexpr int kMaxSampleRate = 768000;
} // namespace

void WavFile::Close::operator()(sf_private_tag *file) const { sf_close(file); }

WavFile::WavFile(const QString &path) {
  SF_INFO info{};
  file_.reset(sf_open(QFile::encodeName(path).constData(), SFM_READ, &info));
  if (!file_)
    throw Exception("サウンドファイルを開けません: " + path.toStdString() + " (" + sf_strerror(nullptr) +
                    ")");
  if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < kMinSampleRate ||
      info.samplerate > kMaxSampleRate)
    throw Exception("サウンドファイルの形式が正しくありません: " + path.toStdString());
  sampleRate_ = info.samplerate;
  channels_ = info.channels;
  frames_ = info.frames;
}

WavFile::~WavFile() = default;
WavFile::WavFile(WavFile &&) noexcept = default;
WavFile &WavFile::operator=(WavFile &&) noexcept = default;

std::size_t WavFile::Read(std::span<float> out) {
  const auto frames = static_cast<sf_count_t>(out.size() / static_cast<std::size_t>(channels_));
  if (!file_ || frames == 0)
    return 0;
  const sf_count_t got = sf_readf_float(file_.get(), out.data(), frames);
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

} // namespace platform::audio

// The generated sounds, the background tune and the help page.
#include "tests/assets/AssetFiles.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <utility>

using namespace assettest;

namespace {

struct Wav {
  int channels = 0, rate = 0, bits = 0;
  std::vector<int> samples;
};

// Reads a 16-bit PCM WAV, walking its chunks; fails the test on any defect.
Wav ParseWav(const QByteArray &b) {
  Wav wav;
  EXPECT_EQ(b.left(4), QByteArray("RIFF"));
  EXPECT_EQ(b.mid(8, 4), QByteArray("WAVE"));
  EXPECT_EQ(Le(b, 4, 4) + 8, static_cast<std::uint32_t>(b.size()));
  int at = 12;
  while (at + 8 <= b.size()) {
    const QByteArray id = b.mid(at, 4);
    const auto size = static_cast<int>(Le(b, at + 4, 4));
    EXPECT_LE(at + 8 + size, b.size()) << id.constData();
    if (id == "fmt ") {
      EXPECT_EQ(Le(b, at + 8, 2), 1u); // PCM
      wav.channels = static_cast<int>(Le(b, at + 10, 2));
      wav.rate = static_cast<int>(Le(b, at + 12, 4));
      wav.bits = static_cast<int>(Le(b, at + 22, 2));
      EXPECT_EQ(Le(b, at + 16, 4), static_cast<std::uint32_t>(wav.rate * wav.channels * wav.bits / 8));
    } else if (id == "data" && wav.bits == 16) {
      for (int i = 0; i + 1 < size; i += 2)
        wav.samples.push_back(static_cast<std::int16_t>(Le(b, at + 8 + i, 2)));
    }
    at += 8 + size + (size & 1);
  }
  return wav;
}

struct Midi {
  int format = -1, division = 0;
  std::uint32_t tempo = 500000; // microseconds a quarter, until a tempo event
  std::vector<std::uint32_t> trackEnds;
  std::set<int> programs;
  int notes = 0;
  int unmatched = 0; // note-ons without a note-off, or note-offs without a note-on
};

std::uint32_t VarLen(const QByteArray &b, int &at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    const auto c = static_cast<std::uint8_t>(b[at++]);
    v = (v << 7) | (c & 0x7F);
    if ((c & 0x80) == 0)
      break;
  }
  return v;
}

Midi ParseMidi(const QByteArray &b) {
  Midi midi;
  EXPECT_EQ(b.left(4), QByteArray("MThd"));
  EXPECT_EQ(Be(b, 4, 4), 6u);
  midi.format = static_cast<int>(Be(b, 8, 2));
  const auto tracks = static_cast<int>(Be(b, 10, 2));
  midi.division = static_cast<int>(Be(b, 12, 2));
  int at = 14;
  for (int t = 0; t < tracks; ++t) {
    EXPECT_EQ(b.mid(at, 4), QByteArray("MTrk"));
    const int end = at + 8 + static_cast<int>(Be(b, at + 4, 4));
    EXPECT_LE(end, b.size());
    at += 8;
    std::uint32_t tick = 0;
    std::uint8_t status = 0;
    std::map<std::pair<int, int>, int> sounding;
    bool ended = false;
    while (at < end && !ended) {
      tick += VarLen(b, at);
      if (static_cast<std::uint8_t>(b[at]) & 0x80)
        status = static_cast<std::uint8_t>(b[at++]);
      const int kind = status & 0xF0;
      const int channel = status & 0x0F;
      if (status == 0xFF) {
        const int type = static_cast<std::uint8_t>(b[at++]);
        const auto length = static_cast<int>(VarLen(b, at));
        if (type == 0x51)
          midi.tempo = Be(b, at, 3);
        if (type == 0x2F) {
          ended = true;
          midi.trackEnds.push_back(tick);
        }
        at += length;
      } else if (status == 0xF0 || status == 0xF7) {
        at += static_cast<int>(VarLen(b, at));
      } else if (kind == 0xC0 || kind == 0xD0) {
        if (kind == 0xC0)
          midi.programs.insert(static_cast<std::uint8_t>(b[at]));
        at += 1;
      } else {
        const int key = static_cast<std::uint8_t>(b[at]);
        const int velocity = static_cast<std::uint8_t>(b[at + 1]);
        at += 2;
        if (kind == 0x90 && velocity > 0) {
          ++sounding[{channel, key}];
          ++midi.notes;
        } else if (kind == 0x80 || kind == 0x90) {
          if (--sounding[{channel, key}] < 0)
            ++midi.unmatched;
        }
      }
    }
    EXPECT_TRUE(ended) << "track " << t << " lacks its End of Track";
    EXPECT_EQ(at, end) << "track " << t << " has bytes after its End of Track";
    for (const auto &[note, count] : sounding)
      midi.unmatched += std::abs(count);
    at = end;
  }
  EXPECT_EQ(at, b.size());
  return midi;
}

} // namespace

TEST(GeneratedSounds, SearchSoundsArePlayableShortPcmWithoutClicks) {
  for (const char *name : {"wave18.wav", "wave03.wav"}) {
    SCOPED_TRACE(name);
    const Wav wav = ParseWav(ReadAll(GamePath(name)));
    ASSERT_EQ(wav.bits, 16);
    ASSERT_GT(wav.rate, 0);
    ASSERT_FALSE(wav.samples.empty());
    const double seconds = static_cast<double>(wav.samples.size()) / (wav.rate * wav.channels);
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, 3.0);
    int peak = 0;
    for (int s : wav.samples)
      peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, 32767 / 3) << "too quiet";
    EXPECT_LT(peak, 32767) << "clipped";
    EXPECT_LT(std::abs(wav.samples.front()), 300);
    EXPECT_LT(std::abs(wav.samples.back()), 300);
  }
}

TEST(GeneratedSounds, BackgroundTuneLoopsCleanly) {
  const Midi midi = ParseMidi(ReadAll(GamePath("Marvok01.mid")));
  EXPECT_EQ(midi.format, 1);
  ASSERT_GT(midi.division, 0);
  ASSERT_FALSE(midi.trackEnds.empty());
  // Every part ends on the same tick, and no note hangs over the loop point.
  for (std::uint32_t end : midi.trackEnds)
    EXPECT_EQ(end, midi.trackEnds.front());
  EXPECT_EQ(midi.unmatched, 0);
  const double seconds = midi.trackEnds.front() / static_cast<double>(midi.division) * midi.tempo / 1e6;
  EXPECT_GE(seconds, 30.0);
  EXPECT_LE(seconds, 60.0);
  EXPECT_GE(midi.programs.size(), 2u);
  EXPECT_GT(midi.notes, 100);
}

TEST(GeneratedHelp, PageIsUtf8JapaneseAndCoversTheGame) {
  const QByteArray bytes = ReadAll(GamePath("Help1.html"));
  ASSERT_FALSE(bytes.isEmpty());
  QStringDecoder decode(QStringDecoder::Utf8);
  const QString page = decode(bytes);
  ASSERT_FALSE(decode.hasError());
  EXPECT_TRUE(page.contains(
      QRegularExpression("<meta\\s+charset=\"?utf-8\"?", QRegularExpression::CaseInsensitiveOption)));
  for (const char *text : {"Marvok", "9120", "初級", "中級", "上級", "ﾆｭｰｹﾞｰﾑ", "Ctrl+N", "ﾈｯﾄﾜｰｸ対戦", "F4",
                           "ﾌﾙｽｸﾘｰﾝ表示", "F2", "ﾍﾙﾌﾟ", "F1", "ｼｽﾃﾑ情報", "サーバー待機", "反応"})
    EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
}

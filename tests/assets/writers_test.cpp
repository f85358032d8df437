// The generator's file writers, on the edge cases the generated files do not
// happen to exercise.
#include "assets/generator/Audio.h"
#include "assets/generator/Midi.h"
#include "assets/generator/Output.h"

#include <QByteArray>
#include <QImage>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace assetgen;

namespace {

QByteArray Bytes(const std::vector<std::uint8_t> &v) {
  return QByteArray(reinterpret_cast<const char *>(v.data()), static_cast<qsizetype>(v.size()));
}

// The body of a track chunk, between its 8-byte header and End of Track.
std::vector<std::uint8_t> Body(const MidiTrack &track, std::uint32_t end) {
  const auto chunk = track.Encode(end);
  return std::vector<std::uint8_t>(chunk.begin() + 8, chunk.end());
}

} // namespace

TEST(BmpWriter, PadsEveryRowToFourBytesAndRoundTrips) {
  for (int width : {1, 2, 3, 4, 5, 143}) {
    SCOPED_TRACE(width);
    QImage image(width, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x)
        image.setPixel(x, y, qRgb(x * 7 % 256, y * 90, (x + y) * 13 % 256));
    const auto bytes = EncodeBmp24(image);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), 54 + stride * 3);
    for (int row = 0; row < 3; ++row) // padding bytes are zero
      for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < stride; ++pad)
        EXPECT_EQ(bytes[54 + static_cast<std::size_t>(row) * stride + pad], 0);
    const QImage back = QImage::fromData(Bytes(bytes), "BMP").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(back.size(), image.size());
    EXPECT_EQ(back, image); // bottom-up order and BGR byte order both right
  }
}

TEST(BmpWriter, DropsAlphaInsteadOfDarkeningTranslucentPixels) {
  QImage image(1, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(200, 100, 50, 255));
  const auto bytes = EncodeBmp24(image);
  EXPECT_EQ(bytes[54], 50); // blue, green, red
  EXPECT_EQ(bytes[55], 100);
  EXPECT_EQ(bytes[56], 200);
}

TEST(WavWriter, WritesMono16BitPcmAndClampsOverloads) {
  const auto bytes = EncodeWav({0.0f, 2.0f, -2.0f, 0.5f}, 8000);
  ASSERT_EQ(bytes.size(), 44u + 8u);
  const QByteArray b = Bytes(bytes);
  EXPECT_EQ(b.left(4), "RIFF");
  EXPECT_EQ(b.mid(36, 4), "data");
  auto sample = [&b](int i) {
    return static_cast<std::int16_t>(static_cast<std::uint8_t>(b[44 + 2 * i]) |
                                     (static_cast<std::uint8_t>(b[45 + 2 * i]) << 8));
  };
  EXPECT_EQ(sample(0), 0);
  EXPECT_EQ(sample(1), 32767); // not wrapped round to a negative value
  EXPECT_EQ(sample(2), -32767);
  EXPECT_EQ(sample(3), 16384);
}

TEST(MidiWriter, EncodesDeltaTimesAsVariableLengthQuantities) {
  // Deltas of 0, 127, 128, 16383 and 16384 ticks: one, one, two, two and three bytes.
  MidiTrack track;
  std::uint32_t tick = 0;
  for (std::uint32_t delta : {0u, 127u, 128u, 16383u, 16384u}) {
    tick += delta;
    track.Control(tick, 0, 7, 100);
  }
  const std::vector<std::uint8_t> expected{0x00, 0xB0, 7,   100,  0x7F, 0xB0, 7,    100, 0x81, 0x00,
                                           0xB0, 7,    100, 0xFF, 0x7F, 0xB0, 7,    100, 0x81, 0x80,
                                           0x00, 0xB0, 7,   100,  0x00, 0xFF, 0x2F, 0x00};
  EXPECT_EQ(Body(track, tick), expected);
}

TEST(MidiWriter, ReleasesANoteBeforeTheSameKeyStartsAgain) {
  // Two notes back to back on one key: if the second note-on came before the
  // first note-off, the off would silence the new note at once.
  MidiTrack track;
  track.Note(0, 100, 2, 60, 90);
  track.Note(100, 100, 2, 60, 80);
  const std::vector<std::uint8_t> expected{0x00, 0x92, 60,   90,   0x64, 0x82, 60,   64,   0x00, 0x92,
                                           60,   80,   0x64, 0x82, 60,   64,   0x00, 0xFF, 0x2F, 0x00};
  EXPECT_EQ(Body(track, 200), expected);
}

TEST(MidiWriter, RefusesWhatWouldMakeABrokenFile) {
  MidiTrack track;
  EXPECT_THROW(track.Note(0, 10, 0, 128, 90), std::out_of_range);   // key beyond 127
  EXPECT_THROW(track.Control(0, 16, 7, 100), std::out_of_range);    // channel beyond 15
  EXPECT_THROW(track.Note(0, 0, 0, 60, 90), std::invalid_argument); // no length: a stuck note
  track.Note(0, 500, 0, 60, 90);
  EXPECT_THROW(track.Encode(400), std::out_of_range); // note-off after the end of the loop
}

TEST(MidiWriter, FileHeaderCountsItsTracks) {
  const auto file = EncodeMidiFile({MidiTrack{}, MidiTrack{}, MidiTrack{}}, 480, 960);
  const QByteArray b = Bytes(file);
  EXPECT_EQ(b.left(4), "MThd");
  EXPECT_EQ(static_cast<int>(b[9]), 1);  // format 1
  EXPECT_EQ(static_cast<int>(b[11]), 3); // three tracks
  EXPECT_EQ(b.count("MTrk"), 3);
  EXPECT_EQ((static_cast<std::uint8_t>(b[12]) << 8) | static_cast<std::uint8_t>(b[13]), 480);
}

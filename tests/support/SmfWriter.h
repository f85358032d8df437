#pragma once
// Writes small Standard MIDI Files for the tests: one track, 96 ticks per quarter note at the
// default 120 beats per minute, so 96 ticks last 500 ms.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

namespace smftest {

inline void PutBigEndian(QByteArray &out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
    out.append(static_cast<char>((value >> shift) & 0xFF));
}

// Piano notes played one after another, each `ticks` (< 128) long.
inline QByteArray Notes(const std::vector<int> &keys, int ticks) {
  QByteArray track("\x00\xC0\x00", 3);
  for (int key : keys) {
    const char on[] = {0, char(0x90), char(key), 100, char(ticks), char(0x80), char(key), 0x40};
    track.append(on, sizeof on);
  }
  track.append("\x00\xFF\x2F\x00", 4); // end of track
  QByteArray file("MThd");
  PutBigEndian(file, 6, 4);
  PutBigEndian(file, 0x0000'0001, 4); // format 0, one track
  PutBigEndian(file, 96, 2);
  file.append("MTrk");
  PutBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
  return file + track;
}

// `quarters` middle Cs, one after another: half a second each.
inline QByteArray Song(int quarters) {
  return Notes(std::vector<int>(static_cast<std::size_t>(quarters), 60), 96);
}

inline bool Write(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace smftest

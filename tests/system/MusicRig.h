#pragma once
// A sound and system window with the files its music tests play: short MIDI
// songs, a WAV sound and CD images written by the test, message boxes
// recorded instead of shown, and real drag-and-drop events.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/audio/CdPlayer.h"
#include "platform/audio/MidiPlayer.h"
#include "platform/audio/SoundEffects.h"
#include "system/TN_FrmSystem1.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/SmfWriter.h"
#include "tests/support/Waits.h"

namespace musictest {

// 16-bit mono PCM of silence, `ms` long.
inline QByteArray Wave(int ms) {
  const std::uint32_t data = 22050u * 2 * static_cast<std::uint32_t>(ms) / 1000;
  auto le = [](QByteArray &out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  QByteArray file("RIFF");
  le(file, 36 + data, 4);
  file.append("WAVEfmt ");
  le(file, 16, 4);
  le(file, 1, 2); // PCM
  le(file, 1, 2);
  le(file, 22050, 4);
  le(file, 44100, 4);
  le(file, 2, 2);
  le(file, 16, 2);
  file.append("data");
  le(file, data, 4);
  return file + QByteArray(static_cast<qsizetype>(data), '\0');
}

// For checks that something does not happen: returns once the window's repeat
// check, run every 100 ms, has had `times` more turns.
inline ::testing::AssertionResult RepeatChecks(int times) { return testsupport::TimerRuns(100, times); }

class MusicRig : public testsupport::BoxRecorder {
public:
  MusicRig() {
    fallback = platform::IDOK;
    EXPECT_TRUE(dir_.isValid());
    Write("song.mid", smftest::Song(1));
    Write("long.mid", smftest::Song(20));
    Write("sound.wav", Wave(300));
    Write("notes.txt", "not music");
    // Two silent audio tracks of 3 s and 2 s.
    Write("disc.bin", QByteArray(375 * 2352, '\0'));
    Write("disc.cue", "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                      "  TRACK 02 AUDIO\n    INDEX 01 00:03:00\n");
    // A table of contents that can't be read: a drive that holds no disc.
    Write("nodisc.bin", {});
    Write("nodisc.cue", "FILE \"nodisc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:01:00\n");
  }
  QString Path(const QString &name) const { return dir_.filePath(name); }
  void Write(const QString &name, const QByteArray &bytes) { ASSERT_TRUE(smftest::Write(Path(name), bytes)); }

  // The start-up music: looping "song.mid" (or another file).
  void StartMusic(const QString &name = "long.mid") {
    window.bgmMidiPlaying = 1;
    window.N_ChePlay1->setChecked(true);
    window.StartMidiBgm(Path(name).toStdString());
  }
  // The CD source chosen from the pop-up menu, on the sound page, with an image in the drive.
  void ChooseCd(const QString &image = "disc.cue") {
    window.N_ButTab3Click();
    window.SetCdDeviceName(Path(image));
    window.N_PopBgm1Click();
  }

  // Drops files on the window as the desktop does: enter, then drop.
  bool Drop(const QStringList &names) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &name : names)
      urls << QUrl::fromLocalFile(name.startsWith('/') ? name : Path(name));
    mime.setUrls(urls);
    const QPointF at(200, 100);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
      return false;
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
  }

  std::string Status() const { return window.StatusText().toStdString(); }

  TN_FrmSystem1 window;

private:
  QTemporaryDir dir_;
};

} // namespace musictest

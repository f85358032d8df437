// The texts the music controls judge and show: a dropped file's extension,
// the file dialog's filter, the CD status, and which mixer is started.
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "system/MusicTexts.h"
#include "system/SoundMixer.h"

namespace {

TEST(DroppedExtension, LastFourCharactersInUpperCase) {
  EXPECT_EQ(music::DroppedExtension("/music/a.mid"), ".MID");
  EXPECT_EQ(music::DroppedExtension("/music/a.Mid"), ".MID");
  EXPECT_EQ(music::DroppedExtension("/music/a.MID"), ".MID");
  EXPECT_EQ(music::DroppedExtension("/sounds/b.wav"), ".WAV");
  EXPECT_EQ(music::DroppedExtension("/notes/c.txt"), ".TXT");
  EXPECT_EQ(music::DroppedExtension(".mid"), ".MID");
  EXPECT_EQ(music::DroppedExtension("mid"), "") << "shorter than four characters: none";
  EXPECT_EQ(music::DroppedExtension("/music/song.midi"), "MIDI") << "not a MIDI file by this rule";
  EXPECT_EQ(music::DroppedExtension("/音楽/曲.mid"), ".MID");
}

TEST(FileFilter, MatchesTheExtensionInAnyCase) {
  const QString filter = music::QtFileFilter("MIDIﾌｧｲﾙ（*.mid）|*.mid");
  EXPECT_EQ(filter.toStdString(), "MIDIﾌｧｲﾙ（*.mid） (*.[mM][iI][dD])");
  // What Qt's dialog does with the pattern: a wildcard match of the whole name.
  const QString pattern = filter.section('(', -1).chopped(1);
  const QRegularExpression match(QRegularExpression::wildcardToRegularExpression(pattern));
  for (const char *name : {"a.mid", "B.MID", "c.Mid"})
    EXPECT_TRUE(match.match(name).hasMatch()) << name;
  for (const char *name : {"a.midi", "a.wav", "mid"})
    EXPECT_FALSE(match.match(name).hasMatch()) << name;

  EXPECT_EQ(music::QtFileFilter("音|*.wav;*.mid|全部|*.*").toStdString(),
            "音 (*.[wW][aA][vV] *.[mM][iI][dD]);;全部 (*.*)");
}

TEST(CdStatus, TrackInBracketsTwoBlanksAndMinutesSeconds) {
  EXPECT_EQ(music::CdStatusText("3", music::CdPositionText(2, 5)), "<3>  2:05");
  EXPECT_EQ(music::CdPositionText(12, 40), "12:40");
  EXPECT_EQ(music::CdPositionText(0, 7), "0:07");
  EXPECT_EQ(music::CdPositionText(0, 0), "0:00");
  EXPECT_EQ(music::CdPositionText(74, 59), "74:59");
  EXPECT_EQ(music::CdStatusText("", "0:00"), "<>  0:00");
}

// Only a mixer found on PATH is started, and a terminal only with the mixer it
// would run; the installed ones are tried in turn, pavucontrol first.
TEST(SoundMixer, StartsOnlyAnInstalledMixer) {
  QTemporaryDir bin;
  ASSERT_TRUE(bin.isValid());
  const QByteArray path = qgetenv("PATH");
  const auto restore = qScopeGuard([&] { qputenv("PATH", path); });
  qputenv("PATH", bin.path().toUtf8());
  auto install = [&](const char *program) {
    QFile file(bin.filePath(program));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
  };
  // The commands tried, in turn, with a launcher that starts only `starts`.
  auto tried = [](const QString &starts) {
    QStringList commands;
    music::StartSoundMixer([&](const QString &program, const QStringList &arguments) {
      commands << (QStringList{program} + arguments).join(' ');
      return program == starts;
    });
    return commands.join(", ").toStdString();
  };

  EXPECT_EQ(tried(""), "");
  install("x-terminal-emulator");
  EXPECT_EQ(tried(""), "") << "a terminal without the mixer to run in it";
  install("alsamixer");
  EXPECT_EQ(tried("x-terminal-emulator"), "x-terminal-emulator -e alsamixer");
  for (const char *program : {"gnome-control-center", "qasmixer", "pavucontrol"})
    install(program);
  EXPECT_EQ(tried("gnome-control-center"), "pavucontrol, gnome-control-center sound");
  EXPECT_FALSE(music::StartDetached("/nonexistent/mixer", {}));
}

} // namespace

// The texts the music controls judge and show: a dropped file's extension,
// the file dialog's filter, the CD status, and the order mixers are tried in.
#include <QRegularExpression>
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

TEST(SoundMixer, TriesMixersInTurnUntilOneStarts) {
  QStringList tried;
  EXPECT_FALSE(music::StartSoundMixer([&](const QString &program, const QStringList &) {
    tried << program;
    return false;
  }));
  ASSERT_GE(tried.size(), 3);
  EXPECT_EQ(tried.front(), "pavucontrol");
  EXPECT_EQ(tried.removeDuplicates(), 0);

  tried.clear();
  QStringList arguments;
  EXPECT_TRUE(music::StartSoundMixer([&](const QString &program, const QStringList &args) {
    tried << program;
    arguments = args;
    return program == "gnome-control-center";
  }));
  EXPECT_EQ(tried.back(), "gnome-control-center");
  EXPECT_EQ(arguments, QStringList{"sound"});
  EXPECT_FALSE(music::StartDetached("/nonexistent/mixer", {}));
}

} // namespace

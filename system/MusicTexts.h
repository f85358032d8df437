#pragma once
// Texts of the music controls: the extension a dropped file is judged by, the
// file dialog's filter, and the CD's track-and-time status.
#include <QString>

#include <string>
#include <string_view>

namespace music {

// The last four characters in upper case (".mid", ".Mid" and ".MID" all give
// ".MID"); a name shorter than four characters has none.
QString DroppedExtension(const QString &fileName);

// A filter of description and pattern pairs joined by "|" ("MIDIﾌｧｲﾙ（*.mid）|*.mid")
// in Qt's form. Patterns match in any case, as they do on the desktops the
// filters were written for.
QString QtFileFilter(std::string_view pairs);

// "m:ss" of a position within a track: minutes without a leading zero, seconds
// always two digits.
std::string CdPositionText(int minutes, int seconds);
// "<3>  2:05": the track between angle brackets, two blanks, the position.
std::string CdStatusText(const std::string &track, const std::string &position);

} // namespace music

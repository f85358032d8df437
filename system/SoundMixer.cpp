#include "system/SoundMixer.h"

#include <QProcess>

#include <array>

namespace music {

namespace {
struct MixerCommand {
  const char *program;
  const char *arguments; // separated by blanks
};

constexpr std::array<MixerCommand, 7> kMixers{{
    {"pavucontrol", ""},
    {"pavucontrol-qt", ""},
    {"pwvucontrol", ""},
    {"gnome-control-center", "sound"},
    {"mate-volume-control", ""},
    {"qasmixer", ""},
    {"x-terminal-emulator", "-e alsamixer"},
}};
} // namespace

bool StartDetached(const QString &program, const QStringList &arguments) {
  return QProcess::startDetached(program, arguments);
}

bool StartSoundMixer(const ProgramLauncher &launch) {
  for (const MixerCommand &mixer : kMixers)
    if (launch(mixer.program, QString(mixer.arguments).split(' ', Qt::SkipEmptyParts)))
      return true;
  return false;
}

} // namespace music

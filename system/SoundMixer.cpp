#include "system/SoundMixer.h"

#include <QProcess>
#include <QStandardPaths>

#include <array>

namespace music {

namespace {
struct MixerCommand {
  const char *program;
  const char *arguments;   // separated by blanks
  bool inTerminal = false; // a text-mode mixer, run in the desktop's terminal
};

constexpr std::array<MixerCommand, 7> kMixers{{
    {"pavucontrol", ""},
    {"pavucontrol-qt", ""},
    {"pwvucontrol", ""},
    {"gnome-control-center", "sound"},
    {"mate-volume-control", ""},
    {"qasmixer", ""},
    {"alsamixer", "", true},
}};
constexpr const char *kTerminal = "x-terminal-emulator";

bool Installed(const char *program) { return !QStandardPaths::findExecutable(program).isEmpty(); }
} // namespace

bool StartDetached(const QString &program, const QStringList &arguments) {
  return QProcess::startDetached(program, arguments);
}

bool StartSoundMixer(const ProgramLauncher &launch) {
  for (const MixerCommand &mixer : kMixers) {
    // A terminal starts even for a program that is missing, and shows only its error.
    if (!Installed(mixer.program) || (mixer.inTerminal && !Installed(kTerminal)))
      continue;
    const QStringList arguments = QString(mixer.arguments).split(' ', Qt::SkipEmptyParts);
    if (mixer.inTerminal ? launch(kTerminal, QStringList{"-e", mixer.program} + arguments)
                         : launch(mixer.program, arguments))
      return true;
  }
  return false;
}

} // namespace music

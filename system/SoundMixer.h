#pragma once
// The desktop's sound mixer, started as the sound control panel. Which mixer a
// desktop has varies, so the installed ones are tried in turn, pavucontrol
// first; where none is installed nothing starts.
#include <QString>
#include <QStringList>

#include <functional>

namespace music {

// Starts a program detached; false when it could not be started.
using ProgramLauncher = std::function<bool(const QString &program, const QStringList &arguments)>;
bool StartDetached(const QString &program, const QStringList &arguments);

// Starts the first installed mixer (found on PATH) that launches; false when none did.
bool StartSoundMixer(const ProgramLauncher &launch = StartDetached);

} // namespace music

#!/usr/bin/env bash
# Installs every Debian package that building, running and testing MarvokZT needs.
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libfluidsynth-dev timgm6mb-soundfont
  libcdio-dev libcdio-cdda-dev libcdio-paranoia-dev
  libjpeg62-turbo-dev libsndfile1-dev libxrandr-dev libxcb1-dev
  fonts-ipafont-gothic fonts-dejavu-core qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth
  openbox xdotool x11-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

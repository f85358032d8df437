#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it in the folder that
# holds its data files.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

build=build
# A newer compiler's new warnings must not stop a player's build.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMARVOK_BENCHMARKS=OFF -DBUILD_TESTING=OFF -DMARVOK_WERROR=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target MarvokZT

cd "$build/MarvokZT"
exec ./MarvokZT

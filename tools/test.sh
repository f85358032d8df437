#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

build=build-ci
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DMARVOK_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
if [ -x tools/run-fuzz.sh ]; then
  bash tools/run-fuzz.sh
fi

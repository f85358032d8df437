#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, fuzzes the packet framing for a bounded time,
# and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

build=build-ci
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DMARVOK_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
bash tools/run-fuzz.sh
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

#!/usr/bin/env bash
# Builds the packet framing fuzzer with clang (libFuzzer + AddressSanitizer)
# and runs it for a bounded time. Exits non-zero on a crash, a leak, a failed
# check or memory beyond the limit.
#   FUZZ_SECONDS   run time (default 60)
#   FUZZ_RSS_MB    memory limit (default 512; the engine caps its buffer at 1 MiB)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-fuzz
seconds="${FUZZ_SECONDS:-60}"
rss_mb="${FUZZ_RSS_MB:-512}"

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARVOK_FUZZ=ON \
  -DMARVOK_SANITIZE=OFF -DMARVOK_BENCHMARKS=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target packet_framing_fuzzer -j4 >/dev/null

corpus="$build/fuzz-corpus"
mkdir -p "$corpus"
# A few small seeds to start from; the corpus grows across runs.
printf '\x04\x00\x00\x00' >"$corpus/seed-empty"
printf '\x00\x00\x07\x00\x00\x00abc' >"$corpus/seed-abc"
printf '\x01\x0c\x00\x00\x00setudan\x00\x01\x03\x00\x00\x00' >"$corpus/seed-split"

echo "Fuzzing the packet framing engine for ${seconds}s (rss limit ${rss_mb} MB)"
log="$build/fuzz.log"
set +e
"$build/fuzz/packet_framing_fuzzer" "$corpus" \
  -max_total_time="$seconds" -rss_limit_mb="$rss_mb" -max_len=16384 \
  -timeout=10 -print_final_stats=1 -artifact_prefix="$build/" >"$log" 2>&1
status=$?
set -e
grep -E '^(Done|stat::peak_rss_mb|framing fuzzer:|==[0-9]+==ERROR|SUMMARY)' "$log" || true
if [ "$status" -ne 0 ]; then
  echo "packet_framing_fuzzer failed (exit $status); see $log, the input is in $build/" >&2
  exit "$status"
fi

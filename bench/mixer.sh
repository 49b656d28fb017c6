#!/usr/bin/env bash
# The mixer's benchmark: builds bench_mixer.exe and runs it under Wine; it
# prints ns per channel-frame of each MixChannel variant beside a plain
# mixing loop and a copy of the block, each the least of several rounds
# (the first argument, 5 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
scripts/build.sh >/dev/null
cmake --build "$BUILD/win32" --target bench_mixer >/dev/null
scripts/wine-run.sh "$BUILD/bench_mixer.exe" "$@"

#!/usr/bin/env bash
# Text read-back benchmark: a 1 MiB memo and a 1 MiB rich edit text read back
# through the engine's cached-text refresh after a second process changed
# them, beside GetWindowTextA of the same text (least of 5 runs, ms).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
scripts/setup.sh
scripts/build.sh >/dev/null
cmake --build "$BUILD/win32" --target bench_text_readback >/dev/null
scripts/xvfb.sh start
export DISPLAY=:$(cut -d' ' -f1 "$BUILD/xvfb.state")
trap 'wineserver -k 2>/dev/null || true; scripts/xvfb.sh stop' EXIT
LC_ALL=$WINE_LOCALE wine "$BUILD/bench_text_readback.exe" | tr -d '\r'

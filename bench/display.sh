#!/usr/bin/env bash
# The display benchmark: builds bench/display_bench.cpp and runs it under Wine
# on the private Xvfb display; prints milliseconds per refresh and the floor.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
scripts/setup.sh
scripts/build.sh >/dev/null
cmake --build "$BUILD/win32" --target display_bench >/dev/null
scripts/xvfb.sh start
trap 'wineserver -k 2>/dev/null || true; scripts/xvfb.sh stop' EXIT
scripts/wine-run.sh "$BUILD/display_bench.exe"

#!/usr/bin/env bash
# The drawing benchmark: builds bench/drawing_bench.cpp and runs it under Wine
# on the private Xvfb display; prints ns per pixel or call beside memset/memcpy.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
scripts/setup.sh
scripts/build.sh >/dev/null
cmake --build "$BUILD/win32" --target drawing_bench >/dev/null
scripts/xvfb.sh start
trap 'wineserver -k 2>/dev/null || true; scripts/xvfb.sh stop' EXIT
scripts/wine-run.sh "$BUILD/drawing_bench.exe"

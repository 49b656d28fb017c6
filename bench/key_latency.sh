#!/usr/bin/env bash
# The time from a real key press (sent by the window probe from a second
# process) until a program that waits for keys shows that it read it, over
# KEY_LATENCY_KEYS keys (default 20). A benchmark, not a test: the figures
# depend on the machine's load.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
scripts/setup.sh
scripts/build.sh >/dev/null
scripts/xvfb.sh start
export DISPLAY=:$(cut -d' ' -f1 "$BUILD/xvfb.state")
trap 'wineserver -k 2>/dev/null || true; scripts/xvfb.sh stop' EXIT
WORK=$BUILD/bench
mkdir -p "$WORK"
TOOLS=$BUILD/tools
"$TOOLS/yltasm" bench/programs/key_latency.yl "$WORK/key_latency.img"
"$TOOLS/yltbind" "$BUILD/yelto.exe" "$WORK/key_latency.img" "$WORK/key_latency.exe"
LC_ALL=$WINE_LOCALE wine "$TOOLS/yltwin.exe" "Z:${WORK//\//\\}\\key_latency.exe" latency "${KEY_LATENCY_KEYS:-20}" 20000 |
  tr -d '\r'

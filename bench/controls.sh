#!/usr/bin/env bash
# Controls benchmark: a bound program that makes a program window with N
# buttons and deletes it, beside a bare Windows program that makes the same
# window and buttons with CreateWindowExA and destroys them, in one run.
# A figure is the wall time of a run with N buttons minus that of a run
# with none (the least of BENCH_REPEATS runs each), in milliseconds; wall
# time, because most of the cost is in the Wine server and the X server.
# bench/controls.sh [N] (default 1000).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
N=${1:-1000}
REPEATS=${BENCH_REPEATS:-5}
scripts/setup.sh
scripts/build.sh >/dev/null
scripts/xvfb.sh start
export DISPLAY=:$(cut -d' ' -f1 "$BUILD/xvfb.state")
wineserver -p || true
trap 'wineserver -k 2>/dev/null || true; scripts/xvfb.sh stop' EXIT
WORK=$BUILD/bench
mkdir -p "$WORK"
i686-w64-mingw32-gcc -O2 -o "$WORK/bare_controls.exe" bench/controls/bare_controls.c
for n in 0 "$N"; do
  sed "s/__N__/$n/" bench/controls/engine_controls.yl >"$WORK/engine_controls.$n.yl"
  "$BUILD/tools/yltasm" "$WORK/engine_controls.$n.yl" "$WORK/engine_controls.$n.img"
  "$BUILD/tools/yltbind" "$BUILD/yelto.exe" "$WORK/engine_controls.$n.img" "$WORK/engine_controls.$n.exe"
done

# The program made every button: its return code is the last id.
got=$(LC_ALL=$WINE_LOCALE wine "$BUILD/tools/yltrun.exe" "$WORK/engine_controls.$N.exe" | tr -d '\r' | sed -n 's/^exit code //p') || true  # its status is the program's
if [ "$got" != "$((N + 1))" ]; then
  echo "failed: the engine's program gave ${got:-nothing}, not $((N + 1))" >&2
  exit 1
fi

# Least wall milliseconds of a command.
least_ms() {
  local best="" a b t
  for _ in $(seq "$REPEATS"); do
    a=$(date +%s%N)
    LC_ALL=$WINE_LOCALE wine "$@" >/dev/null 2>&1 || true
    b=$(date +%s%N)
    t=$(( (b - a) / 1000000 ))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  echo "$best"
}

e_n=$(least_ms "$WORK/engine_controls.$N.exe")
e_0=$(least_ms "$WORK/engine_controls.0.exe")
b_n=$(least_ms "$WORK/bare_controls.exe" "$N")
b_0=$(least_ms "$WORK/bare_controls.exe" 0)
awk -v n="$N" -v en="$e_n" -v e0="$e_0" -v bn="$b_n" -v b0="$b_0" 'BEGIN {
  e = en - e0; b = bn - b0
  printf "%d controls: engine %d ms, bare CreateWindowExA/DestroyWindow %d ms, ratio %.2f\n", n, e, b, (b > 0 ? e / b : 0) }'

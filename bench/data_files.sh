#!/usr/bin/env bash
# The data-file benchmark: a program writes N 32-bit integers and N doubles
# through its write file, reads them back and sums them (the result is
# checked), beside a C++ loop under Wine doing one fwrite or fread per value.
# A figure is the processor time (user + system) of a run of N minus that of
# a run of 0, the least of BENCH_REPEATS runs; the Wine server's own time is
# not included. bench/data_files.sh [N] (default 1000000).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
scripts/setup.sh
scripts/build.sh >/dev/null
cmake --build "$BUILD/win32" --target bench_file_loop >/dev/null
scripts/xvfb.sh start
export DISPLAY=:$(cut -d' ' -f1 "$BUILD/xvfb.state")
wineserver -p || true
trap 'wineserver -k 2>/dev/null || true; "$ROOT/scripts/xvfb.sh" stop' EXIT

N=${1:-1000000}
REPEATS=${BENCH_REPEATS:-5}
WORK=$BUILD/bench/files
mkdir -p "$WORK"
TOOLS=$BUILD/tools
wine_run() { LC_ALL=$WINE_LOCALE wine "$@"; }

cpu_time() {
  local t
  TIMEFORMAT='%3U %3S'
  t=$( { time "$@" >/dev/null 2>&1; } 2>&1 ) || true
  echo "$t" | awk 'NF == 2 { x = $1 + $2 } END { printf "%.3f", x }'
}

least_time() {
  local best="" t
  for _ in $(seq "$REPEATS"); do
    rm -f "$WORK"/bench_*.bin
    t=$(cpu_time "$@")
    best=$(awk -v a="$best" -v b="$t" 'BEGIN { print (a == "" || b < a) ? b : a }')
  done
  echo "$best"
}

bound_program() {
  local n=$1
  sed "s/__N__/$n/g" bench/files/file_values.yl >"$WORK/file_values.$n.yl"
  "$TOOLS/yltasm" "$WORK/file_values.$n.yl" "$WORK/file_values.$n.img"
  "$TOOLS/yltbind" "$BUILD/yelto.exe" "$WORK/file_values.$n.img" "$WORK/file_values.$n.exe"
}

# The exit code through the launcher: N - 1, or the bench fails.
check() {
  local what=$1 got
  shift
  got=$(cd "$WORK" && wine_run "$TOOLS/yltrun.exe" "$@" | tr -d '\r' | sed -n 's/^exit code //p') || true
  if [ "$got" != "$((N - 1))" ]; then
    echo "failed: $what gave ${got:-nothing}, not $((N - 1))" >&2
    exit 1
  fi
}

bound_program "$N"
bound_program 0
cd "$WORK"
check engine "Z:${WORK//\//\\}\\file_values.$N.exe"
check "C++ loop" "Z:${TOOLS//\//\\}\\bench_file_loop.exe" "$N"
engine_n=$(least_time wine_run "$WORK/file_values.$N.exe")
engine_0=$(least_time wine_run "$WORK/file_values.0.exe")
native_n=$(least_time wine_run "$TOOLS/bench_file_loop.exe" "$N")
native_0=$(least_time wine_run "$TOOLS/bench_file_loop.exe" 0)

# A value is one integer or one double, written and read back; the bytes are
# 12 per pair, each written and read.
report() {
  awk -v what="$1" -v t="$2" -v z="$3" -v n="$N" 'BEGIN {
    d = t - z; if (d <= 0) d = 0.001
    printf "%-10s %10.1f ns/value %10.1f MB/s\n", what, d * 1e9 / (2 * n), 24 * n / d / 1e6 }'
}
echo "$N integers and $N doubles written and read back (processor time, machine shared)"
report engine "$engine_n" "$engine_0"
report "C++ loop" "$native_n" "$native_0"
awk -v e="$engine_n" -v ez="$engine_0" -v c="$native_n" -v cz="$native_0" 'BEGIN {
  printf "engine / C++ loop: %.2f\n", (e - ez) / (c - cz > 0 ? c - cz : 0.001) }'

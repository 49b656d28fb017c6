#!/usr/bin/env bash
# The interpreter's benchmark: each case runs as a bound program under Wine
# (the engine as released, with its timer running, and twin builds with and
# without the loops' look at the queue), as a Lua script under Lua 5.4 and
# under LuaJIT with its compiler off (-joff), and as a native C++ loop.
# A figure is the processor time (user + system) of a run of N iterations
# minus that of a run of none, divided by N; the least of BENCH_REPEATS runs
# of each is taken. The Wine server's own time is not included.
# bench/run.sh [CASE...] runs only the cases named.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
scripts/setup.sh
if ! command -v lua5.4 >/dev/null || ! command -v luajit >/dev/null; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends lua5.4 luajit
fi
scripts/build.sh >/dev/null
cmake --build "$BUILD" --target bench_native >/dev/null
cmake --build "$BUILD/win32" --target yelto_poll yelto_nopoll >/dev/null
scripts/xvfb.sh start
export DISPLAY=:$(cut -d' ' -f1 "$BUILD/xvfb.state")
wineserver -p || true  # one server for every run (one may be running already)
trap 'wineserver -k 2>/dev/null || true; scripts/xvfb.sh stop' EXIT

REPEATS=${BENCH_REPEATS:-5}
WORK=$BUILD/bench
mkdir -p "$WORK"
TOOLS=$BUILD/tools

# case, N, iterations per N (what a figure is per)
CASES="global_loop 100000000 1
local_loop 100000000 1
list_loop 1000000 100
fib 1000 1
calls 30000000 1
text_list 1000000 100
text_build 300000 100"

# Processor seconds of one run of a command; its standard output (the
# result) goes to $WORK/out. The exit status is not looked at: a program's
# status is its result.
cpu_time() {
  local t
  TIMEFORMAT='%3U %3S'
  t=$( { time "$@" >"$WORK/out" 2>/dev/null; } 2>&1 ) || true
  echo "$t" | awk 'NF == 2 { x = $1 + $2 } END { printf "%.3f", x }'
}

# The least processor time of the repeats.
least_time() {
  local best="" t
  for _ in $(seq "$REPEATS"); do
    t=$(cpu_time "$@")
    best=$(awk -v a="$best" -v b="$t" 'BEGIN { print (a == "" || b < a) ? b : a }')
  done
  echo "$best"
}

# Nanoseconds per iteration: (time of N - time of 0) / (N * per).
per_iteration() {
  awk -v t="$1" -v z="$2" -v n="$3" -v p="$4" 'BEGIN { printf "%.1f", (t - z) * 1e9 / (n * p) }'
}

# The program of a case with N iterations, bound into an engine build.
bound_program() {
  local name=$1 n=$2 engine=$3 out=$4
  sed "s/__N__/$n/" "bench/programs/$name.yl" >"$WORK/$name.$n.yl"
  "$TOOLS/yltasm" "$WORK/$name.$n.yl" "$WORK/$name.$n.img"
  "$TOOLS/yltbind" "$BUILD/$engine.exe" "$WORK/$name.$n.img" "$out"
}

# The engine's result is its exit code (read by the launcher, which prints
# all 32 bits); it must be what Lua printed, or the bench fails.
check_result() {
  local name=$1 exe=$2 expected=$3 got
  got=$(wine_run "$TOOLS/yltrun.exe" "Z:${exe//\//\\}" | tr -d '\r' | sed -n 's/^exit code //p') || true  # its status is the program's
  if [ "$got" != "$expected" ]; then
    echo "failed: $name gave ${got:-nothing}, not $expected" >&2
    exit 1
  fi
}

wine_run() { LC_ALL=$WINE_LOCALE wine "$@"; }

engine_time() {
  local name=$1 n=$2 engine=$3
  bound_program "$name" "$n" "$engine" "$WORK/$name.$engine.$n.exe"
  least_time wine_run "$WORK/$name.$engine.$n.exe"
}

printf "%-12s %9s %9s %9s %9s %9s %9s %10s %10s %9s\n" \
  case engine look no-look lua luajit native engine/lua e/luajit look-cost
while read -r name n per; do
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  lua_n=$(least_time lua5.4 "bench/lua/$name.lua" "$n")
  expected=$(cat "$WORK/out")
  lua_0=$(least_time lua5.4 "bench/lua/$name.lua" 0)
  jit_n=$(least_time luajit -joff "bench/lua/$name.lua" "$n")
  if [ "$(cat "$WORK/out")" != "$expected" ]; then
    echo "failed: $name under luajit gave $(cat "$WORK/out"), not $expected" >&2
    exit 1
  fi
  jit_0=$(least_time luajit -joff "bench/lua/$name.lua" 0)
  native_n=$(least_time "$TOOLS/bench_native" "$name" "$n")
  native_0=$(least_time "$TOOLS/bench_native" "$name" 0)
  for engine in yelto yelto_poll yelto_nopoll; do
    eval "${engine}_n=\$(engine_time $name $n $engine)"
    check_result "$name" "$WORK/$name.$engine.$n.exe" "$expected"
    eval "${engine}_0=\$(engine_time $name 0 $engine)"
  done
  e=$(per_iteration "$yelto_n" "$yelto_0" "$n" "$per")
  w=$(per_iteration "$yelto_poll_n" "$yelto_poll_0" "$n" "$per")
  q=$(per_iteration "$yelto_nopoll_n" "$yelto_nopoll_0" "$n" "$per")
  l=$(per_iteration "$lua_n" "$lua_0" "$n" "$per")
  j=$(per_iteration "$jit_n" "$jit_0" "$n" "$per")
  c=$(per_iteration "$native_n" "$native_0" "$n" "$per")
  awk -v name="$name" -v e="$e" -v w="$w" -v q="$q" -v l="$l" -v j="$j" -v c="$c" 'BEGIN {
    printf "%-12s %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f %10.2f %10.2f %8.1f%%\n", name, e, w, q, l, j, c, e / l, e / j, (w - q) * 100 / q }'
done <<<"$CASES"
echo "ns per iteration (fib: per fib(24); calls: per call; list_loop, text_list: per element read;"
echo "text_build: per append); luajit runs with -joff, its interpreter alone"
echo "look and no-look: twin builds that differ in the loops' look at the queue alone; look-cost compares them"

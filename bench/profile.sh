#!/usr/bin/env bash
# Where the engine spends its time on one benchmark case: the case's program
# bound into the build that keeps its symbols, run under Wine with perf
# sampling, and the samples counted by the function they fall in. With
# PROFILE_BY=instructions, the instructions executed are counted instead.
# bench/profile.sh CASE [N] [ROWS]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
name=$1 n=${2:-} rows=${3:-30}
if [ -z "$n" ]; then n=$(awk -v c="$name" '$1 == c { print $2 }' <<<"$(sed -n '/^CASES="/,/"$/p' bench/run.sh | tr -d '"' | sed 's/^CASES=//')"); fi
[ -n "$n" ] || { echo "no case $name" >&2; exit 1; }
scripts/build.sh >/dev/null
cmake --build "$BUILD/win32" --target yelto_symbols >/dev/null
scripts/xvfb.sh start
export DISPLAY=:$(cut -d' ' -f1 "$BUILD/xvfb.state")
WORK=$BUILD/bench
mkdir -p "$WORK"
sed "s/__N__/$n/" "bench/programs/$name.yl" >"$WORK/$name.$n.yl"
"$BUILD/tools/yltasm" "$WORK/$name.$n.yl" "$WORK/$name.$n.img"
# Stripping moves no code, so the stripped copy's addresses are the symbols'.
# The strip leaves the header's symbol-table fields and the string table
# after the last section, which the binder refuses: both go.
i686-w64-mingw32-strip -o "$WORK/yelto_stripped.exe" "$BUILD/yelto_symbols.exe"
python3 -c 'import struct, sys
f = open(sys.argv[1], "r+b"); d = f.read(); pe = struct.unpack_from("<I", d, 0x3C)[0]
n, opt = struct.unpack_from("<H", d, pe + 6)[0], struct.unpack_from("<H", d, pe + 20)[0]
table = pe + 24 + opt
end = max(sum(struct.unpack_from("<II", d, table + 40 * k + 16)) for k in range(n))
f.seek(pe + 12); f.write(bytes(8)); f.truncate(end)' "$WORK/yelto_stripped.exe"
exe=$WORK/$name.symbols.$n.exe
"$BUILD/tools/yltbind" "$WORK/yelto_stripped.exe" "$WORK/$name.$n.img" "$exe"
if [ "${PROFILE_BY:-}" = instructions ]; then
  command -v valgrind >/dev/null || { echo "the instruction count needs valgrind (Debian's valgrind)" >&2; exit 1; }
  # Every instruction the engine's process executes, counted by valgrind: the
  # same figures from run to run. Wine's services start first, uninstrumented,
  # so that only the program runs under valgrind.
  LC_ALL=$WINE_LOCALE wine cmd /c exit >/dev/null 2>&1 || true
  rm -f "$WORK"/callgrind.*
  LC_ALL=$WINE_LOCALE valgrind --tool=callgrind --dump-instr=yes --trace-children=yes \
    --callgrind-out-file="$WORK/callgrind.%p" wine "$exe" >/dev/null 2>&1 || true
  out=$(grep -l "^cmd:.*$(basename "$exe")" "$WORK"/callgrind.* 2>/dev/null | head -1) || true
  [ -n "$out" ] || { echo "valgrind left no count of the program's process" >&2; exit 1; }
  # Each cost line is "address line count", the address absolute or relative
  # to the last; the line after a "calls=" line is the call's inclusive cost.
  # Only code outside the Linux objects counts: theirs are offsets in the
  # object, not addresses. An object is named at its first mention only.
  python3 - "$out" >"$WORK/perf.ips" <<'PY'
import re, sys
names, mapped = {}, False
last, after_call = 0, False
for line in open(sys.argv[1]):
    m = re.match(r"(c?)ob=\((\d+)\)\s*(.*)", line)
    if m:
        names.setdefault(m[2], m[3].strip())
        if not m[1]:
            mapped = names[m[2]] == "???"
        continue
    if line.startswith("calls="):
        after_call = True
        continue
    if not line[:1] or line[0] not in "0123456789+-*":
        continue
    f = line.split()
    p = f[0]
    last = last if p == "*" else last + int(p, 0) if p[0] in "+-" else int(p, 0)
    if after_call:
        after_call = False
    elif mapped and len(f) > 2:
        print(f"{last:x} {f[2]}")
PY
else
  LC_ALL=$WINE_LOCALE perf record -q -F 5000 -o "$WORK/perf.data" -- wine "$exe" >/dev/null 2>&1 || true
  # The engine is loaded at its preferred base, so a sample's address is the
  # symbol table's.
  perf script -i "$WORK/perf.data" -F ip 2>/dev/null >"$WORK/perf.ips"
fi
i686-w64-mingw32-nm -C --numeric-sort "$BUILD/yelto_symbols.exe" | awk '$2 ~ /^[tT]$/' >"$WORK/perf.syms"
python3 - "$WORK/perf.syms" "$WORK/perf.ips" "$rows" <<'PY'
import bisect, collections, sys
syms = [line.split(None, 2) for line in open(sys.argv[1])]
starts = [int(s[0], 16) for s in syms]
counts, total = collections.Counter(), 0
for line in open(sys.argv[2]):
    f = line.split()
    ip, weight = int(f[0], 16), int(f[1]) if len(f) > 1 else 1
    total += weight
    k = bisect.bisect_right(starts, ip) - 1
    counts[syms[k][2].strip() if 0 <= k and ip < 0x10000000 else "(outside the engine)"] += weight
for name, c in counts.most_common(int(sys.argv[3])):
    print(f"{100 * c / total:6.2f}% {c:12d} {name}")
PY

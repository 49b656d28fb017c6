#!/usr/bin/env bash
# Where the engine spends its time on one benchmark case: the case's program
# bound into the build that keeps its symbols, run under Wine with perf
# sampling, and the samples counted by the function they fall in.
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
LC_ALL=$WINE_LOCALE perf record -q -F 5000 -o "$WORK/perf.data" -- wine "$exe" >/dev/null 2>&1 || true
# The engine is loaded at its preferred base, so a sample's address is the
# symbol table's.
perf script -i "$WORK/perf.data" -F ip 2>/dev/null >"$WORK/perf.ips"
i686-w64-mingw32-nm -C --numeric-sort "$BUILD/yelto_symbols.exe" | awk '$2 ~ /^[tT]$/' >"$WORK/perf.syms"
python3 - "$WORK/perf.syms" "$WORK/perf.ips" "$rows" <<'PY'
import bisect, collections, sys
syms = [line.split(None, 2) for line in open(sys.argv[1])]
starts = [int(s[0], 16) for s in syms]
counts, total = collections.Counter(), 0
for line in open(sys.argv[2]):
    ip, total = int(line, 16), total + 1
    k = bisect.bisect_right(starts, ip) - 1
    counts[syms[k][2].strip() if 0 <= k and ip < 0x10000000 else "(outside the engine)"] += 1
for name, c in counts.most_common(int(sys.argv[3])):
    print(f"{100 * c / total:6.2f}% {name}")
PY

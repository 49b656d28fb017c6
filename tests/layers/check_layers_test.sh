#!/usr/bin/env bash
# The layer check on small source trees: each case writes files, runs the
# check and compares its exit code and the lines it prints.
set -uo pipefail
CHECK=$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-layers.sh
failures=0

# check_case NAME EXPECTED_CODE EXPECTED_LINES FILE=INCLUDE...
# (an empty INCLUDE writes a file without includes)
check_case() {
  local name=$1 code=$2 lines=$3
  shift 3
  local tree
  tree=$(mktemp -d)
  for spec in "$@"; do
    local file=${spec%%=*} target=${spec#*=}
    mkdir -p "$tree/$(dirname "$file")"
    if [[ -n $target ]]; then echo "#include \"$target\"" >>"$tree/$file"; else : >>"$tree/$file"; fi
  done
  local out got
  out=$(bash "$CHECK" "$tree")
  got=$?
  rm -rf "$tree"
  if [[ $got != "$code" ]]; then
    echo "FAIL $name: exit $got, expected $code; output:"
    echo "$out"
    failures=$((failures + 1))
  elif [[ $code != 0 && $out != "$lines" ]]; then
    echo "FAIL $name: printed"
    echo "$out"
    echo "expected"
    echo "$lines"
    failures=$((failures + 1))
  fi
}

check_case "downward and same-folder includes pass" 0 "" \
  base/text.h= exec/run.h=base/text.h exec/run.cpp=exec/run.h startup/main.cpp=exec/run.h
check_case "an include of a higher folder fails, naming file and include" 1 \
  'src/base/text.cpp:1: #include "exec/run.h": exec is above base' \
  exec/run.h= base/text.cpp=exec/run.h
check_case "every upward include is named, not only the first" 1 \
  'src/values/a.cpp:1: #include "run/b.h": run is above values
src/values/a.cpp:2: #include "startup/c.h": startup is above values' \
  run/b.h= startup/c.h= values/a.cpp=run/b.h values/a.cpp=startup/c.h
check_case "a folder missing from the order fails" 1 \
  'src/extras: not in the layer order' \
  base/text.h= extras/more.h=base/text.h
check_case "an include of a folder missing from the order fails" 1 \
  'src/graphics/draw.cpp:1: #include "gui/widgets.h": gui is not in the layer order' \
  graphics/draw.cpp=gui/widgets.h
check_case "an include through .. fails, whatever folder it names first" 1 \
  'src/base/text.cpp:1: #include "base/../run/loop.h": a path through .. hides its folder' \
  run/loop.h= base/text.cpp=base/../run/loop.h
check_case "a file outside the layer folders fails" 1 \
  'src/stray.cpp: outside every layer folder' \
  base/text.h= stray.cpp=base/text.h

if ((failures > 0)); then
  echo "$failures case(s) failed"
  exit 1
fi
echo "all cases passed"

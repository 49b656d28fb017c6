#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
"$here/setup.sh"
"$here/build.sh"
"$here/xvfb.sh" start
trap '"$here/xvfb.sh" stop; wineserver -k 2>/dev/null || true' EXIT
cd "$BUILD"
ctest --output-on-failure -j"$(nproc)" "$@"

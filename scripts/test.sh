#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
"$here/setup.sh"
"$here/build.sh"
"$here/xvfb.sh" start
trap 'wineserver -k 2>/dev/null || true; "$here/xvfb.sh" stop' EXIT
cd "$BUILD"
ctest --output-on-failure -j"$(nproc)" "$@"

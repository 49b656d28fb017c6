#!/usr/bin/env bash
# Sets up, builds and runs the engine on its bundled program; prints the exit code.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
"$here/setup.sh"
"$here/build.sh"
"$here/xvfb.sh" start
trap 'wineserver -k 2>/dev/null || true; "$here/xvfb.sh" stop' EXIT
set +e
"$here/wine-run.sh" "$BUILD/tools/yltrun.exe" "$BUILD/bundled.exe"

#!/usr/bin/env bash
# Sets up, builds and runs the engine on its bundled program; prints the exit
# code. With DISPLAY set the program shows on that display; otherwise on a
# private Xvfb display.
set -euo pipefail
source "$(dirname "$0")/common.sh"
if [ -n "${DISPLAY:-}" ]; then
  "$ROOT/scripts/setup.sh"
  "$ROOT/scripts/build.sh"
  trap 'wineserver -k 2>/dev/null || true' EXIT
  set +e
  env LC_ALL="$WINE_LOCALE" wine "$BUILD/tools/yltrun.exe" "$BUILD/bundled.exe"
else
  prepare_and_build
  set +e
  "$ROOT/scripts/wine-run.sh" "$BUILD/tools/yltrun.exe" "$BUILD/bundled.exe"
fi

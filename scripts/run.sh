#!/usr/bin/env bash
# Sets up, builds and runs the engine on its bundled program; prints the exit code.
set -euo pipefail
source "$(dirname "$0")/common.sh"
prepare_and_build
set +e
"$ROOT/scripts/wine-run.sh" "$BUILD/tools/yltrun.exe" "$BUILD/bundled.exe"

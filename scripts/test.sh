#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
source "$(dirname "$0")/common.sh"
prepare_and_build
cd "$BUILD"
ctest --output-on-failure -j"$(nproc)" "$@"

#!/usr/bin/env bash
# Configures and builds everything into build/.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

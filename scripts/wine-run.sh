#!/usr/bin/env bash
# Runs a Windows program of the build under Wine with the tests' settings.
source "$(dirname "$0")/common.sh"
if [ -f "$BUILD/xvfb.state" ]; then
  export DISPLAY=:$(cut -d' ' -f1 "$BUILD/xvfb.state")
fi
exec env LC_ALL="$WINE_LOCALE" wine "$@"

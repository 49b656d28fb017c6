#!/usr/bin/env bash
# Runs a Windows program of the build under Wine with the tests' settings.
source "$(dirname "$0")/common.sh"
if [ -f "$BUILD/xvfb.state" ]; then
  export DISPLAY=:$(cut -d' ' -f1 "$BUILD/xvfb.state")
fi
# A zone without daylight saving, east of UTC: Wine converts local times with
# the current bias, not the date's, so a zone with a season would change
# results with the season. YELTO_WINE_TZ names another zone for one run.
exec env LC_ALL="$WINE_LOCALE" TZ="${YELTO_WINE_TZ:-Asia/Tokyo}" wine "$@"

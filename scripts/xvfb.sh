#!/usr/bin/env bash
# xvfb.sh start|stop: a private Xvfb display for the tests; its number is
# kept in the build folder so that wine-run.sh finds it.
set -euo pipefail
source "$(dirname "$0")/common.sh"
state=$BUILD/xvfb.state

running() { [ -f "$state" ] && kill -0 "$(cut -d' ' -f2 "$state")" 2>/dev/null; }

case "${1:-start}" in
start)
  running && exit 0
  for n in $(seq 91 199); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >"$BUILD/xvfb.log" 2>&1 &
    pid=$!
    for _ in $(seq 50); do
      [ -e /tmp/.X11-unix/X$n ] && break
      kill -0 $pid 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 $pid 2>/dev/null && [ -e /tmp/.X11-unix/X$n ]; then
      echo "$n $pid" >"$state"
      exit 0
    fi
  done
  echo "xvfb.sh: no display could be started" >&2
  exit 1 ;;
stop)
  if running; then kill "$(cut -d' ' -f2 "$state")" || true; fi
  rm -f "$state" ;;
esac

# Shared settings of the build and test scripts (sourced, not run).
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$(realpath -m "${YELTO_BUILD:-$ROOT/build}")
export WINEPREFIX=$BUILD/wineprefix
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Gecko or Mono installer prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# The locale Wine is given (it decides the ANSI code page and the user's
# default language); only Wine's environment gets it, the host need not have it.
WINE_LOCALE=${YELTO_WINE_LOCALE:-en_US.UTF-8}

# Sets up, builds and starts the display; Wine and the display end with the
# calling script.
prepare_and_build() {
  local here="$ROOT/scripts"
  "$here/setup.sh"
  "$here/build.sh"
  "$here/xvfb.sh" start
  trap 'wineserver -k 2>/dev/null || true; "$ROOT/scripts/xvfb.sh" stop' EXIT
}

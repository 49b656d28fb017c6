# Shared settings of the build and test scripts (sourced, not run).
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${YELTO_BUILD:-$ROOT/build}
export WINEPREFIX=$BUILD/wineprefix
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Gecko or Mono installer prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Pin the locale: it decides Wine's ANSI code page and default language.
export LC_ALL=${LC_ALL_WINE:-en_US.UTF-8}

#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12) and creates the
# 32-bit Wine prefix inside the build folder.
set -euo pipefail
source "$(dirname "$0")/common.sh"

need=()
for pkg in cmake g++ make g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686 \
           googletest wine wine32:i386 xvfb xauth tzdata fonts-liberation2 fonts-wine; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
fi

mkdir -p "$BUILD"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix in $WINEPREFIX"
  env LC_ALL="$WINE_LOCALE" wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi

# Metric-compatible faces for Arial, Courier New and Times New Roman (Wine
# alone has only proportional ones), copied into the prefix and named by
# Wine's font replacements; done again for a prefix made before.
fonts=$WINEPREFIX/drive_c/windows/Fonts
marker=$WINEPREFIX/.yelto-fonts
if [ ! -f "$marker" ]; then
  echo "Putting the fonts into the Wine prefix"
  mkdir -p "$fonts"
  cp -f /usr/share/fonts/truetype/liberation2/*.ttf "$fonts"/
  cp -f /usr/share/wine/fonts/*.ttf "$fonts"/
  key='HKCU\Software\Wine\Fonts\Replacements'
  for pair in "Arial=Liberation Sans" "Courier New=Liberation Mono" "Times New Roman=Liberation Serif"; do
    env LC_ALL="$WINE_LOCALE" wine reg add "$key" /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f >/dev/null 2>&1
  done
  wineserver -w || true
  touch "$marker"
fi

# No debugger on a crash: Wine would start one that waits for a terminal
# nobody gives it, and the crashed test would hang instead of failing.
marker=$WINEPREFIX/.yelto-nodebugger
if [ ! -f "$marker" ]; then
  env LC_ALL="$WINE_LOCALE" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /t REG_SZ /d "" /f >/dev/null 2>&1
  env LC_ALL="$WINE_LOCALE" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1
  wineserver -w || true
  touch "$marker"
fi

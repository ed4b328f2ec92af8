#!/usr/bin/env bash
# Installs what building and testing need, generates the zh_CN.UTF-8 locale
# into the build folder and prepares a template Wine prefix there.
# Idempotent: every step is skipped when its result is already in place.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PACKAGES=(cmake make ninja-build g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
          googletest wine wine32:i386 wine64 xvfb xauth x11-utils xdotool locales
          fonts-wqy-microhei fonts-wine imagemagick python3 clang libclang-rt-14-dev zlib1g-dev
          chromium)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The browser tests of the movie need node and npm; the machine image may
# carry its own node, which Debian's npm package would conflict with.
command -v npm >/dev/null || missing+=(nodejs npm)
if [ ${#missing[@]} -gt 0 ]; then
  [ "$(id -u)" = 0 ] || die "missing packages (${missing[*]}) and not root"
  log "installing: ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

mkdir -p "$BUILD"
if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
  log "generating the zh_CN.UTF-8 locale in $LOCPATH"
  mkdir -p "$LOCPATH"
  localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" || [ -d "$LOCPATH/zh_CN.UTF-8" ]
fi
wine_locale

# Bump when the prefix's settings below change, so that old build folders
# get a new template.
TEMPLATE_VERSION=2
if [ "$(cat "$WINE_TEMPLATE/.ready" 2>/dev/null)" != "$TEMPLATE_VERSION" ]; then
  log "creating the template Wine prefix in $WINE_TEMPLATE"
  rm -rf "$WINE_TEMPLATE"; mkdir -p "$WINE_TEMPLATE"
  export WINEPREFIX="$WINE_TEMPLATE"
  # wineboot needs no display once the null driver is chosen afterwards;
  # with a DISPLAY it would open nothing visible anyway.
  DISPLAY= wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  [ -f "$WINE_TEMPLATE/system.reg" ] || die "wineboot did not create a prefix"
  font="WenQuanYi Micro Hei"
  for name in SimSun 宋体 宋体-PUA NSimSun "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "Microsoft Sans Serif" "MS Sans Serif" Arial; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /d "$font" /f >/dev/null 2>&1
  done
  # A virtual desktop gives Windows-style frames and lets X key events reach
  # Wine windows without a window manager.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  echo "$TEMPLATE_VERSION" > "$WINE_TEMPLATE/.ready"
fi
log "set-up complete"

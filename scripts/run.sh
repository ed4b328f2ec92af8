#!/usr/bin/env bash
# Builds Talvenor.exe and starts it under Wine from build/run. With DISPLAY
# set it opens on that display and waits until it is closed; without one it
# runs on a private Xvfb, saves a screenshot and closes it again.
# Usage: scripts/run.sh [FOLDER]   (FOLDER is passed on as the first argument)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/xvfb.sh"

bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh" --target Talvenor probe

RUN_DIR="$BUILD/run"
mkdir -p "$RUN_DIR"
cp "$BUILD/cmake/app/Talvenor.exe" "$RUN_DIR/Talvenor.exe"
export WINEPREFIX="$BUILD/wine/user"
[ -f "$WINEPREFIX/system.reg" ] || cp -a "$WINE_TEMPLATE/." "$WINEPREFIX/"

args=()
if [ $# -gt 0 ]; then
  # A Unix path becomes the Windows path Wine gives it (drive Z: is /).
  case "$1" in
    /*) args=("$(winepath -w "$1" 2>/dev/null)") ;;
    *)  args=("$1") ;;
  esac
fi

if [ -n "${DISPLAY:-}" ]; then
  log "starting Talvenor.exe on $DISPLAY"
  exec wine "$RUN_DIR/Talvenor.exe" "${args[@]}"
fi

start_xvfb
wine "$RUN_DIR/Talvenor.exe" "${args[@]}" &
probe="$BUILD/cmake/tests/e2e/probe.exe"
if ! wine "$probe" wait-window "OskaranTalvenor  [Power By Wendrith]" 30000 >/dev/null; then
  die "the window did not appear"
fi
sleep 1
mkdir -p "$BUILD/screenshots"
shot="$BUILD/screenshots/run.png"
import -window root "$shot"
log "screenshot of the window: $shot"
wine "$probe" close "OskaranTalvenor  [Power By Wendrith]" >/dev/null || true
wait || true
wineserver -k 2>/dev/null || true

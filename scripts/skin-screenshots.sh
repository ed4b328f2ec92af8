#!/usr/bin/env bash
# Screenshots of the skin demo window, default look and skinned, under Xvfb:
# build/screenshots/skin-plain.png and skin-skinned.png.
# Needs a configured and built build/cmake (skin_demo.exe).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
DEMO="${1:-$BUILD/cmake/tests/win/skin_demo.exe}"
OUT="$BUILD/screenshots"
[ -f "$DEMO" ] || die "no $DEMO; build first"
mkdir -p "$OUT"

xvfb_pid=
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 2>/dev/null & echo "pid $!")
  read -r _ xvfb_pid <&3
  read -r display <&3
  export DISPLAY=":$display"
fi

for look in plain skinned; do
  "$ROOT/scripts/wine-run.sh" "$DEMO" "$look" 8 &
  run=$!
  sleep 6
  import -window root "$OUT/skin-$look.png"
  wait "$run" || true
  log "wrote $OUT/skin-$look.png"
done

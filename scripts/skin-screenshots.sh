#!/usr/bin/env bash
# Screenshots, default look and skinned, under Xvfb, into build/screenshots:
# the skin demo window (skin-plain.png, skin-skinned.png) and the real
# Talvenor.exe started in an empty folder (talvenor-skinned.png) and in one
# whose skin.she is empty (talvenor-plain.png: the engine leaves the look).
# Needs a configured and built build/cmake.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
DEMO="${1:-$BUILD/cmake/tests/win/skin_demo.exe}"
EXE="${2:-$BUILD/cmake/app/Talvenor.exe}"
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
  "$ROOT/scripts/wine-run.sh" "$DEMO" "$look" 8 >/dev/null 2>&1 &
  run=$!
  sleep 6
  import -window root "$OUT/skin-$look.png"
  wait "$run" || true
  log "wrote $OUT/skin-$look.png"
done

if [ -f "$EXE" ]; then
  for look in plain skinned; do
    run_dir="$(mktemp -d "$BUILD/screenshots/run.XXXXXX")"
    cp "$EXE" "$run_dir/"
    [ "$look" = plain ] && : > "$run_dir/skin.she"
    # A prefix we know, so that its wineserver can end the program afterwards.
    prefix="$run_dir.prefix"
    TALVENOR_KEEP_PREFIX="$prefix" "$ROOT/scripts/wine-run.sh" "$run_dir/$(basename "$EXE")" \
      >/dev/null 2>&1 &
    run=$!
    sleep 8
    import -window root "$OUT/talvenor-$look.png"
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    wait "$run" 2>/dev/null || true
    rm -rf "$run_dir" "$prefix"
    log "wrote $OUT/talvenor-$look.png"
  done
fi

#!/usr/bin/env bash
# Runs one Windows program under Wine in a throw-away prefix: a copy of the
# template prefix, removed again afterwards. Used as CMake's CROSSCOMPILING_EMULATOR.
# With TALVENOR_KEEP_PREFIX=DIR the prefix is DIR and is kept.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ -f "$WINE_TEMPLATE/.ready" ] || die "no template Wine prefix; run scripts/setup.sh"
[ -d "$LOCPATH/zh_CN.UTF-8" ] || die "the zh_CN.UTF-8 locale is missing; run scripts/setup.sh"

if [ -n "${TALVENOR_KEEP_PREFIX:-}" ]; then
  prefix="$TALVENOR_KEEP_PREFIX"; keep=1
else
  mkdir -p "$BUILD/wine"
  prefix="$(mktemp -d "$BUILD/wine/run.XXXXXX")"; keep=0
fi
if [ ! -f "$prefix/system.reg" ]; then
  cp -a "$WINE_TEMPLATE/." "$prefix/" || die "cannot copy the template prefix"
fi
export WINEPREFIX="$prefix"
wine "$@"
rc=$?
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
[ "$keep" = 1 ] || rm -rf "$prefix"
exit $rc

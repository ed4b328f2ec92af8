#!/usr/bin/env bash
# Runs a test program with two file systems that refuse what the lock needs,
# for faults that Wine cannot otherwise produce (as root it ignores the
# read-only attribute):
#   TALVENOR_SMALL_DISK     a 1 MiB tmpfs, which the test fills to the last page
#   TALVENOR_READ_ONLY      a read-only bind mount of ...
#   TALVENOR_READ_ONLY_SRC  ... this writable folder, where the test builds its trees
# All three are Windows paths (drive Z: is the Unix root). Where mounting is
# not allowed the variables stay unset and the test skips those rows.
# Usage: fault_mounts.sh COMMAND [ARGS...]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

winpath() { local p="${1//\//\\}"; printf 'Z:%s' "$p"; }

# No dot in the name: a dot anywhere in a path sends it to the unlock tab.
mkdir -p "$BUILD"
base="$(mktemp -d "$BUILD/mountsXXXXXX")"
small="$base/small" src="$base/src" ro="$base/ro"
mkdir -p "$small" "$src" "$ro"
mounted=()
cleanup() {
  for m in "${mounted[@]}"; do umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null; done
  rm -rf "$base"
}
trap cleanup EXIT

if mount -t tmpfs -o size=1m,mode=0777 tmpfs "$small" 2>/dev/null; then
  mounted+=("$small")
  export TALVENOR_SMALL_DISK="$(winpath "$small")"
fi
if mount --bind "$src" "$ro" 2>/dev/null; then
  mounted+=("$ro")
  if mount -o remount,bind,ro "$ro" 2>/dev/null && ! touch "$ro/probe" 2>/dev/null; then
    export TALVENOR_READ_ONLY="$(winpath "$ro")" TALVENOR_READ_ONLY_SRC="$(winpath "$src")"
  fi
fi
[ -n "${TALVENOR_SMALL_DISK:-}" ] || log "no tmpfs here: the full-disk rows are skipped"
[ -n "${TALVENOR_READ_ONLY:-}" ] || log "no read-only mount here: those rows are skipped"

"$@"
exit $?

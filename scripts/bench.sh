#!/usr/bin/env bash
# Prints the benchmark figures; asserts nothing and is not one of the tests.
#   - start-up of Talvenor.exe until its window is visible, against a minimal
#     Win32 program that only opens a window, in the same run under the same
#     Wine (medians of RUNS starts each, and their ratio);
#   - a first start (the three carried files are written) against a later one;
#   - one lock plus unlock for folders of 0, 1,000, 10,000 and 100,000 files;
#   - the executable's size;
# and the machine it ran on. Needs a build (scripts/build.sh); starts its own
# Xvfb. Usage: scripts/bench.sh [RUNS]   (default 15)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/xvfb.sh"

RUNS="${1:-15}"
CM="$BUILD/cmake"
EXE="$CM/app/Talvenor.exe"
PROBE="$CM/tests/e2e/probe.exe"
MINIMAL="$CM/tests/e2e/minimal_window.exe"
LOCK_BENCH="$CM/tests/win/lock_bench.exe"
TITLE="OskaranTalvenor  [Power By Wendrith]"
for f in "$EXE" "$PROBE" "$MINIMAL" "$LOCK_BENCH"; do
  [ -f "$f" ] || die "missing $f: run scripts/build.sh"
done
[ -f "$WINE_TEMPLATE/.ready" ] || die "no template Wine prefix; run scripts/setup.sh"

work="$(mktemp -d "$BUILD/benchXXXXXX")"
export WINEPREFIX="$work/prefix"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap 'cleanup; kill ${XVFB_PID:-} 2>/dev/null || true' EXIT
cp -a "$WINE_TEMPLATE/." "$WINEPREFIX/"
start_xvfb
trap 'cleanup; kill ${XVFB_PID:-} 2>/dev/null || true' EXIT

winpath() { local p="${1//\//\\}"; printf 'Z:%s' "$p"; }
median() { sort -n | awk '{v[NR]=$1} END {if (NR) printf "%.1f", (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
lowest() { sort -n | head -n 1; }

app="$work/app" minimal="$work/minimal"
mkdir -p "$app" "$minimal"
cp "$EXE" "$app/Talvenor.exe"
cp "$MINIMAL" "$minimal/minimal_window.exe"
carried=(SkinH_EL.dll skin.she gy.swf 配置文件.ini)

# One wineserver for the whole run, so that no start pays for launching it.
wineserver -p
time_start() {  # TITLE EXE: milliseconds until the window is visible
  wine "$PROBE" time-start "$1" "$(winpath "$2")" 2>/dev/null | tr -d '\r' | awk '/^ms /{print $2}'
}
# Warm up Wine's own start-up (fonts, registry, the desktop) once for both.
time_start Minimal "$minimal/minimal_window.exe" >/dev/null
time_start "$TITLE" "$app/Talvenor.exe" >/dev/null

: >"$work/minimal.ms"; : >"$work/first.ms"; : >"$work/later.ms"
for ((i = 0; i < RUNS; i++)); do
  time_start Minimal "$minimal/minimal_window.exe" >>"$work/minimal.ms"
  (cd "$app" && rm -f "${carried[@]}")
  time_start "$TITLE" "$app/Talvenor.exe" >>"$work/first.ms"
  time_start "$TITLE" "$app/Talvenor.exe" >>"$work/later.ms"
done
m_min="$(median <"$work/minimal.ms")"
m_first="$(median <"$work/first.ms")"
m_later="$(median <"$work/later.ms")"
[ "$(wc -l <"$work/later.ms")" = "$RUNS" ] || die "some starts gave no time"

# Folders for the lock benchmark, made from the Unix side (fast); no dot in
# any path, which would send it to the unlock tab.
lockargs=()
for n in 0 1000 10000 100000; do
  d="$work/files$n"
  mkdir -p "$d"
  python3 - "$d" "$n" <<'EOF'
import os, sys
d, n = sys.argv[1], int(sys.argv[2])
for i in range(n):
    with open(os.path.join(d, "file%d.txt" % i), "wb") as f:
        f.write(b"some content\r\n")
EOF
  lockargs+=("$n=$(winpath "$d")")
done
lock_out="$(wine "$LOCK_BENCH" "${lockargs[@]}" 2>/dev/null | tr -d '\r')"

size="$(stat -c %s "$EXE")"
echo "machine:    $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "wine:       $(wine --version)"
echo "os:         $(. /etc/os-release && echo "$PRETTY_NAME"), $(uname -r)"
echo
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "x%.2f", a / b}'; }
echo "start-up until the window is visible ($RUNS runs each, interleaved; ms)"
printf '  %-30s %8s %8s %8s\n' "" median ratio lowest
printf '  %-30s %8s %8s %8s\n' "minimal window" "$m_min" "" "$(lowest <"$work/minimal.ms")"
printf '  %-30s %8s %8s %8s\n' "Talvenor.exe, later start" "$m_later" "$(ratio "$m_later" "$m_min")" \
  "$(lowest <"$work/later.ms")"
printf '  %-30s %8s %8s %8s\n' "Talvenor.exe, first start" "$m_first" "$(ratio "$m_first" "$m_min")" \
  "$(lowest <"$work/first.ms")"
echo "  all runs: minimal $(paste -sd' ' "$work/minimal.ms")"
echo "            later   $(paste -sd' ' "$work/later.ms")"
echo "            first   $(paste -sd' ' "$work/first.ms")"
echo
echo "lock plus unlock"
echo "$lock_out" | sed 's/^/  /'
echo
echo "Talvenor.exe: $size bytes ($(awk -v s="$size" 'BEGIN {printf "%.1f", s / 1048576}') MiB)"
# The static run-time libraries bring their debug sections and symbols along.
if command -v i686-w64-mingw32-strip >/dev/null; then
  i686-w64-mingw32-strip -o "$work/stripped.exe" "$EXE"
  echo "  stripped:   $(stat -c %s "$work/stripped.exe") bytes"
fi

#!/usr/bin/env bash
# Takes the README's pictures of the real window under a private Xvfb and
# writes them to docs/pictures/ (small PNG files, cropped to the window).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/xvfb.sh"

bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh" --target Talvenor probe
start_xvfb
python3 "$ROOT/tests/e2e/pictures.py" --out "$ROOT/docs/pictures" \
  --exe "$BUILD/cmake/app/Talvenor.exe" --probe "$BUILD/cmake/tests/e2e/probe.exe" \
  --artifacts "$BUILD/pictures"

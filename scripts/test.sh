#!/usr/bin/env bash
# Builds everything and runs every test: the in-process tests under Wine, the
# end-to-end tests of the real executable, and the host-side checks.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/xvfb.sh"

bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh"
start_xvfb
cd "$BUILD/cmake"
ctest --output-on-failure --no-tests=error -j 2 "$@"

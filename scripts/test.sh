#!/usr/bin/env bash
# Builds everything and runs every test: the in-process tests under Wine, the
# end-to-end tests of the real executable, and the host-side checks and
# fuzzers of the pure text code.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/xvfb.sh"

bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh"
start_xvfb
status=0
( cd "$BUILD/cmake" && ctest --output-on-failure --no-tests=error -j 2 "$@" ) || status=1
# The pure text code, natively under ASan/UBSan, then each fuzzer for a bounded time.
bash "$ROOT/scripts/fuzz.sh" || status=1
exit $status

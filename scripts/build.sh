#!/usr/bin/env bash
# Configures and builds everything in build/cmake (after set-up).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$BUILD/cmake/CMakeCache.txt" ]; then
  cmake -S "$ROOT" -B "$BUILD/cmake" "${generator[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686-w64-mingw32.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$BUILD/cmake" --parallel "$(nproc)" "$@"

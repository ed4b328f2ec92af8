#!/usr/bin/env bash
# Builds the pure text code for the host under AddressSanitizer and
# UndefinedBehaviorSanitizer (tests/pure, in build/pure), runs its checks and
# seed replays, then every fuzzer for FUZZ_SECONDS seconds (default 20) on a
# copy of its seed corpus, FUZZ_JOBS at a time (default: one per core).
# Exits non-zero on any failure; a failing input is left in build/pure/run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds="${FUZZ_SECONDS:-20}"
jobs_max="${FUZZ_JOBS:-$(nproc)}"
src="$ROOT/tests/pure"
out="$BUILD/pure"
fuzzers=(command_line first_line registry_path backslash_collapse locked_path)

command -v clang++ >/dev/null || die "clang++ not found: run scripts/setup.sh"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$src" -B "$out" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$out" --parallel "$(nproc)" >/dev/null || {
  cmake --build "$out" 2>&1 | tail -40
  die "building tests/pure failed"
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

checks=passed
(cd "$out" && ctest --output-on-failure --no-tests=error -j "$jobs_max") >"$out/checks.log" 2>&1 ||
  checks=failed
if [ "$checks" = failed ]; then
  cat "$out/checks.log"
fi
log "sanitized checks and seed replays: $checks"

run_fuzzer() {
  local name=$1 dir="$out/run/$1" rc=0
  rm -rf "$dir"
  mkdir -p "$dir/corpus"
  cp "$src/corpus/$name/"* "$dir/corpus/"
  timeout $((seconds + 60)) "$out/fuzz_$name" -max_total_time="$seconds" -max_len=1024 \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/" \
    "$dir/corpus" >"$dir/log" 2>&1 || rc=$?
  echo "$rc" >"$dir/rc"
}

for name in "${fuzzers[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_max" ]; do wait -n || true; done
  run_fuzzer "$name" &
done
wait

stat_of() { sed -n "s/^stat::$2: *//p" "$out/run/$1/log"; }

passed=0
failed=0
for name in "${fuzzers[@]}"; do
  dir="$out/run/$name"
  if [ "$(cat "$dir/rc")" = 0 ]; then
    passed=$((passed + 1))
    printf 'fuzz: %-18s passed %10s runs %8s exec/s %5s new inputs\n' "$name" \
      "$(stat_of "$name" number_of_executed_units)" "$(stat_of "$name" average_exec_per_sec)" \
      "$(stat_of "$name" new_units_added)"
  else
    failed=$((failed + 1))
    printf 'fuzz: %-18s FAILED (exit %s), log %s\n' "$name" "$(cat "$dir/rc")" "$dir/log"
    grep -E -A4 '^property violated|^==[0-9]+==ERROR|runtime error|SUMMARY' "$dir/log" | head -30 || true
    for artifact in "$dir"/crash-* "$dir"/timeout-* "$dir"/oom-* "$dir"/leak-*; do
      [ -f "$artifact" ] || continue
      printf '  input %s:\n' "$artifact"
      od -An -c "$artifact" | head -8
    done
  fi
done
log "fuzz.sh took ${SECONDS}s"
if [ "$checks" = failed ]; then
  echo "fuzz: $passed passed, $failed failed; sanitized checks failed"
  exit 1
fi
echo "fuzz: $passed passed, $failed failed"
[ "$failed" = 0 ]

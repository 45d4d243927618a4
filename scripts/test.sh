#!/usr/bin/env bash
# Runs every test: builds what it needs (installing Debian packages if missing), then
# - release: the unit tests, the host tests and the validator on the built VST3 and LV2
#   bundles, the module checks and lv2_validate (ctest on the Release build);
# - asan: the unit tests and the validator under AddressSanitizer + UBSan (asan-unit:
#   the unit tests only);
# - tsan: the concurrency tests under ThreadSanitizer (both through scripts/sanitize.sh);
# - fuzz: the state and version-list fuzzers for a bounded time (scripts/fuzz.sh).
# T9V_TEST_PHASES chooses phases (default below); each phase prints its duration.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${T9V_TEST_BUILD_DIR:-$root/build}"
phases="${T9V_TEST_PHASES:-release asan-unit}"
start=$SECONDS

"$root/scripts/install-deps.sh"
for phase in $phases; do
  begin=$SECONDS
  case $phase in
    release)
      cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DT9V_BUILD_BENCH=ON
      cmake --build "$build"
      ctest --test-dir "$build" --output-on-failure --timeout 900
      ;;
    asan | asan-unit | tsan) "$root/scripts/sanitize.sh" "$phase" ;;
    fuzz) "$root/scripts/fuzz.sh" ;;
    *) echo "unknown test phase: $phase (release, asan, asan-unit, tsan, fuzz)" >&2; exit 2 ;;
  esac
  echo "== $phase: $((SECONDS - begin)) s"
done
echo "== all tests: $((SECONDS - start)) s"

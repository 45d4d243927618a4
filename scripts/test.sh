#!/usr/bin/env bash
# Runs every test: builds what it needs (installing Debian packages if missing), then
# - the unit tests, the host tests and the validator on the built VST3 and LV2 bundles,
#   the module checks and lv2_validate (ctest on the Release build);
# - the unit tests and the validator under AddressSanitizer + UBSan, and the concurrency
#   tests under ThreadSanitizer (scripts/sanitize.sh);
# - the state and version-list fuzzers for a bounded time (scripts/fuzz.sh).
# T9V_QUICK=1 runs the Release build's ctest only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${T9V_TEST_BUILD_DIR:-$root/build}"
start=$SECONDS

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DT9V_BUILD_BENCH=ON
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --timeout 900
echo "== release build and ctest: $((SECONDS - start)) s"

if [ "${T9V_QUICK:-0}" != "1" ]; then
  "$root/scripts/sanitize.sh" asan tsan
  "$root/scripts/fuzz.sh"
fi
echo "== all tests: $((SECONDS - start)) s"

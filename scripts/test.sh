#!/usr/bin/env bash
# Runs every test: builds what it needs (installing Debian packages if missing), then
# the unit tests, the host tests against the built bundles, and the checks that follow.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${T9V_TEST_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DT9V_BUILD_BENCH=ON
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --timeout 900

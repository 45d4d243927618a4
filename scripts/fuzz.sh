#!/usr/bin/env bash
# Builds the state fuzzer with clang, libFuzzer, ASan and UBSan in its own build folder and
# runs it for a bounded time (T9V_FUZZ_SECONDS, default 60). Fails on any crash, leak,
# timeout or sanitizer report; the failing input is left in <build>/fuzz-artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${T9V_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${T9V_FUZZ_SECONDS:-60}"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-/work}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DT9V_BUILD_FUZZ=ON -DT9V_BUILD_TESTS=OFF -DT9V_SANITIZE=address,undefined
cmake --build "$build" --target t9v210_fuzz_state t9v210_fuzz_version

# The corpus grows in a scratch folder; the seeds in the repository stay as they are.
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp "$root"/tests/fuzz/corpus/state/* "$corpus"/
mkdir -p "$build/fuzz-artifacts"

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
"$build/tests/fuzz/t9v210_fuzz_state" "$corpus" \
  -dict="$root/tests/fuzz/state.dict" \
  -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2560 \
  -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/"
version_corpus=$(mktemp -d)
trap 'rm -rf "$corpus" "$version_corpus"' EXIT
cp "$root"/tests/fuzz/corpus/version/* "$version_corpus"/
"$build/tests/fuzz/t9v210_fuzz_version" "$version_corpus" \
  -max_total_time="${T9V_FUZZ_VERSION_SECONDS:-30}" -max_len=16384 -timeout=10 -rss_limit_mb=2560 \
  -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/"
echo "fuzz: no crash in ${seconds} s (state) and ${T9V_FUZZ_VERSION_SECONDS:-30} s (version list)"

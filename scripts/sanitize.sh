#!/usr/bin/env bash
# Builds and runs the tests under the sanitizers, each in its own build folder:
#   address,undefined: every unit test, then the validator on the VST3 bundle;
#   thread:            the unit tests whose names mark them as concurrency tests.
# Prints how long each phase took. Usage: scripts/sanitize.sh [asan|tsan]... (default both)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
asan_dir="${T9V_ASAN_BUILD_DIR:-$root/build-asan}"
tsan_dir="${T9V_TSAN_BUILD_DIR:-$root/build-tsan}"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}"
# Any undefined behaviour ends the run (the build also passes -fno-sanitize-recover).
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}"
export TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}"
concurrency_filter="${T9V_TSAN_FILTER:-*Concurren*:*Thread*}"

phase() { # name, command...
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    "$@"
    echo "== $name: $((SECONDS - start)) s"
}

configure() { # dir, sanitizers
    cmake -S "$root" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release -DT9V_SANITIZE="$2" \
        -DCMAKE_CXX_FLAGS="-fno-sanitize-recover=undefined" -DCMAKE_C_FLAGS="-fno-sanitize-recover=undefined" >/dev/null
}

run_asan() {
    phase "asan: configure" configure "$asan_dir" address,undefined
    phase "asan: build unit tests" cmake --build "$asan_dir" --target t9v210_tests
    phase "asan: unit tests" "$asan_dir/tests/t9v210_tests"
    phase "asan: build validator and bundles" cmake --build "$asan_dir" --target t9v210_validate
    # The hosting libraries keep a few process-lifetime allocations: leaks are the unit
    # tests' business, memory errors and undefined behaviour the validator's.
    phase "asan: validator on the VST3" env ASAN_OPTIONS="detect_leaks=0" \
        "$asan_dir/tools/validate/t9v210_validate_artefacts/Release/t9v210_validate" --seed "${T9V_SEED:-210}" \
        --states "$root/tests/data/states" "$asan_dir/T9v210_artefacts/Release/VST3/9V-210.vst3"
}

run_asan_unit() {
    phase "asan: configure" configure "$asan_dir" address,undefined
    phase "asan: build unit tests" cmake --build "$asan_dir" --target t9v210_tests
    phase "asan: unit tests" "$asan_dir/tests/t9v210_tests"
}

run_tsan() {
    phase "tsan: configure" configure "$tsan_dir" thread
    phase "tsan: build unit tests" cmake --build "$tsan_dir" --target t9v210_tests
    phase "tsan: concurrency tests" "$tsan_dir/tests/t9v210_tests" --gtest_filter="$concurrency_filter"
}

total=$SECONDS
for what in "${@:-asan tsan}"; do
    for w in $what; do
        case $w in
            asan) run_asan ;;
            asan-unit) run_asan_unit ;;
            tsan) run_tsan ;;
            *) echo "unknown: $w (asan, asan-unit or tsan)" >&2; exit 2 ;;
        esac
    done
done
echo "== all: $((SECONDS - total)) s"

#!/usr/bin/env bash
# Installs what is missing, builds VorTEST with its tests and runs every
# test three times: in a plain build, in the same build once more under the
# Turkish locale of the operators' machines, and under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh --test
jobs=$(nproc)

build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

# run_suite <build folder> [VARIABLE=value ...]
run_suite() {
  local dir=$1; shift
  (cd "$dir" && env "$@" ctest --output-on-failure -j "$jobs")
}

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build build/test -DCMAKE_BUILD_TYPE=Debug
run_suite build/test
run_suite build/test LANG=tr_TR.UTF-8 LC_ALL=tr_TR.UTF-8
build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVORTEST_SANITIZE=ON
run_suite build/sanitize

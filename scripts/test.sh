#!/usr/bin/env bash
# Installs what is missing, builds VorTEST with its tests and runs every
# test twice: once in a plain build, once under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh --test
jobs=$(nproc)

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs")
}

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite build/test -DCMAKE_BUILD_TYPE=Debug
run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVORTEST_SANITIZE=ON

#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks in Release and runs them:
# the poll tick with a full curve, then the program loop against the
# simulated indicator over TCP for 30 s (pass another duration in seconds),
# then the parameter transfers over TCP and RTU against libmodbus.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh --bench
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORTEST_BUILD_BENCH=ON -DVORTEST_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench --target bench_poll_tick bench_poll_loop bench_parameter_transfers
build/bench/bin/bench_poll_tick
build/bench/bin/bench_poll_loop "${1:-30}"
build/bench/bin/bench_parameter_transfers

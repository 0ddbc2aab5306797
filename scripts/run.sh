#!/usr/bin/env bash
# Installs what is missing, builds VorTEST and starts it.
#
#   scripts/run.sh               in its program folder build/release/bin
#   scripts/run.sh --simulator   in build/try, on the simulated force indicator
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORTEST_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target vortest indicator-sim
[[ "${1:-}" == "--simulator" ]] || exec build/release/bin/vortest "$@"
shift
exec scripts/try-out.sh build/release/bin build/try "$@"

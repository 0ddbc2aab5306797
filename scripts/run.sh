#!/usr/bin/env bash
# Installs what is missing, builds VorTEST and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORTEST_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target vortest indicator-sim
exec build/release/bin/vortest "$@"

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

# Without a machine: VorTEST in a program folder of its own, on the simulated
# force indicator that scripts/try-indicator.sh serves there as COM1. However
# VorTEST or this script ends (ÇIKIŞ, Ctrl+C, a termination request, a closed
# terminal), the other and the simulator end too and the COM1 link goes.
bin=build/release/bin
try=build/try
link=$try/COM1
program=
indicator=

end_all() {
  kill -TERM $program $indicator 2>/dev/null || true
  wait || true
  # A simulator ended by a signal it does not handle leaves its link behind.
  if [[ -L $link ]]; then rm -f "$link"; fi
}
trap end_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

mkdir -p "$try"
# VorTEST's program folder is the folder of its executable with symbolic
# links resolved, so the executable itself goes into the try folder.
ln -f "$bin/vortest" "$try/vortest" 2>/dev/null || cp -f "$bin/vortest" "$try/vortest"
# A link left by a killed simulator would look like the new one.
if [[ -L $link ]]; then rm -f "$link"; fi
scripts/try-indicator.sh "$bin" "$try" &
indicator=$!
until [[ -L $link ]]; do
  kill -0 "$indicator" 2>/dev/null || { echo "run.sh: the simulated indicator did not start" >&2; exit 1; }
  sleep 0.1
done

# In the background, so that the traps run at once when a signal comes.
"$try/vortest" "$@" &
program=$!
status=0
wait "$program" || status=$?
program=
exit "$status"

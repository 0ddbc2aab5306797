#!/usr/bin/env bash
# Runs VorTEST without a machine: in a program folder of its own, on the
# simulated force indicator that scripts/try-indicator.sh serves there as
# COM1, until VorTEST ends:
#
#   scripts/try-out.sh BIN FOLDER [VorTEST's arguments]
#
# BIN is a build's program folder, with vortest and indicator-sim. One
# try-out runs per FOLDER: a second one says so and changes nothing.
#
# However the try-out ends (ÇIKIŞ, Ctrl+C, a termination request, a closed
# terminal, VorTEST killed), nothing of it stays: VorTEST, while it still
# runs, is asked to close as ÇIKIŞ does and has its close, then the
# simulator ends and the COM1 link goes. Ctrl+C and hang-ups reach VorTEST
# and the simulator only through this script, which ends them in that
# order; where the script was started with them ignored, the whole try-out
# ignores them.
set -euo pipefail
usage="usage: scripts/try-out.sh BIN FOLDER [VorTEST's arguments]"
bin=${1:?$usage}
folder=${2:?$usage}
shift 2
link=$folder/COM1

# Held by this script and by VorTEST while they run; the kernel lets go of
# it however they end. The simulator does not hold it, so a simulator left
# over from a killed script cannot keep the folder from a new try-out.
mkdir -p "$folder"
exec {lock}>>"$folder/.try-out.lock"
if ! flock -n "$lock"; then
  echo "VorTEST is already running from $folder" >&2
  exit 1
fi

program=
indicator=
pty=

# Signals that come during the clean-up (a closed terminal sends two
# hang-ups) are ignored, so that it always runs to its end.
end_run() {
  trap '' HUP INT TERM
  trap - EXIT
  set +e
  if [[ -n $program ]]; then
    kill -TERM "$program" 2>/dev/null
    wait "$program"
  fi
  if [[ -n $indicator ]]; then
    kill -TERM "$indicator" 2>/dev/null
    wait "$indicator"
  fi
  # The simulator removes its link itself unless a signal it cannot catch
  # ended it; the link goes only while it points at that simulator.
  if [[ -n $pty && $(readlink "$link") == "$pty" ]]; then rm -f "$link"; fi
  exit "$1"
}
trap 'end_run $?' EXIT
trap 'end_run 129' HUP
trap 'end_run 130' INT
trap 'end_run 143' TERM

# VorTEST's program folder is the folder of its executable with symbolic
# links resolved, so the executable itself goes into the folder.
ln -f "$bin/vortest" "$folder/vortest" 2>/dev/null || cp -f "$bin/vortest" "$folder/vortest"
# A link left by a killed simulator would look like the new one.
if [[ -L $link ]]; then rm -f "$link"; fi
(
  trap '' HUP INT
  exec "$(dirname "$0")/try-indicator.sh" "$bin" "$folder" {lock}>&-
) &
indicator=$!
until pty=$(readlink "$link"); do
  kill -0 "$indicator" 2>/dev/null || { echo "The simulated indicator did not start." >&2; exit 1; }
  sleep 0.1
done

# In the background, so that the traps run at once when a signal comes.
(
  trap '' HUP INT
  exec "$folder/vortest" "$@"
) &
program=$!
status=0
wait "$program" || status=$?
program=
exit "$status"

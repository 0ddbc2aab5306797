#!/usr/bin/env bash
# Makes a program folder for trying VorTEST without a machine and serves the
# simulated force indicator there until ended (SIGTERM, or Ctrl+C or a
# hang-up where they are not ignored), after which the simulator removes its
# link while the link still points to it:
#
#   scripts/try-indicator.sh BIN FOLDER
#
# BIN is a build's program folder, with indicator-sim, the LED pictures and
# the logo. FOLDER gets the pictures, the logo and scripts/try/kelbrin.cfg
# as its configuration; files already there are kept, so settings changed
# while trying stay. The simulator answers Modbus RTU as slave 1 on a
# pseudo-terminal linked as FOLDER/COM1.
#
# scripts/try/kelbrin.cfg is the configuration as VorTEST writes it
# (Windows-1254, CR LF), with line 2 (port) 1 for COM1, line 4 (protocol) 1
# for RTU, line 5 (serial settings) 9600,n,8,1, the indicator's factory link,
# line 11 (graph unit) 0 for kg and line 15 (machine type) 0 for the tensile
# machine; no PLC (line 31). The test suite checks that VorTEST, having read
# it, writes it back unchanged.
set -euo pipefail
bin=${1:?usage: scripts/try-indicator.sh BIN FOLDER}
folder=${2:?usage: scripts/try-indicator.sh BIN FOLDER}

copy_when_missing() { [[ -e $2 ]] || cp "$1" "$2"; }

mkdir -p "$folder"
for picture in rledon.gif rledoff.gif logo.jpg; do
  copy_when_missing "$bin/$picture" "$folder/$picture"
done
copy_when_missing "$(dirname "$0")/try/kelbrin.cfg" "$folder/kelbrin.cfg"
exec "$bin/indicator-sim" --serial rtu --link-folder "$folder" --link-name COM1

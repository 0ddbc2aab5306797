#!/usr/bin/env bash
# Installs the Debian 12 packages VorTEST needs to build, run and test, when
# they are missing. Runs as root or through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
  libgtest-dev
  fonts-dejavu-core
)
if [[ "${1:-}" == "--bench" ]]; then
  packages+=(libbenchmark-dev libmodbus-dev)
fi
if [[ "${1:-}" == "--test" ]]; then
  # The test peers and tools: libmodbus and pymodbus as independent Modbus
  # slaves, socat for pseudo-terminal pairs, poppler to read printed reports.
  packages+=(libmodbus-dev python3-pymodbus socat poppler-utils)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

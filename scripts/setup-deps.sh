#!/usr/bin/env bash
# Installs the Debian 12 packages VorTEST needs to build, run and test, when
# they are missing, and with --test the Turkish locale the tests run under.
# Runs as root or through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
  qt6-translations-l10n
  libgtest-dev
  fonts-dejavu-core
)
if [[ "${1:-}" == "--bench" ]]; then
  packages+=(libbenchmark-dev libmodbus-dev)
fi
if [[ "${1:-}" == "--test" ]]; then
  # The test peers and tools: libmodbus and pymodbus (with the serial
  # packages its serial server imports) as independent Modbus slaves, socat
  # for pseudo-terminal pairs, poppler to read printed reports, and the
  # locale sources for the Turkish pass.
  packages+=(libmodbus-dev python3-pymodbus python3-serial python3-serial-asyncio socat poppler-utils locales)
fi

sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [[ "${1:-}" == "--test" ]] && ! locale -a 2>/dev/null | grep -qx 'tr_TR\.utf8'; then
  echo "Generating the locale tr_TR.UTF-8"
  "${sudo_cmd[@]}" localedef -i tr_TR -f UTF-8 tr_TR.UTF-8
fi

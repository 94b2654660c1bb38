#!/usr/bin/env bash
# Installs, with apt-get, what the build, the tests and the benchmarks need.
# Does nothing when everything is already there.
set -euo pipefail

packages=(
  g++ cmake make
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libsqlite3-dev
  fonts-dejavu-core
  # The windows' interface font, of the letter widths their layouts were drawn for.
  fonts-liberation2
  xvfb xauth
  # The check of the windows' places under a real window manager.
  openbox x11-utils xdotool
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo; missing: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
# xauth is only a recommendation of xvfb, so it is listed by itself above.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, skipping those that
# are already present. Runs as root (or through sudo when it is available).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev zlib1g-dev libsqlite3-dev libpq-dev postgresql
  clang libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev libemf2svg-dev libtiff-dev fonts-liberation2
  xvfb xauth
  dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# The package command: installs what is missing, builds the office client, wiretool and
# the reference server (Release, no sanitizers, installed under /usr) and makes the two
# Debian packages in build/package:
#   orvenna-office-client_VERSION_ARCH.deb
#   orvenna-inventory-server_VERSION_ARCH.deb
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

jobs=$(nproc 2>/dev/null || echo 2)
build="$root/build/package"
# Debian's hardening flags (fortified functions, stack protector, full RELRO).
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORV_SANITIZE=OFF -DORV_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" -j "$jobs"
(cd "$build" && rm -f ./*.deb && cpack -G DEB >/dev/null)
ls "$build"/orvenna-*.deb

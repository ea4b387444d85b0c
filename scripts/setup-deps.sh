#!/usr/bin/env bash
# Installs every package the build, the tests and the program need. Safe to run again.
#   --fuzz   also what the libFuzzer build of scripts/fuzz.sh needs (clang's fuzzer runtime).
# The build compiles with g++; clang parses each file alone in the per-file check of scripts/test.sh.
set -euo pipefail

PACKAGES=(
    g++ clang cmake ninja-build ccache pkg-config lld
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6svg6 qt6-qpa-plugins
    libgl-dev dbus dbus-x11 python3-dbus libglib2.0-bin systemd
    libbz2-dev sqlite3 libsqlite3-dev
    libzip-dev unzip
    libxlsxwriter-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth
    shared-mime-info xdg-utils
    locales
)
if [ "${1:-}" = "--fuzz" ]; then
    PACKAGES+=(libclang-rt-dev)
fi

missing=()
for pkg in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs every package the build, the tests and the program need. Safe to run again.
# The program compiles with g++; the sanitized test build of scripts/test.sh compiles with clang
# (with its sanitizer runtimes), and clang parses each file alone in its per-file check.
set -euo pipefail

PACKAGES=(
    g++ clang libclang-rt-dev cmake ninja-build ccache pkg-config lld
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

#!/usr/bin/env bash
# Installs what is missing, builds with sanitizers and runs every test. Non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup-deps.sh

export CCACHE_BASEDIR="$root"
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

build="${QV_TEST_BUILD_DIR:-$root/build-test}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_BUILD_TESTS=ON -DQV_BUILD_BENCH=OFF
cmake --build "$build" -j"$(nproc)"
tools/check-layers.sh
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600

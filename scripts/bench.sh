#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup-deps.sh
export CCACHE_BASEDIR="$root"
build="$root/build-bench"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=ON
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
for bench in "$build"/bench/*; do
    [ -x "$bench" ] && [ -f "$bench" ] && "$bench" "$@"
done

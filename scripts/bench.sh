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
# Runs every benchmark program, then fails when one failed or none was built.
ran=0
failed=()
for bench in "$build"/bench/*; do
    [ -x "$bench" ] && [ -f "$bench" ] || continue
    ran=$((ran + 1))
    "$bench" "$@" || failed+=("$(basename "$bench")")
done
if [ "$ran" -eq 0 ]; then
    echo "bench.sh: no benchmark programs in $build/bench" >&2
    exit 1
fi
if [ ${#failed[@]} -gt 0 ]; then
    echo "bench.sh: failed: ${failed[*]}" >&2
    exit 1
fi

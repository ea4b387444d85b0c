#!/usr/bin/env bash
# Installs what is missing, builds with sanitizers and runs every test. Non-zero on any failure.
#
# This is the CI configuration: a unity build (QV_UNITY: each library and test area compiles in
# batches of files, so two files' same-named helpers fail at once) that fails on any warning
# (QV_WERROR). Developers' builds keep both off. To check a branch the same way by hand:
#   cmake -S . -B build-unity -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_BUILD_TESTS=ON \
#         -DQV_UNITY=ON -DQV_WERROR=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang && cmake --build build-unity
# -DQV_UNITY_BATCH=0 -DQV_UNITY_TEST_BATCH=0 put each target in one batch, which finds every clash
# at once. The per-file phase then parses every source and test file on its own, as the developers'
# build compiles them, so a file that compiles only beside its batch neighbours fails here
# (tools/check-per-file.py, clang).
# The test build compiles with clang: with the sanitizers it builds in about half the time g++
# takes. The program that scripts/run.sh builds compiles with g++, optimised, so the g++ phase then
# compiles every compilation of the program and of the tests with g++ to objects it throws away, on
# the same warning flags, without the sanitizers, optimised as the Release build, its warnings as
# errors (tools/check-gcc.py): the warnings of g++'s optimiser (a use after free, a dangling
# pointer) show only there.
# The cache settings live in CMakeLists.txt; CCACHE_DISABLE=1 measures a build without the cache.
# Each phase prints its time; the whole run should stay within 1,100 s on two cores, cache off.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

budget_seconds=1100
start=$SECONDS
phase_start=$SECONDS
phases=()
phase_done() {
    phases+=("$(printf '%-13s %5d s' "$1" $((SECONDS - phase_start)))")
    echo "== $1: $((SECONDS - phase_start)) s"
    phase_start=$SECONDS
}
report() {
    echo "== Phase times"
    printf '  %s\n' "${phases[@]}"
    local total=$((SECONDS - start))
    echo "  total         $(printf '%5d' $total) s"
    if command -v ccache >/dev/null; then
        ccache -s || true
    fi
    if [ $total -gt $budget_seconds ]; then
        echo "WARNING: the run took $total s, past its budget of $budget_seconds s." >&2
    fi
}
trap report EXIT

scripts/setup-deps.sh
phase_done deps

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

build="${QV_TEST_BUILD_DIR:-$root/build-test}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_BUILD_TESTS=ON -DQV_BUILD_BENCH=OFF \
    -DQV_UNITY=ON -DQV_WERROR=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
phase_done configure
cmake --build "$build" -j"$(nproc)"
phase_done build
tools/check-gcc.py "$build" "$(nproc)"
phase_done g++
# The developers' per-file build: every source and test file parsed on its own.
tools/check-per-file.py "$build" "$(nproc)"
phase_done per-file
tools/check-layers.sh
phase_done check-layers
# Every file written through foundation/common's creator; the check first shows it fails on a probe.
tools/check-writers.py --self-test
tools/check-writers.py
phase_done check-writers
# Two tests per core and two more: many wait on disk flushes, timers, child processes or the bus,
# and on two cores the third test per core still shortens the phase.
ctest --test-dir "$build" --output-on-failure -j"$((2 * $(nproc) + 2))" --timeout 600
phase_done tests

#!/usr/bin/env bash
# Timed fuzzing of the targets in tests/fuzz/, outside the test run: builds them with clang and
# libFuzzer (QV_FUZZ, in build-fuzz/) and runs each for the time asked.
#   scripts/fuzz.sh [--time <seconds per target>] [--runs <executions per target>] [target...]
# Default: 60 seconds for every target. Each run starts from the checked-in corpus and regression
# inputs (tests/fuzz/corpus/<target>, tests/fuzz/regressions/<target>) and from what earlier runs
# found (build-fuzz/corpus/<target>). A crash, a sanitizer report or a broken rule leaves its input
# in build-fuzz/findings/<target>/: mend it, then check the input in under
# tests/fuzz/regressions/<target>/, where every test run replays it.
# QV_FUZZ_JOBS runs that many targets at once (default 1); each target is one process.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

seconds=60
runs=-1
targets=()
while [ $# -gt 0 ]; do
    case "$1" in
    --time) seconds="$2"; shift 2 ;;
    --runs) runs="$2"; seconds=0; shift 2 ;;
    *) targets+=("$1"); shift ;;
    esac
done

scripts/setup-deps.sh
build="${QV_FUZZ_BUILD_DIR:-$root/build-fuzz}"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_FUZZ=ON \
    -DQV_BUILD_TESTS=OFF -DQV_SANITIZE=OFF -DQV_BUILD_BENCH=OFF -DQV_UNITY=ON >/dev/null
if [ ${#targets[@]} -eq 0 ]; then
    for source in tests/fuzz/targets/*.cpp; do
        stem="$(basename "$source" .cpp)"
        targets+=("$(echo "$stem" | sed -E 's/([a-z0-9])([A-Z])/\1_\2/g' | tr '[:upper:]' '[:lower:]')")
    done
fi
cmake --build "$build" -j"${QV_BUILD_JOBS:-$(nproc)}" --target "${targets[@]/#/qv-fuzz-}"

# The targets write their scratch files under TMPDIR: memory, where there is a tmpfs.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"

fuzz_one() {
    local name="$1" corpus="$build/corpus/$1" findings="$build/findings/$1"
    mkdir -p "$corpus" "$findings"
    local inputs=("$corpus" "tests/fuzz/corpus/$name")
    [ -d "tests/fuzz/regressions/$name" ] && inputs+=("tests/fuzz/regressions/$name")
    echo "== $name"
    "$build/tests/fuzz/qv-fuzz-$name" -max_total_time="$seconds" -runs="$runs" \
        -timeout=20 -rss_limit_mb=4096 -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" \
        "${inputs[@]}" >"$build/findings/$name.log" 2>&1 || echo "!! $name: finding in $findings"
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|Done )' "$build/findings/$name.log" || true
    grep -E 'cov: [0-9]+' "$build/findings/$name.log" | tail -1 || true
}

running=0
for name in "${targets[@]}"; do
    fuzz_one "$name" &
    running=$((running + 1))
    if [ "$running" -ge "${QV_FUZZ_JOBS:-1}" ]; then
        wait -n || true
        running=$((running - 1))
    fi
done
wait

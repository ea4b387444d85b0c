#!/usr/bin/env bash
# Installs what is missing, builds the program, puts the sample project in the working folder
# (if it is not there yet) and opens it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup-deps.sh
export CCACHE_BASEDIR="$root"
build="$root/build-release"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_TESTS=OFF
cmake --build "$build" -j"$(nproc)"

# The working folder the program uses: Qt's Documents folder (qtpaths6 asks the same Qt library).
docs="$(qtpaths6 --writable-path DocumentsLocation)"
[ -n "$docs" ] || { echo "run.sh: cannot find the Documents folder" >&2; exit 1; }
work="$docs/Quorvanta"
sample="$build/share/quorvanta/Samples/Demo"
if [ -d "$sample" ] && [ ! -e "$work/Demo/Demo.prj" ]; then
    mkdir -p "$work/Demo"
    cp -n "$sample"/* "$work/Demo/"
fi

args=()
[ -e "$work/Demo/Demo.prj" ] && args+=("$work/Demo/Demo.prj")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a "$build/src/quorvanta" "${args[@]}"
fi
exec "$build/src/quorvanta" "${args[@]}"

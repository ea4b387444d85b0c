#!/usr/bin/env bash
# Runs bus_lost.py, which starts and ends session buses of its own, with a temporary home holding
# a copy of the sample project.
set -euo pipefail
program="$1"
sample="$2"
script="$(dirname "${BASH_SOURCE[0]}")/bus_lost.py"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Demo" "$home/run"
chmod 700 "$home/run"
cp "$sample"/* "$home/Demo/"
HOME="$home" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen \
    /usr/bin/python3 "$script" "$program" "$home/Demo/Demo.prj"

#!/usr/bin/env bash
# Runs open_bad_path.py on a private session bus with a temporary home holding a copy of the
# sample project.
set -euo pipefail
program="$1"
sample="$2"
script="$(dirname "${BASH_SOURCE[0]}")/open_bad_path.py"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Demo" "$home/run"
chmod 700 "$home/run"
cp "$sample"/* "$home/Demo/"
HOME="$home" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen \
    dbus-run-session -- /usr/bin/python3 "$script" "$program" "$home/Demo/Demo.prj"

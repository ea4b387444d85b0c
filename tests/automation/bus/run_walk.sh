#!/usr/bin/env bash
# Runs walk_demo.py on a private session bus with a temporary home holding a copy of the sample
# project, then checks with sqlite3 that the put reached the saved step file with its
# regenerated recipe text, and that no working copy is left.
set -euo pipefail
program="$1"
sample="$2"
script="$(dirname "${BASH_SOURCE[0]}")/walk_demo.py"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Demo" "$home/run"
chmod 700 "$home/run"
cp "$sample"/* "$home/Demo/"
before=$(sqlite3 "$home/Demo/STEP_1001.STP" "SELECT RecipeText FROM Operation WHERE OperationID = 10002")
HOME="$home" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen \
    dbus-run-session -- /usr/bin/python3 "$script" "$program" "$home/Demo/Demo.prj"
value=$(sqlite3 "$home/Demo/STEP_1001.STP" "SELECT DoubleValue FROM TblFieldData WHERE FieldID = 1")
after=$(sqlite3 "$home/Demo/STEP_1001.STP" "SELECT RecipeText FROM Operation WHERE OperationID = 10002")
[ "$value" = "16.5" ] || { echo "the saved step file holds $value, not 16.5"; exit 1; }
[ "$before" != "$after" ] || { echo "the recipe text was not regenerated"; exit 1; }
if find "$home" -name '*.wc' | grep -q .; then
    echo "a working copy is left"
    exit 1
fi
echo "saved value, regenerated recipe text, no working copy: ok"

#!/usr/bin/env bash
# Checks the include layers: foundation includes no other src folder; modules include only
# foundation; each subsystem folder includes foundation, modules and the subsystems below it in
# the order below, never one above it and never the shell; and the include graph between the top
# folders of src/ has no loop; and no folder of src/ holds more than 90 source files of its own.
# docs/architecture.md describes the layers.
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.."
status=0
# The subsystems from the bottom up.
subsystems="projects results library recipe simulation planning preferences automation"

report() { echo "layer break: $1"; status=1; }

folders="foundation modules shell $subsystems"
folders_regex=$(echo $folders | tr ' ' '|')

# Every include of another src folder as "file:line: include".
includes_of() {
    grep -rnE '#include[[:space:]]+"[a-z]+/' "src/$1" --include='*.h' --include='*.cpp'
}

check() { # folder, allowed-prefix-regex
    local folder=$1 allowed=$2
    [ -d "src/$folder" ] || return 0
    while IFS= read -r line; do
        report "$line"
    done < <(includes_of "$folder" | grep -vE "#include[[:space:]]+\"($allowed)/")
}

# A relative path or an angle-bracket include of a source folder would slip past the rules below.
while IFS= read -r line; do
    report "$line"
done < <(grep -rnE "#include[[:space:]]*(\"\.\.?/|<($folders_regex)/)" src --include='*.h' --include='*.cpp')

check foundation 'foundation'
check modules 'foundation|modules'
below='foundation|modules'
for s in $subsystems; do
    check "$s" "$below|$s"
    below="$below|$s"
done

# No loop between the top folders, whatever the rules above allow.
edges=$(for dir in src/*/; do
    from=$(basename "$dir")
    includes_of "$from" | sed -nE 's/.*#include[[:space:]]+"([a-z]+)\/.*/\1/p' | sort -u \
        | while read -r to; do [ "$to" = "$from" ] || echo "$from $to"; done
done)
# tsort names the folders of each loop it finds, one a line after "input contains a loop".
loop=$(echo "$edges" | tsort 2>&1 >/dev/null \
       | awk '/contains a loop/ { if (seen++) exit; next }
              { sub(/^tsort: /, ""); if (!first) first = $0; printf "%s -> ", $0 }
              END { if (first) print first }')
[ -z "$loop" ] || report "the include graph between the folders of src/ has a loop: $loop"

# Rooms stay small: no folder holds more than this many source files of its own, but for the
# recordset catalogue of the project database, one class a table.
room_limit=90
room_exempt="src/foundation/db/project"
while IFS= read -r dir; do
    [ "$dir" = "$room_exempt" ] && continue
    count=$(find "$dir" -maxdepth 1 -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) | wc -l)
    [ "$count" -le "$room_limit" ] ||
        { echo "room too full: $dir holds $count source files of its own (at most $room_limit); split it by concern"; status=1; }
done < <(find src -type d)
exit $status

#!/usr/bin/env bash
# Checks the include layers: foundation includes no other src folder; modules include only
# foundation; subsystem folders never include the shell.
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.."
status=0
subsystems="projects library recipe simulation planning results preferences automation"

report() { echo "layer break: $1"; status=1; }

folders="foundation modules shell $subsystems"
folders_regex=$(echo $folders | tr ' ' '|')

check() { # folder, allowed-prefix-regex
    local folder=$1 allowed=$2
    [ -d "src/$folder" ] || return 0
    while IFS= read -r line; do
        report "$line"
    done < <(grep -rnE '#include[[:space:]]+"[a-z]+/' "src/$folder" --include='*.h' --include='*.cpp' \
             | grep -vE "#include[[:space:]]+\"($allowed)/")
}

# A relative path or an angle-bracket include of a source folder would slip past the rule above.
while IFS= read -r line; do
    report "$line"
done < <(grep -rnE "#include[[:space:]]*(\"\.\.?/|<($folders_regex)/)" src --include='*.h' --include='*.cpp')

check foundation 'foundation'
check modules 'foundation|modules'
for s in $subsystems; do
    check "$s" 'foundation|modules|projects|library|recipe|simulation|planning|results|preferences|automation'
done
exit $status
